// The store's `Lines` string list.
#include "engine/externalstrings.h"

#include <algorithm>
#include <istream>
#include <iterator>

#include "engine/memosource.h"

namespace quorel {

int TExternalStrings::Count() const { return store_.LineCount(); }

std::string TExternalStrings::Get(int i) const { return store_.Line(i); }

std::string TExternalStrings::Input(const std::string& s) const {
  if (store_.Options().Contains(soUseTabCharacter)) return s;
  return ExpandTabsFixed(s, store_.SpacesInTab());
}

// Every edit through the list ends its bracket and forgets the undo history.
void TExternalStrings::Finish() {
  store_.EndUpdate();
  if (!store_.InUpdate()) store_.ClearUndo();
}

void TExternalStrings::Put(int i, const std::string& s) {
  if (!store_.LineRecord(i)) return;
  store_.BeginUpdateKeepSelection(urLinesPut);
  store_.SetLineText(i, Input(s));
  store_.ReparseLine(i);
  Finish();
}

void TExternalStrings::Insert(int i, const std::string& s) {
  store_.BeginUpdateKeepSelection(urInsertKeepSelection);
  i = std::clamp(i, 0, Count());
  store_.caret_->X = 0;
  store_.caret_->Y = i;
  store_.ShiftAll(TShiftKind::Split, 0, 0);
  TStringItem& item = store_.lines_.Insert(i, Input(s));
  int length = VisualLength(item.Text, store_.Cells());
  store_.LineLengthChanged(-1, length);
  store_.MarkChanged(i, MaxInt);
  Finish();
}

void TExternalStrings::Delete(int i) {
  TStringItem* line = store_.LineRecord(i);
  if (!line) return;
  store_.BeginUpdateKeepSelection(urDeleteLine);
  store_.caret_->X = 0;
  store_.caret_->Y = i;
  int length = VisualLength(line->Text, store_.Cells());
  store_.ShiftAll(TShiftKind::Delete, length, 0);
  store_.ShiftAll(TShiftKind::Join, 0, 0);
  store_.lines_.Delete(i);
  store_.LineRemoved(length);
  store_.RemoveSingleEmptyLine();
  store_.MarkChanged(i, MaxInt);
  Finish();
}

void TExternalStrings::Clear() {
  store_.BeginUpdateKeepSelection(urClear);
  store_.lines_.Clear();
  store_.lineLengths_.clear();
  store_.lineLengthsStale_ = false;
  // The bracket would put the old selection back: point everything at the start instead.
  for (TPosition* p : {store_.caret_, store_.selStart_, store_.selEnd_, store_.keepCaret_,
                       store_.keepSelStart_, store_.keepSelEnd_})
    if (p) p->X = p->Y = 0;
  store_.selType_ = stNone;
  store_.keepSelType_ = stNone;
  store_.bookmarks_.ClearAll();
  store_.MarkChanged(0, MaxInt);
  Finish();
}

void* TExternalStrings::GetObject(int i) const { return store_.LineObject(i); }

void TExternalStrings::PutObject(int i, void* object) { store_.SetLineObject(i, object); }

std::string TExternalStrings::Text() const {
  std::string out;
  for (int y = 0; y < Count(); ++y) {
    if (y > 0) out += "\r\n";
    out += store_.lines_[y].Text;
  }
  return out;
}

void TExternalStrings::SetText(std::string_view text) {
  store_.BeginUpdate(urLinesUpdate);
  store_.ReplaceAllLines(text, urLinesUpdate);
  for (TPosition* p : {store_.caret_, store_.selStart_, store_.selEnd_}) p->X = p->Y = 0;
  store_.selType_ = stNone;
  store_.bookmarks_.ClearAll();
  Finish();
}

void TExternalStrings::BeginUpdate() { store_.BeginUpdateKeepSelection(urLinesUpdate); }

void TExternalStrings::EndUpdate() { Finish(); }

void TExternalStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  TStrings::Assign(source);
  store_.SetCaretPos(0, 0);
}

void TExternalStrings::LoadFromStream(std::istream& in) {
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  SetText(data);
  store_.SetCaretPos(0, 0);
}

void TExternalStrings::SaveToStream(std::ostream& out) const { store_.SaveToStream(out); }

void TExternalStrings::LoadFromFile(const std::string& fileName) { store_.LoadFromFile(fileName); }

void TExternalStrings::SaveToFile(const std::string& fileName) { store_.SaveToFile(fileName); }

}  // namespace quorel
