// Undo and redo: replaying runs of records backwards through the store's own primitives, whose
// records of the reversal go to the other list.
#include "engine/memosource.h"
#include "engine/simpleparser.h"
#include "engine/updateguard.h"

namespace quorel {

void TCustomMemoSource::Undo() {
  if (undoList_.Empty() || ReadOnly()) return;
  Replay(undoList_, redoList_);
  AfterReplay();
}

void TCustomMemoSource::Redo() {
  if (redoList_.Empty() || ReadOnly()) return;
  Replay(redoList_, undoList_);
  AfterReplay();
}

void TCustomMemoSource::AfterReplay() {
  // Back at the saved point the document is unmodified again. Only the history decides here:
  // SetModified(true) would mark the saved point lost.
  if (modified_ && !IsModifiedByHistory()) SetModified(false);
}

bool TCustomMemoSource::IsModifiedByHistory() const {
  if (savedPointLost_) return true;
  for (int i = undoList_.Count() - 1; i > savedPoint_; --i)
    if (undoList_[i].ChangesText()) return true;
  return false;
}

void TCustomMemoSource::Replay(TUndoList& from, TUndoList& to) {
  TUpdateReason reason = from.Last().Reason;
  TUpdateGuard update(*this, reason);
  AddFlag(msUndoRedo);
  recordsTarget_ = &to;
  ++positioning_;
  replaying_ = true;
  try {
    // The reversal of one run is marked as one update, so that the next undo or redo without
    // grouping takes it back in one step as well.
    firstRecordMark_ = true;
    while (!from.Empty()) {
      TUndoRecord record = from.Last();
      if (record.Reason != reason && !record.InGroup) break;
      Reverse(record);
      // Undoing the saved state's own last edit: from now on only a save can clear Modified.
      if (&from == &undoList_ && savedPoint_ == from.Count() - 1) {
        savedPoint_ = -1;
        savedPointLost_ = true;
      }
      from.RemoveLast();
      // Without grouping, one run is one update: stop after its first record, but never inside
      // an undo group (whose records may start an update).
      bool groupGoesOn = record.InGroup && !from.Empty() && from.Last().InGroup;
      if (record.First && !groupGoesOn && !options_.Contains(soGroupUndo)) break;
    }
  } catch (...) {
    recordsTarget_ = &undoList_;
    --positioning_;
    replaying_ = false;
    throw;
  }
  recordsTarget_ = &undoList_;
  --positioning_;
  replaying_ = false;
  selType_ = stNone;
}

void TCustomMemoSource::Reverse(const TUndoRecord& record) {
  switch (record.Kind) {
    case ukCaretMove:
      MoveCaret(-record.A, -record.B);
      break;
    case ukInserted:
      DeleteChars(record.A);
      break;
    case ukSplit:
      JoinLines();
      break;
    case ukJoined:
      SplitLine();
      break;
    case ukDeleted: {
      InsertText(record.DeletedText);
      TStringItem* line = lines_.At(CaretY());
      if (line && HasAttributes() && !record.DeletedColors.empty()) {
        size_t at = VisualToRaw(line->Text, CaretX(), Cells());
        line->Colors.resize(line->Text.size(), '\0');
        line->Colors.replace(at, record.DeletedColors.size(), record.DeletedColors);
        line->Colors.resize(line->Text.size(), '\0');
      }
      break;
    }
    case ukRecoded:
      Recode(static_cast<TEncoding>(record.A));
      break;
    case ukColorsReplaced:
      if (HasAttributes() && !record.DeletedColors.empty()) {
        ReplaceColors(record.A, record.B, record.DeletedColors);
        if (TStringItem* line = lines_.At(record.A)) {
          line->LineState &= ~lsParsed;
          bool urls = highlightUrls_;
          highlightUrls_ = false;  // re-parse without marking addresses again
          ReparseLine(record.A);
          highlightUrls_ = urls;
        }
      }
      break;
  }
}

}  // namespace quorel
