#include "platform/qt/json_property_bag.h"

#include <QFile>
#include <QJsonDocument>
#include <cmath>

#include "platform/chart_error.h"
#include "platform/qt/json_error_line.h"
#include "platform/qt/json_marks.h"
#include "platform/qt/picture_file.h"
#include "platform/qt/qt_text.h"

namespace palvex {

namespace {

[[noreturn]] void Fail(int number, const QString& message) {
  throw ChartError(number, message.toStdString());
}

[[noreturn]] void TooLarge(const QString& source) {
  Fail(kErrInvalidPropertyValue,
       QStringLiteral("%1: larger than %2 MiB, the most a property bag may hold")
           .arg(source)
           .arg(JsonPropertyBag::kMaxBytes / (1024 * 1024)));
}

}  // namespace

JsonPropertyBag JsonPropertyBag::Load(const QString& path) {
  QFile file(path);
  if (!file.exists()) Fail(kErrFileNotFound, QStringLiteral("%1: no such file").arg(path));
  if (!file.open(QIODevice::ReadOnly))
    Fail(kErrPathAccess, QStringLiteral("%1: %2").arg(path, file.errorString()));
  // A pipe tells no size: what is read stops one byte past the bound.
  if (file.size() > kMaxBytes) TooLarge(path);
  return Parse(file.read(kMaxBytes + 1), path);
}

JsonPropertyBag JsonPropertyBag::Parse(const QByteArray& given, const QString& source) {
  if (given.size() > kMaxBytes) TooLarge(source);
  const QByteArray json = EscapedByteOrderMarks(given);
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError) {
    Fail(kErrInvalidPropertyValue, QStringLiteral("%1: line %2: %3")
                                       .arg(source)
                                       .arg(JsonErrorLine(json, error))
                                       .arg(error.errorString()));
  }
  if (!doc.isObject())
    Fail(kErrInvalidPropertyValue,
         QStringLiteral("%1: a property bag is one JSON object").arg(source));
  JsonPropertyBag bag;
  bag.values_ = doc.object();
  if (bag.values_.size() > kMaxKeys)
    Fail(kErrInvalidPropertyValue,
         QStringLiteral("%1: a property bag holds at most %2 keys (this one %3)")
             .arg(source)
             .arg(kMaxKeys)
             .arg(bag.values_.size()));
  // Keys match in any case, so two spellings of one key would be ambiguous.
  for (auto it = bag.values_.begin(); it != bag.values_.end(); ++it) {
    const auto [known, added] = bag.spellings_.emplace(FoldedKey(FromQString(it.key())), it.key());
    if (!added)
      Fail(kErrInvalidPropertyValue,
           QStringLiteral("%1: keys \"%2\" and \"%3\" differ only in letter case")
               .arg(source, known->second, it.key()));
  }
  return bag;
}

QByteArray JsonPropertyBag::ToJson() const {
  return EscapedByteOrderMarks(QJsonDocument(values_).toJson());
}

void JsonPropertyBag::Save(const QString& path) const {
  if (const QString error = SaveBytesAtomically(ToJson(), path); !error.isEmpty())
    Fail(kErrPathAccess, error);
}

std::optional<QString> JsonPropertyBag::FindKey(std::u16string_view key) const {
  const auto found = spellings_.find(FoldedKey(key));
  if (found == spellings_.end()) return std::nullopt;
  return found->second;
}

std::optional<BagValue> JsonPropertyBag::Read(std::u16string_view key) {
  const std::optional<QString> found = FindKey(key);
  if (!found) return std::nullopt;
  const QJsonValue v = values_.value(*found);
  switch (v.type()) {
    case QJsonValue::Double:
      return BagValue(v.toDouble());
    case QJsonValue::Bool:
      return BagValue(v.toBool());
    case QJsonValue::String:
      return BagValue(FromQString(v.toString()));
    default:
      Fail(kErrTypeMismatch,
           QStringLiteral("\"%1\" must be a number, true/false or a string").arg(*found));
  }
}

void JsonPropertyBag::Write(std::u16string_view key, const BagValue& value) {
  QJsonValue json;
  switch (value.type()) {
    case BagValue::Type::Number:
      if (!std::isfinite(value.AsNumber()))
        Fail(
            kErrInvalidPropertyValue,
            QStringLiteral("\"%1\": %2 cannot be saved").arg(ToQString(key)).arg(value.AsNumber()));
      json = value.AsNumber();
      break;
    case BagValue::Type::Boolean:
      json = value.AsBoolean();
      break;
    case BagValue::Type::Text:
      json = ToQString(value.AsText());
      break;
    case BagValue::Type::Int32:
      json = static_cast<qint64>(value.AsInt32());
      break;
  }
  if (const std::optional<QString> old = FindKey(key)) values_.remove(*old);
  values_.insert(ToQString(key), json);
  spellings_.insert_or_assign(FoldedKey(key), ToQString(key));
}

}  // namespace palvex
