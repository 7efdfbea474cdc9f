// Syntax schemes: content, version upgrade and effective styles.
#include "syntax/syntaxscheme.h"

#include "engine/stylenumbers.h"
#include "syntax/syntaxparser.h"
#include "syntax/textstyles.h"

namespace quorel {

namespace {

TAttrItem SpecialAttr(int fontId, const char* globalName) {
  TAttrItem a;
  a.FontID = fontId;
  a.GlobalAttrID = globalName;
  a.BlockID = 0;
  a.UseDefFont = false;
  a.UseDefBack = false;
  return a;
}

}  // namespace

TSyntaxScheme::TSyntaxScheme()
    : UrlAttr(SpecialAttr(tsUrl, "Url")), SubstituteAttr(SpecialAttr(-1, "Whitespace")) {
  TSyntaxBlock root;
  root.Name = "Default";
  root.ID = 0;
  SyntaxBlocks.push_back(root);
  UpdateFonts();
}

void TSyntaxScheme::Clear() {
  Name.clear();
  SyntaxVersion = 1;
  SyntaxBlocks.clear();
  FontTable.Clear();
}

void TSyntaxScheme::Assign(const TSyntaxScheme& source) {
  if (&source == this) return;
  SyntaxVersion = source.SyntaxVersion;
  Name = source.Name;
  FontTable.Clear();
  for (const TAttrItem& a : source.FontTable) FontTable.Append(TAttrItem()).Assign(a);
  SyntaxBlocks.clear();
  for (const TSyntaxBlock& b : source.SyntaxBlocks) SyntaxBlocks.emplace_back().Assign(b);
  Changed();
}

void TSyntaxScheme::Changed() {
  if (Parser)
    Parser->SchemeChanged();
  else
    Prepare();
}

bool TSyntaxScheme::SameContent(const TSyntaxScheme& o) const {
  if (Name != o.Name || SyntaxVersion != o.SyntaxVersion ||
      SyntaxBlocks.size() != o.SyntaxBlocks.size() || FontTable.Count() != o.FontTable.Count())
    return false;
  for (size_t i = 0; i < SyntaxBlocks.size(); ++i)
    if (!SyntaxBlocks[i].SameSettings(o.SyntaxBlocks[i])) return false;
  for (int i = 0; i < FontTable.Count(); ++i)
    if (!FontTable[i].SameSettings(o.FontTable[i])) return false;
  return true;
}

int TSyntaxScheme::FreeBlockID() const {
  for (int id = 0; id <= 255; ++id) {
    bool used = false;
    for (const TSyntaxBlock& b : SyntaxBlocks) used |= b.ID == id;
    if (!used) return id;
  }
  return 0;
}

TSyntaxBlock* TSyntaxScheme::BlockByID(int id) {
  for (TSyntaxBlock& b : SyntaxBlocks)
    if (b.ID == id) return &b;
  return nullptr;
}

const TSyntaxBlock* TSyntaxScheme::BlockByID(int id) const {
  for (const TSyntaxBlock& b : SyntaxBlocks)
    if (b.ID == id) return &b;
  return nullptr;
}

void TSyntaxScheme::UpgradeVersion() {
  if (SyntaxVersion < 2 && !SyntaxBlocks.empty()) {
    for (TSyntaxBlock& b : SyntaxBlocks)
      if (b.ID == -1) b.ID = FreeBlockID();
    SyntaxBlocks[0].ParentID = -1;
    for (size_t i = 1; i < SyntaxBlocks.size(); ++i) SyntaxBlocks[i].ParentID = SyntaxBlocks[0].ID;
    for (const TSyntaxBlock& b : SyntaxBlocks) {
      auto claim = [&](int fontId) {
        if (fontId < 0) return;
        if (TAttrItem* a = FontTable.Find(fontId)) a->BlockID = b.ID;
      };
      for (int fi : {b.FIText, b.FIIntNum, b.FIFloatNum, b.FIHexNum, b.FIDirective, b.FISymbol,
                     b.FIIdentifier})
        claim(fi);
      auto claimAll = [&](const auto& list) {
        for (const auto& t : list) claim(t.FontID);
      };
      claimAll(b.SingleLineCommentDelimiters);
      claimAll(b.MultiLineCommentDelimiters);
      claimAll(b.FullLineCommentDelimiters);
      claimAll(b.SingleLineStringDelimiters);
      claimAll(b.MultiLineStringDelimiters);
      claimAll(b.NumPrefixes);
      claimAll(b.NumSuffixes);
      claimAll(b.NumPrefixesSuffixes);
      claimAll(b.IdentPrefixes);
      claimAll(b.IdentSuffixes);
      claimAll(b.IdentPrefixesSuffixes);
      claimAll(b.KeywordSets);
    }
  }
  SyntaxVersion = 3;
}

void TSyntaxScheme::UpdateFonts() {
  fontMap_.fill(kNone);
  const TTextStyles& styles = MemoEnvOptions().TextStyles;
  const TAttrItem* def = Parser ? &Parser->DefaultAttr() : nullptr;

  TFont base;
  if (def) {
    base.Name = def->Font.Name;
    base.Height = def->Font.Height;
  } else {
    base.Name = "Courier New";
    base.SetSize(10);
  }
  TColor baseColor = def ? def->Font.Color : clWindowText;
  TColor baseBack = def ? def->BackColor : clWindow;
  if (UseGlobalOptions) {
    if (const TTextStyle* ws = styles.Find("Whitespace")) {
      baseColor = ws->Font.Color;
      baseBack = ws->Color;
    }
  }

  auto special = [&](TAttrItem& a, bool lookAlways, TFontStyles style) {
    a.UsedFont = base;
    a.UsedFont.Style = style;
    a.UsedFont.Color = baseColor;
    if (lookAlways || UseGlobalOptions)
      if (const TTextStyle* s = styles.Find(a.GlobalAttrID)) a.UsedFont.Color = s->Font.Color;
    a.UsedBack = baseBack;
  };
  special(UrlAttr, true, {fsUnderline});
  special(SubstituteAttr, false, {});
  fontMap_[tsUrl] = kUrl;
  if (FontTable.Count() == 0) return;  // FontID 0 shows the substitute style then

  // Walks from a block up through its parents; `found` picks an entry and stops the walk.
  auto walk = [&](int blockId, auto&& found) {
    const TSyntaxBlock* b = BlockByID(blockId);
    for (size_t steps = 0; b && steps <= SyntaxBlocks.size(); ++steps) {
      if (b->FIText >= 0)
        if (const TAttrItem* t = FontTable.Find(b->FIText); t && found(*t)) return true;
      if (b->ParentID == b->ID) break;
      b = b->ParentID < 0 ? nullptr : BlockByID(b->ParentID);
    }
    return false;
  };
  for (int index = 0; index < FontTable.Count(); ++index) {
    TAttrItem& e = FontTable[index];
    if (e.FontID >= 0 && e.FontID <= 255) fontMap_[static_cast<size_t>(e.FontID)] = index;
    TFont used = e.Font;
    if (e.UseDefFont) {
      used.Name = base.Name;
      used.Height = base.Height;
      walk(e.BlockID, [&](const TAttrItem& t) {
        if (t.UseDefFont) return false;
        used.Name = t.Font.Name;
        used.Height = t.Font.Height;
        return true;
      });
    }
    TColor back = e.BackColor;
    if (e.UseDefBack) {
      back = baseBack;
      walk(e.BlockID, [&](const TAttrItem& t) {
        if (t.UseDefBack) return false;
        back = t.UsedBack;
        return true;
      });
    }
    const TTextStyle* global = UseGlobalOptions ? styles.Find(e.GlobalAttrID) : nullptr;
    if (global) {
      used.Color = global->Font.Color;
      used.Style = global->Font.Style;
      back = global->Color;
    }
    e.UsedFont = used;
    e.UsedBack = back;
  }
}

const TAttrItem& TSyntaxScheme::StyleFor(int fontId) const {
  if (fontId < 0 || fontId > 255) return SubstituteAttr;
  int index = fontMap_[static_cast<size_t>(fontId)];
  if (index == kUrl) return UrlAttr;
  return index >= 0 && index < FontTable.Count() ? FontTable[index] : SubstituteAttr;
}

}  // namespace quorel
