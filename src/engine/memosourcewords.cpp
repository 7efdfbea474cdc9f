// Words: their bounds, selecting them, moving by them and the word editing commands.
#include <algorithm>
#include <tuple>

#include "engine/memosource.h"
#include "engine/updateguard.h"

namespace quorel {

std::pair<int, int> TCustomMemoSource::GetWordBounds(int x, int y, TWordSelectionType kind) const {
  std::string line = CellLine(y);
  int length = static_cast<int>(line.size());
  if (length == 0) return {0, 0};
  // Positions are 1-based here: character p is line[p - 1].
  auto delimiter = [&](int p) { return IsDelimiter(static_cast<unsigned char>(line[p - 1])); };
  int start = std::clamp(x, 0, length - 1) + 1;
  int p = start;
  while (p >= 1 && delimiter(p)) --p;
  while (p > 1 && !delimiter(p - 1)) --p;
  if (p == 0) p = start;
  while (p <= length && delimiter(p)) ++p;
  if (p > length) return {0, 0};
  int e = p;
  while (e < length && !delimiter(e + 1)) ++e;
  if (kind == wsWordWithSpace && e < length && line[e] == ' ') ++e;
  if (kind == wsUntilNextWord)
    while (e < length && delimiter(e + 1)) ++e;
  return {p, e};
}

void TCustomMemoSource::SelectWord(TWordSelectionType kind) {
  TKeepSelectionHold hold(*this);  // the word stays selected even when it was already
  TUpdateGuard update(*this, urSelectWord);
  selType_ = stNone;
  int y = CaretY();
  auto [from, to] = GetWordBounds(CaretX(), y, kind);
  if (from == 0) return;
  SetCaretPos(to, y);
  SetSelection(stStream, from - 1, y, to, y);
}

void TCustomMemoSource::WordRight() {
  TUpdateGuard update(*this, urCaretMove);
  int y = CaretY();
  std::string line = CellLine(y);
  int length = static_cast<int>(line.size());
  int x = CaretX();
  if (x >= length) {
    if (y < LineCount() - 1) SetCaretPos(0, y + 1);
    return;
  }
  while (x < length && !IsDelimiter(line[x])) ++x;
  while (x < length && IsDelimiter(line[x])) ++x;
  SetCaretPos(x, y);
}

void TCustomMemoSource::WordLeft() {
  TUpdateGuard update(*this, urCaretMove);
  int y = CaretY();
  std::string line = CellLine(y);
  int p = std::min(CaretX(), static_cast<int>(line.size()));
  while (p > 0 && IsDelimiter(line[p - 1])) --p;
  if (p == 0) {
    if (y > 0)
      SetCaretPos(LineLength(y - 1), y - 1);
    else
      SetCaretPos(0, 0);
    return;
  }
  while (p > 0 && !IsDelimiter(line[p - 1])) --p;
  SetCaretPos(p, y);
}

// Deletes from the caret to where `move` takes it, as a stream selection; the selection and
// caret before it are put back afterwards (shifted by the deletion).
void TCustomMemoSource::DeleteCaretMove(TUpdateReason reason, void (TCustomMemoSource::*move)()) {
  if (CaretLineReadOnly()) return;
  TUpdateGuard update(*this, reason, true);
  TPoint a = CaretPos();
  (this->*move)();
  TPoint b = CaretPos();
  if (std::tie(b.Y, b.X) < std::tie(a.Y, a.X)) std::swap(a, b);
  selStart_->X = a.X;
  selStart_->Y = a.Y;
  selEnd_->X = b.X;
  selEnd_->Y = b.Y;
  selType_ = stStream;
  DeleteSelection();
}

void TCustomMemoSource::DeleteWordRight() {
  DeleteCaretMove(urDeleteWordRight, &TCustomMemoSource::WordRight);
}

void TCustomMemoSource::DeleteWordLeft() {
  DeleteCaretMove(urDeleteWordLeft, &TCustomMemoSource::WordLeft);
}

void TCustomMemoSource::DeleteWord() {
  if (CaretLineReadOnly()) return;
  TUpdateGuard update(*this, urDeleteWordRight, true);
  std::string line = CellLine(CaretY());
  int length = static_cast<int>(line.size());
  int trimmed = length;
  while (trimmed > 0 && static_cast<unsigned char>(line[trimmed - 1]) <= 32) --trimmed;
  int x = CaretX();
  if (x >= trimmed) {
    // Right of the last word: the line break goes (and any blanks before it).
    DeleteChars(MaxInt);
    JoinLines();
    return;
  }
  int end = x;
  if (line[x] == ' ') {
    while (end < length && line[end] == ' ') ++end;
    if (end < length && !IsDelimiter(line[end])) {
      DeleteChars(end - x);  // only blanks up to the next word
      return;
    }
    end = x;
  }
  if (IsDelimiter(line[x])) {
    while (end < length && IsDelimiter(line[end])) ++end;
  } else {
    while (end < length && !IsDelimiter(line[end])) ++end;
    if (end < length && line[end] == ' ') ++end;
  }
  DeleteChars(end - x);
}

void TCustomMemoSource::WordOnCaret(TUpdateReason reason, TTransformKind kind) {
  if (CaretLineReadOnly()) return;
  TUpdateGuard update(*this, reason, true);
  SelectWord(wsWordOnly);
  TransformSelection(reason, false, kind);
}

void TCustomMemoSource::LowerCaseWord() { WordOnCaret(urLowerCaseWord, tkLowerCase); }

void TCustomMemoSource::UpperCaseWord() { WordOnCaret(urUpperCaseWord, tkUpperCase); }

void TCustomMemoSource::CapitaliseWord() { WordOnCaret(urCapitalizeWord, tkCapitalise); }

}  // namespace quorel
