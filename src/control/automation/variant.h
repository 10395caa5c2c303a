#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "model/chart_item.h"

namespace palvex {

// The value types an automation client passes, numbered as the platform's
// variant type codes so that logs and the published library agree.
enum class VarType : std::uint16_t {
  Empty = 0,
  I2 = 2,
  I4 = 3,
  R4 = 4,
  R8 = 5,
  String = 8,
  Missing = 10,  // an optional argument the caller left out
  Bool = 11,
  UI4 = 19,  // colours
  Record = 36,
};

// An automation value. Conversions follow what automation clients expect:
// numbers from numeric text, text from numbers, booleans from numbers,
// true is -1; what cannot convert raises Type mismatch (13), a number
// outside the target's range raises Overflow (6).
class Variant {
 public:
  static constexpr std::int16_t kTrue = -1;

  Variant() = default;  // empty
  static Variant Missing();
  static Variant Boolean(bool v);
  static Variant Short(std::int16_t v);
  static Variant Long(std::int32_t v);
  static Variant Unsigned(std::uint32_t v);
  static Variant Single(float v);
  static Variant Double(double v);
  static Variant Text(std::u16string v);
  static Variant Record(ChartItem v);

  VarType type() const;
  bool IsEmpty() const { return type() == VarType::Empty; }
  bool IsMissing() const { return type() == VarType::Missing; }

  bool ToBool() const;
  std::int16_t ToI2() const;
  std::int32_t ToI4() const;
  // Accepts the signed form too (-2147483643 is 0x80000005), since 32-bit
  // clients hold system colours in signed integers.
  std::uint32_t ToUI4() const;
  float ToR4() const;
  double ToR8() const;
  std::u16string ToText() const;
  ChartItem ToRecord() const;

  bool operator==(const Variant&) const = default;

 private:
  struct MissingTag {
    bool operator==(const MissingTag&) const = default;
  };
  using Value = std::variant<std::monostate, MissingTag, bool, std::int16_t, std::int32_t,
                             std::uint32_t, float, double, std::u16string, ChartItem>;
  explicit Variant(Value v) : v_(std::move(v)) {}
  // The numeric value of anything but a record or a missing argument.
  double Number() const;

  Value v_;
};

// The name of a variant type as a client sees it ("Double", "Boolean").
const char* VarTypeName(VarType t);

}  // namespace palvex
