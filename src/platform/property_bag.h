#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/bag_value.h"

namespace palvex {

// Bag keys match without regard to letter case: a value written under one
// spelling is found under another ("uYAxislabel" / "uYAxisLabel").
bool SameKey(std::u16string_view a, std::u16string_view b);
// The one spelling of every key that SameKey matches: equal for two keys
// exactly when SameKey says they match, for finding a key by hashing.
std::u16string FoldedKey(std::u16string_view key);

// Named values a host keeps with its document so that a saved control can
// be loaded again. A bag that cannot answer for a key raises ChartError.
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;

  // The value under the key, or nothing when the bag has none.
  virtual std::optional<BagValue> Read(std::u16string_view key) = 0;
  // Stores the value under the key, replacing one under any spelling of it.
  virtual void Write(std::u16string_view key, const BagValue& value) = 0;
};

// A bag in memory that keeps its keys in the order they were first written.
class MemoryPropertyBag : public PropertyBag {
 public:
  using Entry = std::pair<std::u16string, BagValue>;

  std::optional<BagValue> Read(std::u16string_view key) override;
  void Write(std::u16string_view key, const BagValue& value) override;

  // Removes the key under any spelling; false when it was not there.
  bool Remove(std::u16string_view key);
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace palvex
