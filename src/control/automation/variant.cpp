#include "control/automation/variant.h"

#include <cfloat>
#include <charconv>
#include <cmath>

#include "platform/chart_error.h"
#include "platform/numeric.h"

namespace palvex {

namespace {

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

[[noreturn]] void Mismatch() {
  throw ChartError(kErrTypeMismatch);
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::u16string Ascii(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

// Single-precision numbers print with the 7 digits they hold, so 0.1f
// reads "0.1", not the digits of its binary neighbour.
std::u16string SingleText(float f) {
  if (!std::isfinite(f)) return NumberText(f);
  const std::string digits = FormattedNumber(f, std::chars_format::general, 7);
  double rounded = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), rounded);
  return NumberText(rounded);
}

}  // namespace

Variant Variant::Missing() {
  return Variant(Value(MissingTag{}));
}
Variant Variant::Boolean(bool v) {
  return Variant(Value(v));
}
Variant Variant::Short(std::int16_t v) {
  return Variant(Value(v));
}
Variant Variant::Long(std::int32_t v) {
  return Variant(Value(v));
}
Variant Variant::Unsigned(std::uint32_t v) {
  return Variant(Value(v));
}
Variant Variant::Single(float v) {
  return Variant(Value(v));
}
Variant Variant::Double(double v) {
  return Variant(Value(v));
}
Variant Variant::Text(std::u16string v) {
  return Variant(Value(std::move(v)));
}
Variant Variant::Record(ChartItem v) {
  return Variant(Value(std::move(v)));
}

VarType Variant::type() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return VarType::Empty; },
                        [](MissingTag) { return VarType::Missing; },
                        [](bool) { return VarType::Bool; },
                        [](std::int16_t) { return VarType::I2; },
                        [](std::int32_t) { return VarType::I4; },
                        [](std::uint32_t) { return VarType::UI4; },
                        [](float) { return VarType::R4; },
                        [](double) { return VarType::R8; },
                        [](const std::u16string&) { return VarType::String; },
                        [](const ChartItem&) { return VarType::Record; },
                    },
                    v_);
}

double Variant::Number() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return 0.0; },
                        [](MissingTag) -> double { Mismatch(); },
                        [](bool b) { return b ? double(kTrue) : 0.0; },
                        [](std::int16_t v) { return double(v); },
                        [](std::int32_t v) { return double(v); },
                        [](std::uint32_t v) { return double(v); },
                        [](float v) { return double(v); },
                        [](double v) { return v; },
                        [](const std::u16string& s) { return NumberFromText(s); },
                        [](const ChartItem&) -> double { Mismatch(); },
                    },
                    v_);
}

bool Variant::ToBool() const {
  if (const bool* b = std::get_if<bool>(&v_)) return *b;
  if (const std::u16string* s = std::get_if<std::u16string>(&v_)) {
    if (EqualsIgnoringCase(*s, u"True")) return true;
    if (EqualsIgnoringCase(*s, u"False")) return false;
  }
  return Number() != 0;
}

std::int16_t Variant::ToI2() const {
  return ToInt16(Number());
}
std::int32_t Variant::ToI4() const {
  return ToInt32(Number());
}

std::uint32_t Variant::ToUI4() const {
  if (const std::uint32_t* u = std::get_if<std::uint32_t>(&v_)) return *u;
  const double r = RoundHalfEven(Number());
  if (!(r >= -2147483648.0 && r <= 4294967295.0)) throw ChartError(kErrOverflow);
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(r));
}

float Variant::ToR4() const {
  const double d = Number();
  if (std::isfinite(d) && std::fabs(d) > FLT_MAX) throw ChartError(kErrOverflow);
  return static_cast<float>(d);
}

double Variant::ToR8() const {
  return Number();
}

std::u16string Variant::ToText() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return std::u16string(); },
                        [](MissingTag) -> std::u16string { Mismatch(); },
                        [](bool b) { return std::u16string(b ? u"True" : u"False"); },
                        [](std::int16_t v) { return Ascii(std::to_string(v)); },
                        [](std::int32_t v) { return Ascii(std::to_string(v)); },
                        [](std::uint32_t v) { return Ascii(std::to_string(v)); },
                        [](float v) { return SingleText(v); },
                        [](double v) { return NumberText(v); },
                        [](const std::u16string& s) { return s; },
                        [](const ChartItem&) -> std::u16string { Mismatch(); },
                    },
                    v_);
}

ChartItem Variant::ToRecord() const {
  if (const ChartItem* item = std::get_if<ChartItem>(&v_)) return *item;
  Mismatch();
}

const char* VarTypeName(VarType t) {
  switch (t) {
    case VarType::Empty:
      return "Empty";
    case VarType::I2:
      return "Integer";
    case VarType::I4:
      return "Long";
    case VarType::R4:
      return "Single";
    case VarType::R8:
      return "Double";
    case VarType::String:
      return "String";
    case VarType::Missing:
      return "Missing";
    case VarType::Bool:
      return "Boolean";
    case VarType::UI4:
      return "Unsigned Long";
    case VarType::Record:
      return "ChartItem";
  }
  return "Unknown";
}

}  // namespace palvex
