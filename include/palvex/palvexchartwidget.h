#pragma once

/// \file
/// PalvexChartWidget, the chart as a Qt widget.

#include <palvex/palvexchartitem.h>
#include <palvex/palvexwidget_export.h>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <memory>

class PalvexChartWidgetPrivate;

/// The animated bar chart as a Qt widget. Fill it with items, show it, and
/// the bars grow from the baseline; a click selects a bar (itemClicked),
/// the right button opens its menu (Save As, Copy, About), and the legend
/// panel folds away. Margins are in pixels, colours are QColors.
///
/// The keyboard does the same: with focus (Tab or a click), Left, Right,
/// Home and End select a bar as a click on it would, Escape clears the
/// selection, the Menu key or Shift+F10 opens the menu, Ctrl+C copies and L
/// folds or opens the legend. A focus frame marks the selected bar on
/// screen only, never in toImage(), save() or copy(). Other keys go on to
/// the parent.
///
/// Every property has a NOTIFY signal that fires once per real change,
/// whether the change came from a setter, restoreState() or the user (a
/// click changes selectedColumn, the legend button legendVisible), and
/// never for a write of the value already held or a redraw.
///
/// A call the chart refuses (a negative margin, an unknown theme number, a
/// bad state) leaves the widget as it was, emits errorOccurred() with the
/// control's run-time error number and message, keeps them for lastError()
/// and lastErrorString(), and logs a warning.
class PALVEX_WIDGET_EXPORT PalvexChartWidget : public QWidget {
  Q_OBJECT
  /// The title over the chart.
  Q_PROPERTY(QString chartTitle READ chartTitle WRITE setChartTitle NOTIFY chartTitleChanged)
  /// The line under the title.
  Q_PROPERTY(
      QString chartSubTitle READ chartSubTitle WRITE setChartSubTitle NOTIFY chartSubTitleChanged)
  /// The x axis's name, under the chart.
  Q_PROPERTY(QString axisLabelX READ axisLabelX WRITE setAxisLabelX NOTIFY axisLabelXChanged)
  /// The y axis's name, up the chart's left edge.
  Q_PROPERTY(QString axisLabelY READ axisLabelY WRITE setAxisLabelY NOTIFY axisLabelYChanged)
  /// The colours of the background, scale and grid bands.
  Q_PROPERTY(Theme theme READ theme WRITE setTheme NOTIFY themeChanged)
  /// The colour behind the chart, where the theme paints none.
  Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
  /// The text colour.
  Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor NOTIFY foreColorChanged)
  /// The plot's top margin, in pixels.
  Q_PROPERTY(qreal marginTop READ marginTop WRITE setMarginTop NOTIFY marginTopChanged)
  /// The plot's bottom margin, in pixels.
  Q_PROPERTY(qreal marginBottom READ marginBottom WRITE setMarginBottom NOTIFY marginBottomChanged)
  /// The plot's left margin, in pixels.
  Q_PROPERTY(qreal marginLeft READ marginLeft WRITE setMarginLeft NOTIFY marginLeftChanged)
  /// The plot's right margin, in pixels.
  Q_PROPERTY(qreal marginRight READ marginRight WRITE setMarginRight NOTIFY marginRightChanged)
  /// Whether the user can select a bar.
  Q_PROPERTY(bool selectable READ selectable WRITE setSelectable NOTIFY selectableChanged)
  /// Whether hovering selects a bar.
  Q_PROPERTY(bool hotTracking READ hotTracking WRITE setHotTracking NOTIFY hotTrackingChanged)
  /// Whether the information label shows the selected bar.
  Q_PROPERTY(bool selectionInformation READ selectionInformation WRITE setSelectionInformation
                 NOTIFY selectionInformationChanged)
  /// Whether the bars' captions are drawn.
  Q_PROPERTY(bool displayXAxis READ displayXAxis WRITE setDisplayXAxis NOTIFY displayXAxisChanged)
  /// Whether the scale and its grid are drawn.
  Q_PROPERTY(bool displayYAxis READ displayYAxis WRITE setDisplayYAxis NOTIFY displayYAxisChanged)
  /// Whether each bar takes its colour from its item id.
  Q_PROPERTY(bool colorBars READ colorBars WRITE setColorBars NOTIFY colorBarsChanged)
  /// Whether a line marks the plot's left edge.
  Q_PROPERTY(
      bool contentBorder READ contentBorder WRITE setContentBorder NOTIFY contentBorderChanged)
  /// The grid's major step.
  Q_PROPERTY(
      qreal intersectMajor READ intersectMajor WRITE setIntersectMajor NOTIFY intersectMajorChanged)
  /// The grid's minor step, kept but not drawn.
  Q_PROPERTY(
      qreal intersectMinor READ intersectMinor WRITE setIntersectMinor NOTIFY intersectMinorChanged)
  /// The scale's top before rounding.
  Q_PROPERTY(qreal maxY READ maxY WRITE setMaxY NOTIFY maxYChanged)
  /// The selected bar's column, -1 for none.
  Q_PROPERTY(
      int selectedColumn READ selectedColumn WRITE setSelectedColumn NOTIFY selectedColumnChanged)
  /// Whether the legend panel is open.
  Q_PROPERTY(
      bool legendVisible READ legendVisible WRITE setLegendVisible NOTIFY legendVisibleChanged)
  /// Whether the bars grow when the chart is shown.
  Q_PROPERTY(bool animated READ animated WRITE setAnimated NOTIFY animatedChanged)
  /// The bars' own colours; empty for the control's.
  Q_PROPERTY(QList<QColor> barColors READ barColors WRITE setBarColors NOTIFY barColorsChanged)
  /// What follows an amount in the information label.
  Q_PROPERTY(QString valueSuffix READ valueSuffix WRITE setValueSuffix RESET resetValueSuffix NOTIFY
                 valueSuffixChanged)
  /// An amount's decimals in the information label.
  Q_PROPERTY(
      int valueDecimals READ valueDecimals WRITE setValueDecimals NOTIFY valueDecimalsChanged)
  /// The font of the title and subtitle.
  Q_PROPERTY(QFont titleFont READ titleFont WRITE setTitleFont RESET resetTitleFont NOTIFY
                 titleFontChanged)
  /// The font of the captions, axis labels, legend and information label.
  Q_PROPERTY(QFont labelFont READ labelFont WRITE setLabelFont RESET resetLabelFont NOTIFY
                 labelFontChanged)

 public:
  /// The colour themes of the background, scale and grid bands. Normal
  /// paints none: the back colour shows through. Palette follows the
  /// widget's palette (QPalette::Base and Window behind, WindowText for the
  /// text and scale, Highlight for the bars unless barColors or colorBars
  /// say otherwise), light or dark, and follows it when it changes. The
  /// enum has a fixed type that can hold every int a saved state passes.
  enum Theme : int {
    PersianGulf,  ///< Deep blue shading and white text; a new chart's theme.
    Sky,          ///< Light blue shading and black text.
    Neon,         ///< Black to dark grey shading and white text.
    Normal,       ///< No theme colours: the back colour shows through.
    Palette       ///< The widget's palette, light or dark.
  };
  Q_ENUM(Theme)

  /// A new chart with the defaults of a newly placed control.
  explicit PalvexChartWidget(QWidget* parent = nullptr);
  /// A chart made from a state that saveState() gave. When the state is
  /// refused the chart gets the defaults instead, and lastError() says why.
  explicit PalvexChartWidget(const QByteArray& state, QWidget* parent = nullptr);
  /// Stops the chart's timers and releases it.
  ~PalvexChartWidget() override;

  /// The title, centred over the chart in titleFont; empty in a chart made
  /// in code, the sample text in one placed from Qt Designer.
  ///@{
  QString chartTitle() const;
  void setChartTitle(const QString& title);
  ///@}

  /// The line under the title, in titleFont two points smaller; empty in a
  /// chart made in code, the sample text in one placed from Qt Designer.
  ///@{
  QString chartSubTitle() const;
  void setChartSubTitle(const QString& subTitle);
  ///@}

  /// The axes' names: the x axis's centred under the chart, the y axis's
  /// turned up the left edge; empty for none.
  ///@{
  QString axisLabelX() const;
  void setAxisLabelX(const QString& label);
  QString axisLabelY() const;
  void setAxisLabelY(const QString& label);
  ///@}

  /// The colour theme; a painted theme also gives the text its colour. A
  /// number that is not one of Theme's is refused.
  ///@{
  Theme theme() const;
  void setTheme(Theme theme);
  ///@}

  /// The colour behind the chart, which shows where the theme paints none
  /// (Normal). A system colour reads back as the desktop shows it; an
  /// invalid colour is refused.
  ///@{
  QColor backColor() const;
  void setBackColor(const QColor& color);
  ///@}

  /// The colour of the titles, captions and scale. Each painted theme sets
  /// its own; in the Normal theme a chart made in code takes, until this is
  /// set, the palette's text colour that reads on the back colour. An
  /// invalid colour is refused.
  ///@{
  QColor foreColor() const;
  void setForeColor(const QColor& color);
  ///@}

  /// The plot's margins in pixels: the room between the widget's edges and
  /// the plot, where the titles, scale, captions and axis names go. A new
  /// chart has 50 at the top and 55 on the other sides; a negative or
  /// endless margin is refused.
  ///@{
  qreal marginTop() const;
  void setMarginTop(qreal pixels);
  qreal marginBottom() const;
  void setMarginBottom(qreal pixels);
  qreal marginLeft() const;
  void setMarginLeft(qreal pixels);
  qreal marginRight() const;
  void setMarginRight(qreal pixels);
  ///@}

  /// Whether the user can select a bar (a click or a drag over the bars,
  /// the keys, or hovering with hotTracking), and whether the selected bar
  /// is drawn highlighted. Off by default: set it, or nothing selects.
  ///@{
  bool selectable() const;
  void setSelectable(bool on);
  ///@}

  /// Whether hovering selects the bar under the pointer, and pointing
  /// within a column but off its bar clears the selection; it needs
  /// selectable. Off by default.
  ///@{
  bool hotTracking() const;
  void setHotTracking(bool on);
  ///@}

  /// Whether the information label shows the selected bar's description
  /// and amount (see valueSuffix and valueDecimals). Off by default.
  ///@{
  bool selectionInformation() const;
  void setSelectionInformation(bool on);
  ///@}

  /// Whether the bars' captions, and the ticks between the bars, are drawn
  /// under the plot. On by default.
  ///@{
  bool displayXAxis() const;
  void setDisplayXAxis(bool on);
  ///@}

  /// Whether the scale is drawn: its numbers, lines and shaded grid bands.
  /// On by default.
  ///@{
  bool displayYAxis() const;
  void setDisplayYAxis(bool on);
  ///@}

  /// Whether each bar takes its colour from its item id (ten colours, again
  /// from id 11) instead of one colour for all; barColors, when set, wins.
  /// Off by default.
  ///@{
  bool colorBars() const;
  void setColorBars(bool on);
  ///@}

  /// Whether a line in the theme's line colour marks the plot's left edge.
  /// On by default.
  ///@{
  bool contentBorder() const;
  void setContentBorder(bool on);
  ///@}

  /// The grid's major step in value units: the grid lines stand at its
  /// multiples that are also multiples of 10. Every drawing pass sets it to
  /// a tenth of the scale's top, so a value written is replaced by the
  /// redraw the write makes. Endless values are refused.
  ///@{
  qreal intersectMajor() const;
  void setIntersectMajor(qreal value);
  ///@}

  /// The grid's minor step: kept and saved with the state, but the chart
  /// draws nothing from it. 2 by default; endless values are refused.
  ///@{
  qreal intersectMinor() const;
  void setIntersectMinor(qreal value);
  ///@}

  /// The value the scale is built for. The scale's top is this with its
  /// first two digits rounded up to a multiple of 5 and the rest zero
  /// (2345 gives 2500), and at least 10. Adding an item or drawing the
  /// chart raises it where it is below the largest item's value or the
  /// scale's top. 100 by default; endless values are refused.
  ///@{
  qreal maxY() const;
  void setMaxY(qreal value);
  ///@}

  /// The selected bar's column from 0, or -1 for none. Setting a column
  /// that has a bar selects it as a click would, and emits itemClicked();
  /// any other clears the selection.
  ///@{
  int selectedColumn() const;
  void setSelectedColumn(int column);
  ///@}

  /// Whether the legend panel is open. The strip at the right edge, the
  /// menu and the L key fold and open it too.
  ///@{
  bool legendVisible() const;
  void setLegendVisible(bool visible);
  ///@}

  /// Whether the bars grow when the chart is shown (the default). The
  /// growth plays from the event loop: the application stays live, and what
  /// arrives meanwhile takes effect when it is over. Off, the finished chart
  /// shows at once (tests, users who ask for reduced motion).
  ///@{
  bool animated() const;
  void setAnimated(bool on);
  ///@}

  /// The bars' own colours: with one, every bar has it; with several (at
  /// most 15) they go in turn, column by column; empty (the default), the
  /// control's colours. Each bar is shaded from its colour to a darker one,
  /// and the legend's colour boxes show the colour of the bar they describe.
  ///@{
  QList<QColor> barColors() const;
  void setBarColors(const QList<QColor>& colors);
  ///@}

  /// What follows an amount in the information label and what screen
  /// readers hear ("mm", " kWh"); until set, the translated currency text
  /// (元, " yuan" in English), following the language. resetValueSuffix()
  /// puts the currency text back.
  ///@{
  QString valueSuffix() const;
  void setValueSuffix(const QString& suffix);
  void resetValueSuffix();
  ///@}

  /// An amount's decimals in the information label and for screen readers,
  /// 0 (the default) to 6, rounded half to even.
  ///@{
  int valueDecimals() const;
  void setValueDecimals(int decimals);
  ///@}

  /// The title's font; the subtitle is drawn in it two points smaller and
  /// not bold. Until set, the control's face (a Song face, 9 points, bold).
  /// Family, size, bold and italic are honoured, in the window, toImage(),
  /// SVG and PDF.
  ///@{
  QFont titleFont() const;
  void setTitleFont(const QFont& font);
  void resetTitleFont();
  ///@}

  /// The captions', axis labels', legend's and information label's font; the
  /// scale's numbers are drawn one point smaller. Until set, the control's
  /// face (a Song face, 8 points; the legend and the information label 9).
  ///@{
  QFont labelFont() const;
  void setLabelFont(const QFont& font);
  void resetLabelFont();
  ///@}

  /// Adds a bar after the others; false for an item the chart refuses (a
  /// value that is not a finite number, a text over 32,767 UTF-16 units).
  /// The items added in one turn of the event loop are drawn by one pass
  /// after it.
  bool addItem(const PalvexChartItem& item);
  /// Replaces every item with one redraw; all or nothing.
  bool setItems(const QList<PalvexChartItem>& items);
  /// The items, in column order.
  QList<PalvexChartItem> items() const;
  /// How many items the chart holds.
  int count() const;

  /// The 22 design-time properties as the control's property bag holds
  /// them (JSON), for a host's settings; restoreState refuses a bad state
  /// whole and leaves the chart as it was.
  ///@{
  QByteArray saveState() const;
  bool restoreState(const QByteArray& state);
  ///@}

  /// The chart as it stands, without the window's children; save writes it
  /// to a temporary name and renames it, the format following the suffix
  /// (BMP, PNG, JPEG, ..., SVG, PDF) unless given. With a scale (1 to 4) the
  /// picture has scale times the pixels each way, whatever the screen; SVG
  /// and PDF draw the chart as shapes and text on a page of its size. The
  /// quality is QImage::save()'s (-1 for the format's default): for PNG a
  /// higher one writes sooner and larger (89, the fastest compression,
  /// takes about a third less time than the default for a fifth more
  /// bytes).
  ///@{
  QImage toImage() const;
  QImage toImage(qreal scale) const;
  bool save(const QString& path, const char* format = nullptr) const;
  bool save(const QString& path, const char* format, qreal scale) const;
  bool save(const QString& path, const char* format, qreal scale, int quality) const;
  ///@}

  /// The run-time error number of the chart's last failure (380 for an
  /// invalid property value, 75 for a file that could not be written), 0
  /// once a later call succeeds.
  int lastError() const;
  /// The message that goes with lastError(), naming the call
  /// ("marginLeft: Invalid property value"); empty once a later call
  /// succeeds.
  QString lastErrorString() const;

  /// The control's design size, 560 x 372 pixels.
  QSize sizeHint() const override;
  /// 160 x 120 pixels: room for the folded legend's strip and a plot with
  /// one bar.
  QSize minimumSizeHint() const override;

 public Q_SLOTS:
  /// Removes every item.
  void clear();
  /// Draws the chart again.
  void refresh();
  /// Copies the chart to the clipboard, as the menu's Copy does.
  bool copy();
  /// Shows the about window, modal; a click anywhere closes it.
  void about();

 Q_SIGNALS:
  /// The properties' NOTIFY signals, with the new value: each fires once per
  /// real change, whether from a setter, restoreState() or the user.
  ///@{
  void chartTitleChanged(const QString& title);
  void chartSubTitleChanged(const QString& subTitle);
  void axisLabelXChanged(const QString& label);
  void axisLabelYChanged(const QString& label);
  void themeChanged(PalvexChartWidget::Theme theme);
  void backColorChanged(const QColor& color);
  void foreColorChanged(const QColor& color);
  void marginTopChanged(qreal pixels);
  void marginBottomChanged(qreal pixels);
  void marginLeftChanged(qreal pixels);
  void marginRightChanged(qreal pixels);
  void selectableChanged(bool on);
  void hotTrackingChanged(bool on);
  void selectionInformationChanged(bool on);
  void displayXAxisChanged(bool on);
  void displayYAxisChanged(bool on);
  void colorBarsChanged(bool on);
  void contentBorderChanged(bool on);
  void intersectMajorChanged(qreal value);
  void intersectMinorChanged(qreal value);
  void maxYChanged(qreal value);
  void selectedColumnChanged(int column);
  void legendVisibleChanged(bool visible);
  void animatedChanged(bool on);
  void barColorsChanged(const QList<QColor>& colors);
  void valueSuffixChanged(const QString& suffix);
  void valueDecimalsChanged(int decimals);
  void titleFontChanged(const QFont& font);
  void labelFontChanged(const QFont& font);
  ///@}

  /// A bar was clicked (or selected by setSelectedColumn).
  void itemClicked(int column, const PalvexChartItem& item);
  /// The chart's own mouse events, in widget pixels; the buttons are the
  /// one pressed or released.
  ///@{
  void mousePressed(const QPointF& position, Qt::MouseButtons buttons,
                    Qt::KeyboardModifiers modifiers);
  void mouseReleased(const QPointF& position, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers modifiers);
  ///@}
  /// A call was refused: number is the control's run-time error number and
  /// message names the call and the reason, as lastError() and
  /// lastErrorString() then give them. The chart stays as it was.
  void errorOccurred(int number, const QString& message);

 protected:
  /// Shows the chart's tool tips, opens its menu for a keyboard request, and
  /// follows palette, screen and language changes.
  bool event(QEvent* e) override;
  /// Paints the chart (during the growth, its current frame), the focus
  /// frame and the outline of the information label being dragged.
  void paintEvent(QPaintEvent* e) override;
  /// Lays the chart out at its new size.
  void resizeEvent(QResizeEvent* e) override;
  /// Draws the chart, growing its bars, each time the application (not the
  /// window system) shows the widget.
  void showEvent(QShowEvent* e) override;
  /// Stops playing the growth.
  void hideEvent(QHideEvent* e) override;
  /// Give the mouse to the chart: selection, its menu, the legend and the
  /// information label's drag.
  ///@{
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  ///@}
  /// Over the legend, scrolls its list; elsewhere the wheel goes on to the
  /// parent.
  void wheelEvent(QWheelEvent* e) override;
  /// The chart's keys (see the class description); others go on to the
  /// parent.
  void keyPressEvent(QKeyEvent* e) override;
  /// Show or hide the focus frame; gaining the focus also tells screen
  /// readers.
  ///@{
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  ///@}

 private:
  friend class PalvexChartWidgetPrivate;
  std::unique_ptr<PalvexChartWidgetPrivate> d;
};
