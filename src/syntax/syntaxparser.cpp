// The scheme-driven parser's properties and line states.
#include "syntax/syntaxparser.h"

#include "syntax/textstyles.h"

namespace quorel {

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
