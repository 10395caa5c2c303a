#include "control/automation/idl_writer.h"

#include <charconv>

#include "platform/numeric.h"

namespace palvex {

namespace {

// "0x" and at least `digits` lower-case hexadecimal digits.
std::string Hex(std::uint32_t v, int digits) {
  char buf[8];
  std::string hex(buf, std::to_chars(buf, buf + sizeof buf, v, 16).ptr);
  if (hex.size() < static_cast<std::size_t>(digits)) hex.insert(0, digits - hex.size(), '0');
  return "0x" + hex;
}

std::string Text(std::string_view s) {
  return std::string(s);
}

int IndexOf(const TypeLibrary& lib, const TypeInfo& t) {
  return static_cast<int>(&t - lib.types.data()) + 1;
}

std::string Heading(const TypeLibrary& lib, const TypeInfo& t) {
  const std::string flags =
      t.flags ? "type flags " + Hex(t.flags, 4) + " (" + TypeFlagNames(t.flags) + ")"
              : std::string("no type flags");
  return "    // type " + std::to_string(IndexOf(lib, t)) + " of " +
         std::to_string(lib.types.size()) + ", " + flags + "\n";
}

std::string Attributes(const TypeInfo& t, std::initializer_list<std::string_view> extra) {
  std::string out = "    [\n      uuid(" + Text(t.guid) + "),\n      version(1.0)";
  for (std::string_view e : extra) out += ",\n      " + Text(e);
  return out + "\n    ]\n";
}

std::string DefaultText(const ParamInfo& p) {
  if (p.type == TypeId::Bool) return p.defaultValue.ToBool() ? "-1" : "0";
  if (p.type == TypeId::String) return "\"" + ToUtf8(p.defaultValue.ToText()) + "\"";
  return ToUtf8(p.defaultValue.ToText());
}

std::string Param(const ParamInfo& p) {
  std::string attrs = p.byRef ? "in, out" : "in";
  if (p.optional) attrs += ", optional, defaultvalue(" + DefaultText(p) + ")";
  return "[" + attrs + "] " + TypeName(p.type) + (p.byRef ? "* " : " ") + Text(p.name);
}

std::string Member(const MemberInfo& m, bool dual, int slot) {
  std::string attrs = "id(" + DispIdText(m.dispid) + ")";
  if (m.kind == MemberKind::PropertyGet) attrs += ", propget";
  if (m.kind == MemberKind::PropertyPut) attrs += ", propput";
  std::string params;
  for (const ParamInfo& p : m.params) params += (params.empty() ? "" : ", ") + Param(p);
  if (dual && m.result != TypeId::Void) {
    params += (params.empty() ? "" : ", ") + std::string("[out, retval] ") + TypeName(m.result) +
              "* Result";
  }
  const std::string head = dual ? "HRESULT " : "void ";
  return "        [" + attrs + "]\n        " + head + Text(m.name) + "(" + params + ");  // slot " +
         std::to_string(slot) + "\n";
}

std::string Members(const TypeInfo& t, bool dual) {
  std::string out;
  int slot = 0;
  for (const MemberInfo& m : t.members) out += Member(m, dual, ++slot);
  return out;
}

std::string Enumeration(const TypeLibrary& lib, const TypeInfo& t) {
  std::string out =
      Heading(lib, t) + "    typedef [uuid(" + Text(t.guid) + "), version(1.0)]\n    enum {\n";
  for (std::size_t i = 0; i < t.constants.size(); ++i) {
    const EnumConstant& c = t.constants[i];
    out += "        [helpstring(\"" + Text(c.name) + "\")] " + Text(c.name) + " = " +
           std::to_string(c.value) + (i + 1 < t.constants.size() ? "," : "") + "  // member id " +
           Hex(static_cast<std::uint32_t>(c.memberId), 8) + "\n";
  }
  return out + "    } " + Text(t.name) + ";\n\n";
}

std::string Record(const TypeLibrary& lib, const TypeInfo& t) {
  std::string out = Heading(lib, t) + "    // " + std::to_string(t.size) + " bytes, " +
                    std::to_string(t.alignment) + "-byte alignment\n    typedef [uuid(" +
                    Text(t.guid) + "), version(1.0)]\n    struct tag" + Text(t.name) + " {\n";
  for (const RecordField& f : t.fields) {
    out += "        [helpstring(\"" + Text(f.name) + "\")] " + TypeName(f.type) + " " +
           Text(f.name) + ";  // offset " + std::to_string(f.offset) + ", member id " +
           Hex(static_cast<std::uint32_t>(f.memberId), 8) + "\n";
  }
  return out + "    } " + Text(t.name) + ";\n\n";
}

std::string DualInterface(const TypeLibrary& lib, const TypeInfo& t) {
  return Heading(lib, t) + Attributes(t, {"hidden", "dual", "nonextensible", "oleautomation"}) +
         "    interface " + Text(t.name) + " : IDispatch {\n" + Members(t, true) + "    };\n\n";
}

std::string DispInterface(const TypeLibrary& lib, const TypeInfo& t) {
  return Heading(lib, t) + Attributes(t, {"hidden", "nonextensible"}) + "    dispinterface " +
         Text(t.name) + " {\n        properties:\n        methods:\n" + Members(t, false) +
         "    };\n\n";
}

std::string CoClass(const TypeLibrary& lib, const TypeInfo& t) {
  std::string out =
      Heading(lib, t) + Attributes(t, {"control"}) + "    coclass " + Text(t.name) + " {\n";
  for (const ImplementedInterface& i : t.interfaces) {
    std::string attrs = i.isDefault ? "default" : "";
    if (i.isSource) attrs += attrs.empty() ? "source" : ", source";
    out += "        [" + attrs + "] " + (i.isSource ? "dispinterface " : "interface ") +
           Text(i.name) + ";\n";
  }
  return out + "    };\n\n";
}

}  // namespace

std::string DispIdText(DispId id) {
  return Hex(static_cast<std::uint32_t>(id), 8);
}

std::string TypeFlagNames(std::uint32_t flags) {
  static const std::pair<std::uint32_t, const char*> kNames[] = {
      {kTypeFlagHidden, "hidden"},
      {kTypeFlagControl, "control"},
      {kTypeFlagDual, "dual"},
      {kTypeFlagNonExtensible, "nonextensible"},
      {kTypeFlagOleAutomation, "oleautomation"},
      {kTypeFlagDispatchable, "dispatchable"},
  };
  std::string out;
  for (const auto& [bit, name] : kNames) {
    if (flags & bit) out += (out.empty() ? "" : " ") + std::string(name);
  }
  return out;
}

std::string WriteIdl(const TypeLibrary& lib) {
  const std::string version =
      std::to_string(lib.majorVersion) + "." + std::to_string(lib.minorVersion);
  std::string out = "// " + Text(lib.name) + " " + version + ", " +
                    std::to_string(lib.types.size()) + " types.\n[\n  uuid(" + Text(lib.guid) +
                    "),\n  version(" + version + "),\n  helpstring(\"" + Text(lib.helpString) +
                    "\"),\n  lcid(" + Hex(lib.lcid, 4) + ")" +
                    ((lib.flags & kLibFlagControl) ? ",\n  control" : "") + "\n]\nlibrary " +
                    Text(lib.name) + "\n{\n    importlib(\"" + Text(lib.import) + "\");\n\n";
  // Interfaces are declared first so the control class may name them;
  // enumerations and the record are defined before the members using them.
  for (const TypeInfo& t : lib.types) {
    if (t.kind == TypeKind::DualInterface) out += "    interface " + Text(t.name) + ";\n";
    if (t.kind == TypeKind::DispInterface) out += "    dispinterface " + Text(t.name) + ";\n";
  }
  out += "\n";
  for (const TypeInfo& t : lib.types) {
    if (t.kind == TypeKind::Enum) out += Enumeration(lib, t);
    if (t.kind == TypeKind::Record) out += Record(lib, t);
  }
  for (const TypeInfo& t : lib.types) {
    switch (t.kind) {
      case TypeKind::DualInterface:
        out += DualInterface(lib, t);
        break;
      case TypeKind::CoClass:
        out += CoClass(lib, t);
        break;
      case TypeKind::DispInterface:
        out += DispInterface(lib, t);
        break;
      case TypeKind::Enum:
      case TypeKind::Record:
        break;
    }
  }
  return out + "};\n";
}

}  // namespace palvex
