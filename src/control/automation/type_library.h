#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "control/automation/variant.h"

namespace palvex {

class PalvexChart;

using DispId = std::int32_t;

// The standard dispatch identifier of an about box.
constexpr DispId kDispIdAboutBox = -552;

// The types a member's parameters and results are declared with.
enum class TypeId {
  Void,
  Bool,
  I2,
  I4,
  R4,
  R8,
  String,
  OleColor,   // unsigned 32-bit
  ThemeEnum,  // 32-bit
  Record,     // ChartItem
  Any,        // a variant
};

// How the type is written in the library's source ("VARIANT_BOOL").
const char* TypeName(TypeId t);

enum class MemberKind { Method, PropertyGet, PropertyPut };

struct ParamInfo {
  std::string_view name;
  TypeId type;
  bool byRef = false;
  bool optional = false;
  Variant defaultValue{};  // what an omitted optional argument means
};

// Calls the control with arguments already converted to the declared
// parameter types; returns the result (empty when there is none).
using MemberCall = std::function<Variant(PalvexChart& chart, std::span<const Variant> args)>;

struct MemberInfo {
  std::string_view name;
  MemberKind kind;
  DispId dispid;
  std::vector<ParamInfo> params{};
  TypeId result = TypeId::Void;
  MemberCall call = nullptr;  // nullptr for events, which the control raises
};

enum class TypeKind { DualInterface, CoClass, DispInterface, Enum, Record };

// Type flags as the platform numbers them.
enum TypeFlag : std::uint32_t {
  kTypeFlagControl = 0x20,
  kTypeFlagHidden = 0x10,
  kTypeFlagDual = 0x40,
  kTypeFlagNonExtensible = 0x80,
  kTypeFlagOleAutomation = 0x100,
  kTypeFlagDispatchable = 0x1000,
};
// The library flag that marks a library holding controls.
constexpr std::uint32_t kLibFlagControl = 0x2;

struct EnumConstant {
  std::string_view name;
  std::int32_t value;
  std::int32_t memberId;
};

struct RecordField {
  std::string_view name;
  TypeId type;
  std::uint32_t offset;
  std::int32_t memberId;
};

struct ImplementedInterface {
  std::string_view name;
  bool isDefault;
  bool isSource;
};

struct TypeInfo {
  std::string_view name;
  TypeKind kind;
  std::string_view guid;
  std::uint32_t flags;
  std::vector<MemberInfo> members{};               // interfaces
  std::vector<ImplementedInterface> interfaces{};  // the control class
  std::vector<EnumConstant> constants{};           // enumerations
  std::vector<RecordField> fields{};               // the record
  std::uint32_t size = 0;                          // record size and alignment in bytes
  std::uint32_t alignment = 0;
};

struct TypeLibrary {
  std::string_view name;
  std::string_view guid;
  std::uint16_t majorVersion;
  std::uint16_t minorVersion;
  std::string_view helpString;
  std::uint32_t lcid;
  std::uint32_t flags;
  std::string_view import;  // the one library it imports
  std::vector<TypeInfo> types{};

  const TypeInfo& Find(std::string_view typeName) const;
  // The members of the control's default interface and of its events.
  const TypeInfo& Interface() const { return Find("_PalvexChart"); }
  const TypeInfo& Events() const { return Find("__PalvexChart"); }
};

// The published library; its GUIDs and DISPIDs never change between builds.
const TypeLibrary& PalvexChartLibrary();

// A member name matched as automation clients match it: ignoring letter case.
bool SameName(std::u16string_view a, std::string_view b);
// The first member of an interface with that name (a property's writer
// comes before its reader, except for ActiveTheme), or nullptr.
const MemberInfo* FindMemberByName(const TypeInfo& type, std::u16string_view name);

}  // namespace palvex
