#include <palvex/palvexchartquickitem.h>

#include <QAccessible>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QQmlContext>
#include <QQmlProperty>
#include <QQuickWindow>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <optional>

#include "control/palvex_chart.h"
#include "core/caught_error.h"
#include "core/chart_changes.h"
#include "core/chart_input.h"
#include "core/chart_picture.h"
#include "core/growth_player.h"
#include "core/host_look.h"
#include "core/item_conversion.h"
#include "core/pixel_ratio.h"
#include "core/property_notifier.h"
#include "core/qt_face_properties.h"
#include "core/window_marks.h"
#include "platform/chart_error.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qt_text.h"
#include "quick/quick_host.h"
#include "quick/quick_items.h"
#include "render/bars.h"
#include "theme/themes.h"
#include "ui/keyboard.h"

using namespace palvex;

class PalvexChartQuickItemPrivate;

namespace {

// The sink of the control's events: the item's signals.
class QuickSink : public EventSink {
 public:
  explicit QuickSink(PalvexChartQuickItemPrivate& d) : d_(d) {}
  void ItemClick(ChartItem& item) override;
  void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override;
  void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override;

 private:
  PalvexChartQuickItemPrivate& d_;
};

}  // namespace

// The control on a Qt Quick item's host, and the item's bookkeeping:
// signals, errors, the growth's frames, the items' source.
class PalvexChartQuickItemPrivate {
 public:
  explicit PalvexChartQuickItemPrivate(PalvexChartQuickItem& item)
      : q(item),
        host(item),
        chart(host),
        screen(host.CreateSurface(1, 1)),
        notifier(item, PalvexChartQuickItem::staticMetaObject),
        player([&item] { item.update(); }),
        sink(*this) {
    chart.state().events.Advise(&sink);
  }

  // Runs a call into the control: a failure is reported and never leaves
  // the item; either way the item shows what the call drew and the changed
  // properties are notified.
  template <typename F>
  bool Run(const char* what, F&& call, bool byHost = true) {
    const std::optional<ChartError> failure = CaughtError(call);
    player.Play();
    q.update();
    if (!failure && byHost) {
      error = 0;
      errorString.clear();
    }
    notifier.Notify();
    if (failure) {
      error = failure->number();
      errorString =
          QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromUtf8(failure->what()));
      qWarning("PalvexChart: %s: run-time error %d: %s", what, error, failure->what());
      emit q.errorOccurred(error, errorString);
    }
    return !failure;
  }

  // What screen readers hear, as of the widget: a chart named by its title
  // and described by its subtitle. Set through the item's Accessible
  // attached properties, once the item is in a QML context and whenever
  // the titles change (not on every call: a hover is one). A name or
  // description the program gave there stands, as the widget's does.
  void Describe() {
    QQmlContext* context = qmlContext(&q);
    if (!context) return;
    const auto set = [&](const char* name, const QVariant& value) {
      QQmlProperty property(&q, QLatin1String(name), context);
      if (property.isValid() && property.read() != value) property.write(value);
    };
    // A text other than the one last written here is the program's.
    const auto describe = [&](const char* name, const QString& text, QString& written) {
      const QString held = QQmlProperty::read(&q, QLatin1String(name), context).toString();
      if (!held.isEmpty() && held != written) return;
      set(name, text);
      written = text;
    };
    set("Accessible.role", int(QAccessible::Chart));
    describe("Accessible.name", ToQString(chart.state().ChartTitle), describedName);
    describe("Accessible.description", ToQString(chart.state().ChartSubTitle),
             describedDescription);
    set("Accessible.focusable", true);
  }

  // A property by the widget's name, as the renderer reads and writes it.
  QVariant Read(const char* name) {
    QVariant value;
    CaughtError([&] { value = ReadPropertyNamed(chart, QLatin1String(name)); });
    return value;
  }
  void Write(const char* name, const QVariant& value) {
    Run(name, [&] { WritePropertyNamed(chart, QLatin1String(name), value); });
  }
  // A font is kept as given, for reading back; the chart draws its family,
  // size, weight and slant. Null puts the control's face back.
  void SetFont(const char* name, std::optional<QFont>& kept, const std::optional<QFont>& font) {
    Run(name, [&] {
      WritePropertyNamed(chart, QLatin1String(name), font ? QVariant(*font) : QVariant());
      kept = font;
    });
  }

  void RedrawFinished() {
    if (chart.state().animationDone) chart.Refresh();
  }

  void ScheduleRedraw() {
    if (redrawScheduled) return;
    redrawScheduled = true;
    const std::uint64_t passes = chart.state().passesBegun;
    QTimer::singleShot(0, &q, [this, passes] {
      redrawScheduled = false;
      if (chart.state().passesBegun == passes)
        Run(
            "addItem", [&] { RedrawFinished(); }, false);
    });
  }

  void ControlRepaint() {
    if (!q.isVisible() || !q.window()) return;
    const ChartState& s = chart.state();
    if (s.drawing && !s.animationDone) {
      if (animated) player.Record(ComposedImage());
      return;
    }
    q.update();
  }

  QImage ComposedImage() {
    try {
      chart.ComposeScreen(*screen);
    } catch (const ChartError&) {
      // What could be composed is shown.
    }
    return ImageOf(*screen);
  }

  QPointF Twips(const QPointF& p) {
    const Screen& s = host.screen();
    return {p.x() * s.TwipsPerPixelX(), p.y() * s.TwipsPerPixelY()};
  }
  QPointF Pixels(double x, double y) {
    const Screen& s = host.screen();
    return {x / s.TwipsPerPixelX(), y / s.TwipsPerPixelY()};
  }

  void FollowRatio() {
    if (!q.window()) return;
    if (!FollowPixelRatio(host, chart.state(), *screen, q.window()->effectiveDevicePixelRatio()))
      return;
    player.Stop();
    Run(
        "screen change", [&] { RedrawFinished(); }, false);
  }

  // The palette theme follows the application's palette, and so does the
  // text colour of Normal while the host has given none, as in the widget.
  void FollowPalette() {
    if (palvex::FollowPalette(chart, QGuiApplication::palette(), foreColorFromPalette))
      RedrawFinished();
  }

  // The items again from the model, one redraw when they changed.
  void SyncModel() {
    if (!model) return;
    const QList<PalvexChartItem> items = ItemsOfModel(*model, roles);
    if (items == ToPublicItems(chart.state().items())) return;
    Run("model", [&] { ReplaceItems(chart, ToChartItems(items)); });
  }

  // Each time the item comes into view (a window, visible, complete) the
  // bars grow, as each showing of the widget grows them; out of view the
  // growth stops.
  void FollowShowing() {
    const bool inView = q.isVisible() && q.window() && q.isComponentComplete();
    if (inView == showing) return;
    showing = inView;
    if (!inView) {
      player.Stop();
      return;
    }
    FollowRatio();
    Run(
        "show",
        [&] {
          chart.Resize(static_cast<int>(std::lround(q.width())),
                       static_cast<int>(std::lround(q.height())));
          chart.Show();
        },
        false);
    if (!animated) {
      // The finished chart at once: the start timer's tick now.
      QTimer& start = host.startTimer();
      if (start.isActive()) {
        start.stop();
        Run(
            "start timer", [&] { chart.StartTimerTick(); }, false);
        player.Stop();
      }
    }
  }

  template <typename F>
  void DeliverMouse(const char* what, QPointF position, Qt::KeyboardModifiers modifiers, F&& call) {
    const QPointF at = Twips(position);
    pointer = at;
    Run(
        what,
        [&] { call(ShiftOf(modifiers), static_cast<float>(at.x()), static_cast<float>(at.y())); },
        false);
  }

  PalvexChartQuickItem& q;
  QuickHost host;
  PalvexChart chart;
  std::unique_ptr<Surface> screen;
  PropertyNotifier notifier;
  GrowthPlayer player;
  bool animated = true;
  bool foreColorFromPalette = true;
  bool showing = false;
  bool redrawScheduled = false;
  std::optional<QFont> titleFont;
  std::optional<QFont> labelFont;
  QPointer<QAbstractItemModel> model;
  QList<QMetaObject::Connection> modelConnections;
  ItemRoles roles;
  QuickSink sink;
  QPointF pointer;
  int error = 0;
  QString errorString;
  // The title and subtitle last given to readers, to tell them from a
  // name or description of the program's.
  QString describedName;
  QString describedDescription;
};

namespace {

void QuickSink::ItemClick(ChartItem& item) {
  emit d_.q.itemClicked(d_.q.selectedColumn(), ObjectFromItem(ToPublicItem(item)));
}
void QuickSink::MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) {
  emit d_.q.mousePressed(d_.Pixels(x, y), int(QtButtonsOf(b)), int(QtModifiersOf(s)));
}
void QuickSink::MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) {
  emit d_.q.mouseReleased(d_.Pixels(x, y), int(QtButtonsOf(b)), int(QtModifiersOf(s)));
}

void RefuseUnless(bool valid) {
  if (!valid) throw ChartError(kErrInvalidPropertyValue);
}

}  // namespace

PalvexChartQuickItem::PalvexChartQuickItem(QQuickItem* parent)
    : QQuickPaintedItem(parent), d(std::make_unique<PalvexChartQuickItemPrivate>(*this)) {
  d->host.SetRepaint([this] { d->ControlRepaint(); });
  d->chart.InitProperties();
  // A chart made in QML shows what its program gives it, not sample titles.
  d->chart.state().ChartTitle.clear();
  d->chart.state().ChartSubTitle.clear();
  InitBarPalette(d->chart.state());
  setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
  setAcceptHoverEvents(true);
  setActiveFocusOnTab(true);
  setAntialiasing(false);
  setMipmap(false);
  setImplicitSize(560, 372);
  connect(&d->host.startTimer(), &QTimer::timeout, this, [this] {
    d->Run(
        "start timer", [&] { d->chart.StartTimerTick(); }, false);
  });
  connect(&d->host.scrollRepeatTimer(), &QTimer::timeout, this, [this] {
    d->Run(
        "scroll repeat", [&] { d->chart.ScrollRepeatTick(); }, false);
  });
  QCoreApplication::instance()->installEventFilter(this);
  connect(this, &PalvexChartQuickItem::chartTitleChanged, this, [this] { d->Describe(); });
  connect(this, &PalvexChartQuickItem::chartSubTitleChanged, this, [this] { d->Describe(); });
  d->notifier.Reset();
}

PalvexChartQuickItem::~PalvexChartQuickItem() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
  d->host.startTimer().stop();
  d->host.scrollRepeatTimer().stop();
  try {
    d->chart.Terminate();
  } catch (const ChartError&) {
  }
}

#define PALVEX_QUICK_PROPERTY(Type, name, Name, convert)    \
  Type PalvexChartQuickItem::name() const {                 \
    return d->Read(#name).convert;                          \
  }                                                         \
  void PalvexChartQuickItem::set##Name(const Type& value) { \
    d->Write(#name, QVariant::fromValue(value));            \
  }
PALVEX_QUICK_PROPERTY(QString, chartTitle, ChartTitle, toString())
PALVEX_QUICK_PROPERTY(QString, chartSubTitle, ChartSubTitle, toString())
PALVEX_QUICK_PROPERTY(QString, axisLabelX, AxisLabelX, toString())
PALVEX_QUICK_PROPERTY(QString, axisLabelY, AxisLabelY, toString())
PALVEX_QUICK_PROPERTY(QList<QColor>, barColors, BarColors, value<QList<QColor>>())
#undef PALVEX_QUICK_PROPERTY

#define PALVEX_QUICK_VALUE(Type, name, Name, convert) \
  Type PalvexChartQuickItem::name() const {           \
    return d->Read(#name).convert;                    \
  }                                                   \
  void PalvexChartQuickItem::set##Name(Type value) {  \
    d->Write(#name, QVariant::fromValue(value));      \
  }
PALVEX_QUICK_VALUE(qreal, marginTop, MarginTop, toDouble())
PALVEX_QUICK_VALUE(qreal, marginBottom, MarginBottom, toDouble())
PALVEX_QUICK_VALUE(qreal, marginLeft, MarginLeft, toDouble())
PALVEX_QUICK_VALUE(qreal, marginRight, MarginRight, toDouble())
PALVEX_QUICK_VALUE(bool, selectable, Selectable, toBool())
PALVEX_QUICK_VALUE(bool, hotTracking, HotTracking, toBool())
PALVEX_QUICK_VALUE(bool, selectionInformation, SelectionInformation, toBool())
PALVEX_QUICK_VALUE(bool, displayXAxis, DisplayXAxis, toBool())
PALVEX_QUICK_VALUE(bool, displayYAxis, DisplayYAxis, toBool())
PALVEX_QUICK_VALUE(bool, colorBars, ColorBars, toBool())
PALVEX_QUICK_VALUE(bool, contentBorder, ContentBorder, toBool())
PALVEX_QUICK_VALUE(qreal, intersectMajor, IntersectMajor, toDouble())
PALVEX_QUICK_VALUE(qreal, intersectMinor, IntersectMinor, toDouble())
PALVEX_QUICK_VALUE(qreal, maxY, MaxY, toDouble())
PALVEX_QUICK_VALUE(bool, legendVisible, LegendVisible, toBool())
PALVEX_QUICK_VALUE(int, valueDecimals, ValueDecimals, toInt())
#undef PALVEX_QUICK_VALUE

QColor PalvexChartQuickItem::backColor() const {
  return d->Read("backColor").value<QColor>();
}
void PalvexChartQuickItem::setBackColor(const QColor& color) {
  d->Run("backColor", [&] {
    AllOrNothing(d->chart, [&] {
      WritePropertyNamed(d->chart, QStringLiteral("backColor"), color);
      // Under Normal the palette's text colour is chosen to read on it; a
      // painted theme keeps its own.
      if (d->chart.ActiveTheme() == ThemeNormal) d->FollowPalette();
    });
  });
}

QColor PalvexChartQuickItem::foreColor() const {
  return d->Read("foreColor").value<QColor>();
}
void PalvexChartQuickItem::setForeColor(const QColor& color) {
  if (d->Run("foreColor",
             [&] { WritePropertyNamed(d->chart, QStringLiteral("foreColor"), color); }))
    d->foreColorFromPalette = false;
}

PalvexChartQuickItem::Theme PalvexChartQuickItem::theme() const {
  return static_cast<Theme>(d->chart.ActiveTheme());
}
void PalvexChartQuickItem::setTheme(Theme theme) {
  d->Run("theme", [&] {
    AllOrNothing(d->chart, [&] {
      WritePropertyNamed(d->chart, QStringLiteral("theme"), static_cast<int>(theme));
      d->FollowPalette();
    });
  });
}

int PalvexChartQuickItem::selectedColumn() const {
  bool number = false;
  const int column = d->Read("selectedColumn").toInt(&number);
  return number ? column : -1;
}
void PalvexChartQuickItem::setSelectedColumn(int column) {
  d->Write("selectedColumn", column);
}

bool PalvexChartQuickItem::animated() const {
  return d->animated;
}
void PalvexChartQuickItem::setAnimated(bool on) {
  d->Run("animated", [&] {
    d->animated = on;
    if (!on) d->player.Stop();
  });
}

QString PalvexChartQuickItem::valueSuffix() const {
  return ValueSuffix(d->chart);
}
void PalvexChartQuickItem::setValueSuffix(const QString& suffix) {
  d->Write("valueSuffix", suffix);
}
void PalvexChartQuickItem::resetValueSuffix() {
  d->Write("valueSuffix", QVariant());
}

QFont PalvexChartQuickItem::titleFont() const {
  return d->titleFont.value_or(ControlTitleFont());
}
void PalvexChartQuickItem::setTitleFont(const QFont& font) {
  d->SetFont("titleFont", d->titleFont, font);
}
void PalvexChartQuickItem::resetTitleFont() {
  d->SetFont("titleFont", d->titleFont, std::nullopt);
}
QFont PalvexChartQuickItem::labelFont() const {
  return d->labelFont.value_or(ControlLabelFont());
}
void PalvexChartQuickItem::setLabelFont(const QFont& font) {
  d->SetFont("labelFont", d->labelFont, font);
}
void PalvexChartQuickItem::resetLabelFont() {
  d->SetFont("labelFont", d->labelFont, std::nullopt);
}

QVariantList PalvexChartQuickItem::items() const {
  QVariantList objects;
  for (const PalvexChartItem& item : ToPublicItems(d->chart.state().items()))
    objects.append(ObjectFromItem(item));
  return objects;
}
void PalvexChartQuickItem::setItems(const QVariantList& objects) {
  d->Run("items", [&] {
    QList<PalvexChartItem> items;
    for (qsizetype i = 0; i < objects.size(); ++i) {
      RefuseUnless(objects[i].canConvert<QVariantMap>());
      items.append(ItemFromObject(objects[i].toMap(), QStringLiteral("items[%1]").arg(i)));
    }
    ReplaceItems(d->chart, ToChartItems(items));
  });
}

QAbstractItemModel* PalvexChartQuickItem::model() const {
  return d->model;
}
void PalvexChartQuickItem::setModel(QAbstractItemModel* model) {
  if (model == d->model) return;
  for (const QMetaObject::Connection& c : std::as_const(d->modelConnections)) disconnect(c);
  d->modelConnections.clear();
  d->model = model;
  if (model) {
    // One redraw for each change of the model, as the widget's mapper does.
    const auto sync = [this] { d->SyncModel(); };
    using M = QAbstractItemModel;
    d->modelConnections = {
        connect(model, &M::rowsInserted, this, sync),
        connect(model, &M::rowsRemoved, this, sync),
        connect(model, &M::rowsMoved, this, sync),
        connect(model, &M::dataChanged, this, sync),
        connect(model, &M::modelReset, this, sync),
        connect(model, &M::layoutChanged, this, sync),
        // The pointer already reads null here, so setModel(nullptr) would
        // see no change and modelChanged would never fire.
        connect(model, &QObject::destroyed, this,
                [this] {
                  d->modelConnections.clear();
                  d->notifier.Notify();
                }),
    };
  }
  d->SyncModel();
  // The notifier tells of the new model (and of what the sync changed)
  // once, whether or not the sync ran a call that told of it already.
  d->notifier.Notify();
}

#define PALVEX_QUICK_ROLE(name, Name, field)                  \
  QString PalvexChartQuickItem::name() const {                \
    return d->roles.field;                                    \
  }                                                           \
  void PalvexChartQuickItem::set##Name(const QString& role) { \
    if (role == d->roles.field) return;                       \
    d->roles.field = role;                                    \
    d->SyncModel();                                           \
    d->notifier.Notify();                                     \
  }
PALVEX_QUICK_ROLE(itemIdRole, ItemIdRole, itemId)
PALVEX_QUICK_ROLE(descriptionRole, DescriptionRole, description)
PALVEX_QUICK_ROLE(captionRole, CaptionRole, caption)
PALVEX_QUICK_ROLE(valueRole, ValueRole, value)
#undef PALVEX_QUICK_ROLE

int PalvexChartQuickItem::count() const {
  return static_cast<int>(d->chart.state().items().size());
}

bool PalvexChartQuickItem::addItem(const QVariantMap& item) {
  const bool added = d->Run("addItem", [&] {
    AddDrawableItem(d->chart, ToChartItem(ItemFromObject(item, QStringLiteral("item"))));
  });
  if (added) d->ScheduleRedraw();
  return added;
}

void PalvexChartQuickItem::clear() {
  d->Run("clear", [&] { d->chart.Clear(); });
}

void PalvexChartQuickItem::refresh() {
  d->Run("refresh", [&] { d->chart.Refresh(); });
}

bool PalvexChartQuickItem::save(const QVariant& file, qreal scale, int quality) {
  const QUrl url = file.toUrl();
  const QString path = url.isLocalFile() ? url.toLocalFile() : file.toString();
  return d->Run("save", [&] {
    const QString failure = SaveChartPicture(d->chart, path, nullptr, scale, quality);
    if (!failure.isEmpty()) throw ChartError(kErrPathAccess, failure.toStdString());
  });
}

QImage PalvexChartQuickItem::toImage(qreal scale) const {
  QImage picture;
  d->Run(
      "toImage", [&] { picture = ChartPicture(d->chart, scale); }, false);
  return picture;
}

bool PalvexChartQuickItem::copy() {
  return d->Run("copy", [&] { d->chart.EditCopy(); });
}

int PalvexChartQuickItem::lastError() const {
  return d->error;
}
QString PalvexChartQuickItem::lastErrorString() const {
  return d->errorString;
}

void PalvexChartQuickItem::paint(QPainter* painter) {
  d->FollowRatio();
  painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (d->player.playing()) {
    FillAroundPicture(*painter, size(), d->player.frame(), backColor());
    painter->drawImage(QPointF(0, 0), d->player.frame());
    return;
  }
  const QImage composed = d->ComposedImage();
  FillAroundPicture(*painter, size(), composed, backColor());
  painter->drawImage(QPointF(0, 0), composed);
  const double ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
  PaintDragOutline(*painter, d->chart.state(), d->pointer, ratio);
  if (hasActiveFocus()) {
    PaintFocusFrame(*painter, d->chart.state(), boundingRect().toAlignedRect(),
                    QGuiApplication::palette().color(QPalette::Highlight));
  }
}

void PalvexChartQuickItem::componentComplete() {
  QQuickPaintedItem::componentComplete();
  d->Describe();
  d->FollowShowing();
}

void PalvexChartQuickItem::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
  QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
  if (newGeometry.size() == oldGeometry.size()) return;
  d->player.Stop();
  d->Run(
      "resize",
      [&] {
        d->chart.Resize(static_cast<int>(std::lround(width())),
                        static_cast<int>(std::lround(height())));
      },
      false);
}

void PalvexChartQuickItem::itemChange(ItemChange change, const ItemChangeData& value) {
  QQuickPaintedItem::itemChange(change, value);
  switch (change) {
    case ItemSceneChange:
    case ItemVisibleHasChanged:
      d->FollowShowing();
      break;
    case ItemDevicePixelRatioHasChanged:
      d->FollowRatio();
      break;
    default:
      break;
  }
}

void PalvexChartQuickItem::mousePressEvent(QMouseEvent* e) {
  forceActiveFocus(Qt::MouseFocusReason);
  // Qt Quick delivers the second press of a double-click and then the
  // double-click; the chart takes the double-click in place of that press,
  // as the widget gets it, or a click on the legend's arrows would step
  // three times for two clicks and mousePressed come twice.
  const bool doubleClickFollows = e->flags().testFlag(Qt::MouseEventCreatedDoubleClick);
  if (const std::int16_t button = ButtonOf(e->button()); button && !doubleClickFollows) {
    d->DeliverMouse(
        "mouse down", e->position(), e->modifiers(),
        [&](std::int16_t shift, float x, float y) { d->chart.MouseDown(button, shift, x, y); });
  }
  e->accept();
}

void PalvexChartQuickItem::mouseMoveEvent(QMouseEvent* e) {
  d->DeliverMouse("mouse move", e->position(), e->modifiers(),
                  [&](std::int16_t shift, float x, float y) {
                    d->chart.MouseMove(ButtonsOf(e->buttons()), shift, x, y);
                  });
}

void PalvexChartQuickItem::mouseReleaseEvent(QMouseEvent* e) {
  if (const std::int16_t button = ButtonOf(e->button())) {
    d->DeliverMouse(
        "mouse up", e->position(), e->modifiers(),
        [&](std::int16_t shift, float x, float y) { d->chart.MouseUp(button, shift, x, y); });
  }
}

void PalvexChartQuickItem::mouseDoubleClickEvent(QMouseEvent* e) {
  if (const std::int16_t button = ButtonOf(e->button())) {
    d->DeliverMouse(
        "double-click", e->position(), e->modifiers(),
        [&](std::int16_t shift, float x, float y) { d->chart.DblClick(x, y, button, shift); });
  }
}

void PalvexChartQuickItem::mouseUngrabEvent() {
  // The press ends without a release when another item takes the mouse (a
  // Flickable the chart sits in starts to flick) or this one is hidden or
  // disabled: a held arrow of the legend's list stops scrolling and a
  // dragged label's outline goes, as at a release.
  d->chart.MouseCaptureLost();
  update();
}

void PalvexChartQuickItem::hoverMoveEvent(QHoverEvent* e) {
  // Qt Quick hovers the item again after each frame while the pointer
  // rests; only a move is a move, as in the widget, or hot tracking would
  // take back at once a selection the program made under a resting pointer.
  if (d->Twips(e->position()) == d->pointer) return;
  // A move with no button held, as hot tracking needs.
  d->DeliverMouse(
      "mouse move", e->position(), e->modifiers(),
      [&](std::int16_t shift, float x, float y) { d->chart.MouseMove(0, shift, x, y); });
}

void PalvexChartQuickItem::wheelEvent(QWheelEvent* e) {
  const QPointF at = d->Twips(e->position());
  bool taken = false;
  d->Run(
      "mouse wheel",
      [&] {
        taken = d->chart.MouseWheel(e->angleDelta().y(), static_cast<float>(at.x()),
                                    static_cast<float>(at.y()));
      },
      false);
  e->setAccepted(taken);
}

void PalvexChartQuickItem::keyPressEvent(QKeyEvent* e) {
  const std::optional<ChartKey> key = ChartKeyOf(*e, d->chart.state().children.mnuViewLegend);
  bool taken = false;
  if (key)
    d->Run(
        "key", [&] { taken = HandleKey(d->chart.state(), *key); }, false);
  e->setAccepted(taken);
}

bool PalvexChartQuickItem::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    // As the widget: while the chart has the focus, the keys it would use
    // now are its own, not the window's shortcuts.
    const std::optional<ChartKey> key =
        ChartKeyOf(*static_cast<QKeyEvent*>(e), d->chart.state().children.mnuViewLegend);
    if (key && WantsKey(d->chart.state(), *key)) {
      e->accept();
      return true;
    }
  }
  return QQuickPaintedItem::event(e);
}

void PalvexChartQuickItem::focusInEvent(QFocusEvent* e) {
  QQuickPaintedItem::focusInEvent(e);
  update();  // the focus frame
}

void PalvexChartQuickItem::focusOutEvent(QFocusEvent* e) {
  QQuickPaintedItem::focusOutEvent(e);
  update();
}

bool PalvexChartQuickItem::eventFilter(QObject* watched, QEvent* e) {
  if (watched == QCoreApplication::instance() && e->type() == QEvent::ApplicationPaletteChange)
    d->Run(
        "palette change", [&] { d->FollowPalette(); }, false);
  // Qt Quick passes no language change on to its items: the application
  // hears of each translator installed or removed. As in the widget, the
  // information label takes the new words (and valueSuffix, until set,
  // reads and notifies the new currency); a chart not yet drawn takes them
  // with its first pass.
  if (watched == QCoreApplication::instance() && e->type() == QEvent::LanguageChange)
    d->Run(
        "language change", [&] { d->RedrawFinished(); }, false);
  return QQuickPaintedItem::eventFilter(watched, e);
}
