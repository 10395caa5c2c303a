#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "control/automation/type_library.h"
#include "control/automation/variant.h"

namespace palvex {

class PalvexChart;

// Status codes as the platform numbers them (negative: failure).
using HResult = std::int32_t;
namespace status {
constexpr HResult kOk = 0;
constexpr HResult kInvalidArgument = static_cast<HResult>(0x80070057);
constexpr HResult kUnknownName = static_cast<HResult>(0x80020006);
constexpr HResult kMemberNotFound = static_cast<HResult>(0x80020003);
constexpr HResult kTypeMismatch = static_cast<HResult>(0x80020005);
constexpr HResult kException = static_cast<HResult>(0x80020009);
constexpr HResult kOverflow = static_cast<HResult>(0x8002000A);
constexpr HResult kBadParamCount = static_cast<HResult>(0x8002000E);
constexpr HResult kParamNotOptional = static_cast<HResult>(0x8002000F);
}  // namespace status

// The status a member returns in the dual form for a run-time error number.
constexpr HResult ControlErrorStatus(int number) {
  return static_cast<HResult>(0x800A0000u | static_cast<std::uint32_t>(number & 0xFFFF));
}

// How a member is invoked; method and property get may be combined, as
// clients do that cannot tell them apart.
enum InvokeFlags : std::uint16_t {
  kInvokeMethod = 1,
  kInvokePropertyGet = 2,
  kInvokePropertyPut = 4,
};

// The rich error information behind every failure: the run-time error
// number and message a client shows, and for argument failures which
// argument (0-based, first argument first).
struct ErrorInfo {
  int number = 0;
  std::string description;
  std::string source;
  HResult scode = 0;  // ControlErrorStatus(number)
  int argument = -1;
};

// Late binding to one control: names to DISPIDs, and calls by DISPID with
// the argument checks and conversions of an automation client's call.
// Failures come back as a status code; nothing is thrown.
class Dispatch {
 public:
  explicit Dispatch(PalvexChart& chart) : chart_(chart) {}

  // Case-insensitive; an unknown name answers kUnknownName and id -1. The
  // names are the same for every control, so no instance is needed.
  static HResult GetIDsOfNames(std::u16string_view name, DispId& id);

  // args in call order (first argument first); a Missing variant stands for
  // an omitted optional argument. A property put takes the value as its
  // one argument. result and error may be null.
  HResult Invoke(DispId id, std::uint16_t flags, std::span<Variant> args, Variant* result = nullptr,
                 ErrorInfo* error = nullptr);

  // The member a call with these flags reaches, or nullptr.
  static const MemberInfo* Resolve(DispId id, std::uint16_t flags);

 private:
  PalvexChart& chart_;
};

}  // namespace palvex
