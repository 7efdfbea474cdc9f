// The editing view's keys: each key press goes through the key map (with its prefix states) to a
// command on the view or its store; keys without a binding type their character.
#include <QKeyEvent>
#include <algorithm>
#include <exception>

#include "engine/keymaps.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"
#include "platform/dialogs.h"
#include "platform/qt/cp1252.h"
#include "platform/services.h"
#include "view/qtkeys.h"
#include "view/vrelmemo.h"

namespace quorel {

void TCustomVrelMemo::SetKeyMapping(const std::string& name) {
  if (InstallKeyMap(name, keys_.Keys())) {
    keyMapping_ = name;
    keys_.ResetPrefix();
  }
}

bool TCustomVrelMemo::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && keys_.PrefixState() != 0) {
    // The second key of a two-key command belongs to the view, not to a menu shortcut.
    event->accept();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    // Tab moves the focus on unless the view wants it or waits for a second key.
    if (tab && (WantTabs || keys_.PrefixState() != 0)) {
      keyPressEvent(key);
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

void TCustomVrelMemo::keyPressEvent(QKeyEvent* event) {
  if (!PopupListOpen()) {
    HandleKey(event);
    return;
  }
  // An open pick list sees the key first; what it leaves goes on to the view as usual.
  if (PickListKey(event)) {
    event->accept();
    AfterPickListKey(false);
    return;
  }
  bool wasOpen = PopupListOpen();
  HandleKey(event);
  if (wasOpen) AfterPickListKey(!event->text().isEmpty() && event->text()[0].isPrint());
}

void TCustomVrelMemo::HandleKey(QKeyEvent* event) {
  if (keys_.PrefixState() == 0 && OnMenuShortcut && OnMenuShortcut(*this, *event)) {
    event->accept();
    return;
  }
  // Every character, Esc, Enter and Backspace included, closes a pending hint.
  if (!event->text().isEmpty()) CloseHint();
  TVirtualKeyPress key = VirtualKeyPressOf(*event);
  const TKeyData* binding = nullptr;
  switch (keys_.Press(key.Key, key.Shift, WantTabs, WantReturns, binding)) {
    case koLeftToDialog:
      event->ignore();
      return;
    case koBound:
      event->accept();
      try {
        ExecuteKeyCommand(*binding);
      } catch (const std::exception& e) {
        // No error may escape an event handler: it is shown and the editing goes on.
        store_->Services().Dialogs->MessageBox(platform::mkError, e.what(), platform::mbOK);
      }
      return;
    case koUnbound:
      break;
  }
  // Ctrl and Alt keys type nothing, except both together (AltGr on some keyboards).
  bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  bool alt = event->modifiers().testFlag(Qt::AltModifier);
  if (event->text().isEmpty() || ctrl != alt) {
    event->ignore();
    return;
  }
  const bool utf8 = store_->IsUtf8();
  for (char32_t cp : event->text().toUcs4()) {
    if (cp < 32 || cp == 127) continue;
    // The character as the document stores it; Windows-1252 cannot hold every character.
    std::string bytes;
    if (utf8) {
      bytes = EncodeUtf8(cp);
    } else if (auto byte = UnicodeToCp1252(cp)) {
      bytes.assign(1, static_cast<char>(*byte));
    } else {
      store_->ReportNotStored(EncodeUtf8(cp));
      continue;
    }
    // Any character but a space starts the completion hint timer from the new caret.
    bool startHint = cp >= 33 && OnHintPopup && !PopupListOpen();
    TypeChar(bytes);
    CloseHint();
    if (startHint) {
      HintStartPos = store_->CaretPos();
      hintTimer_.start(HintDelay, this);
    }
  }
}

bool TCustomVrelMemo::TypeChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u < 32 || u == 127) return false;
  // A byte beyond ASCII is a Windows-1252 character, stored as UTF-8 in a UTF-8 document.
  return TypeChar(store_->IsUtf8() ? EncodeUtf8(Cp1252ToUnicode(u)) : std::string(1, c));
}

bool TCustomVrelMemo::TypeChar(const std::string& character) {
  if (character.empty()) return false;
  unsigned char u = static_cast<unsigned char>(character[0]);
  if (keys_.PrefixState() != 0 || u < 32 || u == 127) return false;
  TCustomMemoSource& s = *store_;
  if (s.CaretLineReadOnly()) return false;
  TStringsOptions options = s.Options();
  bool persistent = options.Contains(soPersistentBlocks);
  bool overwriteBlocks = options.Contains(soOverwriteBlocks);
  bool overwrite = TCustomMemoSource::OverwriteMode();
  bool outermost = !s.InUpdate();
  bool inserted = false;
  {
    TUpdateGuard update(s, urInsertText);
    // Overwriting with persistent blocks keeps the selection exactly where it was.
    TSelectionType keptType = s.SelectionType();
    TRect kept = s.SelectionRect();
    if (overwriteBlocks && !persistent && outermost) s.DeleteSelection();
    if (overwrite) s.DeleteChars(1);
    inserted = s.InsertText(character);
    if (inserted) s.CaretRight();
    if (persistent && overwrite && keptType != stNone)
      s.SetSelection(keptType, kept.Left, kept.Top, kept.Right, kept.Bottom);
    else if (!persistent && !overwriteBlocks)
      s.SetSelectionType(stNone);
  }
  keys_.ResetPrefix();
  return inserted;
}

// ---- Commands ----

namespace {

bool IsPlainMove(TKeyCommand command) { return command >= kcCaretUp && command <= kcWordRight; }

}  // namespace

void TCustomVrelMemo::ExecuteKeyCommand(const TKeyData& binding) {
  TCustomMemoSource& s = *store_;
  TKeyCommand command = binding.Command;
  if (command == kcNone) return;
  if (!IsPlainMove(command)) {
    RunEditCommand(binding);
    return;
  }
  if (binding.Select != stNone) {
    s.ExtendSelection(binding.Select, [&] { RunCaretMove(command, binding.Select == stBlock); });
    return;
  }
  if (HideCaret && command >= kcCaretUp && command <= kcCaretRight) {
    // Without a caret the arrows scroll.
    if (command == kcCaretUp) ScrollBy(-1);
    if (command == kcCaretDown) ScrollBy(1);
    if (command == kcCaretLeft) SetLeftCol(leftCol_ - 1);
    if (command == kcCaretRight) SetLeftCol(leftCol_ + 1);
    return;
  }
  TUpdateGuard update(s, urCaretMove);
  if (!s.Options().Contains(soPersistentBlocks)) s.SetSelectionType(stNone);
  RunCaretMove(command, false);
}

void TCustomVrelMemo::RunCaretMove(TKeyCommand move, bool block) {
  TCustomMemoSource& s = *store_;
  switch (move) {
    case kcCaretUp:
      s.MoveCaret(-1, 0);
      break;
    case kcCaretDown:
      s.MoveCaret(1, 0);
      break;
    case kcCaretLeft:
      s.CaretLeft(options_.Contains(moNotePadCursorStyle));
      break;
    case kcCaretRight:
      s.CaretRight(block);
      break;
    case kcPageUp:
      PageUp();
      break;
    case kcPageDown:
      PageDown();
      break;
    case kcHome:
      Home();
      break;
    case kcEnd:
      End();
      break;
    case kcLineStart:
      s.SetCaretPos(0, s.CaretY());
      break;
    case kcLineEnd:
      s.CaretToLineEnd();
      break;
    case kcTextStart:
      s.SetCaretPos(0, 0);
      break;
    case kcTextEnd:
      s.SetCaretPos(0, std::max(s.LineCount() - 1, 0));
      s.CaretToLineEnd();
      break;
    case kcWindowTop:
    case kcWindowBottom: {
      TPoint p = WindowRowPos(move == kcWindowBottom);
      s.SetCaretPos(p.X, p.Y);
      break;
    }
    case kcWordLeft:
      s.WordLeft();
      break;
    case kcWordRight:
      s.WordRight();
      break;
    default:
      break;
  }
}

void TCustomVrelMemo::RunEditCommand(const TKeyData& binding) {
  TCustomMemoSource& s = *store_;
  switch (binding.Command) {
    case kcTemplatePopup:
      ShowTemplatePopup();
      break;
    case kcCaretToBlockBegin:
      s.CaretToBlockBegin();
      break;
    case kcCaretToBlockEnd:
      s.CaretToBlockEnd();
      break;
    case kcGotoBookmark:
      s.GotoBookmark(binding.Arg);
      break;
    case kcToggleBookmark:
      s.ToggleBookmark(binding.Arg);
      break;
    case kcMatchBracket:
      s.MatchBracket();
      break;
    case kcScrollLineUp:
      ScrollLineUp();
      break;
    case kcScrollLineDown:
      ScrollLineDown();
      break;
    case kcNewLine:
      s.NewLine();
      break;
    case kcInsertTab:
      s.InsertTab();
      break;
    case kcBackTab:
      s.BackTab();
      break;
    case kcBackspace:
      s.Backspace();
      break;
    case kcDeleteChar:
      s.DeleteChar();
      break;
    case kcDeleteWordLeft:
      s.DeleteWordLeft();
      break;
    case kcDeleteWord:
      s.DeleteWord();
      break;
    case kcDeleteLine:
      s.DeleteLine();
      break;
    case kcDeleteToLineEnd:
      s.DeleteToLineEnd();
      break;
    case kcDeleteToLineStart:
      s.DeleteToLineStart();
      break;
    case kcSplitLine: {
      TUpdateGuard update(s, urSplitLine);
      s.SplitLine();
      break;
    }
    case kcToggleOverwrite:
      s.ToggleOverwrite();
      break;
    case kcInsertGuid:
      s.InsertGuid();
      break;
    case kcUndo:
      s.Undo();
      break;
    case kcRedo:
      s.Redo();
      break;
    case kcSelectAll:
      s.SelectAll();
      break;
    case kcSelectLine:
      s.SelectLine();
      break;
    case kcSelectWord:
      s.SelectWord(wsWordOnly);
      break;
    case kcMarkBlockBegin:
      s.MarkBlockBegin();
      break;
    case kcMarkBlockEnd:
      s.MarkBlockEnd();
      break;
    case kcDeleteSelection:
      s.DeleteSelection();
      break;
    case kcCopySelectionToCaret:
      s.CopySelectionToCaret();
      break;
    case kcMoveBlock:
      s.MoveBlock();
      break;
    case kcIndentBlock:
      s.TransformSelection(urBlockIndent, false, tkIndent);
      break;
    case kcUnindentBlock:
      s.TransformSelection(urBlockUnindent, false, tkUnindent);
      break;
    case kcUpperCaseBlock:
      s.TransformSelection(urUpperCaseSelection, false, tkUpperCase);
      break;
    case kcLowerCaseBlock:
      s.TransformSelection(urLowerCaseSelection, false, tkLowerCase);
      break;
    case kcToggleCaseBlock:
      s.TransformSelection(urToggleCaseSelection, false, tkToggleCase);
      break;
    case kcQuoteBlock:
      s.TransformSelection(urQuoteSelection, false, tkQuote);
      break;
    case kcUpperCaseWord:
      s.UpperCaseWord();
      break;
    case kcLowerCaseWord:
      s.LowerCaseWord();
      break;
    case kcCut:
      CutToClipboard();
      break;
    case kcCopy:
      CopyToClipboard();
      break;
    case kcPaste:
      PasteFromClipboard();
      break;
    case kcCancelMouse:
      if (mouse_ != TMouse::None) {
        mouse_ = TMouse::None;
        scrollTimer_.stop();
        s.SetSelectionType(stNone);
      }
      break;
    case kcGotoLineDialog: {
      TPoint before = s.CaretPos();
      s.GotoLineDialog();
      if (s.CaretPos() != before) CenterCaretLine();
      break;
    }
    default:
      // The search dialogs and code templates are not part of the view yet.
      break;
  }
}

// ---- The view's caret moves ----

void TCustomVrelMemo::Home() {
  TPoint caret = store_->CaretPos();
  int x = wordWrap_ ? RowStarts(caret.Y)[static_cast<size_t>(RowOf(caret))] : 0;
  store_->SetCaretPos(x, caret.Y);
  if (HideCaret) SetLeftCol(0);
}

void TCustomVrelMemo::End() {
  TPoint caret = store_->CaretPos();
  if (wordWrap_) {
    std::vector<int> starts = RowStarts(caret.Y);
    size_t row = static_cast<size_t>(RowOf(caret));
    if (row + 1 < starts.size()) {
      // The row breaks inside the line: the caret stays on this row, before its last character.
      store_->SetCaretPos(starts[row + 1] - 1, caret.Y);
      return;
    }
  }
  store_->CaretToLineEnd();
}

void TCustomVrelMemo::PageUp() {
  int rows = VisibleRows();
  if (!UseMonoFont) ScrollBy(-rows);
  store_->MoveCaret(-rows, 0);
}

void TCustomVrelMemo::PageDown() {
  int rows = VisibleRows();
  if (!UseMonoFont) ScrollBy(rows);
  store_->MoveCaret(rows, 0);
}

void TCustomVrelMemo::WindowTop() {
  TPoint p = WindowRowPos(false);
  store_->SetCaretPos(p.X, p.Y);
}

void TCustomVrelMemo::WindowBottom() {
  TPoint p = WindowRowPos(true);
  store_->SetCaretPos(p.X, p.Y);
}

TPoint TCustomVrelMemo::WindowRowPos(bool bottom) const {
  std::vector<TScreenRow> rows = ScreenRows(VisibleRows() * lineHeight_);
  int last = std::max(store_->LineCount() - 1, 0);
  while (rows.size() > 1 && rows.back().Line > last) rows.pop_back();
  const TScreenRow& row = bottom ? rows.back() : rows.front();
  int x = row.Start + CaretRowColumn();
  if (row.End != MaxInt) x = std::min(x, row.End - 1);
  return {x, std::min(row.Line, last)};
}

}  // namespace quorel
