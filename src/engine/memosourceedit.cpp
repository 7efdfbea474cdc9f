// The text store's editing primitives: caret moves, inserting, deleting, splitting and joining
// lines. Each writes its undo records and shifts the positions and bookmarks behind the caret.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/encoding.h"
#include "engine/memosource.h"
#include "engine/stylenumbers.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"

namespace quorel {

namespace {

bool EndsInBlank(std::string_view s) {
  return !s.empty() && static_cast<unsigned char>(s.back()) <= 32;
}

bool HasTab(std::string_view s) { return s.find('\t') != std::string_view::npos; }

// The text starts with a combining mark, whose columns depend on what stands before it.
bool StartsWithMark(std::string_view s) {
  if (s.empty() || static_cast<unsigned char>(s[0]) < 0x80) return false;
  char32_t cp;
  DecodeUtf8(s, 0, cp);
  return CharCells(cp) == 0;
}

size_t TrimmedLength(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= 32) --n;
  return n;
}

}  // namespace

// ---- Text access ----

std::string TCustomMemoSource::RawLine(int y) const {
  const TStringItem* l = lines_.At(y);
  return l ? l->Text.str() : std::string();
}

std::string TCustomMemoSource::Line(int y) const {
  const TStringItem* l = lines_.At(y);
  return l ? ExpandTabs(l->Text, Cells()) : std::string();
}

namespace {

// One byte per column of the expanded (tab-free) text, with `pick` choosing each column's byte
// from the index of its character's first byte and its length; a wide character's second
// column gets `second`, or the first column's byte when that is 0.
template <typename Pick>
std::string PerColumn(std::string_view expanded, const TCellLayout& cells, Pick pick, char second) {
  std::string out;
  out.reserve(expanded.size());
  int col = 0;
  for (size_t i = 0; i < expanded.size();) {
    size_t from = i;
    int next = cells.Step(expanded, i, col);
    if (next > col) {
      char first = pick(from, i - from);
      out.push_back(first);
      out.append(static_cast<size_t>(next - col - 1), second ? second : first);
    }
    col = next;
  }
  return out;
}

}  // namespace

std::string TCustomMemoSource::CellLine(int y) const {
  std::string text = Line(y);
  if (Cells().IsPlain(text)) return text;
  return PerColumn(
      text, Cells(),
      [&](size_t at, size_t length) {
        return length == 1 && static_cast<unsigned char>(text[at]) < 0x80 ? text[at] : kCellStandIn;
      },
      kCellSecondHalf);
}

std::string TCustomMemoSource::CellColors(int y) {
  std::string colors = GetExpandedColors(y);
  std::string text = Line(y);
  if (Cells().IsPlain(text)) return colors;
  return PerColumn(
      text, Cells(),
      [&](size_t at, size_t) { return at < colors.size() ? colors[at] : char{tsPlain}; }, 0);
}

int TCustomMemoSource::CaretCharColumn() const {
  std::string text = Line(CaretY());
  const TCellLayout cells = Cells();
  if (cells.IsPlain(text)) return CaretX() + 1;
  int col = 0, characters = 0;
  for (size_t i = 0; i < text.size() && col < CaretX();) {
    int next = cells.Step(text, i, col);
    if (next > col) ++characters;
    col = next;
  }
  return characters + std::max(CaretX() - col, 0) + 1;
}

int TCustomMemoSource::LineLength(int y) const {
  const TStringItem* l = lines_.At(y);
  return l ? VisualLength(l->Text, Cells()) : 0;
}

bool TCustomMemoSource::IsReadOnlyLine(int y) const {
  const TStringItem* l = lines_.At(y);
  return l && (l->LineState & lsReadOnly);
}

bool TCustomMemoSource::CaretLineReadOnly() const { return ReadOnly() || IsReadOnlyLine(CaretY()); }

void TCustomMemoSource::LineLengthChanged(int oldLength, int newLength) {
  if (lineLengthsStale_ || oldLength == newLength) return;
  if (oldLength >= 0) {
    auto it = lineLengths_.find(oldLength);
    if (it != lineLengths_.end() && --it->second == 0) lineLengths_.erase(it);
  }
  if (newLength >= 0) ++lineLengths_[newLength];
}

void TCustomMemoSource::LineRemoved(int length) { LineLengthChanged(length, -1); }

int TCustomMemoSource::LongestLineLength() {
  if (lineLengthsStale_) {
    // Counted in a plain array first: a map insert per line costs a tree walk each.
    std::vector<int> counts;
    for (int y = 0; y < LineCount(); ++y) {
      const auto length = static_cast<size_t>(VisualLength(lines_[y].Text, Cells()));
      if (length >= counts.size()) counts.resize(length + 1);
      ++counts[length];
    }
    lineLengths_.clear();
    for (size_t length = 0; length < counts.size(); ++length)
      if (counts[length] > 0)
        lineLengths_.emplace_hint(lineLengths_.end(), static_cast<int>(length), counts[length]);
    lineLengthsStale_ = false;
  }
  return lineLengths_.empty() ? 0 : lineLengths_.rbegin()->first;
}

void TCustomMemoSource::SetLineText(int y, std::string text) {
  TStringItem& l = lines_[y];
  int oldLength = VisualLength(l.Text, Cells());
  l.Text = std::move(text);
  l.LineState &= ~lsParsed;
  LineLengthChanged(oldLength, VisualLength(l.Text, Cells()));
}

void TCustomMemoSource::RemoveSingleEmptyLine() {
  if (LineCount() == 1 && lines_[0].Text.empty()) {
    lines_.Delete(0);
    LineRemoved(0);
    MarkChanged(0, MaxInt);
  }
}

void TCustomMemoSource::ExpandCollapsedHeader(int y) {
  TStringItem* l = lines_.At(y);
  if (!l || !(l->LineState & lsCollapsedHeader)) return;
  l->LineState = (l->LineState & ~lsCollapsedHeader) | lsExpandedHeader;
  for (int i = y + 1; i < LineCount() && (lines_[i].LineState & lsHidden); ++i)
    lines_[i].LineState &= ~lsHidden;
  AddFlag(msLineCountChanged);
  MarkRepaint(y, MaxInt);
}

void TCustomMemoSource::ShiftAll(TShiftKind kind, int count, int bookmarkArg) {
  int x = CaretX(), y = CaretY();
  positions_.Shift(kind, x, y, count);
  switch (kind) {
    case TShiftKind::Insert:
      bookmarks_.ShiftInsert(x, y, count);
      break;
    case TShiftKind::Delete:
      bookmarks_.ShiftDelete(x, y, count);
      break;
    case TShiftKind::Split:
      bookmarks_.ShiftSplit(x, y);
      break;
    case TShiftKind::Join:
      bookmarks_.ShiftJoin(y, bookmarkArg);
      break;
  }
}

// ---- Caret ----

void TCustomMemoSource::SetCaretPos(int x, int y) {
  ++positioning_;
  try {
    MoveCaret(y - CaretY(), x - CaretX());
  } catch (...) {
    --positioning_;
    throw;
  }
  --positioning_;
}

void TCustomMemoSource::MoveCaret(int dy, int dx) {
  if (activeView_.CaretMove) activeView_.CaretMove(dy, dx);
  // Far-off targets are cut to what a document can hold, so no arithmetic overflows.
  dy = static_cast<int>(
      std::clamp<int64_t>(int64_t{dy}, -int64_t{CaretY()}, int64_t{kMaxLine} - CaretY()));
  // A line of no more bytes than kMaxVirtualColumn and no tab cannot be longer in columns.
  const TStringItem* maxLine = lines_.At(CaretY() + dy);
  int64_t maxX = kMaxVirtualColumn;
  if (maxLine && (maxLine->Text.size() > static_cast<size_t>(kMaxVirtualColumn) ||
                  maxLine->Text.find('\t') != std::string::npos))
    maxX = std::max<int64_t>(kMaxVirtualColumn, LineLength(CaretY() + dy));
  dx = static_cast<int>(std::clamp<int64_t>(int64_t{dx}, -int64_t{CaretX()}, maxX - CaretX()));
  // A replayed move is applied exactly as it was recorded.
  if (!replaying_ && !options_.Contains(soBeyondFileEnd)) {
    int lastLine = std::max(LineCount(), 1) - 1;
    if (CaretY() + dy > lastLine) dy = lastLine - CaretY();
  }
  int targetY = CaretY() + dy;
  if (options_.Contains(soLimitEOL) && !replaying_) {
    int length = LineLength(targetY);
    if (length < CaretX() + dx) dx = length - CaretX();
  }
  if (IsUtf8() && !replaying_) {
    // The caret never stands inside a wide character: it goes on the way it was moving.
    if (const TStringItem* l = lines_.At(targetY)) {
      int target = CaretX() + dx;
      auto [from, to] = WideCharAround(l->Text, target, Cells());
      if (from != to) dx = (dx > 0 ? to : from) - CaretX();
    }
  }
  if (options_.Contains(soCursorAlwaysOnTabs) && !replaying_) {
    if (const TStringItem* l = lines_.At(targetY)) {
      int target = CaretX() + dx;
      auto [from, to] = TabSpanAround(l->Text, target, Cells());
      if (from != to) dx = (target - from <= to - target ? from : to) - CaretX();
    }
  }
  if (dx == 0 && dy == 0 && !bookmarkJump_) return;

  TUpdateGuard update(*this, urCaretMove);
  // Leaving a line trims it, but not while undo or redo replays: the trim is not recorded, and
  // a replay must give back exactly the text that was there.
  if (dy != 0 && !replaying_) TrimCaretLine(false);
  if (TUndoRecord* r = AddUndoRecord(ukCaretMove)) {
    r->A = dy;
    r->B = dx;
  }
  caret_->Y += dy;
  caret_->X += dx;
  if (positioning_ > 0) {
    const TStringItem* l = lines_.At(caret_->Y);
    if (l && (l->LineState & lsHidden)) {
      int header = caret_->Y;
      while (header > 0 && !(lines_[header].LineState & lsCollapsedHeader)) --header;
      ExpandCollapsedHeader(header);
    }
  }
}

void TCustomMemoSource::CaretToLineEnd() {
  const TStringItem* l = lines_.At(CaretY());
  if (!l) return;
  std::string_view text = l->Text;
  if (!keepTrailingBlanks_) text = text.substr(0, TrimmedLength(l->Text));
  SetCaretPos(VisualLength(text, Cells()), CaretY());
}

void TCustomMemoSource::TrimCaretLine(bool keepCaret) {
  if (keepTrailingBlanks_ || CaretLineReadOnly()) return;
  TStringItem* l = lines_.At(CaretY());
  if (!l || !EndsInBlank(l->Text)) return;
  TUpdateGuard update(*this, urDeleteChars);
  if (keepCaret) {
    int x = CaretX();
    CaretToLineEnd();
    DeleteChars(MaxInt);
    SetCaretPos(x, CaretY());
  } else {
    SetLineText(CaretY(), l->Text.substr(0, TrimmedLength(l->Text)));
    if (HasAttributes() && l->Colors.size() > l->Text.size()) l->Colors.resize(l->Text.size());
  }
  ReparseLine(CaretY());
}

// ---- Inserting ----

bool TCustomMemoSource::EnsureCaretLine() {
  if (CaretY() < LineCount()) return true;
  int x = CaretX(), y = CaretY();
  if (LineCount() == 0) {
    // The lone empty line disappears again when an edit empties it, so it needs no record.
    lines_.Add();
    LineLengthChanged(-1, 0);
    MarkChanged(0, MaxInt);
    if (y == 0) return true;
  }
  // Append the missing lines by recorded splits, so that undo takes them away again.
  if (IsReadOnlyLine(LineCount() - 1)) return false;
  TUndoGroupGuard group(*this);
  while (LineCount() <= y) {
    int last = LineCount() - 1;
    SetCaretPos(LineLength(last), last);
    SplitLine();
  }
  SetCaretPos(x, y);
  return true;
}

void TCustomMemoSource::WriteInsertRecords(int leftDistance, int count) {
  if (leftDistance == 0) {
    if (TUndoRecord* r = AddUndoRecord(ukInserted)) r->A = count;
    return;
  }
  // The inserted run starts left of the caret (padding, or a tab split in front of the text).
  TUndoGroupGuard group(*this);
  if (TUndoRecord* r = AddUndoRecord(ukCaretMove)) r->B = -leftDistance;
  if (TUndoRecord* r = AddUndoRecord(ukInserted)) r->A = count;
  if (TUndoRecord* r = AddUndoRecord(ukCaretMove)) r->B = leftDistance;
}

bool TCustomMemoSource::InsertText(const std::string& text) {
  if (text.empty() || ReadOnly()) return false;
  if (IsReadOnlyLine(CaretY())) return false;
  TUpdateGuard update(*this, urInsertText);
  if (!EnsureCaretLine()) return false;
  int y = CaretY(), cx = CaretX();
  TStringItem& line = lines_[y];
  bool attributes = HasAttributes();

  char style = tsPlain;
  if (attributes) {
    if (typingStyle_ >= 0) {
      style = static_cast<char>(typingStyle_);
    } else if (!line.Colors.empty()) {
      int raw = VisualToRaw(line.Text, cx, Cells());
      if (cx == 0 || raw == 0)
        style = line.Colors.front();
      else
        style = line.Colors[std::min<size_t>(raw, line.Colors.size()) - 1];
    }
    line.Colors.resize(line.Text.size(), style);
  }

  const TCellLayout cells = Cells();
  TLineText& raw = line.Text;  // edited in place: a keystroke must not copy a long line
  // A line with neither tab nor (in UTF-8) a byte beyond ASCII has a column per byte, and a
  // keystroke into it costs one scan of the line instead of walks over its characters.
  const bool plain = cells.IsPlain(raw);
  int oldLength = static_cast<int>(raw.size());
  // One walk finds both the caret's byte and the line's length.
  size_t rawPos = plain ? static_cast<size_t>(cx) : VisualToRaw(raw, cx, cells, &oldLength);
  std::string inserted = text;
  int runStart;
  if (cx > oldLength) {
    rawPos = raw.size();
    runStart = oldLength;
    inserted.insert(0, cx - oldLength, ' ');
  } else if (plain) {
    runStart = cx;
  } else {
    auto [from, to] = TabSpanAround(raw, cx, cells);
    runStart = from;
    // Inside a tab's span: the part left of the caret becomes spaces, the tab stays after.
    if (from != to) inserted.insert(0, cx - from, ' ');
  }
  raw.insert(rawPos, inserted);
  if (attributes) line.Colors.insert(rawPos, inserted.size(), style);
  const int end = static_cast<int>(rawPos + inserted.size());
  int count, newLength;
  if (plain && cells.IsPlain(inserted)) {
    count = end - runStart;
    newLength = static_cast<int>(raw.size());
  } else if (rawPos > 0 && !HasTab(raw) && !StartsWithMark(inserted) &&
             (!cells.Utf8() || IsValidUtf8(inserted))) {
    // Without tabs a character's columns do not depend on where it stands (but for a mark at
    // the line's start, which rawPos > 0 rules out, and stray bytes that would join the
    // character before), so the rest of the line is not walked.
    count = VisualLength(inserted, cells);
    newLength = std::max(oldLength, cx) + count - (cx - runStart);
  } else {
    count = RawToVisual(raw, end, cells) - runStart;
    newLength = VisualLength(raw, cells);
  }
  line.LineState &= ~lsParsed;
  LineLengthChanged(oldLength, newLength);

  WriteInsertRecords(cx - runStart, count);
  int growth = newLength - std::max(oldLength, cx);
  ShiftAll(TShiftKind::Insert, growth, 0);
  ReparseLine(y);
  return true;
}

// ---- Deleting ----

void TCustomMemoSource::DeleteChars(int count) {
  if (count <= 0 || CaretLineReadOnly()) return;
  TStringItem* l = lines_.At(CaretY());
  if (!l || CaretX() >= VisualLength(l->Text, Cells())) return;
  TUpdateGuard update(*this, urDeleteChars);
  int y = CaretY(), cx = CaretX();

  auto [from, to] = TabSpanAround(l->Text, cx, Cells());
  if (from != to) {
    // Split the tab: spaces for the part left of the caret, so the deletion starts at a tab.
    TUndoGroupGuard group(*this);
    SetCaretPos(from, y);
    InsertText(std::string(cx - from, ' '));
    SetCaretPos(cx, y);
  }

  const TLineText& raw = l->Text;
  int length = VisualLength(raw, Cells());
  int want = std::min(count, length - cx);
  size_t start = VisualToRaw(raw, cx, Cells());
  size_t end = start;
  int col = cx;
  const TCellLayout cells = Cells();
  while (end < raw.size() && col < cx + want) col = cells.Step(raw, end, col);
  // Marks that combine with the last character deleted go with it.
  for (size_t next = end; next < raw.size() && cells.Step(raw, next, col) == col;) end = next;
  int deletedWidth = col - cx;

  bool attributes = HasAttributes();
  TUndoRecord* record = AddUndoRecord(ukDeleted);
  if (record) record->DeletedText = raw.substr(start, end - start);
  if (attributes && l->Colors.size() >= end) {
    if (record) record->DeletedColors = l->Colors.substr(start, end - start);
    l->Colors.erase(start, end - start);
  }
  l->Text.erase(start, end - start);
  l->LineState &= ~lsParsed;
  LineLengthChanged(length, VisualLength(l->Text, Cells()));

  RemoveSingleEmptyLine();
  ShiftAll(TShiftKind::Delete, deletedWidth, 0);
  ReparseLine(y);
}

// ---- Splitting and joining ----

void TCustomMemoSource::SplitLine() {
  if (ReadOnly()) return;
  int y = CaretY(), cx = CaretX();
  if (y >= std::max(LineCount(), 1) || IsReadOnlyLine(y)) return;
  TUpdateGuard update(*this, urSplitLine);
  if (LineCount() == 0) {
    lines_.Add();
    LineLengthChanged(-1, 0);
  }
  ExpandCollapsedHeader(y);

  TStringItem& line = lines_[y];
  TStringItem* lower = &lines_.Insert(y + 1);
  size_t p = VisualToRaw(line.Text, cx, Cells());
  bool wasEmpty = line.Text.empty();
  int oldLength = VisualLength(line.Text, Cells());
  std::string upper = line.Text.str();
  if (upper.size() > p) {
    lower->Text = upper.substr(p);
    upper.resize(p);
    if (HasAttributes() && line.Colors.size() > p) {
      lower->Colors = line.Colors.substr(p);
      line.Colors.resize(p);
      if (!replaying_) typingStyle_ = static_cast<unsigned char>(lower->Colors.front());
    }
  }
  if (p == 0 || wasEmpty) {
    // The line's attachments belong to its text, which moves down.
    lower->LineFlags = line.LineFlags;
    lower->ImageIndex = line.ImageIndex;
    lines_.MoveExtras(y, y + 1);
    line.LineFlags = 0;
    line.ImageIndex = 0;
  }
  if (line.LineState & lsExpandedHeader) {
    // A header split at its start hands the header role down with its text.
    if (p == 0) {
      lower->LineState |= lsExpandedHeader;
      line.LineState &= ~lsExpandedHeader;
    }
  }
  int lowerLength = VisualLength(lower->Text, Cells());
  line.Text = std::move(upper);
  line.LineState &= ~lsParsed;
  LineLengthChanged(oldLength, VisualLength(line.Text, Cells()));
  LineLengthChanged(-1, lowerLength);

  ShiftAll(TShiftKind::Split, 0, 0);
  ReparseLine(y);
  AddUndoRecord(ukSplit);
  MarkChanged(y, MaxInt);
  // Positions moved down first, so trimming the upper line cannot clamp them.
  if (!replaying_) TrimCaretLine(true);
}

void TCustomMemoSource::JoinLines() {
  if (ReadOnly()) return;
  int y = CaretY(), cx = CaretX();
  if (y >= LineCount() - 1 || LineCount() == 1 || IsReadOnlyLine(y) || IsReadOnlyLine(y + 1))
    return;
  TStringItem& line = lines_[y];
  if (replaying_) {
    size_t p = VisualToRaw(line.Text, cx, Cells());
    if (p < line.Text.size() && TrimmedLength(line.Text) <= p) {
      SetLineText(y, line.Text.substr(0, p));
      if (line.Colors.size() > p) line.Colors.resize(p);
    }
  }
  if (VisualToRaw(line.Text, cx, Cells()) < static_cast<int>(line.Text.size())) return;

  TUpdateGuard update(*this, urJoinLines);
  ExpandCollapsedHeader(y);
  ExpandCollapsedHeader(y + 1);
  bool attributes = HasAttributes();
  int length = VisualLength(line.Text, Cells());
  std::optional<TUndoGroupGuard> group;
  // A replay never pads: reversing a split made past the line end joins at the end, and a redone
  // join has its recorded padding re-inserted before it.
  int joinColumn = replaying_ ? std::min(cx, length) : cx;
  if (joinColumn > length) {
    group.emplace(*this);
    // Padding up to the caret is recorded as an insertion, so undo takes it away again.
    char style = line.Colors.empty() ? char{tsPlain} : line.Colors.back();
    if (attributes) line.Colors.resize(line.Text.size(), style);
    SetLineText(y, line.Text + std::string(cx - length, ' '));
    if (attributes) line.Colors.append(cx - length, style);
    WriteInsertRecords(cx - length, cx - length);
  }

  TStringItem& next = lines_[y + 1];
  int nextLength = VisualLength(next.Text, Cells());
  if (attributes) {
    line.Colors.resize(line.Text.size(), 0);
    next.Colors.resize(next.Text.size(), 0);
    line.Colors += next.Colors;
  }
  // The tag comes with the text at column 0; the object slot keeps the line's own if it has one.
  if (!lines_.Object(y)) lines_.SetObject(y, lines_.Object(y + 1));
  if (joinColumn == 0) lines_.SetTag(y, lines_.Tag(y + 1));
  line.LineFlags |= next.LineFlags;
  if (line.ImageIndex == 0) line.ImageIndex = next.ImageIndex;
  SetLineText(y, line.Text + next.Text);
  LineRemoved(nextLength);
  lines_.Delete(y + 1);
  RemoveSingleEmptyLine();

  // Positions are shifted as for a join at the caret's column.
  int savedX = caret_->X;
  caret_->X = joinColumn;
  ShiftAll(TShiftKind::Join, joinColumn, joinColumn);
  caret_->X = savedX;
  AddUndoRecord(ukJoined);
  MarkChanged(y, MaxInt);
}

}  // namespace quorel
