// TRegExpr: compiling a pattern into its flat list of elements.
#include "search/regexpr.h"

#include <cstring>

namespace quorel {

namespace {

bool IsRepeat(char c) { return c == '*' || c == '+'; }

// Characters that a backslash inside a class stands for; any other backslash is a member.
bool IsClassEscape(char c) { return c != 0 && std::strchr("$*+.[]^{}-", c) != nullptr; }

}  // namespace

TRegExpr::TRegExpr(std::string pattern, bool caseSensitive)
    : pattern_(std::move(pattern)), caseSensitive_(caseSensitive) {
  for (int c = 0; c < 256; ++c)
    fold_[c] = static_cast<unsigned char>(!caseSensitive && c >= 'a' && c <= 'z' ? c - 32 : c);
  Compile();
  PrepareStartSet();
  PrepareRequiredText();
}

void TRegExpr::Fail(size_t position) const {
  throw EVrelError(pattern_ + " is invalid mask at (" + std::to_string(position) + ")");
}

void TRegExpr::Add(TKind kind, uint8_t c) {
  TElement element;
  element.Kind = kind;
  element.Char = c;
  elements_.push_back(element);
}

void TRegExpr::Compile() {
  const std::string& s = pattern_;
  const size_t n = s.size();
  std::vector<int> groups;  // indexes of the open "{" elements
  // Where the previous item starts when it is a group or a wrapped item just closed, else -1.
  int closedItem = -1;
  for (size_t i = 0; i < n; ++i) {
    const char c = s[i];
    int closed = -1;
    switch (c) {
      case '.':
        Add(rkAny);
        break;
      case '^':
        Add(rkLineStart);
        break;
      case '$':
        Add(rkLineEnd);
        break;
      case '\\':
        if (i + 1 >= n) Fail(n + 1);
        ++i;
        Add(rkEscape, static_cast<uint8_t>(s[i]));
        Add(rkChar, fold_[static_cast<unsigned char>(s[i])]);
        break;
      case '{':
        groups.push_back(static_cast<int>(elements_.size()));
        Add(rkOpen);
        break;
      case '}':
        if (groups.empty()) Fail(i + 1);
        Add(rkClose);
        closed = groups.back();
        groups.pop_back();
        break;
      case '[': {
        const int first = static_cast<int>(elements_.size());
        i = CompileClass(i);
        if (elements_.size() - first > 1) closed = first;
        break;
      }
      case '*':
      case '+': {
        if (elements_.empty()) Fail(i + 1);
        const TKind last = elements_.back().Kind;
        if (last == rkLineStart || last == rkLineEnd || last == rkEscape || last == rkPlus ||
            last == rkStar)
          Fail(i + 1);
        const int lastIndex = static_cast<int>(elements_.size()) - 1;
        const int itemStart = closedItem >= 0 ? closedItem : lastIndex;
        for (int k = itemStart; k <= lastIndex; ++k)
          if (elements_[k].SpanEnd == -1) elements_[k].SpanEnd = lastIndex;
        Add(c == '*' ? rkStar : rkPlus);
        break;
      }
      default:
        if (i + 1 < n && IsRepeat(s[i + 1])) {
          closed = static_cast<int>(elements_.size());
          Add(rkOpen);
          Add(rkChar, fold_[static_cast<unsigned char>(c)]);
          Add(rkClose);
        } else {
          Add(rkChar, fold_[static_cast<unsigned char>(c)]);
        }
        break;
    }
    closedItem = closed;
  }
  if (!groups.empty()) Fail(n + 1);
  Add(rkChar, 0);
}

// Compiles the class opening at s[i]; returns the index of its "]". A class followed by "*"
// or "+" is wrapped between opening and closing elements.
size_t TRegExpr::CompileClass(size_t i) {
  const std::string& s = pattern_;
  const size_t n = s.size();
  TElement element;
  element.Kind = rkClass;
  size_t j = i + 1;
  if (j < n && s[j] == '^') {
    element.Char = 1;
    ++j;
  }
  auto read = [&](size_t& k) {
    if (s[k] == '\\' && k + 1 < n && IsClassEscape(s[k + 1])) {
      k += 2;
      return static_cast<unsigned char>(s[k - 1]);
    }
    return static_cast<unsigned char>(s[k++]);
  };
  int previous = -1;  // the previous member, for ranges
  bool any = false;
  for (;;) {
    if (j >= n) Fail(n + 1);
    if (s[j] == ']') break;
    if (s[j] == '-') {
      if (previous < 0) Fail(j + 1);
      ++j;
      if (j >= n) Fail(n + 1);
      const unsigned char last = read(j);
      for (int c = fold_[previous]; c <= fold_[last]; ++c) element.Set.set(c);
      previous = last;
    } else {
      const unsigned char c = read(j);
      element.Set.set(fold_[c]);
      previous = c;
    }
    any = true;
  }
  if (!any) Fail(j + 1);
  const bool wrapped = j + 1 < n && IsRepeat(s[j + 1]);
  if (wrapped) Add(rkOpen);
  elements_.push_back(element);
  if (wrapped) Add(rkClose);
  return j;
}

// A candidate column whose character cannot begin a match fails at the first element with
// nothing on the backtracking stack, so candidates can be skipped by a table look-up.
void TRegExpr::PrepareStartSet() {
  anyStart_ = true;
  onlyFirstColumn_ = false;
  for (const TElement& e : elements_) {
    if (e.SpanEnd != -1) return;
    switch (e.Kind) {
      case rkOpen:
      case rkClose:
      case rkEscape:
        continue;
      case rkLineStart:
        onlyFirstColumn_ = true;
        return;
      case rkLineEnd:
        anyStart_ = false;  // a candidate is never at the end of the line
        startSet_.reset();
        return;
      case rkChar:
        if (e.Char == 0) return;
        anyStart_ = false;
        for (int c = 0; c < 256; ++c) startSet_[c] = fold_[c] == e.Char;
        return;
      case rkClass:
        anyStart_ = false;
        for (int c = 0; c < 256; ++c) startSet_[c] = e.Set[fold_[c]] != (e.Char != 0);
        return;
      default:
        return;
    }
  }
}

// Every successful match tests each element outside repeated items on the way from the first
// element to the end (a backtracking point resumes after elements that were already passed),
// so consecutive literals there must stand side by side in the line.
void TRegExpr::PrepareRequiredText() {
  std::string run;
  auto endRun = [&] {
    if (run.size() > requiredText_.size()) requiredText_ = run;
    run.clear();
  };
  for (const TElement& e : elements_) {
    if (e.SpanEnd == -1 && e.Kind == rkChar && e.Char != 0)
      run += static_cast<char>(e.Char);
    else if (e.SpanEnd == -1 && (e.Kind == rkEscape || e.Kind == rkOpen || e.Kind == rkClose))
      continue;  // zero-width and not repeated: the literals around stay side by side
    else
      endRun();
  }
  endRun();
}

bool TRegExpr::ContainsRequiredText(std::string_view text) const {
  if (requiredText_.empty()) return true;
  if (caseSensitive_) return text.find(requiredText_) != std::string_view::npos;
  const size_t n = requiredText_.size();
  const unsigned char first = static_cast<unsigned char>(requiredText_[0]);
  for (size_t i = 0; i + n <= text.size(); ++i) {
    if (fold_[static_cast<unsigned char>(text[i])] != first) continue;
    size_t k = 1;
    while (k < n && fold_[static_cast<unsigned char>(text[i + k])] ==
                        static_cast<unsigned char>(requiredText_[k]))
      ++k;
    if (k == n) return true;
  }
  return false;
}

}  // namespace quorel
