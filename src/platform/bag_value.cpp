#include "platform/bag_value.h"

#include "platform/numeric.h"
#include "platform/property_bag.h"

namespace palvex {

namespace {

constexpr double kTrue = -1.0;

// "True" and "False" in any letter case, or numeric text.
bool BooleanFromText(const std::u16string& text) {
  std::u16string_view t = text;
  while (!t.empty() && t.front() == u' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == u' ') t.remove_suffix(1);
  if (SameKey(t, u"true")) return true;
  if (SameKey(t, u"false")) return false;
  return NumberFromText(text) != 0;
}

}  // namespace

double BagValue::ToNumber() const {
  switch (type()) {
    case Type::Number:
      return AsNumber();
    case Type::Boolean:
      return AsBoolean() ? kTrue : 0.0;
    case Type::Text:
      return NumberFromText(AsText());
    case Type::Int32:
      return AsInt32();
  }
  return 0;
}

bool BagValue::ToBoolean() const {
  switch (type()) {
    case Type::Number:
      return AsNumber() != 0;
    case Type::Boolean:
      return AsBoolean();
    case Type::Text:
      return BooleanFromText(AsText());
    case Type::Int32:
      return AsInt32() != 0;
  }
  return false;
}

std::u16string BagValue::ToText() const {
  switch (type()) {
    case Type::Number:
      return NumberText(AsNumber());
    case Type::Boolean:
      return AsBoolean() ? u"True" : u"False";
    case Type::Text:
      return AsText();
    case Type::Int32:
      return NumberText(AsInt32());
  }
  return {};
}

std::int32_t BagValue::ToInt32() const {
  return type() == Type::Int32 ? AsInt32() : palvex::ToInt32(ToNumber());
}

}  // namespace palvex
