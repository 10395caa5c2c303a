#include "widget/chart_accessible.h"

#include <palvex/palvexchartwidget.h>

#include "core/item_conversion.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_text.h"
#include "render/info_label.h"
#include "ui/keyboard.h"
#include "widget/palvex_chart_widget_p.h"

namespace palvex {

namespace {

ChartState& StateOf(PalvexChartWidget& chart) {
  return PalvexChartWidgetPrivate::get(chart).chart().state();
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className != QLatin1String("PalvexChartWidget") || !object || !object->isWidgetType())
    return nullptr;
  return new ChartAccessible(static_cast<PalvexChartWidget*>(object));
}

}  // namespace

// A bar, the legend's list or one of its entries; it reads the chart
// each time it is asked, so it never tells of a state gone by.
class ChartAccessible::Part : public QAccessibleInterface {
 public:
  Part(const ChartAccessible& owner, Kind kind, int index)
      : owner_(owner), kind_(kind), index_(index) {}

  bool isValid() const override {
    const PalvexChartWidget* chart = owner_.chart();
    return chart && (kind_ == Kind::Legend || index_ < chart->count());
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return owner_.window(); }
  QAccessibleInterface* parent() const override {
    if (kind_ == Kind::Entry) return owner_.PartOf(Kind::Legend, 0);
    return const_cast<ChartAccessible*>(&owner_);
  }
  QAccessibleInterface* child(int index) const override {
    return kind_ == Kind::Legend ? owner_.Entry(index) : nullptr;
  }
  int childCount() const override {
    return kind_ == Kind::Legend && owner_.chart() ? owner_.chart()->count() : 0;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return kind_ == Kind::Legend ? owner_.IndexOf(child, Kind::Entry) : -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    PalvexChartWidget* chart = owner_.chart();
    if (!chart) return QString();
    if (kind_ == Kind::Legend) return t == QAccessible::Name ? Translated(u"图例") : QString();
    if (!isValid()) return QString();
    // Only this bar's item: a reader goes through every bar of a long chart.
    const PalvexChartItem item = ToPublicItem(StateOf(*chart).items()[index_]);
    switch (t) {
      case QAccessible::Name:
        return kind_ == Kind::Bar ? item.caption() : item.description();
      case QAccessible::Value:
        return kind_ == Kind::Bar ? ToQString(ShownAmount(StateOf(*chart), item.value()))
                                  : QString();
      case QAccessible::Description:
        return kind_ == Kind::Bar ? item.description() : QString();
      default:
        return QString();
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    PalvexChartWidget* chart = owner_.chart();
    if (!chart || kind_ == Kind::Entry) return QRect();
    if (kind_ == Kind::Legend) {
      const Control& panel = StateOf(*chart).children.picLegend;
      return Global(*chart, panel.Left, panel.Top, panel.Width, panel.Height);
    }
    const std::optional<ChartRect> slot = BarSlot(StateOf(*chart), index_);
    return slot ? Global(*chart, slot->left, slot->top, slot->width, slot->height) : QRect();
  }

  QAccessible::Role role() const override {
    switch (kind_) {
      case Kind::Bar:
        return QAccessible::Graphic;
      case Kind::Legend:
        return QAccessible::List;
      case Kind::Entry:
        return QAccessible::ListItem;
    }
    return QAccessible::NoRole;
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    PalvexChartWidget* chart = owner_.chart();
    if (!chart || !isValid()) {
      s.invalid = true;
      return s;
    }
    const bool legendShown = chart->legendVisible();
    if (kind_ == Kind::Legend) {
      s.invisible = !legendShown;
      return s;
    }
    s.invisible = kind_ == Kind::Entry && !legendShown;
    s.selectable = chart->selectable();
    s.selected = ShownColumn(*chart) == index_;
    s.focusable = kind_ == Kind::Bar && s.selectable;
    s.focused = s.focusable && s.selected && chart->hasFocus();
    return s;
  }

 private:
  // Twips of the chart's surface on the screen.
  static QRect Global(PalvexChartWidget& chart, double left, double top, double width,
                      double height) {
    const ChartState& s = StateOf(chart);
    const QRect local = QRectF(left / s.TwipsPerPixelX(), top / s.TwipsPerPixelY(),
                               width / s.TwipsPerPixelX(), height / s.TwipsPerPixelY())
                            .toAlignedRect();
    return local.translated(chart.mapToGlobal(QPoint(0, 0)));
  }

  friend class ChartAccessible;
  const ChartAccessible& owner_;
  const Kind kind_;
  const int index_;
};

ChartAccessible::ChartAccessible(PalvexChartWidget* chart)
    : QAccessibleWidget(chart, QAccessible::Chart) {}

ChartAccessible::~ChartAccessible() {
  // The parts point at this object: they go with it.
  std::vector<QAccessible::Id> ids = bars_;
  ids.insert(ids.end(), entries_.begin(), entries_.end());
  if (legend_) ids.push_back(legend_);
  for (QAccessible::Id id : ids) {
    if (QAccessible::accessibleInterface(id)) QAccessible::deleteAccessibleInterface(id);
  }
}

void ChartAccessible::Install() {
  static const bool installed = (QAccessible::installFactory(&Factory), true);
  (void)installed;
}

PalvexChartWidget* ChartAccessible::chart() const {
  return static_cast<PalvexChartWidget*>(widget());
}

QString ChartAccessible::text(QAccessible::Text t) const {
  if (!chart()) return QString();
  // A name or description the host gave the widget comes first, as with
  // Qt's own widgets: a chart without a title is still named.
  switch (t) {
    case QAccessible::Name:
      return chart()->accessibleName().isEmpty() ? chart()->chartTitle()
                                                 : chart()->accessibleName();
    case QAccessible::Description:
      return chart()->accessibleDescription().isEmpty() ? chart()->chartSubTitle()
                                                        : chart()->accessibleDescription();
    default:
      return QAccessibleWidget::text(t);
  }
}

int ChartAccessible::childCount() const {
  return chart() ? chart()->count() + 1 : 0;
}

QAccessibleInterface* ChartAccessible::child(int index) const {
  const int bars = chart() ? chart()->count() : 0;
  if (index < 0 || index > bars) return nullptr;
  return index < bars ? PartOf(Kind::Bar, index) : PartOf(Kind::Legend, 0);
}

int ChartAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const int bar = IndexOf(child, Kind::Bar);
  if (bar >= 0 || !chart()) return bar;
  return IndexOf(child, Kind::Legend) == 0 ? chart()->count() : -1;
}

// Each part knows its place: a reader asks every part of a long chart.
int ChartAccessible::IndexOf(const QAccessibleInterface* child, Kind kind) const {
  const auto* part = dynamic_cast<const Part*>(child);
  if (!part || &part->owner_ != this || part->kind_ != kind || !part->isValid()) return -1;
  return part->index_;
}

QAccessibleInterface* ChartAccessible::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i) {
    QAccessibleInterface* c = child(i);
    if (!c->state().invisible && c->rect().contains(x, y)) return c;
  }
  return nullptr;
}

QAccessibleInterface* ChartAccessible::focusChild() const {
  const int column = chart() ? ShownColumn(*chart()) : -1;
  if (column < 0 || column >= chart()->count() || !chart()->hasFocus()) return nullptr;
  return child(column);
}

QAccessibleInterface* ChartAccessible::Entry(int index) const {
  return chart() && index >= 0 && index < chart()->count() ? PartOf(Kind::Entry, index) : nullptr;
}

QAccessibleInterface* ChartAccessible::PartOf(Kind kind, int index) const {
  QAccessible::Id* id = &legend_;
  if (kind != Kind::Legend) {
    std::vector<QAccessible::Id>& ids = kind == Kind::Bar ? bars_ : entries_;
    if (static_cast<int>(ids.size()) <= index) ids.resize(static_cast<std::size_t>(index) + 1, 0);
    id = &ids[static_cast<std::size_t>(index)];
  }
  if (!*id) *id = QAccessible::registerAccessibleInterface(new Part(*this, kind, index));
  return QAccessible::accessibleInterface(*id);
}

// Only while an assistive tool listens: Qt drops the events otherwise.
void ChartAccessible::AnnounceSelection(PalvexChartWidget& chart, int previous, int now) {
  if (!QAccessible::isActive()) return;
  if (previous >= 0 && previous < chart.count()) {
    QAccessibleEvent removed(&chart, QAccessible::SelectionRemove);
    removed.setChild(previous);
    QAccessible::updateAccessibility(&removed);
  }
  if (now < 0 || now >= chart.count()) return;
  QAccessibleEvent added(&chart, QAccessible::Selection);
  added.setChild(now);
  QAccessible::updateAccessibility(&added);
  AnnounceFocus(chart);
}

int ChartAccessible::ShownColumn(PalvexChartWidget& chart) {
  return SelectedBarSlot(StateOf(chart)) ? chart.selectedColumn() : -1;
}

void ChartAccessible::AnnounceFocus(PalvexChartWidget& chart) {
  const int column = ShownColumn(chart);
  if (!QAccessible::isActive() || !chart.hasFocus() || column < 0 || column >= chart.count())
    return;
  QAccessibleEvent focus(&chart, QAccessible::Focus);
  focus.setChild(column);
  QAccessible::updateAccessibility(&focus);
}

}  // namespace palvex
