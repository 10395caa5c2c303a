#include "platform/property_bag.h"

#include <algorithm>

namespace palvex {

namespace {

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
}

}  // namespace

bool SameKey(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

std::u16string FoldedKey(std::u16string_view key) {
  std::u16string folded(key);
  std::transform(folded.begin(), folded.end(), folded.begin(), Lower);
  return folded;
}

std::optional<BagValue> MemoryPropertyBag::Read(std::u16string_view key) {
  for (const Entry& e : entries_) {
    if (SameKey(e.first, key)) return e.second;
  }
  return std::nullopt;
}

void MemoryPropertyBag::Write(std::u16string_view key, const BagValue& value) {
  for (Entry& e : entries_) {
    if (SameKey(e.first, key)) {
      e = {std::u16string(key), value};
      return;
    }
  }
  entries_.emplace_back(std::u16string(key), value);
}

bool MemoryPropertyBag::Remove(std::u16string_view key) {
  return std::erase_if(entries_, [&](const Entry& e) { return SameKey(e.first, key); }) > 0;
}

}  // namespace palvex
