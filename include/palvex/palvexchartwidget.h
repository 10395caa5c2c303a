#pragma once

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

// The animated bar chart as a Qt widget. Fill it with items, show it, and
// the bars grow from the baseline; a click selects a bar (itemClicked),
// the right button opens its menu (Save As, Copy, About), and the legend
// panel folds away. Margins are in pixels, colours are QColors.
//
// The keyboard does the same: with focus (Tab or a click), Left, Right,
// Home and End select a bar as a click on it would, Escape clears the
// selection, the Menu key or Shift+F10 opens the menu, Ctrl+C copies and L
// folds or opens the legend. A focus frame marks the selected bar on
// screen only, never in toImage(), save() or copy(). Other keys go on to
// the parent.
//
// Every property has a NOTIFY signal that fires once per real change,
// whether the change came from a setter, restoreState() or the user (a
// click changes selectedColumn, the legend button legendVisible), and
// never for a write of the value already held or a redraw.
//
// A call the chart refuses (a negative margin, an unknown theme number, a
// bad state) leaves the widget as it was, emits errorOccurred() with the
// control's run-time error number and message, keeps them for lastError()
// and lastErrorString(), and logs a warning.
class PALVEX_WIDGET_EXPORT PalvexChartWidget : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString chartTitle READ chartTitle WRITE setChartTitle NOTIFY chartTitleChanged)
  Q_PROPERTY(
      QString chartSubTitle READ chartSubTitle WRITE setChartSubTitle NOTIFY chartSubTitleChanged)
  Q_PROPERTY(QString axisLabelX READ axisLabelX WRITE setAxisLabelX NOTIFY axisLabelXChanged)
  Q_PROPERTY(QString axisLabelY READ axisLabelY WRITE setAxisLabelY NOTIFY axisLabelYChanged)
  Q_PROPERTY(Theme theme READ theme WRITE setTheme NOTIFY themeChanged)
  Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
  Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor NOTIFY foreColorChanged)
  Q_PROPERTY(qreal marginTop READ marginTop WRITE setMarginTop NOTIFY marginTopChanged)
  Q_PROPERTY(qreal marginBottom READ marginBottom WRITE setMarginBottom NOTIFY marginBottomChanged)
  Q_PROPERTY(qreal marginLeft READ marginLeft WRITE setMarginLeft NOTIFY marginLeftChanged)
  Q_PROPERTY(qreal marginRight READ marginRight WRITE setMarginRight NOTIFY marginRightChanged)
  Q_PROPERTY(bool selectable READ selectable WRITE setSelectable NOTIFY selectableChanged)
  Q_PROPERTY(bool hotTracking READ hotTracking WRITE setHotTracking NOTIFY hotTrackingChanged)
  Q_PROPERTY(bool selectionInformation READ selectionInformation WRITE setSelectionInformation
                 NOTIFY selectionInformationChanged)
  Q_PROPERTY(bool displayXAxis READ displayXAxis WRITE setDisplayXAxis NOTIFY displayXAxisChanged)
  Q_PROPERTY(bool displayYAxis READ displayYAxis WRITE setDisplayYAxis NOTIFY displayYAxisChanged)
  Q_PROPERTY(bool colorBars READ colorBars WRITE setColorBars NOTIFY colorBarsChanged)
  Q_PROPERTY(
      bool contentBorder READ contentBorder WRITE setContentBorder NOTIFY contentBorderChanged)
  Q_PROPERTY(
      qreal intersectMajor READ intersectMajor WRITE setIntersectMajor NOTIFY intersectMajorChanged)
  Q_PROPERTY(
      qreal intersectMinor READ intersectMinor WRITE setIntersectMinor NOTIFY intersectMinorChanged)
  Q_PROPERTY(qreal maxY READ maxY WRITE setMaxY NOTIFY maxYChanged)
  Q_PROPERTY(
      int selectedColumn READ selectedColumn WRITE setSelectedColumn NOTIFY selectedColumnChanged)
  Q_PROPERTY(
      bool legendVisible READ legendVisible WRITE setLegendVisible NOTIFY legendVisibleChanged)
  Q_PROPERTY(bool animated READ animated WRITE setAnimated NOTIFY animatedChanged)
  Q_PROPERTY(QList<QColor> barColors READ barColors WRITE setBarColors NOTIFY barColorsChanged)
  Q_PROPERTY(QString valueSuffix READ valueSuffix WRITE setValueSuffix RESET resetValueSuffix NOTIFY
                 valueSuffixChanged)
  Q_PROPERTY(
      int valueDecimals READ valueDecimals WRITE setValueDecimals NOTIFY valueDecimalsChanged)
  Q_PROPERTY(QFont titleFont READ titleFont WRITE setTitleFont RESET resetTitleFont NOTIFY
                 titleFontChanged)
  Q_PROPERTY(QFont labelFont READ labelFont WRITE setLabelFont RESET resetLabelFont NOTIFY
                 labelFontChanged)

 public:
  // The colour themes of the background, scale and grid bands. Normal
  // paints none: the back colour shows through. Palette follows the
  // widget's palette (QPalette::Base and Window behind, WindowText for the
  // text and scale, Highlight for the bars unless barColors or colorBars
  // say otherwise), light or dark, and follows it when it changes. The
  // enum has a fixed type that can hold every int a saved state passes.
  enum Theme : int { PersianGulf, Sky, Neon, Normal, Palette };
  Q_ENUM(Theme)

  // A new chart with the defaults of a newly placed control.
  explicit PalvexChartWidget(QWidget* parent = nullptr);
  // A chart made from a state that saveState() gave. When the state is
  // refused the chart gets the defaults instead, and lastError() says why.
  explicit PalvexChartWidget(const QByteArray& state, QWidget* parent = nullptr);
  ~PalvexChartWidget() override;

  QString chartTitle() const;
  void setChartTitle(const QString& title);
  QString chartSubTitle() const;
  void setChartSubTitle(const QString& subTitle);
  QString axisLabelX() const;
  void setAxisLabelX(const QString& label);
  QString axisLabelY() const;
  void setAxisLabelY(const QString& label);
  Theme theme() const;
  void setTheme(Theme theme);
  QColor backColor() const;
  void setBackColor(const QColor& color);
  QColor foreColor() const;
  void setForeColor(const QColor& color);
  qreal marginTop() const;
  void setMarginTop(qreal pixels);
  qreal marginBottom() const;
  void setMarginBottom(qreal pixels);
  qreal marginLeft() const;
  void setMarginLeft(qreal pixels);
  qreal marginRight() const;
  void setMarginRight(qreal pixels);
  bool selectable() const;
  void setSelectable(bool on);
  bool hotTracking() const;
  void setHotTracking(bool on);
  bool selectionInformation() const;
  void setSelectionInformation(bool on);
  bool displayXAxis() const;
  void setDisplayXAxis(bool on);
  bool displayYAxis() const;
  void setDisplayYAxis(bool on);
  bool colorBars() const;
  void setColorBars(bool on);
  bool contentBorder() const;
  void setContentBorder(bool on);
  qreal intersectMajor() const;
  void setIntersectMajor(qreal value);
  qreal intersectMinor() const;
  void setIntersectMinor(qreal value);
  qreal maxY() const;
  void setMaxY(qreal value);
  // The selected bar's column from 0, or -1 for none.
  int selectedColumn() const;
  void setSelectedColumn(int column);
  bool legendVisible() const;
  void setLegendVisible(bool visible);
  // Whether the bars grow when the chart is shown (the default). The
  // growth plays from the event loop: the application stays live, and what
  // arrives meanwhile takes effect when it is over. Off, the finished chart
  // shows at once (tests, users who ask for reduced motion).
  bool animated() const;
  void setAnimated(bool on);
  // The bars' own colours: with one, every bar has it; with several (at
  // most 15) they go in turn, column by column; empty (the default), the
  // control's colours. Each bar is shaded from its colour to a darker one,
  // and the legend's colour boxes show the colour of the bar they describe.
  QList<QColor> barColors() const;
  void setBarColors(const QList<QColor>& colors);
  // What follows an amount in the information label and what screen
  // readers hear ("mm", " kWh"); until set, the translated currency text
  // (元, " yuan" in English), following the language.
  QString valueSuffix() const;
  void setValueSuffix(const QString& suffix);
  void resetValueSuffix();
  // An amount's decimals there, 0 (the default) to 6, rounded half to even.
  int valueDecimals() const;
  void setValueDecimals(int decimals);
  // The title's font; the subtitle is drawn in it two points smaller and
  // not bold. Until set, the control's face (a Song face, 9 points, bold).
  // Family, size, bold and italic are honoured, in the window, toImage(),
  // SVG and PDF.
  QFont titleFont() const;
  void setTitleFont(const QFont& font);
  void resetTitleFont();
  // The captions', axis labels', legend's and information label's font; the
  // scale's numbers are drawn one point smaller. Until set, the control's
  // face (a Song face, 8 points; the legend and the information label 9).
  QFont labelFont() const;
  void setLabelFont(const QFont& font);
  void resetLabelFont();

  bool addItem(const PalvexChartItem& item);
  // Replaces every item with one redraw; all or nothing.
  bool setItems(const QList<PalvexChartItem>& items);
  QList<PalvexChartItem> items() const;
  int count() const;

  // The 22 design-time properties as the control's property bag holds
  // them (JSON), for a host's settings; restoreState refuses a bad state
  // whole and leaves the chart as it was.
  QByteArray saveState() const;
  bool restoreState(const QByteArray& state);

  // The chart as it stands, without the window's children; save writes it
  // to a temporary name and renames it, the format following the suffix
  // (BMP, PNG, JPEG, ..., SVG, PDF) unless given. With a scale (1 to 4) the
  // picture has scale times the pixels each way, whatever the screen; SVG
  // and PDF draw the chart as shapes and text on a page of its size.
  QImage toImage() const;
  QImage toImage(qreal scale) const;
  bool save(const QString& path, const char* format = nullptr) const;
  bool save(const QString& path, const char* format, qreal scale) const;

  int lastError() const;
  QString lastErrorString() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 public Q_SLOTS:
  void clear();
  void refresh();
  // Copies the chart to the clipboard, as the menu's Copy does.
  bool copy();
  void about();

 Q_SIGNALS:
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

  // A bar was clicked (or selected by setSelectedColumn).
  void itemClicked(int column, const PalvexChartItem& item);
  // The chart's own mouse events, in widget pixels; the buttons are the
  // one pressed or released.
  void mousePressed(const QPointF& position, Qt::MouseButtons buttons,
                    Qt::KeyboardModifiers modifiers);
  void mouseReleased(const QPointF& position, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers modifiers);
  void errorOccurred(int number, const QString& message);

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  friend class PalvexChartWidgetPrivate;
  std::unique_ptr<PalvexChartWidgetPrivate> d;
};
