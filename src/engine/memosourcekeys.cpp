// The store's editing keys: Enter with auto-indent, Tab and smart tab, back-tab, Backspace with
// back-unindent, Delete and the line commands.
#include <algorithm>

#include "engine/memosource.h"
#include "engine/updateguard.h"

namespace quorel {

namespace {

int LeadingSpaces(const std::string& s) {
  int n = 0;
  while (n < static_cast<int>(s.size()) && s[static_cast<size_t>(n)] == ' ') ++n;
  return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool TCustomMemoSource::DeleteOverwrittenBlock() {
  if (!options_.Contains(soOverwriteBlocks) || options_.Contains(soPersistentBlocks) ||
      !HasSelection())
    return false;
  DeleteSelection();
  return true;
}

// ---- Enter ----

// The indentation of the line Enter starts, from the line's visual text and the caret (x, y).
int TCustomMemoSource::NewLineIndent(const std::string& text, int x, int y) const {
  // The nearest text at or above the caret: the caret line's part left of it, then the lines above.
  auto nearest = [&] {
    std::string left = text.substr(0, std::min<size_t>(static_cast<size_t>(x), text.size()));
    if (!left.empty()) return LeadingSpaces(left);
    for (int i = std::min(y, LineCount()) - 1; i >= 0; --i)
      if (!lines_[i].Text.empty()) return LeadingSpaces(CellLine(i));
    return 0;
  };
  if (text.empty() || (x == 0 && text[0] != ' ')) return nearest();
  if (x == 0) return 0;
  return x <= LeadingSpaces(text) ? x : nearest();
}

// What indents a new line by `columns`: spaces, or with tab characters the leading blanks of the
// line above (soUsePrevIndent) or tabs up to the last tab stop and spaces after it (soOptimalFill).
std::string TCustomMemoSource::IndentText(int columns, const std::string& previousRaw) const {
  if (!options_.Contains(soUseTabCharacter)) return std::string(static_cast<size_t>(columns), ' ');
  std::string text;
  int column = 0;
  if (options_.Contains(soUsePrevIndent)) {
    for (char c : previousRaw) {
      if (!IsBlank(c)) break;
      int next = c == '\t' ? tabStops_.NextStop(column) : column + 1;
      if (next > columns) break;
      text += c;
      column = next;
    }
  } else if (options_.Contains(soOptimalFill)) {
    // A tab only where it ends at or before the indentation, so the line is never over-indented.
    while (tabStops_.NextStop(column) <= columns) {
      text += '\t';
      column = tabStops_.NextStop(column);
    }
  }
  return text + std::string(static_cast<size_t>(columns - column), ' ');
}

void TCustomMemoSource::NewLine() {
  bool outermost = !InUpdate();
  TUpdateGuard update(*this, urEnter);
  bool autoIndent = options_.Contains(soAutoIndent);
  int x = CaretX(), y = CaretY();
  if (OverwriteMode()) {
    // Overwriting text changes nothing: the caret goes to the next line's indentation.
    int column = 0;
    if (autoIndent) column = x <= LeadingSpaces(CellLine(y)) ? x : LeadingSpaces(CellLine(y + 1));
    int last = options_.Contains(soBeyondFileEnd) ? kMaxLine : std::max(LineCount() - 1, 0);
    SetCaretPos(column, std::min(y + 1, last));
    return;
  }
  if (CaretLineReadOnly()) return;
  if (outermost && DeleteOverwrittenBlock()) {
    x = CaretX();
    y = CaretY();
  }
  std::string text = CellLine(y);
  std::string raw = RawLine(y);
  int before = LineCount();
  SplitLine();
  if (LineCount() == before) return;
  int indent = autoIndent ? NewLineIndent(text, x, y) : 0;
  SetCaretPos(0, y + 1);
  if (indent > 0) InsertText(IndentText(indent, raw));
  SetCaretPos(indent, y + 1);
}

// ---- Tab and back-tab ----

int TCustomMemoSource::SmartTabTarget(int stop, int column, int line) const {
  if (!options_.Contains(soSmartTab) || line <= 0) return stop;
  for (int y = std::min(line, LineCount()) - 1; y >= 0; --y) {
    if (LineLength(y) <= column) continue;
    std::string text = CellLine(y);
    int length = static_cast<int>(text.size());
    int first = 0;
    while (first < length && IsBlank(text[static_cast<size_t>(first)])) ++first;
    if (first > column) return first;
    // Where a word-right move from the column would land on that line: past the rest of the
    // word there, then past the blanks and delimiters after it.
    int x = column;
    while (x < length && !IsDelimiter(static_cast<unsigned char>(text[static_cast<size_t>(x)])))
      ++x;
    while (x < length && IsDelimiter(static_cast<unsigned char>(text[static_cast<size_t>(x)]))) ++x;
    return x;
  }
  return stop;
}

void TCustomMemoSource::ShiftSelectedLines(const std::string& tabText, TUpdateReason reason,
                                           TTransformKind kind) {
  std::string saved = tabText_;
  tabText_ = tabText;
  try {
    TransformSelection(reason, false, kind);
  } catch (...) {
    tabText_ = saved;
    throw;
  }
  tabText_ = saved;
}

void TCustomMemoSource::InsertTab() {
  if (CaretLineReadOnly()) return;
  TUpdateGuard update(*this, urTab);
  TRect r = TextSelectionRect();
  bool selection = HasSelection();
  int column = selection ? r.Left : CaretX();
  int target = SmartTabTarget(tabStops_.NextStop(column), column, selection ? r.Top : CaretY());
  bool tabs = options_.Contains(soUseTabCharacter);
  std::string text =
      tabs ? std::string("\t") : std::string(static_cast<size_t>(target - column), ' ');
  if (selection && r.Bottom > r.Top) {
    ShiftSelectedLines(text, urBlockIndent, tkIndent);
    return;
  }
  int x = CaretX();
  if (OverwriteMode()) {
    MoveCaret(0, target - x);
    return;
  }
  if (InsertText(text)) MoveCaret(0, (tabs ? tabStops_.NextStop(x) : x + target - column) - x);
}

void TCustomMemoSource::BackTab() {
  TRect r = TextSelectionRect();
  if (HasSelection() && r.Bottom > r.Top) {
    int target = SmartTabTarget(tabStops_.NextStop(r.Left), r.Left, r.Top);
    ShiftSelectedLines(std::string(static_cast<size_t>(target - r.Left), ' '), urBlockUnindent,
                       tkUnindent);
    return;
  }
  int x = CaretX();
  int i = 0;
  while (tabStops_.TabStop(i) < x) ++i;
  int target = i > 0 ? tabStops_.TabStop(i - 1) : 0;
  TUpdateGuard update(*this, urCaretMove);
  MoveCaret(0, target - x);
}

// ---- Backspace and Delete ----

int TCustomMemoSource::PrevIndent(int column, int line) const {
  for (int y = std::min(line, LineCount()) - 1; y >= 0; --y) {
    if (lines_[y].Text.empty()) continue;
    std::string text = CellLine(y);
    if (LeadingSpaces(text) >= column) continue;
    int p = std::min(column, static_cast<int>(text.size()));
    while (p > 0 && text[static_cast<size_t>(p) - 1] == ' ') --p;
    while (p > 0 && text[static_cast<size_t>(p) - 1] != ' ') --p;
    return p;
  }
  return 0;
}

void TCustomMemoSource::Backspace() {
  TUpdateGuard update(*this, urBackspace);
  if (DeleteOverwrittenBlock()) return;
  int x = CaretX(), y = CaretY();
  if (x == 0) {
    if (y == 0 || ReadOnly()) return;
    SetCaretPos(0, y - 1);
    CaretToLineEnd();
    // Blanks kept at the end of the line above would stop the join.
    DeleteChars(MaxInt);
    JoinLines();
    return;
  }
  if (y >= LineCount() || LineLength(y) < x) {
    MoveCaret(0, -1);
    return;
  }
  if (CaretLineReadOnly()) return;
  std::string text = CellLine(y);
  if (!options_.Contains(soBackUnindents) || LeadingSpaces(text) != x) {
    CaretLeft();
    DeleteChars(1);
    return;
  }
  int target = PrevIndent(x, y);
  if (!options_.Contains(soUseTabCharacter)) {
    SetCaretPos(0, y);
    DeleteChars(x - target);
  } else {
    SetCaretPos(target, y);
    DeleteChars(x - target);
    // A tab left before the caret may now reach less far than the target.
    int indent = LeadingSpaces(CellLine(y));
    if (indent < target) {
      SetCaretPos(indent, y);
      InsertText(std::string(static_cast<size_t>(target - indent), ' '));
    }
  }
  SetCaretPos(target, y);
}

void TCustomMemoSource::DeleteChar() {
  TUpdateGuard update(*this, urDeleteChars);
  if (DeleteOverwrittenBlock()) return;
  if (CaretX() < LineLength(CaretY()))
    DeleteChars(1);
  else
    JoinLines();
}

void TCustomMemoSource::DeleteLine() {
  if (CaretLineReadOnly() || CaretY() >= LineCount()) return;
  TUpdateGuard update(*this, urDeleteLine);
  SetCaretPos(0, CaretY());
  DeleteChars(MaxInt);
  JoinLines();
}

void TCustomMemoSource::DeleteToLineEnd() {
  TUpdateGuard update(*this, urDeleteChars);
  DeleteChars(MaxInt);
}

void TCustomMemoSource::DeleteToLineStart() {
  const TStringItem* line = lines_.At(CaretY());
  if (!line || CaretLineReadOnly()) return;
  TUpdateGuard update(*this, urDeleteToLineStart);
  // A tab the caret stands inside stays: only what lies wholly left of the caret goes.
  int x = std::min(CaretX(), LineLength(CaretY()));
  int upTo = RawToVisual(line->Text, VisualToRaw(line->Text, x, Cells()), Cells());
  SetCaretPos(0, CaretY());
  DeleteChars(upTo);
}

void TCustomMemoSource::ToggleOverwrite() { SetOverwriteMode(!OverwriteMode()); }

}  // namespace quorel
