// Block operations: deleting, cutting and pasting the selection, inserting lists of lines as a
// stream or a column block, moving and copying blocks, and transforming the selected lines.
// All are built from the store's primitives, so each is undoable and notifies once.
#include <algorithm>

#include "engine/casemap.h"
#include "engine/memosource.h"
#include "engine/simpleparser.h"
#include "engine/stylenumbers.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"
#include "platform/clipboard.h"
#include "platform/services.h"

namespace quorel {

// ---- Deleting ----

void TCustomMemoSource::DeleteSelection() {
  if (selType_ == stNone) return;
  TUpdateGuard update(*this, urDeleteSelection);
  TRect r = TextSelectionRect();
  if (selType_ == stStream && r.Bottom > r.Top) {
    // The part of the last line, the lines in between, then the rest of the first line.
    SetCaretPos(0, r.Bottom);
    DeleteChars(r.Right);
    // Whole lines in between: empty the line below the first, join the next one up.
    SetCaretPos(0, r.Top + 1);
    for (int i = 0; i < r.Bottom - r.Top - 1; ++i) {
      DeleteChars(MaxInt);
      JoinLines();
    }
    SetCaretPos(r.Left, r.Top);
    DeleteChars(MaxInt);
    JoinLines();
    selType_ = stNone;
    return;
  }
  int width = r.Right - r.Left + (selType_ == stBlock ? 1 : 0);
  TTempPosition caret(positions_, CaretX(), CaretY());
  selType_ = stNone;
  for (int y = r.Top; y <= r.Bottom; ++y) {
    SetCaretPos(r.Left, y);
    DeleteChars(width);
  }
  SetCaretPos(caret.X(), caret.Y());
}

void TCustomMemoSource::CutToClipboard(const std::function<std::string()>& rtf) {
  if (selType_ == stNone) return;
  TUpdateGuard update(*this, urCut);
  CopyToClipboard(rtf);
  DeleteSelection();
}

// ---- Inserting lists of lines ----

int TCustomMemoSource::InsertColoured(const std::string& text, const std::string* colors) {
  int cx = CaretX();
  int before = LineLength(CaretY());
  if (!InsertText(text)) return 0;
  TStringItem* line = lines_.At(CaretY());
  if (colors && line && HasAttributes()) {
    size_t at = VisualToRaw(line->Text, cx, Cells());
    std::string styles = *colors;
    styles.resize(text.size(), styles.empty() ? char{tsPlain} : styles.back());
    line->Colors.resize(line->Text.size(), '\0');
    line->Colors.replace(at, styles.size(), styles);
    line->Colors.resize(line->Text.size(), '\0');
  }
  return LineLength(CaretY()) - std::max(before, cx);
}

void TCustomMemoSource::InsertLinesAsBlock(const std::vector<std::string>& lines,
                                           const std::vector<std::string>* colors, bool asBlock) {
  TPoint start = CaretPos();
  int count = static_cast<int>(lines.size());
  int firstGrowth = 0;
  for (int i = 0; i < count; ++i) {
    EnsureCaretLine();
    int growth = InsertColoured(lines[i], colors ? &(*colors)[i] : nullptr);
    if (i == 0) firstGrowth = growth;
    if (i + 1 == count) break;
    int y = CaretY();
    if (y >= LineCount() - 1) {
      // Past the last line: append one, so the column goes on downwards.
      SetCaretPos(LineLength(y), y);
      SplitLine();
    }
    SetCaretPos(start.X, y + 1);
  }
  if (count == 1) {
    SetSelection(stStream, start.X, start.Y, start.X + firstGrowth, start.Y);
    if (asBlock)
      MoveCaret(1, 0);
    else
      MoveCaret(0, firstGrowth);
  } else {
    SetSelection(stBlock, start.X, start.Y, start.X + firstGrowth - 1, start.Y + count - 1);
  }
}

void TCustomMemoSource::InsertLinesAsStream(const std::vector<std::string>& lines,
                                            const std::vector<std::string>* colors) {
  auto colorsOf = [colors](size_t i) { return colors ? &(*colors)[i] : nullptr; };
  EnsureCaretLine();
  TPoint start = CaretPos();
  int count = static_cast<int>(lines.size());
  SplitLine();
  InsertColoured(lines[0], colorsOf(0));
  SetCaretPos(0, start.Y + 1);
  int lastWidth = InsertColoured(lines[count - 1], colorsOf(count - 1));
  // Each middle line pushes the last one down and takes its place.
  for (int b = 1; b < count - 1; ++b) {
    SetCaretPos(0, start.Y + b);
    SplitLine();
    InsertColoured(lines[b], colorsOf(b));
  }
  SetSelection(stStream, start.X, start.Y, lastWidth, start.Y + count - 1);
  SetCaretPos(lastWidth, start.Y + count - 1);
}

void TCustomMemoSource::InsertStringList(const std::vector<std::string>& lines,
                                         const std::vector<std::string>* colors, bool asBlock) {
  if (lines.empty() || ReadOnly()) return;
  // Refused as a whole when it would change a read-only line, rather than done in part.
  int rows = asBlock ? static_cast<int>(lines.size()) : 1;
  for (int y = CaretY(); y < CaretY() + rows; ++y)
    if (IsReadOnlyLine(y)) return;
  if (colors && colors->size() < lines.size()) colors = nullptr;
  TUpdateGuard update(*this, urInsertLines);
  if (lines.size() == 1 || asBlock)
    InsertLinesAsBlock(lines, colors, asBlock);
  else
    InsertLinesAsStream(lines, colors);
}

void TCustomMemoSource::InsertTextKeepSelection(const std::string& text) {
  TUpdateGuard update(*this, urInsertKeepSelection);
  TSelectionType type = selType_;
  TRect r = SelectionRect();
  std::vector<std::string> lines = SplitLines(text);
  if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) lines.emplace_back();
  InsertStringList(lines, nullptr, false);
  selType_ = type;
  selStart_->X = r.Left;
  selStart_->Y = r.Top;
  selEnd_->X = r.Right;
  selEnd_->Y = r.Bottom;
}

// ---- The clipboard ----

void TCustomMemoSource::PasteFromClipboard() {
  if (CaretLineReadOnly()) return;
  platform::IClipboard& clipboard = *services_.Clipboard;
  TUpdateGuard update(*this, urInsertLines);
  if (options_.Contains(soOverwriteBlocks) && !options_.Contains(soPersistentBlocks))
    DeleteSelection();
  // Text copied in another program is never a block.
  if (!clipboard.OwnedByThisApplication()) ClipboardIsBlock() = false;
  if (!clipboard.HasText()) return;
  int dropped = 0;
  std::string text = FromUtf8(clipboard.GetText(), IsUtf8(), &dropped);
  if (dropped > 0) ReportNotStored(clipboard.GetText());
  TStringList list(SplitLines(text));
  // A pasted final line break is kept.
  if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) list.Add("");
  DoPasteFromClipboard(list);
  std::vector<std::string> lines = list.Lines();
  if (!options_.Contains(soUseTabCharacter))
    for (std::string& line : lines) line = ExpandTabsFixed(line, spacesInTab_);
  InsertStringList(lines, nullptr, ClipboardIsBlock());
  if (!options_.Contains(soPersistentBlocks)) selType_ = stNone;
}

// ---- Moving and copying blocks ----

bool TCustomMemoSource::MoveOrCopyBlock(bool move) {
  if (selType_ == stNone || ReadOnly() || IsInSelection(CaretX(), CaretY())) return false;
  TUpdateGuard update(*this, urMoveBlock);
  bool block = selType_ == stBlock;
  std::vector<std::string> lines = SelectedLines(true);
  TTempPosition caret(positions_, CaretX(), CaretY());
  if (move) DeleteSelection();
  SetCaretPos(caret.X(), caret.Y());
  InsertStringList(lines, nullptr, block);
  return true;
}

void TCustomMemoSource::DeleteSelectionKeepCaret() {
  TTempPosition caret(positions_, CaretX(), CaretY());
  DeleteSelection();
  SetCaretPos(caret.X(), caret.Y());
}

bool TCustomMemoSource::MoveBlock() { return MoveOrCopyBlock(true); }

bool TCustomMemoSource::CopyBlock() { return MoveOrCopyBlock(false); }

void TCustomMemoSource::CopySelectionToCaret() {
  if (selType_ == stNone || ReadOnly()) return;
  TUpdateGuard update(*this, urCopyToCaret);
  bool block = selType_ == stBlock;
  std::vector<std::string> lines = SelectedLines(true);
  selType_ = stNone;
  InsertStringList(lines, nullptr, block);
}

// ---- Transforming the selected lines ----

std::string TCustomMemoSource::TransformLine(TTransformKind kind, const std::string& line) const {
  if (IsUtf8() && kind <= tkCapitalise) return TransformUtf8Line(kind, line);
  switch (kind) {
    case tkUpperCase:
      return UpperCase(line);
    case tkLowerCase:
      return LowerCase(line);
    case tkToggleCase: {
      std::string out = line;
      for (char& c : out) c = UpperChar(c) != c ? UpperChar(c) : LowerChar(c);
      return out;
    }
    case tkCapitalise: {
      std::string out = LowerCase(line);
      for (size_t i = 0; i < out.size(); ++i)
        if (!IsDelimiter(out[i]) && (i == 0 || IsDelimiter(out[i - 1]))) out[i] = UpperChar(out[i]);
      return out;
    }
    case tkQuote:
      return ">" + line;
    case tkIndent:
      if (line.empty()) return line;
      return (tabText_.empty() ? std::string(blockIndent_, ' ') : tabText_) + line;
    case tkUnindent: {
      size_t limit = tabText_.empty() ? static_cast<size_t>(blockIndent_) : tabText_.size();
      size_t blanks = 0;
      while (blanks < std::min(limit, line.size()) && (line[blanks] == ' ' || line[blanks] == '\t'))
        ++blanks;
      return line.substr(blanks);
    }
  }
  return line;
}

// The case changes for UTF-8 text, character by character, every character keeping its length.
std::string TCustomMemoSource::TransformUtf8Line(TTransformKind kind,
                                                 const std::string& line) const {
  switch (kind) {
    case tkUpperCase:
      return MapUtf8(line, FoldUpper);
    case tkLowerCase:
      return MapUtf8(line, FoldLower);
    case tkToggleCase:
      return MapUtf8(line,
                     [](char32_t c) { return FoldUpper(c) != c ? FoldUpper(c) : FoldLower(c); });
    default: {
      bool wordStart = true;  // characters beyond ASCII are letters, never delimiters
      return MapUtf8(line, [&](char32_t c) {
        bool delimiter = c < 0x80 && IsDelimiter(static_cast<unsigned char>(c));
        char32_t out = !delimiter && wordStart ? FoldUpper(c) : FoldLower(c);
        wordStart = delimiter;
        return out;
      });
    }
  }
}

void TCustomMemoSource::TransformSelection(TUpdateReason reason, bool keepCaret,
                                           TTransformKind kind) {
  if (selType_ == stNone || ReadOnly()) return;
  // The transformed text is left selected, even where it equals the selection before.
  TKeepSelectionHold hold(*this);
  TUpdateGuard update(*this, reason);
  TPoint caret = CaretPos();
  TRect r = TextSelectionRect();
  TSelectionType type = selType_;
  std::vector<std::string> lines = SelectedLines();
  std::vector<std::string> colors;
  bool attributes = HasAttributes();
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string changed = TransformLine(kind, lines[i]);
    if (attributes) {
      int y = r.Top + static_cast<int>(i);
      auto [from, to] = SelectedColumns(y);
      std::string expanded = GetExpandedColors(y);
      std::string text = Line(y);
      from = VisualToRaw(text, from, Cells());
      if (to != MaxInt) to = VisualToRaw(text, to, Cells());
      std::string styles =
          from < static_cast<int>(expanded.size())
              ? expanded.substr(from, std::max(0, std::min<int>(to, expanded.size()) - from))
              : std::string();
      styles.resize(lines[i].size(), styles.empty() ? char{tsPlain} : styles.back());
      // Only the line's start grows or shrinks (quote, indent, unindent).
      int delta = static_cast<int>(changed.size()) - static_cast<int>(lines[i].size());
      if (delta > 0) styles.insert(0, delta, styles.empty() ? char{tsPlain} : styles.front());
      if (delta < 0) styles.erase(0, std::min<size_t>(-delta, styles.size()));
      colors.push_back(styles);
    }
    lines[i] = std::move(changed);
  }
  DeleteSelection();
  SetCaretPos(r.Left, r.Top);
  InsertStringList(lines, attributes ? &colors : nullptr, type == stBlock);
  if (keepCaret) SetCaretPos(caret.X, caret.Y);
}

}  // namespace quorel
