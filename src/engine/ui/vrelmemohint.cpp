// The view's completion hints: the hint timer started by typing, the request to the application,
// the tool-tip hint at the caret, and putting a chosen entry in place of what was typed. Also the
// address, template and collapse events the view raises.
#include <QToolTip>
#include <algorithm>

#include "engine/ui/vrelmemo.h"
#include "engine/updateguard.h"
#include "platform/processes.h"
#include "platform/services.h"

namespace quorel {

namespace {

// How long a tool-tip hint stays before it hides itself.
constexpr int kHintHideMs = 2500;

// Hint text as rich text: lines split at CR LF, the part between "~" marks in bold.
QString HintToRichText(const std::string& hint) {
  QString out;
  bool bold = false;
  for (size_t i = 0; i < hint.size(); ++i) {
    char c = hint[i];
    if (c == '~') {
      out += bold ? "</b>" : "<b>";
      bold = !bold;
    } else if (c == '\r' && i + 1 < hint.size() && hint[i + 1] == '\n') {
      out += "<br>";
      ++i;
    } else {
      out += QString(QChar(static_cast<unsigned char>(c))).toHtmlEscaped();
    }
  }
  if (bold) out += "</b>";
  return "<nobr>" + out + "</nobr>";
}

}  // namespace

void TCustomVrelMemo::CloseHint() {
  hintTimer_.stop();
  QToolTip::hideText();
}

void TCustomVrelMemo::ShowHintPopup() {
  CloseHint();
  if (!OnHintPopup || store_->CaretPos() != HintStartPos) return;
  HintStrings.Clear();
  bool allow = false;
  TPopupType type = ptHint;
  OnHintPopup(*this, HintStrings, allow, type);
  if (!allow || HintStrings.Count() == 0) return;
  if (type == ptList) {
    ShowPopupList(HintStrings);
    return;
  }
  QPoint at = CaretToClient() + QPoint(0, lineHeight_);
  QToolTip::showText(viewport()->mapToGlobal(at), HintToRichText(HintStrings[0]), viewport(),
                     QRect(), kHintHideMs);
}

void TCustomVrelMemo::ShowPopupList(const TStrings& strings) {
  HintStartPos = store_->CaretPos();
  if (&strings != &HintStrings) HintStrings.Assign(strings);
}

void TCustomVrelMemo::PopupItemChosen(int index) {
  if (index >= 0 && index < HintStrings.Count()) InsertHint(HintStrings[index]);
}

void TCustomVrelMemo::InsertHint(std::string s) {
  if (OnHintInsert) OnHintInsert(*this, s);
  TCustomMemoSource& store = *store_;
  // The typing reason: with grouped undo the choice undoes together with the typing before it.
  TUpdateGuard update(store, urInsertText);
  TPoint caret = store.CaretPos();
  store.SetCaretPos(HintStartPos.X, HintStartPos.Y);
  if (caret.Y == HintStartPos.Y && caret.X > HintStartPos.X)
    store.DeleteChars(caret.X - HintStartPos.X);
  store.InsertTextKeepSelection(s);
  store.SetSelectionType(stNone);
}

bool TCustomVrelMemo::DoFindStringInPopup(const TStrings& strings, const std::string& typed,
                                          int& index) {
  bool handled = false;
  if (OnFindStringInPopup) OnFindStringInPopup(*this, strings, typed, index, handled);
  return handled;
}

void TCustomVrelMemo::DoTemplateInsert(TStrings& code) {
  if (OnTemplateInsert) OnTemplateInsert(*this, code);
}

void TCustomVrelMemo::JumpToUrl(const std::string& url) {
  bool handled = false;
  if (OnJumpToUrl) OnJumpToUrl(*this, url, handled);
  if (handled) return;
  if (platform::IShell* shell = store_->Services().Shell) shell->Open(url);
}

bool TCustomVrelMemo::DoCollapseStateChanging(int line, bool collapsed) {
  bool handled = false;
  if (OnCollapseStateChanging) OnCollapseStateChanging(*this, line, collapsed, handled);
  return !handled;
}

void TCustomVrelMemo::DoCollapseStateChanged(int line, bool collapsed) {
  if (OnCollapseStateChanged) OnCollapseStateChanged(*this, line, collapsed);
}

}  // namespace quorel
