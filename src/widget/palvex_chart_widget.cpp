#include <palvex/palvexchartwidget.h>

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/caught_error.h"
#include "core/chart_changes.h"
#include "core/chart_input.h"
#include "core/chart_picture.h"
#include "core/host_look.h"
#include "core/item_conversion.h"
#include "core/pixel_ratio.h"
#include "core/qt_face_properties.h"
#include "core/window_marks.h"
#include "platform/chart_error.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qimage_surface.h"
#include "platform/qt/qt_text.h"
#include "render/bars.h"
#include "render/info_label.h"
#include "theme/legend_entries.h"
#include "theme/themes.h"
#include "ui/info_label_input.h"
#include "ui/keyboard.h"
#include "widget/chart_accessible.h"
#include "widget/palvex_chart_widget_p.h"
#include "widget/widget_host.h"

using namespace palvex;

namespace {

// The design size of the control at 96 dots per inch.
constexpr QSize kDesignSize(560, 372);
// Room for the folded legend's strip and a plot with one bar.
constexpr QSize kMinimumSize(160, 120);

// The Qt face refuses what its types promise not to hold.
void RefuseUnless(bool valid) {
  if (!valid) throw ChartError(kErrInvalidPropertyValue);
}

// The Qt face's themes are the control's, value for value, and the host's
// own theme; the control also accepts values past them (they paint
// nothing), the Qt face does not.
constexpr bool SameTheme(PalvexChartWidget::Theme face, std::int32_t control) {
  return static_cast<std::int32_t>(face) == control;
}
static_assert(SameTheme(PalvexChartWidget::PersianGulf, ThemePersianGulf) &&
              SameTheme(PalvexChartWidget::Sky, ThemeSky) &&
              SameTheme(PalvexChartWidget::Neon, ThemeNeon) &&
              SameTheme(PalvexChartWidget::Normal, ThemeNormal) &&
              SameTheme(PalvexChartWidget::Palette, kHostTheme));
bool IsNamedTheme(std::int32_t theme) {
  return theme >= ThemePersianGulf && theme <= kHostTheme;
}

void CheckTheme(const PalvexChart& chart) {
  RefuseUnless(IsNamedTheme(chart.ActiveTheme()));
}

}  // namespace

// Turns the control's events into the widget's signals.
class PalvexChartWidgetPrivate::Sink : public EventSink {
 public:
  explicit Sink(PalvexChartWidgetPrivate& d) : d_(d) {}
  void ItemClick(ChartItem& item) override {
    emit d_.q.itemClicked(d_.q.selectedColumn(), ToPublicItem(item));
  }
  void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    emit d_.q.mousePressed(d_.Pixels(x, y), QtButtonsOf(b), QtModifiersOf(s));
  }
  void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    emit d_.q.mouseReleased(d_.Pixels(x, y), QtButtonsOf(b), QtModifiersOf(s));
  }

 private:
  PalvexChartWidgetPrivate& d_;
};

PalvexChartWidgetPrivate::PalvexChartWidgetPrivate(PalvexChartWidget& widget)
    : q(widget),
      host(std::make_unique<WidgetHost>(widget)),
      chart_(std::make_unique<PalvexChart>(*host)),
      sink(std::make_unique<Sink>(*this)),
      screen(host->CreateSurface(1, 1)),
      notifier(widget, PalvexChartWidget::staticMetaObject),
      player([&widget] { widget.update(); }) {
  chart_->state().events.Advise(sink.get());
  host->SetRepaint([this] { ControlRepaint(); });
}

void PalvexChartWidgetPrivate::ScheduleRedraw() {
  if (redrawScheduled) return;
  redrawScheduled = true;
  const std::uint64_t passes = chart_->state().passesBegun;
  QMetaObject::invokeMethod(
      &q,
      [this, passes] {
        redrawScheduled = false;
        // A pass since (a refresh, the first growth) has drawn the items.
        if (chart_->state().passesBegun == passes) Run("addItem", [&] { RedrawFinished(); });
      },
      Qt::QueuedConnection);
}

void PalvexChartWidgetPrivate::ScheduleUpdate() {
  if (updateScheduled) return;
  updateScheduled = true;
  QMetaObject::invokeMethod(
      &q,
      [this] {
        updateScheduled = false;
        UpdateWhatChanged(false);
      },
      Qt::QueuedConnection);
}

void PalvexChartWidgetPrivate::UpdateWhatChanged(bool now) {
  if (!q.isVisible()) return;
  // The growth's frames show whole.
  if (player.playing()) {
    q.update();
    return;
  }
  const QImage composed = ComposedImage();
  const QRegion marks = Marks();
  QRegion changed = ScreenChanges(composed) + marksShown + marks;
  marksShown = marks;
  // Where the picture leaves the window bare, the background may have
  // changed too.
  if (!QRect(QPoint(0, 0), composed.deviceIndependentSize().toSize()).contains(q.rect()))
    changed = q.rect();
  if (now) {
    q.repaint(changed);
  } else {
    q.update(changed);
  }
}

QRegion PalvexChartWidgetPrivate::ScreenChanges(const QImage& composed) {
  const DamageLog& damage = DamageOf(*screen);
  std::vector<QRect> changed;
  damage.Since(screenVersionShown, composed.rect(), changed);
  screenVersionShown = damage.version();
  const double ratio = composed.devicePixelRatio();
  QRegion region;
  for (const QRect& r : changed)
    region +=
        QRectF(r.x() / ratio, r.y() / ratio, r.width() / ratio, r.height() / ratio).toAlignedRect();
  return region;
}

QRegion PalvexChartWidgetPrivate::Marks() {
  return MarksRegion(chart_->state(), q.rect(), pointer, q.hasFocus());
}

void PalvexChartWidgetPrivate::RedrawFinished() {
  if (chart_->state().animationDone) chart_->Refresh();
}

void PalvexChartWidgetPrivate::ControlRepaint() {
  // Frames nobody can see are not kept.
  if (!q.isVisible()) return;
  const ChartState& s = chart_->state();
  if (s.drawing && !s.animationDone) {
    if (animated) player.Record(ComposedImage());
    return;
  }
  UpdateWhatChanged(true);
}

void PalvexChartWidgetPrivate::FollowPalette() {
  if (palvex::FollowPalette(*chart_, q.palette(), foreColorFromPalette)) RedrawFinished();
}

// A font is kept as given, for reading back; the chart draws its family,
// size, weight and slant. Null puts the control's face back.
void PalvexChartWidgetPrivate::SetFont(const char* name, std::optional<QFont>& kept,
                                       const std::optional<QFont>& font) {
  Set(name, [&] {
    WritePropertyNamed(*chart_, QLatin1String(name), font ? QVariant(*font) : QVariant());
    kept = font;
  });
}

void PalvexChartWidgetPrivate::InitDefaults() {
  chart_->InitProperties();
  foreColorFromPalette = true;
  // A chart made in code shows what its program gives it, not the sample
  // titles a newly placed control introduces itself with (Designer places
  // it with them).
  ChartState& s = chart_->state();
  s.ChartTitle.clear();
  s.ChartSubTitle.clear();
}

void PalvexChartWidgetPrivate::Setup() {
  // A chart drawn before it is first shown (toImage(), save() of a widget
  // kept hidden) has the bars' colours it will show with, not black ones.
  InitBarPalette(chart_->state());
  q.setMouseTracking(true);  // moves without a button, for hot tracking
  q.setFocusPolicy(Qt::StrongFocus);
  q.setAttribute(Qt::WA_OpaquePaintEvent);
  QObject::connect(&StartTimer(), &QTimer::timeout, &q,
                   [this] { Run("start timer", [&] { chart_->StartTimerTick(); }); });
  QObject::connect(&ScrollRepeatTimer(), &QTimer::timeout, &q,
                   [this] { Run("scroll repeat", [&] { chart_->ScrollRepeatTick(); }); });
  q.resize(kDesignSize);
  notifier.Reset();
  // Screen readers hear of what the user, the host or a key selected.
  ChartAccessible::Install();
  QObject::connect(&q, &PalvexChartWidget::selectedColumnChanged, &q, [this] {
    const int shown = ChartAccessible::ShownColumn(q);
    ChartAccessible::AnnounceSelection(q, announcedColumn, shown);
    announcedColumn = shown;
  });
  announcedColumn = ChartAccessible::ShownColumn(q);
}

PalvexChartWidgetPrivate::~PalvexChartWidgetPrivate() = default;

template <typename F>
bool PalvexChartWidgetPrivate::Run(const char* what, F&& call, Caller caller) {
  const std::optional<ChartError> failure = CaughtError(call);
  // A pass that grew the bars kept its frames: they play from here on.
  player.Play();
  ScheduleUpdate();
  if (!failure && caller == Caller::kHost) {
    error = 0;
    errorString.clear();
  }
  notifier.Notify();
  if (failure) Report(what, *failure);
  return !failure;
}

void PalvexChartWidgetPrivate::Report(const char* what, const ChartError& failure) {
  error = failure.number();
  // Named as the log names it: "marginLeft: Invalid property value".
  errorString =
      QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromUtf8(failure.what()));
  qWarning("PalvexChart: %s: run-time error %d: %s", what, error, failure.what());
  emit q.errorOccurred(error, errorString);
}

template <typename F>
void PalvexChartWidgetPrivate::Set(const char* what, F&& store) {
  Run(
      what, [&] { AllOrNothing(*chart_, store); }, Caller::kHost);
}

QImage PalvexChartWidgetPrivate::ComposedImage() {
  try {
    chart_->ComposeScreen(*screen);
  } catch (const ChartError&) {
    // What could be composed is shown, as paintEvent shows it.
  }
  return ImageOf(*screen);
}

void PalvexChartWidgetPrivate::FollowDevicePixelRatio() {
  if (!FollowPixelRatio(*host, chart_->state(), *screen, q.devicePixelRatioF())) return;
  player.Stop();
  // Until the next pass the pictures are enlarged or reduced; a finished
  // chart is drawn again at once.
  Run("screen change", [&] { RedrawFinished(); });
}

QTimer& PalvexChartWidgetPrivate::StartTimer() {
  return host->startTimer();
}
QTimer& PalvexChartWidgetPrivate::ScrollRepeatTimer() {
  return host->scrollRepeatTimer();
}

QPointF PalvexChartWidgetPrivate::Twips(const QPointF& p) const {
  const Screen& s = host->screen();
  return {p.x() * s.TwipsPerPixelX(), p.y() * s.TwipsPerPixelY()};
}

QPointF PalvexChartWidgetPrivate::Pixels(double x, double y) const {
  const Screen& s = host->screen();
  return {x / s.TwipsPerPixelX(), y / s.TwipsPerPixelY()};
}

// A control gets either the defaults of a newly placed one or a saved
// state, never both: keys a state lacks take the values a load gives them.
PalvexChartWidget::PalvexChartWidget(QWidget* parent)
    : QWidget(parent), d(std::make_unique<PalvexChartWidgetPrivate>(*this)) {
  d->InitDefaults();
  d->Setup();
}

PalvexChartWidget::PalvexChartWidget(const QByteArray& state, QWidget* parent)
    : QWidget(parent), d(std::make_unique<PalvexChartWidgetPrivate>(*this)) {
  const std::optional<ChartError> failure =
      CaughtError([&] { RestoreState(d->chart(), state, false, CheckTheme); });
  if (failure) {
    d->InitDefaults();
    d->Report("restoreState", *failure);
  }
  d->Setup();
  d->Run("restoreState", [&] { d->FollowPalette(); });
}

PalvexChartWidget::~PalvexChartWidget() {
  d->StartTimer().stop();
  d->ScrollRepeatTimer().stop();
  try {
    d->chart().Terminate();
  } catch (const ChartError&) {
    // Nothing is left to tell.
  }
}

#define PALVEX_TEXT(name, Name)                                      \
  QString PalvexChartWidget::name() const {                          \
    return ToQString(d->chart().Name());                             \
  }                                                                  \
  void PalvexChartWidget::set##Name(const QString& text) {           \
    d->Set(#name, [&] { d->chart().Set##Name(FromQString(text)); }); \
  }
PALVEX_TEXT(chartTitle, ChartTitle)
PALVEX_TEXT(chartSubTitle, ChartSubTitle)
PALVEX_TEXT(axisLabelX, AxisLabelX)
PALVEX_TEXT(axisLabelY, AxisLabelY)
#undef PALVEX_TEXT

PalvexChartWidget::Theme PalvexChartWidget::theme() const {
  return static_cast<Theme>(d->chart().ActiveTheme());
}
void PalvexChartWidget::setTheme(Theme theme) {
  d->Set("theme", [&] {
    RefuseUnless(IsNamedTheme(theme));
    d->chart().SetActiveTheme(theme);
    d->FollowPalette();
  });
}

// The colour the chart paints with: a system colour as the desktop shows it.
QColor PalvexChartWidget::backColor() const {
  return ToQColor(d->chart().BackColor());
}
void PalvexChartWidget::setBackColor(const QColor& color) {
  d->Set("backColor", [&] {
    RefuseUnless(color.isValid());
    d->chart().SetBackColor(FromQRgb(color.rgb()));
    // Under Normal the palette's text colour is chosen to read on it; a
    // painted theme keeps its own.
    if (d->chart().ActiveTheme() == ThemeNormal) d->FollowPalette();
  });
}
QColor PalvexChartWidget::foreColor() const {
  return ToQColor(d->chart().ForeColor());
}
void PalvexChartWidget::setForeColor(const QColor& color) {
  d->Set("foreColor", [&] {
    RefuseUnless(color.isValid());
    d->chart().SetForeColor(FromQRgb(color.rgb()));
    d->foreColorFromPalette = false;
  });
}

// Margins are pixels at the control's interface already; a negative or
// endless one has no place to go.
#define PALVEX_MARGIN(name, Name)                         \
  qreal PalvexChartWidget::name() const {                 \
    return d->chart().Name();                             \
  }                                                       \
  void PalvexChartWidget::set##Name(qreal pixels) {       \
    d->Set(#name, [&] {                                   \
      RefuseUnless(std::isfinite(pixels) && pixels >= 0); \
      d->chart().Set##Name(pixels);                       \
    });                                                   \
  }
PALVEX_MARGIN(marginTop, MarginTop)
PALVEX_MARGIN(marginBottom, MarginBottom)
PALVEX_MARGIN(marginLeft, MarginLeft)
PALVEX_MARGIN(marginRight, MarginRight)
#undef PALVEX_MARGIN

#define PALVEX_FLAG(name, Name)                       \
  bool PalvexChartWidget::name() const {              \
    return d->chart().Name();                         \
  }                                                   \
  void PalvexChartWidget::set##Name(bool on) {        \
    d->Set(#name, [&] { d->chart().Set##Name(on); }); \
  }
PALVEX_FLAG(selectable, Selectable)
PALVEX_FLAG(hotTracking, HotTracking)
PALVEX_FLAG(selectionInformation, SelectionInformation)
PALVEX_FLAG(displayXAxis, DisplayXAxis)
PALVEX_FLAG(displayYAxis, DisplayYAxis)
PALVEX_FLAG(colorBars, ColorBars)
PALVEX_FLAG(contentBorder, ContentBorder)
#undef PALVEX_FLAG

#define PALVEX_NUMBER(name, Name)                  \
  qreal PalvexChartWidget::name() const {          \
    return d->chart().Name();                      \
  }                                                \
  void PalvexChartWidget::set##Name(qreal value) { \
    d->Set(#name, [&] {                            \
      RefuseUnless(std::isfinite(value));          \
      d->chart().Set##Name(value);                 \
    });                                            \
  }
PALVEX_NUMBER(intersectMajor, IntersectMajor)
PALVEX_NUMBER(intersectMinor, IntersectMinor)
PALVEX_NUMBER(maxY, MaxY)
#undef PALVEX_NUMBER

int PalvexChartWidget::selectedColumn() const {
  try {
    return d->chart().SelectedColumn();
  } catch (const ChartError&) {
    return -1;  // a state that holds no 32-bit column is refused on restore
  }
}
void PalvexChartWidget::setSelectedColumn(int column) {
  d->Set("selectedColumn", [&] { d->chart().SetSelectedColumn(column); });
}

bool PalvexChartWidget::animated() const {
  return d->animated;
}
void PalvexChartWidget::setAnimated(bool on) {
  // The widget's own: the control always draws its frames, the window
  // decides whether they play.
  d->Run(
      "animated",
      [&] {
        d->animated = on;
        if (!on) d->player.Stop();
      },
      PalvexChartWidgetPrivate::Caller::kHost);
}

// The bar colours are the widget's, not the control's: no property bag key
// holds them. A bar is shaded from its colour to a darker one, as the
// control's own pairs are.
QList<QColor> PalvexChartWidget::barColors() const {
  return BarColors(d->chart());
}
void PalvexChartWidget::setBarColors(const QList<QColor>& colors) {
  d->Set("barColors", [&] {
    SetBarColors(d->chart(), colors);
    d->RedrawFinished();
  });
}

// The amount's format is the widget's, not the control's: no property bag
// key holds it. A finished chart shows it at once.
QString PalvexChartWidget::valueSuffix() const {
  return ValueSuffix(d->chart());
}
void PalvexChartWidget::setValueSuffix(const QString& suffix) {
  d->Set("valueSuffix", [&] {
    SetValueSuffix(d->chart(), suffix);
    d->RedrawFinished();
  });
}
void PalvexChartWidget::resetValueSuffix() {
  d->Set("valueSuffix", [&] {
    SetValueSuffix(d->chart(), std::nullopt);
    d->RedrawFinished();
  });
}
int PalvexChartWidget::valueDecimals() const {
  return ValueDecimals(d->chart());
}
void PalvexChartWidget::setValueDecimals(int decimals) {
  d->Set("valueDecimals", [&] {
    SetValueDecimals(d->chart(), decimals);
    d->RedrawFinished();
  });
}

// The fonts are read back as given; the chart draws their family, size,
// weight and slant.
QFont PalvexChartWidget::titleFont() const {
  return d->titleFont.value_or(ControlTitleFont());
}
void PalvexChartWidget::setTitleFont(const QFont& font) {
  d->SetFont("titleFont", d->titleFont, font);
}
void PalvexChartWidget::resetTitleFont() {
  d->SetFont("titleFont", d->titleFont, std::nullopt);
}
QFont PalvexChartWidget::labelFont() const {
  return d->labelFont.value_or(ControlLabelFont());
}
void PalvexChartWidget::setLabelFont(const QFont& font) {
  d->SetFont("labelFont", d->labelFont, font);
}
void PalvexChartWidget::resetLabelFont() {
  d->SetFont("labelFont", d->labelFont, std::nullopt);
}

bool PalvexChartWidget::legendVisible() const {
  return d->chart().state().legendVisible;
}
void PalvexChartWidget::setLegendVisible(bool visible) {
  d->Set("legendVisible", [&] {
    // A panel already in that state needs no redraw.
    if (visible == d->chart().state().legendVisible) return;
    d->chart().ShowLegend(!visible);
    d->chart().Refresh();
  });
}

bool PalvexChartWidget::addItem(const PalvexChartItem& item) {
  const bool added = d->Run(
      "addItem", [&] { AddDrawableItem(d->chart(), ToChartItem(item)); },
      PalvexChartWidgetPrivate::Caller::kHost);
  // The control draws nothing for a new item; the window shows it after
  // this turn of the event loop, one pass for all the items added in it.
  if (added) d->ScheduleRedraw();
  return added;
}

bool PalvexChartWidget::setItems(const QList<PalvexChartItem>& items) {
  return d->Run(
      "setItems", [&] { ReplaceItems(d->chart(), ToChartItems(items)); },
      PalvexChartWidgetPrivate::Caller::kHost);
}

QList<PalvexChartItem> PalvexChartWidget::items() const {
  return ToPublicItems(d->chart().state().items());
}
int PalvexChartWidget::count() const {
  return static_cast<int>(d->chart().state().items().size());
}

QByteArray PalvexChartWidget::saveState() const {
  QByteArray state;
  d->Run(
      "saveState", [&] { state = SaveState(d->chart()); }, PalvexChartWidgetPrivate::Caller::kHost);
  return state;
}

bool PalvexChartWidget::restoreState(const QByteArray& state) {
  return d->Run(
      "restoreState",
      [&] {
        RestoreState(d->chart(), state, true, CheckTheme);
        // The state names its colours.
        d->foreColorFromPalette = false;
        d->FollowPalette();
      },
      PalvexChartWidgetPrivate::Caller::kHost);
}

QImage PalvexChartWidget::toImage() const {
  return toImage(1.0);
}

QImage PalvexChartWidget::toImage(qreal scale) const {
  QImage picture;
  d->Run(
      // A read: it leaves the last error for the host.
      "toImage", [&] { picture = ChartPicture(d->chart(), scale); });
  return picture;
}

bool PalvexChartWidget::save(const QString& path, const char* format) const {
  return save(path, format, 1.0);
}

bool PalvexChartWidget::save(const QString& path, const char* format, qreal scale) const {
  return save(path, format, scale, -1);
}

bool PalvexChartWidget::save(const QString& path, const char* format, qreal scale,
                             int quality) const {
  return d->Run(
      "save",
      [&] {
        const QString failure = SaveChartPicture(d->chart(), path, format, scale, quality);
        if (!failure.isEmpty()) throw ChartError(kErrPathAccess, failure.toStdString());
      },
      PalvexChartWidgetPrivate::Caller::kHost);
}

int PalvexChartWidget::lastError() const {
  return d->error;
}
QString PalvexChartWidget::lastErrorString() const {
  return d->errorString;
}

QSize PalvexChartWidget::sizeHint() const {
  return kDesignSize;
}
QSize PalvexChartWidget::minimumSizeHint() const {
  return kMinimumSize;
}

void PalvexChartWidget::clear() {
  d->Run(
      "clear", [&] { d->chart().Clear(); }, PalvexChartWidgetPrivate::Caller::kHost);
}
void PalvexChartWidget::refresh() {
  d->Run(
      "refresh", [&] { d->chart().Refresh(); }, PalvexChartWidgetPrivate::Caller::kHost);
}
bool PalvexChartWidget::copy() {
  return d->Run(
      "copy", [&] { d->chart().EditCopy(); }, PalvexChartWidgetPrivate::Caller::kHost);
}
void PalvexChartWidget::about() {
  d->Run(
      "about", [&] { d->chart().About(); }, PalvexChartWidgetPrivate::Caller::kHost);
}

bool PalvexChartWidget::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    // As Qt's own editors do: while the chart has the focus, the keys it
    // would use now are its own, not the window's shortcuts (Ctrl+C copies
    // the chart, not whatever the host's Edit menu copies).
    const std::optional<ChartKey> key = d->ChartKeyFor(*static_cast<QKeyEvent*>(e));
    if (key && WantsKey(d->chart().state(), *key)) {
      e->accept();
      return true;
    }
    return QWidget::event(e);
  }
  if (e->type() == QEvent::ContextMenu) {
    // A press of the mouse has already opened (or, by the policy, not
    // opened) the chart's own menu; the event Qt sends after it must not
    // open a second one. NoContextMenu leaves it to the parent, as QWidget
    // does; a keyboard request takes QWidget's way for every policy.
    const auto* request = static_cast<QContextMenuEvent*>(e);
    if (request->reason() == QContextMenuEvent::Mouse && contextMenuPolicy() != Qt::NoContextMenu) {
      e->accept();
      return true;
    }
    // A window system that turns the Menu key into a request itself.
    if (request->reason() == QContextMenuEvent::Keyboard &&
        contextMenuPolicy() != Qt::NoContextMenu) {
      d->Key("menu key", ChartKey::MainMenu);
      return true;
    }
    return QWidget::event(e);
  }
  if (e->type() == QEvent::EnabledChange && !isEnabled()) {
    // Nor does a disabled one.
    d->chart().MouseCaptureLost();
    return QWidget::event(e);
  }
  if (e->type() == QEvent::PaletteChange) {
    d->Run("palette change", [&] { d->FollowPalette(); });
    return QWidget::event(e);
  }
  if (e->type() == QEvent::ScreenChangeInternal) {
    d->FollowDevicePixelRatio();
    return QWidget::event(e);
  }
  if (e->type() == QEvent::LanguageChange || e->type() == QEvent::LocaleChange) {
    // The information label takes the new words, or the amount in the new
    // locale's digits; a chart not yet drawn takes them with its first pass.
    d->Run("language change", [&] { d->RedrawFinished(); });
    return QWidget::event(e);
  }
  if (e->type() != QEvent::ToolTip) return QWidget::event(e);
  const auto* help = static_cast<QHelpEvent*>(e);
  const QPointF at = d->Twips(help->pos());
  std::u16string tip;
  try {
    tip = d->chart().ToolTipAt(static_cast<float>(at.x()), static_cast<float>(at.y()));
  } catch (const ChartError&) {
  }
  if (tip.empty()) {
    QToolTip::hideText();
    e->ignore();
  } else {
    QToolTip::showText(help->globalPos(), ToQString(tip), this);
  }
  return true;
}

void PalvexChartWidget::paintEvent(QPaintEvent* e) {
  // A window moved to a screen of another ratio repaints; the chart's
  // pictures follow before they are shown.
  d->FollowDevicePixelRatio();
  QPainter p(this);
  if (d->player.playing()) {
    // The growth as the control drew it; the live picture once it is over.
    FillAroundPicture(p, size(), d->player.frame(), backColor());
    p.drawImage(QPoint(0, 0), d->player.frame());
    return;
  }
  // Only a redraw: no property changes here, so nothing is notified.
  const QImage composed = d->ComposedImage();
  // What this composition changed outside the part being painted (a part
  // exposed before an update was asked for) is painted next.
  const QRegion unpainted = d->ScreenChanges(composed) - e->region();
  if (!unpainted.isEmpty()) update(unpainted);
  d->marksShown += d->Marks();
  FillAroundPicture(p, size(), composed, backColor());
  // The pictures are at the window's device pixel ratio: one picture pixel
  // per device pixel. Should they lag behind it, they are enlarged whole,
  // without smoothing, rather than turning soft.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QPoint(0, 0), composed);
  PaintDragOutline(p, d->chart().state(), d->pointer, devicePixelRatioF());
  // On the window only: the chart's picture, which exports take, never has it.
  if (hasFocus())
    PaintFocusFrame(p, d->chart().state(), rect(), palette().color(QPalette::Highlight));
}

void PalvexChartWidget::resizeEvent(QResizeEvent*) {
  // Frames of another size would show beside the new one.
  d->player.Stop();
  d->Run("resize", [&] { d->chart().Resize(width(), height()); });
}

void PalvexChartWidget::hideEvent(QHideEvent*) {
  // A hidden window gets no release: a press held now ends here, as
  // QScrollBar's does, or a held arrow of the legend's list would scroll
  // on unseen.
  d->chart().MouseCaptureLost();
  d->player.Stop();
}

void PalvexChartWidget::showEvent(QShowEvent* e) {
  // Only when shown by the application, not when the window system maps
  // or restores the window: each showing plays the growth animation.
  if (!e->spontaneous()) d->Run("show", [&] { d->chart().Show(); });
}

template <typename F>
void PalvexChartWidgetPrivate::DeliverMouse(const char* what, const QMouseEvent& e, F&& call) {
  const QPointF at = Twips(e.position());
  pointer = at;
  Run(what, [&] {
    call(ShiftOf(e.modifiers()), static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
}

void PalvexChartWidget::mousePressEvent(QMouseEvent* e) {
  if (const std::int16_t button = ButtonOf(e->button())) {
    d->DeliverMouse("mouse down", *e, [&](std::int16_t shift, float x, float y) {
      d->chart().MouseDown(button, shift, x, y);
    });
  }
}

void PalvexChartWidget::mouseMoveEvent(QMouseEvent* e) {
  d->DeliverMouse("mouse move", *e, [&](std::int16_t shift, float x, float y) {
    d->chart().MouseMove(ButtonsOf(e->buttons()), shift, x, y);
  });
}

void PalvexChartWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (const std::int16_t button = ButtonOf(e->button())) {
    d->DeliverMouse("mouse up", *e, [&](std::int16_t shift, float x, float y) {
      d->chart().MouseUp(button, shift, x, y);
    });
  }
}

void PalvexChartWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  // It comes in place of the second press.
  if (const std::int16_t button = ButtonOf(e->button())) {
    d->DeliverMouse("double-click", *e, [&](std::int16_t shift, float x, float y) {
      d->chart().DblClick(x, y, button, shift);
    });
  }
}

void PalvexChartWidget::wheelEvent(QWheelEvent* e) {
  const QPointF at = d->Twips(e->position());
  bool taken = false;
  d->Run("mouse wheel", [&] {
    taken = d->chart().MouseWheel(e->angleDelta().y(), static_cast<float>(at.x()),
                                  static_cast<float>(at.y()));
  });
  // Elsewhere the wheel goes on to the window's parent.
  e->setAccepted(taken);
}

bool PalvexChartWidgetPrivate::Key(const char* what, ChartKey key) {
  bool taken = false;
  Run(what, [&] { taken = HandleKey(chart_->state(), key); });
  return taken;
}

std::optional<ChartKey> PalvexChartWidgetPrivate::ChartKeyFor(const QKeyEvent& e) const {
  const std::optional<ChartKey> key = ChartKeyOf(e, chart_->state().children.mnuViewLegend);
  // The menu follows the policy as a right click does; with none, the
  // parent may offer its own.
  if (key == ChartKey::MainMenu && q.contextMenuPolicy() == Qt::NoContextMenu) return std::nullopt;
  return key;
}

void PalvexChartWidget::keyPressEvent(QKeyEvent* e) {
  const std::optional<ChartKey> key = d->ChartKeyFor(*e);
  if (key && d->Key("key", *key)) {
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void PalvexChartWidget::focusInEvent(QFocusEvent* e) {
  update();  // the focus frame
  QWidget::focusInEvent(e);
  ChartAccessible::AnnounceFocus(*this);
}

void PalvexChartWidget::focusOutEvent(QFocusEvent* e) {
  update();
  QWidget::focusOutEvent(e);
}
