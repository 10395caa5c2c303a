#include "core/property_notifier.h"

#include <QMetaProperty>
#include <QObject>
#include <cmath>

namespace palvex {

namespace {

bool Same(const QVariant& a, const QVariant& b) {
  if (a == b) return true;
  // A NaN is not equal to itself, but it is no change either.
  return a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double &&
         std::isnan(a.toDouble()) && std::isnan(b.toDouble());
}

}  // namespace

PropertyNotifier::PropertyNotifier(QObject& object, const QMetaObject& meta)
    : object_(object), meta_(meta) {}

void PropertyNotifier::Reset() {
  known_.clear();
  for (int i = meta_.propertyOffset(); i < meta_.propertyCount(); ++i)
    known_.append(meta_.property(i).read(&object_));
}

void PropertyNotifier::Notify() {
  if (known_.isEmpty()) return;  // still being built
  for (int i = meta_.propertyOffset(); i < meta_.propertyCount(); ++i) {
    const QMetaProperty property = meta_.property(i);
    // Read one at a time: a slot connected to an earlier signal may change
    // a later property, and then notifies it itself.
    const QVariant value = property.read(&object_);
    QVariant& known = known_[i - meta_.propertyOffset()];
    if (Same(value, known)) continue;
    known = value;
    property.notifySignal().invoke(&object_, Qt::DirectConnection,
                                   QGenericArgument(value.typeName(), value.constData()));
  }
}

}  // namespace palvex
