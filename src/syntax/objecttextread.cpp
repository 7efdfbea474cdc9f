// Reading the object text notation into its syntax tree.
#include <cstdint>

#include "engine/vrelerror.h"
#include "syntax/objecttext.h"
#include "syntax/schemevalues.h"

namespace quorel {

namespace {

// Deeper nesting than any scheme needs is refused rather than risking the stack.
constexpr int kMaxDepth = 64;

enum TLexToken { lxEnd, lxSymbol, lxString, lxInteger, lxFloat, lxChar };

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

class TLexer {
 public:
  explicit TLexer(std::string_view text) : text_(text) { Next(); }

  TLexToken Kind() const { return kind_; }
  char Char() const { return char_; }
  const std::string& Text() const { return token_; }
  int Line() const { return tokenLine_; }

  [[noreturn]] void Error(const std::string& message) const {
    throw EVrelError(message + " on line " + std::to_string(tokenLine_));
  }

  bool Is(char c) const { return kind_ == lxChar && char_ == c; }
  bool SymbolIs(std::string_view word) const {
    return kind_ == lxSymbol && SameIdent(token_, word);
  }

  void Check(TLexToken kind) const {
    if (kind_ == kind) return;
    switch (kind) {
      case lxSymbol:
        Error("Identifier expected");
      case lxString:
        Error("String expected");
      case lxInteger:
      case lxFloat:
        Error("Number expected");
      default:
        Error("Invalid property value");
    }
  }
  void CheckChar(char c) const {
    if (!Is(c)) Error(std::string("''") + c + "'' expected");
  }
  void CheckSymbol(std::string_view word) const {
    if (!SymbolIs(word)) Error(std::string(word) + " expected");
  }

  void Next() {
    SkipBlanks();
    tokenLine_ = line_;
    token_.clear();
    if (pos_ >= text_.size()) {
      kind_ = lxEnd;
      char_ = '\0';
      return;
    }
    char c = text_[pos_];
    if (IsLetter(c)) {
      size_t start = pos_;
      while (pos_ < text_.size() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_]))) ++pos_;
      token_.assign(text_.substr(start, pos_ - start));
      kind_ = lxSymbol;
    } else if (c == '\'' || c == '#') {
      ReadString();
      kind_ = lxString;
    } else if (c == '$' && pos_ + 1 < text_.size() && IsHexDigit(text_[pos_ + 1])) {
      size_t start = pos_++;
      while (pos_ < text_.size() && IsHexDigit(text_[pos_])) ++pos_;
      token_.assign(text_.substr(start, pos_ - start));
      kind_ = lxInteger;
    } else if (IsDigit(c) || (c == '-' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) {
      size_t start = pos_++;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
      kind_ = lxInteger;
      while (pos_ < text_.size() &&
             (IsDigit(text_[pos_]) || text_[pos_] == '.' || text_[pos_] == 'e' ||
              text_[pos_] == 'E' || text_[pos_] == '+' || text_[pos_] == '-')) {
        ++pos_;
        kind_ = lxFloat;
      }
      token_.assign(text_.substr(start, pos_ - start));
    } else {
      kind_ = lxChar;
      char_ = c;
      token_.assign(1, c);
      ++pos_;
    }
  }

  // "{" hexadecimal digit pairs "}", read from just after the "{" token.
  std::string ReadBinary() {
    std::string bytes;
    for (;;) {
      SkipBlanks();
      if (pos_ >= text_.size()) Error("Invalid binary value");
      if (text_[pos_] == '}') {
        ++pos_;
        Next();
        return bytes;
      }
      if (pos_ + 1 >= text_.size() || !IsHexDigit(text_[pos_]) || !IsHexDigit(text_[pos_ + 1]))
        Error("Invalid binary value");
      bytes.push_back(static_cast<char>(HexValue(text_[pos_]) * 16 + HexValue(text_[pos_ + 1])));
      pos_ += 2;
    }
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n' || (c == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n')))
        ++line_;
      // Every control character counts as a blank, as a line break or tab does; a zero byte is
      // not taken for the end of the text.
      if (static_cast<unsigned char>(c) > ' ' || c == '\0') return;
      ++pos_;
    }
  }

  // Quoted pieces and "#" codes side by side.
  void ReadString() {
    for (;;) {
      if (pos_ >= text_.size()) return;
      char c = text_[pos_];
      if (c == '#') {
        ++pos_;
        uint32_t code = 0;
        size_t digits = 0;
        bool hex = pos_ < text_.size() && text_[pos_] == '$';
        if (hex) ++pos_;
        while (pos_ < text_.size() && (hex ? IsHexDigit(text_[pos_]) : IsDigit(text_[pos_]))) {
          code = code * (hex ? 16 : 10) +
                 static_cast<uint32_t>(hex ? HexValue(text_[pos_]) : text_[pos_] - '0');
          ++pos_;
          // A code beyond one byte is no character of an 8-bit text.
          if (++digits > 8 || code > 255) Error("Invalid string constant");
        }
        if (digits == 0) Error("Invalid string constant");
        token_.push_back(static_cast<char>(code));
      } else if (c == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
            Error("Invalid string constant");
          if (text_[pos_] == '\'') {
            ++pos_;
            if (pos_ >= text_.size() || text_[pos_] != '\'') break;
          }
          token_.push_back(text_[pos_++]);
        }
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  int tokenLine_ = 1;
  TLexToken kind_ = lxEnd;
  char char_ = '\0';
  std::string token_;
};

class TTreeReader {
 public:
  explicit TTreeReader(std::string_view text) : lex_(text) {}

  TTextObject Object(int depth) {
    if (depth > kMaxDepth) lex_.Error("Invalid property value");
    TTextObject object;
    if (lex_.SymbolIs("inherited"))
      object.Inherited = true;
    else
      lex_.CheckSymbol("object");
    lex_.Next();
    lex_.Check(lxSymbol);
    object.ClassName = lex_.Text();
    lex_.Next();
    if (lex_.Is(':')) {
      lex_.Next();
      lex_.Check(lxSymbol);
      object.ObjectName = object.ClassName;
      object.ClassName = lex_.Text();
      lex_.Next();
    }
    OrderModifier();
    while (!lex_.SymbolIs("end") && !lex_.SymbolIs("object") && !lex_.SymbolIs("inherited"))
      object.Properties.push_back(Property(depth));
    while (!lex_.SymbolIs("end")) object.Children.push_back(Object(depth + 1));
    lex_.Next();
    return object;
  }

 private:
  // "[" integer "]", read and ignored.
  void OrderModifier() {
    if (!lex_.Is('[')) return;
    lex_.Next();
    lex_.Check(lxInteger);
    lex_.Next();
    lex_.CheckChar(']');
    lex_.Next();
  }

  TTextProperty Property(int depth) {
    TTextProperty p;
    lex_.Check(lxSymbol);
    p.Line = lex_.Line();
    p.Name = lex_.Text();
    lex_.Next();
    while (lex_.Is('.')) {
      lex_.Next();
      lex_.Check(lxSymbol);
      p.Name += '.';
      p.Name += lex_.Text();
      lex_.Next();
    }
    lex_.CheckChar('=');
    lex_.Next();
    p.Value = Value(depth + 1);
    return p;
  }

  TTextValue Value(int depth) {
    if (depth > kMaxDepth) lex_.Error("Invalid property value");
    TTextValue v;
    v.Line = lex_.Line();
    switch (lex_.Kind()) {
      case lxString:
        v.Kind = TTextValue::vkString;
        v.Text = lex_.Text();
        lex_.Next();
        while (lex_.Is('+')) {
          lex_.Next();
          lex_.Check(lxString);
          v.Text += lex_.Text();
          lex_.Next();
        }
        return v;
      case lxSymbol:
        v.Kind = TTextValue::vkIdent;
        v.Text = lex_.Text();
        lex_.Next();
        while (lex_.Is('.')) {
          lex_.Next();
          lex_.Check(lxSymbol);
          v.Text += '.';
          v.Text += lex_.Text();
          lex_.Next();
        }
        return v;
      case lxInteger:
      case lxFloat:
        v.Kind = lex_.Kind() == lxInteger ? TTextValue::vkInteger : TTextValue::vkFloat;
        v.Text = lex_.Text();
        lex_.Next();
        return v;
      case lxChar:
        break;
      case lxEnd:
        lex_.Error("Invalid property value");
    }
    switch (lex_.Char()) {
      case '[':
        v.Kind = TTextValue::vkSet;
        lex_.Next();
        if (!lex_.Is(']')) {
          for (;;) {
            if (lex_.Kind() != lxInteger && lex_.Kind() != lxString) lex_.Check(lxSymbol);
            TTextValue member;
            member.Kind = lex_.Kind() == lxSymbol   ? TTextValue::vkIdent
                          : lex_.Kind() == lxString ? TTextValue::vkString
                                                    : TTextValue::vkInteger;
            member.Text = lex_.Text();
            member.Line = lex_.Line();
            v.Items.push_back(std::move(member));
            lex_.Next();
            if (lex_.Is(']')) break;
            lex_.CheckChar(',');
            lex_.Next();
          }
        }
        lex_.Next();
        return v;
      case '(':
        v.Kind = TTextValue::vkList;
        lex_.Next();
        while (!lex_.Is(')')) v.Items.push_back(Value(depth + 1));
        lex_.Next();
        return v;
      case '{':
        v.Kind = TTextValue::vkBinary;
        v.Text = lex_.ReadBinary();
        return v;
      case '<':
        v.Kind = TTextValue::vkCollection;
        lex_.Next();
        while (!lex_.Is('>')) {
          lex_.CheckSymbol("item");
          lex_.Next();
          OrderModifier();
          std::vector<TTextProperty> item;
          while (!lex_.SymbolIs("end")) item.push_back(Property(depth));
          lex_.Next();
          v.CollectionItems.push_back(std::move(item));
        }
        lex_.Next();
        return v;
      default:
        lex_.Error("Invalid property value");
    }
  }

  TLexer lex_;
};

}  // namespace

TTextObject ParseObjectText(std::string_view text) {
  TTreeReader reader(text);
  return reader.Object(0);
}

}  // namespace quorel
