// The built-in schemes.
#include "syntax/htmlscheme.h"

#include "syntax/syntaxscheme.h"

namespace quorel {

namespace {

TBlockToken Pair(const std::string& left, const std::string& right, int fontId) {
  TBlockToken t;
  t.LeftDelimiter = left;
  t.RightDelimiter = right;
  t.FontID = fontId;
  return t;
}

TLineToken Single(const std::string& left) {
  TLineToken t;
  t.LeftDelimiter = left;
  return t;
}

TAttrItem Style(int fontId, int blockId, TColor color, TFontStyles style = {}) {
  TAttrItem a;
  a.FontID = fontId;
  a.BlockID = blockId;
  a.Font.Name = "Courier New";
  a.Font.Height = -13;
  a.Font.Color = color;
  a.Font.Style = style;
  a.Font.Charset = DEFAULT_CHARSET;
  a.BackColor = clWindow;
  a.UseDefFont = true;
  a.UseDefBack = true;
  return a;
}

}  // namespace

void BuildHtmlScheme(TSyntaxScheme& scheme) {
  TSyntaxScheme html;
  html.Name = "HTML";
  html.SyntaxVersion = 3;
  html.SyntaxBlocks.clear();

  TSyntaxBlock text;
  text.Name = "Default";
  text.ID = 0;
  text.ParentID = -1;
  text.FIText = 0;
  html.SyntaxBlocks.push_back(text);

  TSyntaxBlock tags;
  tags.Name = "Tags";
  tags.ID = 1;
  tags.ParentID = 0;
  tags.FIText = 1;
  tags.FIIntNum = 2;
  tags.FIFloatNum = 3;
  tags.FIHexNum = 4;
  tags.UseComments = true;
  tags.UseMultiLineComments = true;
  tags.UseStrings = true;
  tags.UseSingleLineStrings = true;
  tags.UseNumbers = true;
  tags.UsePrefixedNumbers = true;
  tags.UseSuffixedNumbers = true;
  tags.UsePrefixedIdentifiers = true;
  tags.UseMultipleNumSuffixes = false;
  tags.BlockDelimiters.push_back(TDelimiters{std::string("<"), std::string(">"), true, true});
  tags.MultiLineCommentDelimiters.push_back(Pair("<!--", "-->", 5));
  tags.SingleLineStringDelimiters.push_back(Pair("\"", "\"", 6));
  tags.SingleLineStringDelimiters.push_back(Pair("'", "'", 7));
  tags.NumPrefixes.push_back(Single("#"));
  tags.NumSuffixes.push_back(Single("%"));
  tags.IdentPrefixes.push_back(Single("/"));
  html.SyntaxBlocks.push_back(tags);

  html.FontTable.Append(Style(0, 0, clBlack));
  html.FontTable.Append(Style(1, 1, clBlue));
  html.FontTable.Append(Style(2, 1, clGreen));
  html.FontTable.Append(Style(3, 1, clGreen));
  html.FontTable.Append(Style(4, 1, clGreen));
  html.FontTable.Append(Style(5, 1, clGray, {fsItalic}));
  html.FontTable.Append(Style(6, 1, clMaroon));
  html.FontTable.Append(Style(7, 1, clMaroon));

  scheme.Clear();
  scheme.Assign(html);
}

void BuildEmptyScheme(TSyntaxScheme& scheme) {
  TSyntaxScheme empty;
  empty.SyntaxVersion = 3;
  scheme.Clear();
  scheme.Assign(empty);
}

TAttrItem HtmlDefaultAttr() {
  TAttrItem a;
  a.Font.Name = "Courier New";
  a.Font.Height = -11;
  a.Font.Color = clWindowText;
  a.BackColor = clWindow;
  return a;
}

TAttrItem EmptySchemeDefaultAttr() {
  TAttrItem a = HtmlDefaultAttr();
  a.Font.Height = -13;
  return a;
}

}  // namespace quorel
