// Reading a scheme from object text. The text is first read whole into a syntax tree, so a text
// that does not follow the notation changes nothing; then each property is applied in file order,
// and one that is unknown or has a value of the wrong kind is passed over with its whole value.
#include <bitset>
#include <cstdint>
#include <limits>
#include <optional>

#include "syntax/objecttext.h"
#include "syntax/schemefields.h"
#include "syntax/schemefile.h"
#include "syntax/schemevalues.h"
#include "syntax/syntaxscheme.h"

namespace quorel {

namespace {

using TProps = std::vector<TTextProperty>;

std::optional<int64_t> Integer(const TTextValue& v) {
  if (v.Kind != TTextValue::vkInteger || v.Text.empty()) return std::nullopt;
  std::string_view t = v.Text;
  bool negative = t[0] == '-';
  bool hex = t[0] == '$';
  if (negative || hex) t.remove_prefix(1);
  if (t.empty()) return std::nullopt;
  uint64_t base = hex ? 16 : 10;
  uint64_t value = 0;
  for (char c : t) {
    uint64_t digit = c >= '0' && c <= '9' ? static_cast<uint64_t>(c - '0')
                                          : static_cast<uint64_t>((c | 0x20) - 'a' + 10);
    // Numbers beyond 32 bits fit no property; stop before they overflow.
    if (value > (uint64_t{1} << 40)) return std::nullopt;
    value = value * base + digit;
  }
  int64_t signedValue = static_cast<int64_t>(value);
  return negative ? -signedValue : signedValue;
}

bool ReadInt(const TTextValue& v, int& out) {
  auto n = Integer(v);
  if (!n || *n < std::numeric_limits<int32_t>::min() || *n > std::numeric_limits<int32_t>::max())
    return false;
  out = static_cast<int>(*n);
  return true;
}

bool ReadBool(const TTextValue& v, bool& out) {
  if (v.Kind != TTextValue::vkIdent) return false;
  if (SameIdent(v.Text, "True")) return out = true, true;
  if (SameIdent(v.Text, "False")) return out = false, true;
  return false;
}

bool ReadString(const TTextValue& v, std::string& out) {
  if (v.Kind != TTextValue::vkString) return false;
  out = v.Text;
  return true;
}

bool ReadColor(const TTextValue& v, TColor& out) {
  if (v.Kind == TTextValue::vkIdent) {
    auto c = ColorFromIdent(v.Text);
    if (c) out = *c;
    return c.has_value();
  }
  auto n = Integer(v);
  if (!n || *n < std::numeric_limits<int32_t>::min() || *n > std::numeric_limits<uint32_t>::max())
    return false;
  out = static_cast<TColor>(static_cast<uint32_t>(*n));
  return true;
}

bool ReadCharset(const TTextValue& v, int& out) {
  if (v.Kind == TTextValue::vkIdent) {
    auto c = CharsetFromIdent(v.Text);
    if (c) out = *c;
    return c.has_value();
  }
  auto n = Integer(v);
  if (!n || *n < 0 || *n > 255) return false;
  out = static_cast<int>(*n);
  return true;
}

bool ReadFontStyle(const TTextValue& v, TFontStyles& out) {
  if (v.Kind != TTextValue::vkSet) return false;
  TFontStyles style;
  for (const TTextValue& member : v.Items) {
    auto s = member.Kind == TTextValue::vkIdent ? FontStyleFromIdent(member.Text) : std::nullopt;
    if (!s) return false;
    style.Include(*s);
  }
  out = style;
  return true;
}

// A collection replaces the list only when it has items; each item starts from `make()`.
template <typename TList, typename TMake, typename TApply>
bool ReadCollection(const TTextValue& v, TList& list, TMake make, TApply apply) {
  if (v.Kind != TTextValue::vkCollection) return false;
  if (v.CollectionItems.empty()) return true;
  list.clear();
  for (const TProps& props : v.CollectionItems) {
    auto& item = make(list);
    for (const TTextProperty& p : props) apply(item, p.Name, p.Value);
  }
  return true;
}

template <typename TList>
auto& AppendDefault(TList& list) {
  return list.emplace_back();
}

// Properties of the token items; a name that the item does not have is passed over.
void ApplyToken(TToken& t, std::string_view name, const TTextValue& v) {
  if (SameIdent(name, "FontID"))
    ReadInt(v, t.FontID);
  else if (SameIdent(name, "UseToken"))
    ReadBool(v, t.UseToken);
}

void ApplyLineToken(TLineToken& t, std::string_view name, const TTextValue& v) {
  if (SameIdent(name, "LeftDelimiter"))
    ReadString(v, t.LeftDelimiter);
  else
    ApplyToken(t, name, v);
}

void ApplyBlockToken(TBlockToken& t, std::string_view name, const TTextValue& v) {
  if (SameIdent(name, "RightDelimiter"))
    ReadString(v, t.RightDelimiter);
  else
    ApplyLineToken(t, name, v);
}

void ApplyKeywordSet(TKeywordSet& k, std::string_view name, const TTextValue& v) {
  if (SameIdent(name, "Name"))
    ReadString(v, k.Name);
  else if (SameIdent(name, "Keywords"))
    ReadString(v, k.Keywords);
  else
    ApplyToken(k, name, v);
}

void ApplyDelimiters(TDelimiters& d, std::string_view name, const TTextValue& v) {
  if (SameIdent(name, "LeftDelimiter"))
    ReadString(v, d.LeftDelimiter);
  else if (SameIdent(name, "RightDelimiter"))
    ReadString(v, d.RightDelimiter);
  else if (SameIdent(name, "DelimitersArePartOfBlock"))
    ReadBool(v, d.DelimitersArePartOfBlock);
  else if (SameIdent(name, "UseToken"))
    ReadBool(v, d.UseToken);
}

void ApplyBlock(TSyntaxBlock& b, std::string_view name, const TTextValue& v) {
  for (const schemefile::TBlockField& f : schemefile::BlockFields()) {
    if (!SameIdent(f.Name, name)) continue;
    if (f.Bool) {
      ReadBool(v, b.*f.Bool);
    } else if (f.Int) {
      ReadInt(v, b.*f.Int);
    } else if (f.String) {
      ReadString(v, b.*f.String);
    } else if (f.Char) {
      if (v.Kind == TTextValue::vkString && v.Text.size() == 1) b.*f.Char = v.Text[0];
    } else if (f.Chars) {
      if (v.Kind == TTextValue::vkString) b.*f.Chars = CharSetFromText(v.Text);
    } else if (f.Delimiters) {
      ReadCollection(v, b.*f.Delimiters, AppendDefault<TDelimitersList>, ApplyDelimiters);
    } else if (f.LineTokens) {
      ReadCollection(v, b.*f.LineTokens, AppendDefault<TLineTokenList>, ApplyLineToken);
    } else if (f.BlockTokens) {
      ReadCollection(v, b.*f.BlockTokens, AppendDefault<TBlockTokenList>, ApplyBlockToken);
    } else if (f.KeywordSets) {
      ReadCollection(v, b.*f.KeywordSets, AppendDefault<TKeywordSetList>, ApplyKeywordSet);
    }
    return;
  }
}

void ApplyStyle(TAttrItem& a, std::string_view name, const TTextValue& v) {
  if (SameIdent(name, "FontID"))
    ReadInt(v, a.FontID);
  else if (SameIdent(name, "GlobalAttrID"))
    ReadString(v, a.GlobalAttrID);
  else if (SameIdent(name, "BlockID"))
    ReadInt(v, a.BlockID);
  else if (SameIdent(name, "BackColor"))
    ReadColor(v, a.BackColor);
  else if (SameIdent(name, "UseDefFont"))
    ReadBool(v, a.UseDefFont);
  else if (SameIdent(name, "UseDefBack"))
    ReadBool(v, a.UseDefBack);
  else if (SameIdent(name, "Font.Charset"))
    ReadCharset(v, a.Font.Charset);
  else if (SameIdent(name, "Font.Color"))
    ReadColor(v, a.Font.Color);
  else if (SameIdent(name, "Font.Height"))
    ReadInt(v, a.Font.Height);
  else if (SameIdent(name, "Font.Name"))
    ReadString(v, a.Font.Name);
  else if (SameIdent(name, "Font.Style"))
    ReadFontStyle(v, a.Font.Style);
  else if (SameIdent(name, "Font.Pitch")) {
    if (auto p = v.Kind == TTextValue::vkIdent ? PitchFromIdent(v.Text) : std::nullopt)
      a.Font.Pitch = *p;
  } else if (SameIdent(name, "Font.Size")) {
    // Not written (the height carries the size), but a font's size is one of its properties.
    int size = 0;
    if (ReadInt(v, size) && size > -100000 && size < 100000) a.Font.SetSize(size);
  }
}

void ApplyScheme(TSyntaxScheme& s, std::string_view name, const TTextValue& v) {
  // Everything the wrapper holds is under its property "P".
  if (name.size() < 2 || !SameIdent(name.substr(0, 2), "P.")) return;
  name.remove_prefix(2);
  if (SameIdent(name, "Name")) {
    ReadString(v, s.Name);
  } else if (SameIdent(name, "SyntaxVersion")) {
    ReadInt(v, s.SyntaxVersion);
  } else if (SameIdent(name, "SyntaxBlocks")) {
    ReadCollection(v, s.SyntaxBlocks, AppendDefault<std::vector<TSyntaxBlock>>, ApplyBlock);
  } else if (SameIdent(name, "FontTable") && v.Kind == TTextValue::vkCollection &&
             !v.CollectionItems.empty()) {
    // Each new entry takes the lowest free FontID before its own properties are read, as
    // TFontList::Add gives it; the FontIDs in use are kept here so that a long table is not
    // searched again for every entry.
    s.FontTable.Clear();
    std::bitset<256> used;
    for (const TProps& props : v.CollectionItems) {
      TAttrItem fresh;
      for (int id = 1; id <= 255 && fresh.FontID < 0; ++id)
        if (!used[static_cast<size_t>(id)]) fresh.FontID = id;
      TAttrItem& a = s.FontTable.Append(fresh);
      for (const TTextProperty& p : props) ApplyStyle(a, p.Name, p.Value);
      if (a.FontID >= 0 && a.FontID <= 255) used.set(static_cast<size_t>(a.FontID));
    }
  }
}

}  // namespace

std::string CantReadSchemeMessage(const std::string& fileName) {
  return "Can't read syntax scheme from file \"" + fileName + "\".";
}

void SchemeFromText(std::string_view text, TSyntaxScheme& scheme) {
  TTextObject object = ParseObjectText(text);
  TSyntaxScheme fresh;
  for (const TTextProperty& p : object.Properties) ApplyScheme(fresh, p.Name, p.Value);
  scheme.Clear();
  scheme.Assign(fresh);
}

}  // namespace quorel
