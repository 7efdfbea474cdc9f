// The scheme-driven parser's properties and line states.
#include "syntax/syntaxparser.h"

#include "syntax/textstyles.h"

namespace quorel {

uint32_t TLineState::Pack() const {
  return (static_cast<uint32_t>(StateIndex & 0xFF) << 24) | (PartOfBlock ? 1u << 23 : 0) |
         (CaseSensitive ? 1u << 22 : 0) | (static_cast<uint32_t>(Delimiter & 63) << 16) |
         (static_cast<uint32_t>(Construct & 0xFF) << 8) |
         static_cast<uint32_t>(ConstructIndex & 0xFF);
}

TLineState TLineState::Unpack(uint32_t state) {
  TLineState s;
  s.StateIndex = static_cast<int>(state >> 24);
  s.PartOfBlock = (state >> 23) & 1;
  s.CaseSensitive = (state >> 22) & 1;
  int delimiter = static_cast<int>((state >> 16) & 63);
  s.Delimiter = delimiter == 63 ? -1 : delimiter;
  s.Construct = static_cast<int>((state >> 8) & 0xFF);
  s.ConstructIndex = static_cast<int>(state & 0xFF);
  return s;
}

TSyntaxParser::TSyntaxParser() : scheme_(std::make_unique<TSyntaxScheme>()) {
  defaultAttr_.Font.Name = "Courier New";
  defaultAttr_.Font.SetSize(10);
  defaultAttr_.BackColor = clWindow;
  scheme_->Parser = this;
  MemoEnvOptions().AddListener(this, [this] {
    if (UseGlobalOptions()) FontsChanged();
  });
  SchemeChanged();
}

TSyntaxParser::~TSyntaxParser() { MemoEnvOptions().RemoveListener(this); }

void TSyntaxParser::SetSyntaxScheme(const TSyntaxScheme& scheme) {
  if (&scheme == scheme_.get()) return;
  scheme_->Clear();
  scheme_->Assign(scheme);  // ends in Changed(), which is SchemeChanged()
}

void TSyntaxParser::SetDefaultAttr(const TAttrItem& attr) {
  defaultAttr_.Assign(attr);
  FontsChanged();
}

void TSyntaxParser::SetUseGlobalOptions(bool value) {
  if (scheme_->UseGlobalOptions == value) return;
  scheme_->UseGlobalOptions = value;
  FontsChanged();
}

void TSyntaxParser::SchemeChanged() { scheme_->Prepare(); }

void TSyntaxParser::FontsChanged() {
  scheme_->UpdateFonts();
  NotifyClients();
}

const TFont* TSyntaxParser::GetFont(int fontId) const {
  return &scheme_->StyleFor(fontId).UsedFont;
}

bool TSyntaxParser::GetBackColor(int fontId, TColor& color) const {
  color = scheme_->StyleFor(fontId).UsedBack;
  return true;
}

}  // namespace quorel
