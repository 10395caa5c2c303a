#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <string>
#include <unordered_map>

#include "platform/property_bag.h"

namespace palvex {

// A property bag kept as a JSON object in a file: each key holds a number,
// true/false or a string. Keys match in any letter case. Nothing touches
// the file until Save, which writes a temporary file and renames it over
// the old one, so a failure never leaves a half-written bag.
class JsonPropertyBag : public PropertyBag {
 public:
  JsonPropertyBag() = default;

  // The control writes 22 keys, and a bag at most a little over 1 MiB
  // (five texts of 32,767 units, each written out as \u escapes): these
  // bounds leave room for many times that and for other keys kept beside
  // them, yet keep a hostile file from costing seconds and gigabytes.
  static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;
  static constexpr qsizetype kMaxKeys = 1024;

  // Raises ChartError: File not found (53) or Path/File access (75) when
  // the file cannot be read, Invalid property value (380) with the line
  // for malformed JSON, a document that is not an object, or two keys
  // that differ only in letter case, and naming the bound for a file
  // larger than kMaxBytes (refused from its size, before it is read) or
  // holding more than kMaxKeys keys.
  static JsonPropertyBag Load(const QString& path);
  static JsonPropertyBag Parse(const QByteArray& json, const QString& source);

  // Whole or not at all (SaveAtomically). Raises ChartError Path/File
  // access (75) naming the file and the reason.
  void Save(const QString& path) const;
  QByteArray ToJson() const;

  // Raises Type mismatch (13) naming the key for a value that is an array,
  // an object or null.
  std::optional<BagValue> Read(std::u16string_view key) override;
  // Raises Invalid property value (380) naming the key for a number JSON
  // cannot hold (NaN, infinities).
  void Write(std::u16string_view key, const BagValue& value) override;

 private:
  // The key as the file spells it.
  std::optional<QString> FindKey(std::u16string_view key) const;

  QJsonObject values_;
  // Each key's folded spelling (FoldedKey) to the spelling in values_.
  std::unordered_map<std::u16string, QString> spellings_;
};

}  // namespace palvex
