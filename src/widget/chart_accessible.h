#pragma once

#include <QAccessibleWidget>
#include <vector>

class PalvexChartWidget;

namespace palvex {

// What a screen reader sees of the chart: a Chart named by its title and
// described by its subtitle, one element per bar (its caption, its amount
// as the information label says it, whether it is selected), then the
// legend's entries as a list.
class ChartAccessible : public QAccessibleWidget {
 public:
  explicit ChartAccessible(PalvexChartWidget* chart);
  ~ChartAccessible() override;

  // Makes Qt ask this class for every chart widget.
  static void Install();
  // Tells assistive tools that the selection moved from one bar to
  // another (-1 for none) and, with the focus on the chart, that the bar
  // now has it.
  static void AnnounceSelection(PalvexChartWidget& chart, int previous, int now);
  // The focus came to the chart: the selected bar, if any, has it.
  static void AnnounceFocus(PalvexChartWidget& chart);
  // The column the chart shows selected, -1 for none: readers hear of no
  // selection the user cannot see (not selectable, a column without a bar).
  static int ShownColumn(PalvexChartWidget& chart);

  PalvexChartWidget* chart() const;

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // The list of legend entries, and its entries.
  QAccessibleInterface* Entry(int index) const;

 private:
  enum class Kind { Bar, Legend, Entry };
  class Part;
  // Parts are made when first asked for and kept by Qt's cache under
  // their ids, so a reader gets the same object each time; a part beyond
  // the current items reports itself invalid.
  QAccessibleInterface* PartOf(Kind kind, int index) const;
  // The index of a part of this chart among those of its kind; -1 for
  // anything else.
  int IndexOf(const QAccessibleInterface* child, Kind kind) const;

  mutable std::vector<QAccessible::Id> bars_;
  mutable std::vector<QAccessible::Id> entries_;
  mutable QAccessible::Id legend_ = 0;
};

}  // namespace palvex
