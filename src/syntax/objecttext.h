// The object text notation in which schemes are stored: its syntax tree, the reader that builds
// the tree from text, and the pieces the writer is made of.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorel {

struct TTextProperty;

// One value as written after "=".
struct TTextValue {
  enum TKind { vkIdent, vkString, vkInteger, vkFloat, vkSet, vkList, vkCollection, vkBinary };
  TKind Kind = vkIdent;
  // Identifier (dotted), string bytes, number as written, or binary bytes.
  std::string Text;
  // Set members and list values.
  std::vector<TTextValue> Items;
  // Collection items, each a list of properties.
  std::vector<std::vector<TTextProperty>> CollectionItems;
  int Line = 0;
};

struct TTextProperty {
  std::string Name;  // dotted path, as written
  TTextValue Value;
  int Line = 0;
};

struct TTextObject {
  std::string ObjectName;  // may be empty
  std::string ClassName;
  bool Inherited = false;
  std::vector<TTextProperty> Properties;
  std::vector<TTextObject> Children;
};

// Reads one object in the notation; anything after its final "end" is not looked at. Throws
// EVrelError "<message> on line <n>" when the text does not follow the notation.
TTextObject ParseObjectText(std::string_view text);

// Writer pieces. Lines end in CR LF; each nesting level indents by two blanks.
namespace objecttext {

inline constexpr const char* kLineBreak = "\r\n";

std::string Indent(int level);
// A string value for a property line at `level`: "''" when empty; runs of printable characters in
// apostrophes and "#" codes for the others; a string longer than 64 characters starts on a new
// line one level deeper, and every 64 characters the line goes on after " +".
std::string QuoteString(std::string_view s, int level);

}  // namespace objecttext

}  // namespace quorel
