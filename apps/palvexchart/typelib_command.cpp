#include "typelib_command.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

#include "control/automation/idl_writer.h"

namespace palvex {

namespace {

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

const char* KindName(TypeKind kind) {
  switch (kind) {
    case TypeKind::DualInterface:
      return "dual interface";
    case TypeKind::CoClass:
      return "control class";
    case TypeKind::DispInterface:
      return "dispatch interface";
    case TypeKind::Enum:
      return "enumeration";
    case TypeKind::Record:
      return "record";
  }
  return "?";
}

const char* KindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::Method:
      return "method";
    case MemberKind::PropertyGet:
      return "propget";
    case MemberKind::PropertyPut:
      return "propput";
  }
  return "?";
}

QJsonValue DefaultJson(const ParamInfo& p) {
  if (p.type == TypeId::Bool) return p.defaultValue.ToBool();
  if (p.type == TypeId::String) return QString::fromStdU16String(p.defaultValue.ToText());
  return p.defaultValue.ToR8();
}

QJsonObject MemberJson(const MemberInfo& m, int slot) {
  QJsonArray params;
  for (const ParamInfo& p : m.params) {
    QJsonObject param{{"name", Text(p.name)},
                      {"type", TypeName(p.type)},
                      {"byRef", p.byRef},
                      {"optional", p.optional}};
    if (p.optional) param.insert("default", DefaultJson(p));
    params.append(param);
  }
  return QJsonObject{{"slot", slot},
                     {"name", Text(m.name)},
                     {"kind", KindName(m.kind)},
                     {"dispid", m.dispid},
                     {"dispidHex", QString::fromStdString(DispIdText(m.dispid))},
                     {"params", params},
                     {"result", TypeName(m.result)}};
}

QJsonObject TypeJson(const TypeInfo& t, int index) {
  QJsonObject o{{"index", index},
                {"name", Text(t.name)},
                {"kind", KindName(t.kind)},
                {"guid", Text(t.guid)},
                {"typeFlags", static_cast<qint64>(t.flags)},
                {"typeFlagNames", QString::fromStdString(TypeFlagNames(t.flags))}};
  if (t.kind == TypeKind::DualInterface) o.insert("base", "IDispatch");
  if (!t.members.empty()) {
    QJsonArray members;
    int slot = 0;
    for (const MemberInfo& m : t.members) members.append(MemberJson(m, ++slot));
    o.insert("members", members);
  }
  if (!t.interfaces.empty()) {
    QJsonArray interfaces;
    for (const ImplementedInterface& i : t.interfaces) {
      interfaces.append(
          QJsonObject{{"name", Text(i.name)}, {"default", i.isDefault}, {"source", i.isSource}});
    }
    o.insert("interfaces", interfaces);
  }
  if (!t.constants.empty()) {
    QJsonArray constants;
    for (const EnumConstant& c : t.constants) {
      constants.append(QJsonObject{{"name", Text(c.name)},
                                   {"value", c.value},
                                   {"memberId", c.memberId},
                                   {"helpString", Text(c.name)}});
    }
    o.insert("constants", constants);
  }
  if (!t.fields.empty()) {
    QJsonArray fields;
    for (const RecordField& f : t.fields) {
      fields.append(QJsonObject{{"name", Text(f.name)},
                                {"type", TypeName(f.type)},
                                {"offset", static_cast<int>(f.offset)},
                                {"memberId", f.memberId},
                                {"helpString", Text(f.name)}});
    }
    o.insert("fields", fields);
  }
  if (t.size) {
    o.insert("size", static_cast<int>(t.size));
    o.insert("alignment", static_cast<int>(t.alignment));
  }
  return o;
}

}  // namespace

QJsonObject TypeLibraryJson(const TypeLibrary& lib) {
  QJsonArray types;
  int index = 0;
  for (const TypeInfo& t : lib.types) types.append(TypeJson(t, ++index));
  return QJsonObject{
      {"name", Text(lib.name)},
      {"guid", Text(lib.guid)},
      {"version", QStringLiteral("%1.%2").arg(lib.majorVersion).arg(lib.minorVersion)},
      {"helpString", Text(lib.helpString)},
      {"lcid", static_cast<int>(lib.lcid)},
      {"libraryFlags", static_cast<int>(lib.flags)},
      {"control", (lib.flags & kLibFlagControl) != 0},
      {"imports", QJsonArray{Text(lib.import)}},
      {"types", types},
  };
}

int TypelibCommand(const QStringList& args) {
  QCommandLineParser parser;
  QCommandLineOption json("json", "print the library as JSON instead of IDL");
  parser.addOption(json);
  if (!parser.parse(args) || !parser.positionalArguments().isEmpty()) {
    std::fputs("usage: palvexchart typelib [--json]\n", stderr);
    return 2;
  }
  const TypeLibrary& lib = PalvexChartLibrary();
  const QByteArray out = parser.isSet(json) ? QJsonDocument(TypeLibraryJson(lib)).toJson()
                                            : QByteArray::fromStdString(WriteIdl(lib));
  std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
  return 0;
}

}  // namespace palvex
