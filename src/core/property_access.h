#pragma once

#include <QString>
#include <QVariant>

#include "control/automation/variant.h"
#include "control/property_table.h"

namespace palvex {

class PalvexChart;

// A public property by its automation name, matched in any letter case;
// raises No such member (438) for methods and unknown names.
const PropertyInfo& PropertyByName(const QString& name);

// Reads and writes a property through the control's dispatch interface,
// converting as a late-bound client's call does; a failure raises the
// control's error.
Variant ReadProperty(PalvexChart& chart, const PropertyInfo& property);
void WriteProperty(PalvexChart& chart, const PropertyInfo& property, Variant value);

// Qt values to automation values and back. A QColor becomes the packed
// colour; what has no automation form raises Type mismatch (13).
Variant ToVariant(const QVariant& value);
QVariant ToQVariant(const Variant& value);

}  // namespace palvex
