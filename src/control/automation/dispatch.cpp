#include "control/automation/dispatch.h"

#include <new>
#include <vector>

#include "control/palvex_chart.h"
#include "platform/chart_error.h"

namespace palvex {

namespace {

// An argument converted to its declared parameter type; raises Type
// mismatch or Overflow.
Variant Convert(const Variant& v, TypeId type) {
  switch (type) {
    case TypeId::Bool:
      return Variant::Boolean(v.ToBool());
    case TypeId::I2:
      return Variant::Short(v.ToI2());
    case TypeId::I4:
    case TypeId::ThemeEnum:  // enumerations are not range-checked
      return Variant::Long(v.ToI4());
    case TypeId::R4:
      return Variant::Single(v.ToR4());
    case TypeId::R8:
      return Variant::Double(v.ToR8());
    case TypeId::String:
      return Variant::Text(v.ToText());
    case TypeId::OleColor:
      return Variant::Unsigned(v.ToUI4());
    case TypeId::Record:
      return Variant::Record(v.ToRecord());
    case TypeId::Any:
    case TypeId::Void:
      break;
  }
  return v;
}

std::size_t RequiredCount(const MemberInfo& m) {
  std::size_t required = 0;
  for (std::size_t i = 0; i < m.params.size(); ++i) {
    if (!m.params[i].optional) required = i + 1;
  }
  return required;
}

}  // namespace

HResult Dispatch::GetIDsOfNames(std::u16string_view name, DispId& id) {
  const MemberInfo* m = FindMemberByName(PalvexChartLibrary().Interface(), name);
  id = m ? m->dispid : -1;
  return m ? status::kOk : status::kUnknownName;
}

const MemberInfo* Dispatch::Resolve(DispId id, std::uint16_t flags) {
  auto find = [&](MemberKind kind) -> const MemberInfo* {
    for (const MemberInfo& m : PalvexChartLibrary().Interface().members) {
      if (m.dispid == id && m.kind == kind) return &m;
    }
    return nullptr;
  };
  if (flags & kInvokePropertyPut) {
    return flags == kInvokePropertyPut ? find(MemberKind::PropertyPut) : nullptr;
  }
  const MemberInfo* m = nullptr;
  if (flags & kInvokeMethod) m = find(MemberKind::Method);
  if (!m && (flags & kInvokePropertyGet)) m = find(MemberKind::PropertyGet);
  return m;
}

HResult Dispatch::Invoke(DispId id, std::uint16_t flags, std::span<Variant> args, Variant* result,
                         ErrorInfo* error) {
  ErrorInfo scratch;
  ErrorInfo& err = error ? *error : scratch;
  err = ErrorInfo();
  if (result) *result = Variant();
  auto fail = [&](HResult hr, int number, const std::string& message, int argument = -1) {
    err.number = number;
    err.description = message;
    err.source = "PalvexChart";
    err.scode = ControlErrorStatus(number);
    err.argument = argument;
    return hr;
  };

  if (flags == 0 || (flags & ~(kInvokeMethod | kInvokePropertyGet | kInvokePropertyPut))) {
    return fail(status::kInvalidArgument, kErrInvalidCall, ErrorMessage(kErrInvalidCall));
  }
  const MemberInfo* m = Resolve(id, flags);
  if (!m) return fail(status::kMemberNotFound, kErrNoSuchMember, ErrorMessage(kErrNoSuchMember));
  if (args.size() > m->params.size() || args.size() < RequiredCount(*m)) {
    return fail(status::kBadParamCount, kErrWrongArgumentCount,
                ErrorMessage(kErrWrongArgumentCount));
  }

  std::vector<Variant> converted;
  converted.reserve(m->params.size());
  for (std::size_t i = 0; i < m->params.size(); ++i) {
    const ParamInfo& p = m->params[i];
    const int argument = static_cast<int>(i);
    if (i >= args.size() || args[i].IsMissing()) {
      if (!p.optional) {
        return fail(status::kParamNotOptional, kErrArgumentNotOptional,
                    ErrorMessage(kErrArgumentNotOptional), argument);
      }
      converted.push_back(p.defaultValue);
      continue;
    }
    try {
      converted.push_back(Convert(args[i], p.type));
    } catch (const ChartError& e) {
      return fail(e.number() == kErrOverflow ? status::kOverflow : status::kTypeMismatch,
                  e.number(), e.what(), argument);
    }
  }

  // Whatever the member throws ends here: a client only ever sees a status.
  try {
    Variant r = m->call(chart_, converted);
    if (result) *result = std::move(r);
    return status::kOk;
  } catch (const ChartError& e) {
    return fail(status::kException, e.number(), e.what());
  } catch (const std::bad_alloc&) {
    return fail(status::kException, kErrOutOfMemory, ErrorMessage(kErrOutOfMemory));
  } catch (const std::exception& e) {
    return fail(status::kException, kErrInternal, e.what());
  }
}

}  // namespace palvex
