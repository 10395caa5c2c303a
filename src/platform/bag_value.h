#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace palvex {

// One value kept in a property bag: a 64-bit float, a boolean, a string or
// a 32-bit signed number. Reading converts it to the type the field wants,
// the way an automation client converts a variant.
class BagValue {
 public:
  enum class Type { Number, Boolean, Text, Int32 };

  BagValue(double v) : v_(v) {}
  BagValue(bool v) : v_(v) {}
  BagValue(std::u16string v) : v_(std::move(v)) {}
  BagValue(const char16_t* v) : v_(std::u16string(v)) {}
  BagValue(std::int32_t v) : v_(v) {}

  Type type() const { return static_cast<Type>(v_.index()); }
  bool operator==(const BagValue&) const = default;

  // Conversions; Type mismatch (13) for text that is no number or boolean,
  // Overflow (6) for a number outside the 32-bit range. Fractions round
  // half to even; true is -1.
  double ToNumber() const;
  bool ToBoolean() const;
  std::u16string ToText() const;
  std::int32_t ToInt32() const;

  // The value as the bag holds it, for the type that was stored.
  double AsNumber() const { return std::get<double>(v_); }
  bool AsBoolean() const { return std::get<bool>(v_); }
  const std::u16string& AsText() const { return std::get<std::u16string>(v_); }
  std::int32_t AsInt32() const { return std::get<std::int32_t>(v_); }

 private:
  std::variant<double, bool, std::u16string, std::int32_t> v_;
};

}  // namespace palvex
