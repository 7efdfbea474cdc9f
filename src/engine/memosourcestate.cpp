// The text store's document state: file name, Modified and the saved point, bookmarks, line
// images and states, clearing the text, the go-to-line box, undo records and the clipboard copy.
#include <algorithm>
#include <charconv>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"
#include "engine/vrelerror.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/services.h"

namespace quorel {

// ---- File name and Modified ----

void TCustomMemoSource::SetFileName(const std::string& name) { ChangeFileName(name); }

bool TCustomMemoSource::ChangeFileName(const std::string& name) {
  if (fileName_ == name) return true;
  TUpdateGuard update(*this, urFileName);
  fileName_ = name;
  AddFlag(msFileNameChanged);
  return true;
}

void TCustomMemoSource::SetModified(bool value) {
  savedPointLost_ = value;
  if (modified_ == value) return;
  TUpdateGuard update(*this, urModified);
  modified_ = value;
  if (!value) {
    savedPoint_ = -1;
    for (int i = undoList_.Count() - 1; i >= 0; --i) {
      if (undoList_[i].ChangesText()) {
        savedPoint_ = i;
        break;
      }
    }
  }
}

// ---- Bookmarks ----

void TCustomMemoSource::SetBookmark(int n) {
  if (n < 1 || n > TBookmarkList::MaxNumber) return;
  TUpdateGuard update(*this, urSetBookmark);
  int oldLine = bookmarks_.Clear(n);
  if (oldLine >= 0) MarkRepaint(oldLine, oldLine);
  bookmarks_.Set(n, CaretX(), CaretY());
  AddFlag(msRepaint);
  MarkRepaint(CaretY(), CaretY());
}

void TCustomMemoSource::ClearBookmark(int n) {
  if (n < 1 || n > TBookmarkList::MaxNumber) return;
  TUpdateGuard update(*this, urClearBookmark);
  int line = bookmarks_.Clear(n);
  if (line >= 0) {
    AddFlag(msRepaint);
    MarkRepaint(line, line);
  }
}

void TCustomMemoSource::ToggleBookmark(int n) {
  const TBookmark* b = bookmarks_.Find(n);
  if (b && b->Y == CaretY())
    ClearBookmark(n);
  else
    SetBookmark(n);
}

void TCustomMemoSource::GotoBookmark(int n) {
  const TBookmark* b = bookmarks_.Find(n);
  if (n < 1 || !b) return;
  TPoint target{b->X, b->Y};
  // Views see a caret move even when the caret is already there, and may centre the line.
  TUpdateGuard update(*this, urCaretMove);
  bookmarkJump_ = true;
  SetCaretPos(target.X, target.Y);
}

bool TCustomMemoSource::GetBookmark(int n, TPoint& p) const {
  const TBookmark* b = bookmarks_.Find(n);
  if (n < 1 || !b) return false;
  p = {b->X, b->Y};
  return true;
}

// ---- Line images and states ----

void TCustomMemoSource::SetLineImage(int y, int image) {
  TStringItem* line = lines_.At(y);
  if (!line) return;
  TUpdateGuard update(*this, urLineImage);
  line->ImageIndex = static_cast<uint8_t>(image);
  AddFlag(msRepaint);
  MarkRepaint(y, y);
}

void TCustomMemoSource::SetTransientLineImage(int y, int image) {
  TStringItem* line = lines_.At(y);
  if (!line) return;
  TUpdateGuard update(*this, urLineImage);
  transientLine_ = y;
  transientOldImage_ = line->ImageIndex;
  line->ImageIndex = static_cast<uint8_t>(image);
  AddFlag(msRepaint);
  MarkRepaint(y, y);
}

void TCustomMemoSource::ClearTransientLineImage() {
  if (transientLine_ < 0) return;
  if (TStringItem* line = lines_.At(transientLine_)) {
    line->ImageIndex = static_cast<uint8_t>(transientOldImage_);
    AddFlag(msRepaint);
    MarkRepaint(transientLine_, transientLine_);
  }
  transientLine_ = -1;
}

void TCustomMemoSource::InvalidateLine(int y) {
  TUpdateGuard update(*this, urRepaintLine);
  AddFlag(msRepaint);
  MarkRepaint(y, y);
}

void TCustomMemoSource::SetLineState(int y, int bit, bool on) {
  TStringItem* line = lines_.At(y);
  if (!line || bit < 0 || bit > 7) return;
  TUpdateGuard update(*this, urLineState);
  uint8_t mask = static_cast<uint8_t>(1u << bit);
  line->LineState = on ? (line->LineState | mask) : (line->LineState & ~mask);
  AddFlag(msRepaint);
  MarkRepaint(y, y);
}

// ---- Clearing and going to a line ----

void TCustomMemoSource::ClearText() {
  if (ReadOnly() || LineCount() == 0) return;
  TUpdateGuard update(*this, urClear);
  SelectAll();
  DeleteSelection();
}

void TCustomMemoSource::GotoLineDialog() {
  TStoreDialog dialog{"GotoLine", "Go to line Number",
                      "&Enter new line number:", std::to_string(CaretY() + 1)};
  if (OnCreateDialog) OnCreateDialog(*this, dialog);
  std::string value = dialog.Value;
  if (!services_.Dialogs->InputQuery(dialog.Caption, dialog.Prompt, value)) return;
  std::string_view text = value;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int line = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), line);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw EVrelError("'" + value + "' is not a valid integer value");
  SetCaretPos(0, std::max(line, 1) - 1);
}

// ---- Undo records ----

TUndoRecord* TCustomMemoSource::AddUndoRecord(TUndoKind kind) {
  if (!allowUndo_) return nullptr;
  if (recordsTarget_ == &undoList_) TrimUndoList();
  TUndoList& list = *recordsTarget_;
  TUndoRecord& r = list.Add();
  r.Kind = kind;
  r.First = firstRecordMark_ ? 1 : 0;
  firstRecordMark_ = false;
  r.Reason = updateReason_;
  r.InGroup = undoGroupDepth_ > 0 ? 1 : 0;
  return &r;
}

void TCustomMemoSource::TrimUndoList() {
  if (!allowUndo_ || undoLimit_ <= 0 || undoList_.Count() <= undoLimit_ + 100) return;
  int n = undoList_.Count() - undoLimit_ - 1;
  // Never cut a group in two.
  while (n > 0 && undoList_[n].InGroup) --n;
  if (n <= 0) return;
  bool removedText = false;
  for (int i = 0; i <= n; ++i) removedText |= undoList_[i].ChangesText();
  undoList_.RemoveFirst(n + 1);
  savedPoint_ -= n + 1;
  if (savedPoint_ < 0) {
    savedPoint_ = -1;
    if (removedText) savedPointLost_ = true;
  }
}

void TCustomMemoSource::SetAllowUndo(bool value) {
  allowUndo_ = value;
  if (!value) ClearUndo();
}

void TCustomMemoSource::SetUndoLimit(int value) {
  undoLimit_ = std::max(value, 0);
  TrimUndoList();
}

void TCustomMemoSource::ClearUndo() {
  undoList_.Clear();
  redoList_.Clear();
  savedPoint_ = -1;
  // Without history, only a save can tell that the text matches the file again.
  if (modified_) savedPointLost_ = true;
}

void TCustomMemoSource::ClearRedo() {
  if (recordsTarget_ == &undoList_) redoList_.Clear();
}

void TCustomMemoSource::BeginUndoGroup() {
  if (undoGroupDepth_++ == 0) groupStartCount_ = undoList_.Count() + redoList_.Count();
}

void TCustomMemoSource::EndUndoGroup() {
  if (undoGroupDepth_ <= 0) return;
  if (--undoGroupDepth_ > 0) return;
  // A closing caret record of (0, 0) ends the group; a group that recorded nothing needs none.
  if (undoList_.Count() + redoList_.Count() != groupStartCount_) AddUndoRecord(ukCaretMove);
}

void TCustomMemoSource::ReplaceColors(int y, int column, const std::string& colors) {
  TStringItem* line = lines_.At(y);
  if (!line || column < 1) return;
  size_t start = static_cast<size_t>(column - 1);
  if (start >= line->Colors.size()) return;
  size_t count = std::min(colors.size(), line->Colors.size() - start);
  std::string old = line->Colors.substr(start, count);
  if (old == colors.substr(0, count)) return;
  TUpdateGuard update(*this, urTextAttributes);
  if (TUndoRecord* r = AddUndoRecord(ukColorsReplaced)) {
    r->A = y;
    r->B = column;
    r->DeletedColors = old;
  }
  line->Colors.replace(start, count, colors.substr(0, count));
  AddFlag(msRepaint);
  MarkRepaint(y, y);
}

// ---- Clipboard ----

void TCustomMemoSource::CopyToClipboard(const std::function<std::string()>& rtf) {
  if (selType_ == stNone) return;
  if (rtf)
    services_.Clipboard->SetTextAndRtf(ToUtf8(SelectedText(), IsUtf8()), rtf());
  else
    services_.Clipboard->SetText(ToUtf8(SelectedText(), IsUtf8()));
  ClipboardIsBlock() = selType_ == stBlock;
}

void TCustomMemoSource::ReportNotStored(std::string_view utf8) {
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp;
    int length = DecodeUtf8(utf8, i, cp);
    if (!UnicodeToCp1252(cp)) {
      if (OnCharacterNotStored) OnCharacterNotStored(*this, EncodeUtf8(cp));
      return;
    }
    i += static_cast<size_t>(length);
  }
}

void TCustomMemoSource::DoPasteFromClipboard(TStrings& lines) {
  if (OnPasteFromClipboard) OnPasteFromClipboard(*this, lines);
}

}  // namespace quorel
