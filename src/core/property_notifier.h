#pragma once

#include <QMetaObject>
#include <QVariantList>

class QObject;

namespace palvex {

// The NOTIFY contract in one place: it remembers the values of a class's
// own properties and, asked after a call that may have changed them, emits
// each property's notify signal once with its new value, for the values
// that differ. A redraw that changes nothing emits nothing.
class PropertyNotifier {
 public:
  PropertyNotifier(QObject& object, const QMetaObject& meta);

  // Takes the current values as known, without a signal.
  void Reset();
  // Emits the signals of the properties whose values have changed.
  void Notify();

 private:
  QObject& object_;
  const QMetaObject& meta_;
  QVariantList known_;
};

}  // namespace palvex
