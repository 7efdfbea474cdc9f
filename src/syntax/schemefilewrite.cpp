// Writing a scheme as object text.
#include <functional>

#include "syntax/objecttext.h"
#include "syntax/schemefields.h"
#include "syntax/schemefile.h"
#include "syntax/schemevalues.h"
#include "syntax/syntaxscheme.h"

namespace quorel {

namespace {

using objecttext::Indent;
using objecttext::kLineBreak;
using objecttext::QuoteString;

// Collects property lines at one nesting level.
class TLines {
 public:
  explicit TLines(int level) : level_(level) {}
  int Level() const { return level_; }
  void Add(const std::string& name, const std::string& value) {
    text_ += Indent(level_) + name + " = " + value + kLineBreak;
  }
  void AddString(const std::string& name, std::string_view value) {
    Add(name, QuoteString(value, level_));
  }
  void AddInt(const std::string& name, int value) { Add(name, std::to_string(value)); }
  void AddBool(const std::string& name, bool value) { Add(name, value ? "True" : "False"); }
  const std::string& Text() const { return text_; }

 private:
  int level_;
  std::string text_;
};

// "<", each item as "item", its properties and "end" on lines of their own, then ">".
template <typename TItem>
std::string Collection(const std::vector<TItem>& items, int level,
                       const std::function<void(const TItem&, TLines&)>& writeItem) {
  if (items.empty()) return "<>";
  std::string out = "<";
  for (const TItem& item : items) {
    TLines lines(level + 2);
    writeItem(item, lines);
    out += kLineBreak + Indent(level + 1) + "item" + kLineBreak + lines.Text() + Indent(level + 1) +
           "end";
  }
  return out + ">";
}

void WriteToken(const TToken& t, TLines& lines) {
  if (t.FontID != -1) lines.AddInt("FontID", t.FontID);
  if (!t.UseToken) lines.AddBool("UseToken", false);
}

void WriteLineToken(const TLineToken& t, TLines& lines) {
  WriteToken(t, lines);
  if (!t.LeftDelimiter.empty()) lines.AddString("LeftDelimiter", t.LeftDelimiter);
}

void WriteBlockToken(const TBlockToken& t, TLines& lines) {
  WriteLineToken(t, lines);
  if (!t.RightDelimiter.empty()) lines.AddString("RightDelimiter", t.RightDelimiter);
}

void WriteKeywordSet(const TKeywordSet& k, TLines& lines) {
  WriteToken(k, lines);
  if (!k.Name.empty()) lines.AddString("Name", k.Name);
  if (!k.Keywords.empty()) lines.AddString("Keywords", k.Keywords);
}

void WriteDelimiters(const TDelimiters& d, TLines& lines) {
  if (!d.LeftDelimiter.empty()) lines.AddString("LeftDelimiter", d.LeftDelimiter);
  if (!d.RightDelimiter.empty()) lines.AddString("RightDelimiter", d.RightDelimiter);
  if (d.DelimitersArePartOfBlock) lines.AddBool("DelimitersArePartOfBlock", true);
  if (!d.UseToken) lines.AddBool("UseToken", false);
}

void WriteBlock(const TSyntaxBlock& b, TLines& lines) {
  static const TSyntaxBlockProps defaults;
  int level = lines.Level();
  for (const schemefile::TBlockField& f : schemefile::BlockFields()) {
    if (f.Flag && !(b.*f.Flag)) continue;
    if (f.Bool) {
      if (f.Always || b.*f.Bool != defaults.*f.Bool) lines.AddBool(f.Name, b.*f.Bool);
    } else if (f.Int) {
      if (b.*f.Int != defaults.*f.Int) lines.AddInt(f.Name, b.*f.Int);
    } else if (f.String) {
      if (!(b.*f.String).empty()) lines.AddString(f.Name, b.*f.String);
    } else if (f.Char) {
      lines.AddString(f.Name, std::string(1, b.*f.Char));
    } else if (f.Chars) {
      if (!(b.*f.Chars == defaults.*f.Chars)) lines.AddString(f.Name, CharSetToText(b.*f.Chars));
    } else if (f.Delimiters) {
      lines.Add(f.Name, Collection<TDelimiters>(b.*f.Delimiters, level, WriteDelimiters));
    } else if (f.LineTokens) {
      lines.Add(f.Name, Collection<TLineToken>(b.*f.LineTokens, level, WriteLineToken));
    } else if (f.BlockTokens) {
      lines.Add(f.Name, Collection<TBlockToken>(b.*f.BlockTokens, level, WriteBlockToken));
    } else if (f.KeywordSets) {
      lines.Add(f.Name, Collection<TKeywordSet>(b.*f.KeywordSets, level, WriteKeywordSet));
    }
  }
}

void WriteStyle(const TAttrItem& a, TLines& lines) {
  if (a.FontID != -1) lines.AddInt("FontID", a.FontID);
  if (!a.GlobalAttrID.empty()) lines.AddString("GlobalAttrID", a.GlobalAttrID);
  if (a.BlockID != 0) lines.AddInt("BlockID", a.BlockID);
  lines.Add("Font.Charset", CharsetToText(a.Font.Charset));
  lines.Add("Font.Color", ColorToText(a.Font.Color));
  lines.AddInt("Font.Height", a.Font.Height);
  lines.AddString("Font.Name", a.Font.Name);
  if (a.Font.Pitch != fpDefault) lines.Add("Font.Pitch", PitchToText(a.Font.Pitch));
  lines.Add("Font.Style", FontStyleToText(a.Font.Style));
  if (a.BackColor != clWindow) lines.Add("BackColor", ColorToText(a.BackColor));
  if (!a.UseDefFont) lines.AddBool("UseDefFont", false);
  if (!a.UseDefBack) lines.AddBool("UseDefBack", false);
}

}  // namespace

std::string SchemeToText(const TSyntaxScheme& scheme) {
  TLines lines(1);
  if (!scheme.Name.empty()) lines.AddString("P.Name", scheme.Name);
  lines.Add("P.SyntaxBlocks", Collection<TSyntaxBlock>(scheme.SyntaxBlocks, 1, WriteBlock));
  std::vector<TAttrItem> styles(scheme.FontTable.begin(), scheme.FontTable.end());
  lines.Add("P.FontTable", Collection<TAttrItem>(styles, 1, WriteStyle));
  lines.AddInt("P.SyntaxVersion", scheme.SyntaxVersion);
  return std::string("object TPersHolder") + kLineBreak + lines.Text() + "end" + kLineBreak;
}

}  // namespace quorel
