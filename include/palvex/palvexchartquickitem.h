#pragma once

/// \file
/// PalvexChartQuickItem, the chart as a Qt Quick item (QML type PalvexChart).

#include <QtQml/qqmlregistration.h>
#include <palvex/palvexquick_export.h>
#include <QAbstractItemModel>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QQuickPaintedItem>
#include <QString>
#include <QVariant>
#include <memory>

class PalvexChartQuickItemPrivate;

/// The animated bar chart in Qt Quick: `import PalvexChart` gives the type
/// `PalvexChart`, with the widget's properties (same names, types, defaults
/// and NOTIFY signals), signals and methods. It draws the same control as
/// PalvexChartWidget and PalvexChartRenderer, so the same chart gives the
/// same pixels.
///
/// Items come from `items` (a JavaScript array of objects with `itemId`,
/// `description`, `caption` and `value`), from `model` (any
/// QAbstractItemModel, a ListModel too, read through the role names in
/// `itemIdRole`, `descriptionRole`, `captionRole` and `valueRole`), or from
/// addItem(). Mouse, hover, wheel and keys work as in the widget (Left,
/// Right, Home, End, Escape, the Menu key or Shift+F10, Ctrl+C, L), the
/// right button opens the chart's menu, and the bars grow from the event
/// loop when the item is first shown.
///
/// A call the chart refuses leaves the item as it was and emits
/// errorOccurred() with the control's run-time error number and a message
/// naming the property ("marginLeft: Invalid property value").
class PALVEX_QUICK_EXPORT PalvexChartQuickItem : public QQuickPaintedItem {
  Q_OBJECT
  QML_NAMED_ELEMENT(PalvexChart)
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
  /// The plot's top margin, in logical pixels.
  Q_PROPERTY(qreal marginTop READ marginTop WRITE setMarginTop NOTIFY marginTopChanged)
  /// The plot's bottom margin, in logical pixels.
  Q_PROPERTY(qreal marginBottom READ marginBottom WRITE setMarginBottom NOTIFY marginBottomChanged)
  /// The plot's left margin, in logical pixels.
  Q_PROPERTY(qreal marginLeft READ marginLeft WRITE setMarginLeft NOTIFY marginLeftChanged)
  /// The plot's right margin, in logical pixels.
  Q_PROPERTY(qreal marginRight READ marginRight WRITE setMarginRight NOTIFY marginRightChanged)
  /// Whether a press selects a bar.
  Q_PROPERTY(bool selectable READ selectable WRITE setSelectable NOTIFY selectableChanged)
  /// Whether hovering selects a bar.
  Q_PROPERTY(bool hotTracking READ hotTracking WRITE setHotTracking NOTIFY hotTrackingChanged)
  /// Whether the information label shows the selected bar's value.
  Q_PROPERTY(bool selectionInformation READ selectionInformation WRITE setSelectionInformation
                 NOTIFY selectionInformationChanged)
  /// Whether the x axis is drawn.
  Q_PROPERTY(bool displayXAxis READ displayXAxis WRITE setDisplayXAxis NOTIFY displayXAxisChanged)
  /// Whether the y axis is drawn.
  Q_PROPERTY(bool displayYAxis READ displayYAxis WRITE setDisplayYAxis NOTIFY displayYAxisChanged)
  /// Whether each bar takes a colour of its own from its item id.
  Q_PROPERTY(bool colorBars READ colorBars WRITE setColorBars NOTIFY colorBarsChanged)
  /// Whether a line is drawn down the plot's left edge.
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
  /// Whether the bars grow when the chart is first shown.
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
  /// The items as JavaScript objects (itemId, description, caption, value).
  Q_PROPERTY(QVariantList items READ items WRITE setItems NOTIFY itemsChanged)
  /// The model the items follow; null for none.
  Q_PROPERTY(QAbstractItemModel* model READ model WRITE setModel NOTIFY modelChanged)
  /// The model's role holding an item's id.
  Q_PROPERTY(QString itemIdRole READ itemIdRole WRITE setItemIdRole NOTIFY itemIdRoleChanged)
  /// The model's role holding an item's description.
  Q_PROPERTY(QString descriptionRole READ descriptionRole WRITE setDescriptionRole NOTIFY
                 descriptionRoleChanged)
  /// The model's role holding an item's caption.
  Q_PROPERTY(QString captionRole READ captionRole WRITE setCaptionRole NOTIFY captionRoleChanged)
  /// The model's role holding an item's value.
  Q_PROPERTY(QString valueRole READ valueRole WRITE setValueRole NOTIFY valueRoleChanged)
  /// How many items the chart has.
  Q_PROPERTY(int count READ count NOTIFY countChanged)

 public:
  /// The colour themes, as the widget's.
  enum Theme : int {
    PersianGulf,  ///< Deep blue shading and white text; a new chart's theme.
    Sky,          ///< Light blue shading and black text.
    Neon,         ///< Black to dark grey shading and white text.
    Normal,       ///< No theme colours: the back colour shows through.
    Palette       ///< The application's palette, light or dark.
  };
  Q_ENUM(Theme)

  /// A new chart with the defaults of a chart made in code: no titles.
  explicit PalvexChartQuickItem(QQuickItem* parent = nullptr);
  /// Stops the chart's timers and releases it.
  ~PalvexChartQuickItem() override;

  /// The getters, setters and resets of the properties above.
  ///@{
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
  int selectedColumn() const;
  void setSelectedColumn(int column);
  bool legendVisible() const;
  void setLegendVisible(bool visible);
  bool animated() const;
  void setAnimated(bool on);
  QList<QColor> barColors() const;
  void setBarColors(const QList<QColor>& colors);
  QString valueSuffix() const;
  void setValueSuffix(const QString& suffix);
  void resetValueSuffix();
  int valueDecimals() const;
  void setValueDecimals(int decimals);
  QFont titleFont() const;
  void setTitleFont(const QFont& font);
  void resetTitleFont();
  QFont labelFont() const;
  void setLabelFont(const QFont& font);
  void resetLabelFont();
  QVariantList items() const;
  void setItems(const QVariantList& items);
  QAbstractItemModel* model() const;
  void setModel(QAbstractItemModel* model);
  QString itemIdRole() const;
  void setItemIdRole(const QString& role);
  QString descriptionRole() const;
  void setDescriptionRole(const QString& role);
  QString captionRole() const;
  void setCaptionRole(const QString& role);
  QString valueRole() const;
  void setValueRole(const QString& role);
  int count() const;
  ///@}

  /// Adds a bar after the others from an object with itemId, description,
  /// caption and value; false (and errorOccurred) for one the chart
  /// refuses. The items added in one turn of the event loop are drawn by
  /// one pass after it.
  Q_INVOKABLE bool addItem(const QVariantMap& item);
  /// Removes every item.
  Q_INVOKABLE void clear();
  /// Draws the chart again.
  Q_INVOKABLE void refresh();
  /// Writes the chart's picture to a file (a path or a file URL), as the
  /// widget's save() does; the format follows the suffix (PNG, BMP, JPEG,
  /// SVG, PDF, ...), the scale (1 to 4) multiplies the pixels each way, the
  /// quality is QImage::save()'s (-1 for the format's default).
  Q_INVOKABLE bool save(const QVariant& file, qreal scale = 1.0, int quality = -1);
  /// The chart's picture, as the widget's toImage(scale).
  Q_INVOKABLE QImage toImage(qreal scale = 1.0) const;
  /// Copies the chart to the clipboard, as the menu's Copy does.
  Q_INVOKABLE bool copy();
  /// The run-time error number of the last refused call, 0 after one that worked.
  Q_INVOKABLE int lastError() const;
  /// The message of the last refused call, naming it.
  Q_INVOKABLE QString lastErrorString() const;

 Q_SIGNALS:
  /// Each fires once per real change of its property.
  ///@{
  void chartTitleChanged(const QString& title);
  void chartSubTitleChanged(const QString& subTitle);
  void axisLabelXChanged(const QString& label);
  void axisLabelYChanged(const QString& label);
  void themeChanged(PalvexChartQuickItem::Theme theme);
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
  void itemsChanged(const QVariantList& items);
  void modelChanged(QAbstractItemModel* model);
  void itemIdRoleChanged(const QString& role);
  void descriptionRoleChanged(const QString& role);
  void captionRoleChanged(const QString& role);
  void valueRoleChanged(const QString& role);
  void countChanged(int count);
  ///@}

  /// A bar was selected (by the user or selectedColumn); the item as an
  /// object with itemId, description, caption and value.
  void itemClicked(int column, const QVariantMap& item);
  /// The chart's own mouse events, in item coordinates; buttons and
  /// modifiers as Qt.MouseButtons and Qt.KeyboardModifiers values.
  ///@{
  void mousePressed(const QPointF& position, int buttons, int modifiers);
  void mouseReleased(const QPointF& position, int buttons, int modifiers);
  ///@}
  /// A call was refused: the control's run-time error number and message.
  void errorOccurred(int number, const QString& message);

 protected:
  /// Qt Quick's events, handled as the widget handles its own: painting the
  /// chart at the window's ratio, showing (the growth), resizing, the mouse,
  /// hover, the wheel, keys, focus and the application's palette.
  ///@{
  void paint(QPainter* painter) override;
  void componentComplete() override;
  void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
  void itemChange(ItemChange change, const ItemChangeData& value) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseUngrabEvent() override;
  void hoverMoveEvent(QHoverEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool event(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  ///@}

 private:
  friend class PalvexChartQuickItemPrivate;
  std::unique_ptr<PalvexChartQuickItemPrivate> d;
};
