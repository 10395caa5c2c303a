#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "control/automation/type_library.h"
#include "control/automation/variant.h"
#include "platform/bag_value.h"

namespace palvex {

class PalvexChart;
struct ChartState;

// How a property's two slots sit in the control's interface.
enum class PropertySlots {
  // In the block of properties: the writer, taking its value by reference,
  // then the reader.
  kWriterThenReader,
  // Among the theme methods, after GetYTopLegend: the reader, then the
  // writer, which takes its value by value.
  kReaderThenWriterAmongThemeMethods,
};

// The value a property's field takes when neither the host nor a bag gives
// one, in the unit the field keeps.
struct PropertyDefault {
  enum class Kind {
    kKeep,     // the field keeps what it holds
    kValue,    // value
    kPixelsX,  // value pixels, in twips of the display in use
    kPixelsY,
  };
  Kind kind = Kind::kKeep;
  BagValue value = 0.0;

  // What to store, or nothing when the field keeps its value.
  std::optional<BagValue> For(const ChartState& s) const;
};

// The field behind a property as a bag keeps it. Loading stores straight
// into it: no writer runs and nothing is redrawn.
struct StoredField {
  BagValue (*save)(const ChartState&);
  void (*load)(ChartState&, const BagValue&);
};

// A property's bag key: saved bags hold the written spelling, and keys
// match in any letter case, so a key read under another spelling finds it.
struct BagKey {
  constexpr BagKey(const char16_t* key) : written(key), read(key) {}
  constexpr BagKey(const char16_t* writtenKey, const char16_t* readKey)
      : written(writtenKey), read(readKey) {}
  std::u16string_view written;
  std::u16string_view read;
};

// One public property: everything the interface, the property bag and the
// command line know of it.
struct PropertyInfo {
  std::string_view name;
  DispId dispid;
  TypeId type;  // as the interface declares it
  PropertySlots placement;
  // The public reader and writer (margins in pixels); the writer redraws.
  // Values are of the declared type.
  Variant (*read)(const PalvexChart&);
  void (*write)(PalvexChart&, const Variant&);
  int bagPosition;  // 1-based: keys are written and read in this order
  BagKey key;
  StoredField stored;
  PropertyDefault newControl;  // set by InitProperties
  PropertyDefault whenAbsent;  // stored by ReadProperties when the bag has no key
};

// Every public property, in the order of the interface's slots.
std::span<const PropertyInfo> PropertyTable();
// The same properties in the order of their bag keys.
std::span<const PropertyInfo* const> PropertiesInBagOrder();
// The property with that name, matched ignoring letter case, or nullptr.
const PropertyInfo* FindProperty(std::u16string_view name);

}  // namespace palvex
