#include "widget/palvex_chart_widget.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <exception>

#include "platform/chart_error.h"
#include "platform/qt/image_io.h"
#include "platform/qt/qt_text.h"
#include "ui/info_label_input.h"
#include "widget/widget_host.h"

namespace palvex {

namespace {

// The design size of the control at 96 dots per inch.
constexpr QSize kDesignSize(560, 372);

std::int16_t ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

std::int16_t ButtonsOf(Qt::MouseButtons held) {
  return static_cast<std::int16_t>((held & Qt::LeftButton ? 1 : 0) |
                                   (held & Qt::RightButton ? 2 : 0) |
                                   (held & Qt::MiddleButton ? 4 : 0));
}

std::int16_t ShiftOf(Qt::KeyboardModifiers m) {
  return static_cast<std::int16_t>((m & Qt::ShiftModifier ? 1 : 0) |
                                   (m & Qt::ControlModifier ? 2 : 0) |
                                   (m & Qt::AltModifier ? 4 : 0));
}

}  // namespace

// Turns the control's events into the widget's signals.
class PalvexChartWidget::Sink : public EventSink {
 public:
  explicit Sink(PalvexChartWidget& w) : w_(w) {}
  void ItemClick(ChartItem& item) override {
    emit w_.ItemClick(ToQString(item.ItemID), ToQString(item.SelectedDescription),
                      ToQString(item.XAxisDescription), item.Value);
  }
  void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    emit w_.MouseDown(b, s, x, y);
  }
  void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    emit w_.MouseUp(b, s, x, y);
  }

 private:
  PalvexChartWidget& w_;
};

PalvexChartWidget::PalvexChartWidget(QWidget* parent) : PalvexChartWidget(nullptr, parent) {}

PalvexChartWidget::PalvexChartWidget(PropertyBag& saved, QWidget* parent)
    : PalvexChartWidget(&saved, parent) {}

PalvexChartWidget::PalvexChartWidget(PropertyBag* saved, QWidget* parent)
    : QWidget(parent),
      host_(std::make_unique<WidgetHost>(*this)),
      chart_(std::make_unique<PalvexChart>(*host_)),
      sink_(std::make_unique<Sink>(*this)),
      screen_(host_->CreateSurface(1, 1)) {
  if (saved) {
    chart_->ReadProperties(*saved);
  } else {
    chart_->InitProperties();
  }
  chart_->state().events.Advise(sink_.get());
  setMouseTracking(true);  // moves without a button, for hot tracking
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&host_->startTimer(), &QTimer::timeout, this,
          [this] { Run("start timer", [&] { chart_->StartTimerTick(); }); });
  connect(&host_->scrollRepeatTimer(), &QTimer::timeout, this,
          [this] { Run("scroll repeat", [&] { chart_->ScrollRepeatTick(); }); });
  resize(kDesignSize);
}

PalvexChartWidget::~PalvexChartWidget() {
  host_->startTimer().stop();
  host_->scrollRepeatTimer().stop();
  Run("terminate", [&] { chart_->Terminate(); });
}

namespace {

// Runs a call into the control; a failure becomes a warning, since nothing
// may throw through Qt's event loop or property system.
template <typename F>
bool Guarded(const char* what, F&& call) {
  try {
    call();
    return true;
  } catch (const ChartError& e) {
    qWarning("PalvexChart: %s: run-time error %d: %s", what, e.number(), e.what());
  } catch (const std::exception& e) {
    qWarning("PalvexChart: %s: %s", what, e.what());
  }
  return false;
}

}  // namespace

template <typename F>
bool PalvexChartWidget::Run(const char* what, F&& call) {
  const bool ok = Guarded(what, std::forward<F>(call));
  update();
  return ok;
}

QImage PalvexChartWidget::ComposedImage() {
  Run("compose", [&] { chart_->ComposeScreen(*screen_); });
  return ImageOf(*screen_);
}

QTimer& PalvexChartWidget::StartTimer() {
  return host_->startTimer();
}
QTimer& PalvexChartWidget::ScrollRepeatTimer() {
  return host_->scrollRepeatTimer();
}
void PalvexChartWidget::SetClock(Clock* clock) {
  host_->SetClock(clock);
}
QSize PalvexChartWidget::sizeHint() const {
  return kDesignSize;
}

QPointF PalvexChartWidget::Twips(const QPointF& p) const {
  const Screen& s = host_->screen();
  return {p.x() * s.TwipsPerPixelX(), p.y() * s.TwipsPerPixelY()};
}

bool PalvexChartWidget::event(QEvent* e) {
  if (e->type() != QEvent::ToolTip) return QWidget::event(e);
  const auto* help = static_cast<QHelpEvent*>(e);
  const QPointF at = Twips(help->pos());
  std::u16string tip;
  try {
    tip = chart_->ToolTipAt(static_cast<float>(at.x()), static_cast<float>(at.y()));
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

void PalvexChartWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Guarded("paint", [&] { chart_->ComposeScreen(*screen_); });
  p.fillRect(rect(), ToQColor(chart_->state().surface->BackColor()));
  // One image pixel per window pixel. Where a window pixel is several
  // device pixels (a ratio of 2), each is enlarged whole, without
  // smoothing: the chart keeps its sharp edges rather than turning soft.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QPoint(0, 0), ImageOf(*screen_));
  PaintDragOutline(p);
}

void PalvexChartWidget::PaintDragOutline(QPainter& p) {
  const std::optional<DragOutline> outline = DragOutlineAt(
      chart_->state(), static_cast<float>(pointer_.x()), static_cast<float>(pointer_.y()));
  if (!outline) return;
  const Screen& s = host_->screen();
  const float tppx = s.TwipsPerPixelX(), tppy = s.TwipsPerPixelY();
  const QRect r = QRectF(outline->left / tppx, outline->top / tppy, outline->width / tppx,
                         outline->height / tppy)
                      .toRect();
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.setPen(QPen(Qt::white, 0));
  p.setBrush(Qt::NoBrush);
  // A frame two pixels wide, inside the label's size.
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.drawRect(r.adjusted(1, 1, -2, -2));
}

void PalvexChartWidget::resizeEvent(QResizeEvent*) {
  Run("resize", [&] { chart_->Resize(width(), height()); });
}

void PalvexChartWidget::showEvent(QShowEvent* e) {
  // Only when shown by the application, not when the window system maps
  // or restores the window: each showing plays the growth animation.
  if (!e->spontaneous()) Run("show", [&] { chart_->Show(); });
}

template <typename F>
void PalvexChartWidget::DeliverMouse(const char* what, const QMouseEvent& e, F&& call) {
  const QPointF at = Twips(e.position());
  pointer_ = at;
  Run(what, [&] {
    call(ShiftOf(e.modifiers()), static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
}

void PalvexChartWidget::mousePressEvent(QMouseEvent* e) {
  if (const std::int16_t button = ButtonOf(e->button())) {
    DeliverMouse("mouse down", *e, [&](std::int16_t shift, float x, float y) {
      chart_->MouseDown(button, shift, x, y);
    });
  }
}

void PalvexChartWidget::mouseMoveEvent(QMouseEvent* e) {
  DeliverMouse("mouse move", *e, [&](std::int16_t shift, float x, float y) {
    chart_->MouseMove(ButtonsOf(e->buttons()), shift, x, y);
  });
}

void PalvexChartWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (const std::int16_t button = ButtonOf(e->button())) {
    DeliverMouse("mouse up", *e, [&](std::int16_t shift, float x, float y) {
      chart_->MouseUp(button, shift, x, y);
    });
  }
}

void PalvexChartWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  // It comes in place of the second press.
  if (const std::int16_t button = ButtonOf(e->button())) {
    DeliverMouse("double-click", *e, [&](std::int16_t shift, float x, float y) {
      chart_->DblClick(x, y, button, shift);
    });
  }
}

void PalvexChartWidget::wheelEvent(QWheelEvent* e) {
  const QPointF at = Twips(e->position());
  bool taken = false;
  Run("mouse wheel", [&] {
    taken = chart_->MouseWheel(e->angleDelta().y(), static_cast<float>(at.x()),
                               static_cast<float>(at.y()));
  });
  // Elsewhere the wheel goes on to the window's parent.
  e->setAccepted(taken);
}

bool PalvexChartWidget::AddItem(const QString& ItemID, const QString& SelectedDescription,
                                const QString& XAxisDescription, double Value) {
  ChartItem item;
  item.ItemID = FromQString(ItemID);
  item.SelectedDescription = FromQString(SelectedDescription);
  item.XAxisDescription = FromQString(XAxisDescription);
  item.Value = Value;
  bool result = false;
  Run("AddItem", [&] { result = chart_->AddItem(item); });
  return result;
}

void PalvexChartWidget::Clear() {
  Run("Clear", [&] { chart_->Clear(); });
}
void PalvexChartWidget::Refresh() {
  Run("Refresh", [&] { chart_->Refresh(); });
}
bool PalvexChartWidget::EditCopy() {
  bool result = false;
  Run("EditCopy", [&] { result = chart_->EditCopy(); });
  return result;
}
void PalvexChartWidget::About() {
  Run("About", [&] { chart_->About(); });
}

// Properties: readers guarded like the writers, which go through Run.
#define PALVEX_PROPERTY(GetType, SetType, Name, ToWidget, ToControl) \
  GetType PalvexChartWidget::Name() const {                          \
    GetType v{};                                                     \
    Guarded(#Name, [&] { v = ToWidget(chart_->Name()); });           \
    return v;                                                        \
  }                                                                  \
  void PalvexChartWidget::Set##Name(SetType v) {                     \
    Run(#Name, [&] { chart_->Set##Name(ToControl(v)); });            \
  }

PALVEX_PROPERTY(double, double, MarginTop, , )
PALVEX_PROPERTY(double, double, MarginBottom, , )
PALVEX_PROPERTY(double, double, MarginLeft, , )
PALVEX_PROPERTY(double, double, MarginRight, , )
PALVEX_PROPERTY(bool, bool, ContentBorder, , )
PALVEX_PROPERTY(bool, bool, Selectable, , )
PALVEX_PROPERTY(bool, bool, HotTracking, , )
PALVEX_PROPERTY(bool, bool, SelectionInformation, , )
PALVEX_PROPERTY(bool, bool, DisplayXAxis, , )
PALVEX_PROPERTY(bool, bool, DisplayYAxis, , )
PALVEX_PROPERTY(bool, bool, ColorBars, , )
PALVEX_PROPERTY(QString, const QString&, ChartTitle, ToQString, FromQString)
PALVEX_PROPERTY(QString, const QString&, ChartSubTitle, ToQString, FromQString)
PALVEX_PROPERTY(QString, const QString&, AxisLabelX, ToQString, FromQString)
PALVEX_PROPERTY(QString, const QString&, AxisLabelY, ToQString, FromQString)
PALVEX_PROPERTY(double, double, IntersectMajor, , )
PALVEX_PROPERTY(double, double, IntersectMinor, , )
PALVEX_PROPERTY(double, double, MaxY, , )
PALVEX_PROPERTY(uint, uint, BackColor, , )
PALVEX_PROPERTY(uint, uint, ForeColor, , )
PALVEX_PROPERTY(int, int, ActiveTheme, , )
#undef PALVEX_PROPERTY

int PalvexChartWidget::SelectedColumn() const {
  int column = -1;  // no column, when the stored one cannot be read
  Guarded("SelectedColumn", [&] { column = chart_->SelectedColumn(); });
  return column;
}
void PalvexChartWidget::SetSelectedColumn(int v) {
  Run("SelectedColumn", [&] { chart_->SetSelectedColumn(v); });
}

}  // namespace palvex
