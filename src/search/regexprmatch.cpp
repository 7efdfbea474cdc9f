// TRegExpr: matching one line, forward or backward, with a bounded amount of work.
#include <algorithm>

#include "search/regexpr.h"
#include "search/utf8text.h"

namespace quorel {

// A text position past the end of the line stands for "the end was taken once" by "." or a
// negated class; the match then ends at the end of the line. Positions are bytes; in UTF-8
// text the candidates are the bytes where characters start, and elements take whole ones.
bool TRegExpr::Find(std::string_view text, int& start, bool forward, int& length) {
  length = 0;
  if (pattern_ == "$") {
    const int n = static_cast<int>(text.size());
    if (forward || start == n) {
      start = n + 1;
      return true;
    }
    start = 0;
    return false;
  }
  int end = 0;
  if (!Search(text, start, forward, end)) return false;
  length = end + 1 - start;
  if (end == 0 || length < 0) length = 0;
  return true;
}

bool TRegExpr::Search(std::string_view text, int& start, bool forward, int& endOffset) {
  text_ = text;
  length_ = static_cast<int>(text.size());
  endOffset = 0;
  if (length_ == 0) {
    // An empty line has no candidates; only these patterns match it.
    if (pattern_ == "^" || pattern_ == "$" || pattern_ == "^$") {
      start = 1;
      return true;
    }
    start = 0;
    return false;
  }
  stepsLeft_ = fixedBudget_ > 0 ? fixedBudget_ : kBaseSteps + kStepsPerChar * length_;
  int from = std::min(start, length_);
  // A start past the end clamps to the last character: in UTF-8 text, to where it begins.
  if (utf8_ && start > length_) {
    size_t last = static_cast<size_t>(length_ - 1);
    while (last > 0 && !IsUtf8CharStart(text, last)) --last;
    from = static_cast<int>(last) + 1;
  }
  start = 0;
  if (!ContainsRequiredText(text)) return false;
  const int step = forward ? 1 : -1;
  int last = forward ? length_ : 1;
  int column = forward ? std::max(from, 1) : from;
  if (onlyFirstColumn_) {
    if (forward ? column > 1 : column < 1) return false;
    column = last = 1;
  }
  for (; forward ? column <= last : column >= last; column += step) {
    const unsigned char c = static_cast<unsigned char>(text[column - 1]);
    if (!anyStart_ && !startSet_[c]) continue;
    if (utf8_ && c >= 0x80 && !IsUtf8CharStart(text, column - 1)) continue;
    if (MatchCandidate(column - 1)) {
      start = column;
      endOffset = matchEnd_;
      return true;
    }
  }
  return false;
}

// Matches all elements from the first; on failure resumes from the most recent backtracking
// point, matching from its element to the end of the pattern, until none is left.
bool TRegExpr::MatchCandidate(int at) {
  const int last = static_cast<int>(elements_.size()) - 1;
  stack_.clear();
  int p = at;
  if (MatchRange(0, last, p)) return true;
  while (!stack_.empty()) {
    auto [q, element] = stack_.back();
    stack_.pop_back();
    Step();
    if (MatchRange(element, last, q)) return true;
  }
  return false;
}

void TRegExpr::Step() {
  if (--stepsLeft_ < 0)
    throw ERegExprTooComplex("The pattern " + pattern_ +
                             " needs too much work on one line; the search was stopped");
}

// One more repetition of the item from a to e; one that consumes nothing counts as failure.
bool TRegExpr::Attempt(int a, int e, int& p) {
  int q = p;
  if (!MatchRange(a, e, q) || q == p) return false;
  p = q;
  return true;
}

bool TRegExpr::MatchRange(int a, int z, int& p) {
  const int n = length_;
  for (int i = a; i <= z; ++i) {
    Step();
    const TElement& element = elements_[i];
    const int e = element.SpanEnd;
    if (e != -1 && e != z) {
      // A repeated item: as many repetitions as match, each shorter run kept for backtracking.
      const bool plus = elements_[e + 1].Kind == rkPlus;
      if (p < n) {
        if (plus && !Attempt(i, e, p)) return false;
        while (p < n) {
          stack_.emplace_back(p, e + 2);
          Step();
          if (!Attempt(i, e, p)) break;
        }
      } else if (plus) {
        return false;
      }
      i = e + 1;
      continue;
    }
    switch (element.Kind) {
      case rkChar:
        if (element.Char == 0) {
          matchEnd_ = std::min(p, n);
          return true;
        }
        if (p >= n) return false;
        if (utf8_) {
          int32_t c;
          const int length = ReadChar(text_, static_cast<size_t>(p), c);
          if (Fold(c) != element.Char) return false;
          p += length;
        } else {
          if (fold_[static_cast<unsigned char>(text_[p])] != element.Char) return false;
          ++p;
        }
        break;
      case rkAny:
        if (p > n) return false;
        p += utf8_ && p < n ? Utf8CharLength(text_, static_cast<size_t>(p)) : 1;
        break;
      case rkClass:
        if (p < n) {
          if (utf8_) {
            int32_t c;
            const int length = ReadChar(text_, static_cast<size_t>(p), c);
            if (InClass(element, Fold(c)) == (element.Char != 0)) return false;
            p += length;
            break;
          }
          if (element.Set[fold_[static_cast<unsigned char>(text_[p])]] == (element.Char != 0))
            return false;
        } else if (p > n || element.Char == 0) {
          return false;
        }
        ++p;
        break;
      case rkLineStart:
        if (p != 0) return false;
        break;
      case rkLineEnd:
        if (p < n) return false;
        break;
      default:
        break;  // the zero-width markers
    }
  }
  return true;
}

}  // namespace quorel
