// The store's caret keys: Left and Right over tab spans, bracket matching, and the GUID insertion.
#include <algorithm>

#include "engine/guid.h"
#include "engine/memosource.h"
#include "engine/stylenumbers.h"
#include "engine/updateguard.h"

namespace quorel {

void TCustomMemoSource::CaretLeft(bool wrapToPreviousLine) {
  TUpdateGuard update(*this, urCaretMove);
  int x = CaretX(), y = CaretY();
  if (x == 0) {
    if (wrapToPreviousLine && y > 0) {
      SetCaretPos(0, y - 1);
      CaretToLineEnd();
    }
    return;
  }
  int target = x - 1;
  const TStringItem* line = lines_.At(y);
  if (line && (options_.Contains(soCursorOnTabs) || options_.Contains(soCursorAlwaysOnTabs)))
    target = TabSpanAround(line->Text, target, Cells()).first;
  MoveCaret(0, target - x);
}

void TCustomMemoSource::CaretRight(bool blockMove) {
  TUpdateGuard update(*this, urCaretMove);
  int x = CaretX(), y = CaretY();
  if (options_.Contains(soLimitEOL) && !blockMove && selType_ != stBlock && x >= LineLength(y)) {
    if (y + 1 < LineCount() || options_.Contains(soBeyondFileEnd)) SetCaretPos(0, y + 1);
    return;
  }
  int target = x + 1;
  const TStringItem* line = lines_.At(y);
  if (line && (options_.Contains(soCursorOnTabs) || options_.Contains(soCursorAlwaysOnTabs))) {
    auto [from, to] = TabSpanAround(line->Text, target, Cells());
    if (from != to) target = to;
  }
  MoveCaret(0, target - x);
}

void TCustomMemoSource::SelectCharLeft() {
  ExtendSelection(stStream, [this] { CaretLeft(); });
}

void TCustomMemoSource::MatchBracket() {
  TPoint at = CaretPos();
  TRect r = SelectionRect();
  if (selType_ == stStream && r.Top == r.Bottom && r.Right - r.Left == 1) at = {r.Left, r.Top};
  std::string text = CellLine(at.Y);
  if (at.X >= static_cast<int>(text.size())) return;
  std::string colors = CellColors(at.Y);
  // Brackets in strings and comments do not count.
  auto counts = [&](int x) {
    unsigned char style = x < static_cast<int>(colors.size())
                              ? static_cast<unsigned char>(colors[static_cast<size_t>(x)])
                              : static_cast<unsigned char>(tsPlain);
    return style != tsString && style != tsComment;
  };
  static const std::string opens = "([{", closes = ")]}";
  char c = text[static_cast<size_t>(at.X)];
  size_t kind = opens.find(c);
  bool forward = kind != std::string::npos;
  if (!forward) kind = closes.find(c);
  if (kind == std::string::npos || !counts(at.X)) return;
  char deeper = forward ? opens[kind] : closes[kind];
  char back = forward ? closes[kind] : opens[kind];
  int depth = 0;
  for (int y = at.Y, x = at.X;;) {
    for (int length = static_cast<int>(text.size()); x >= 0 && x < length; x += forward ? 1 : -1) {
      char ch = text[static_cast<size_t>(x)];
      if ((ch != deeper && ch != back) || !counts(x)) continue;
      depth += ch == deeper ? 1 : -1;
      if (depth == 0) {
        TUpdateGuard update(*this, urCaretMove);
        SetCaretPos(x, y);
        return;
      }
    }
    y += forward ? 1 : -1;
    if (y < 0 || y >= LineCount()) return;
    text = CellLine(y);
    colors = CellColors(y);
    x = forward ? 0 : static_cast<int>(text.size()) - 1;
  }
}

void TCustomMemoSource::InsertGuid() { InsertTextKeepSelection("['" + NewGuidText() + "']"); }

}  // namespace quorel
