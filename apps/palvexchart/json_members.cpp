#include "json_members.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <optional>

namespace palvex {

namespace {

// Steps over the tokens of a JSON text that is known to be valid. It never
// reads past the end, even of a text that is not.
class Scanner {
 public:
  explicit Scanner(QByteArrayView text) : text_(text) {}

  // The members of the object that starts here, as the text spells them.
  template <typename F>
  void Members(F&& onMember) {
    Expect('{');
    if (Peek() == '}') return;
    do {
      const QByteArrayView key = Value();
      Expect(':');
      onMember(key, Value());
    } while (Next() == ',');
  }

  // The text of the value that starts here.
  QByteArrayView Value() {
    SkipBlanks();
    const qsizetype start = pos_;
    int depth = 0;
    do {
      const char c = Next();
      if (c == '"') {
        SkipStringRest();
      } else if (c == '{' || c == '[') {
        ++depth;
      } else if (c == '}' || c == ']') {
        --depth;
      } else if (depth == 0) {
        while (pos_ < text_.size() && !IsEnd(text_[pos_])) ++pos_;
      }
    } while (depth > 0 && pos_ < text_.size());
    return text_.sliced(start, pos_ - start);
  }

 private:
  static bool IsEnd(char c) {
    return c == ',' || c == '}' || c == ']' || c == ' ' || c == '\t' || c == '\n' || c == '\r';
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }
  void SkipStringRest() {
    while (pos_ < text_.size() && text_[pos_] != '"') pos_ += text_[pos_] == '\\' ? 2 : 1;
    pos_ = std::min(pos_ + 1, text_.size());
  }
  // The next character that is not a blank; '\0' at the end.
  char Peek() {
    SkipBlanks();
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  char Next() {
    const char c = Peek();
    pos_ = std::min(pos_ + 1, text_.size());
    return c;
  }
  // Steps over a character that a valid text has here.
  void Expect(char) { Next(); }

  QByteArrayView text_;
  qsizetype pos_ = 0;
};

// One JSON value's text as a value: the parser does the unescaping.
QJsonValue Decode(QByteArrayView text) {
  return QJsonDocument::fromJson("[" + text.toByteArray() + "]").array().at(0);
}

}  // namespace

std::vector<JsonMember> MembersInOrder(const QByteArray& json, const QString& name) {
  std::optional<QByteArrayView> held;
  QByteArrayView text(json);
  if (text.startsWith("\xEF\xBB\xBF")) text = text.sliced(3);  // the parser allows a BOM
  Scanner(text).Members([&](QByteArrayView key, QByteArrayView value) {
    if (Decode(key).toString() == name) held = value;
  });
  std::vector<JsonMember> members;
  if (!held || !held->startsWith('{')) return members;
  Scanner(*held).Members([&](QByteArrayView key, QByteArrayView value) {
    members.push_back({Decode(key).toString(), Decode(value)});
  });
  return members;
}

}  // namespace palvex
