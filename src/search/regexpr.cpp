// TRegExpr: compiling a pattern into its flat list of elements.
#include "search/regexpr.h"

#include <algorithm>
#include <cstring>

#include "engine/utf8.h"
#include "search/utf8text.h"

namespace quorel {

namespace {

bool IsRepeat(char c) { return c == '*' || c == '+'; }

// Characters that a backslash inside a class stands for; any other backslash is a member.
bool IsClassEscape(char c) { return c != 0 && std::strchr("$*+.[]^{}-", c) != nullptr; }

// The highest code point that case folding changes: above it a class range needs no folding.
char32_t HighestFolded() {
  static const char32_t highest = [] {
    char32_t top = 0;
    for (char32_t c = 0; c < 0x110000; ++c)
      if (FoldUtf8Char(c) != c) top = c;
    return top;
  }();
  return highest;
}

// The first byte of a character as UTF-8 text holds it.
unsigned char FirstByte(int32_t c) {
  if (c >= TRegExpr::kStrayByte) return static_cast<unsigned char>(c - TRegExpr::kStrayByte);
  return static_cast<unsigned char>(EncodeUtf8(static_cast<char32_t>(c))[0]);
}

}  // namespace

TRegExpr::TRegExpr(std::string pattern, bool caseSensitive, TEncoding encoding)
    : pattern_(std::move(pattern)), caseSensitive_(caseSensitive), utf8_(encoding == enUtf8) {
  for (int c = 0; c < 256; ++c)
    fold_[c] = static_cast<unsigned char>(!caseSensitive && c >= 'a' && c <= 'z' ? c - 32 : c);
  Compile();
  PrepareStartSet();
  PrepareRequiredText();
}

int TRegExpr::ReadUtf8Char(std::string_view s, size_t i, int32_t& c) {
  char32_t cp;
  const int length = DecodeUtf8(s, i, cp);
  c = length == 1 ? kStrayByte + static_cast<unsigned char>(s[i]) : static_cast<int32_t>(cp);
  return length;
}

int32_t TRegExpr::Fold(int32_t c) const {
  if (c < 0x80) return fold_[c];
  if (!utf8_ || caseSensitive_ || c >= kStrayByte) return c;
  return static_cast<int32_t>(FoldUtf8Char(static_cast<char32_t>(c)));
}

bool TRegExpr::InClass(const TElement& e, int32_t c) {
  if (c < 256) return e.Set[c];
  for (const auto& [first, last] : e.Ranges) {
    if (c < first) return false;
    if (c <= last) return true;
  }
  return false;
}

void TRegExpr::Fail(size_t at) const {
  const size_t position = utf8_ ? CountUtf8Chars(std::string_view(pattern_).substr(0, at)) : at;
  throw EVrelError(pattern_ + " is invalid mask at (" + std::to_string(position + 1) + ")");
}

void TRegExpr::Add(TKind kind, int32_t c) {
  TElement element;
  element.Kind = kind;
  element.Char = c;
  elements_.push_back(element);
}

// A character the text cannot hold becomes a class without members, which matches nothing.
void TRegExpr::AddLiteral(int32_t c) {
  if (c == 0)
    Add(rkClass);
  else
    Add(rkChar, Fold(c));
}

void TRegExpr::Compile() {
  const std::string& s = pattern_;
  const size_t n = s.size();
  std::vector<int> groups;  // indexes of the open "{" elements
  // Where the previous item starts when it is a group or a wrapped item just closed, else -1.
  int closedItem = -1;
  for (size_t i = 0; i < n;) {
    const char c = s[i];
    int32_t code;
    size_t next = i + static_cast<size_t>(ReadChar(s, i, code));
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
      case '\\': {
        if (next >= n) Fail(n);
        int32_t escaped;
        const size_t after = next + static_cast<size_t>(ReadChar(s, next, escaped));
        Add(rkEscape, escaped);
        AddLiteral(escaped);
        next = after;
        break;
      }
      case '{':
        groups.push_back(static_cast<int>(elements_.size()));
        Add(rkOpen);
        break;
      case '}':
        if (groups.empty()) Fail(i);
        Add(rkClose);
        closed = groups.back();
        groups.pop_back();
        break;
      case '[': {
        const int first = static_cast<int>(elements_.size());
        next = CompileClass(i) + 1;
        if (elements_.size() - first > 1) closed = first;
        break;
      }
      case '*':
      case '+': {
        if (elements_.empty()) Fail(i);
        const TKind last = elements_.back().Kind;
        if (last == rkLineStart || last == rkLineEnd || last == rkEscape || last == rkPlus ||
            last == rkStar)
          Fail(i);
        const int lastIndex = static_cast<int>(elements_.size()) - 1;
        const int itemStart = closedItem >= 0 ? closedItem : lastIndex;
        for (int k = itemStart; k <= lastIndex; ++k)
          if (elements_[k].SpanEnd == -1) elements_[k].SpanEnd = lastIndex;
        Add(c == '*' ? rkStar : rkPlus);
        break;
      }
      default:
        // A repeat after a character repeats all of its bytes.
        if (next < n && IsRepeat(s[next])) {
          closed = static_cast<int>(elements_.size());
          Add(rkOpen);
          AddLiteral(code);
          Add(rkClose);
        } else {
          AddLiteral(code);
        }
        break;
    }
    closedItem = closed;
    i = next;
  }
  if (!groups.empty()) Fail(n);
  Add(rkChar, 0);
}

// Windows-1252 text folds a range's ends and takes the bytes between; UTF-8 text takes the
// characters between the ends and folds each, so that a range matches whatever folds to a
// member. A range from or to a character the text cannot hold adds nothing.
void TRegExpr::AddMembers(TElement& element, int32_t first, int32_t last) const {
  if (first == 0 || last == 0) return;
  if (!utf8_) {
    for (int c = fold_[first]; c <= fold_[last]; ++c) element.Set.set(c);
    return;
  }
  if (first > last) return;
  auto add = [&](int32_t from, int32_t to) {
    for (int32_t c = from; c <= to && c < 256; ++c) element.Set.set(c);
    if (to >= 256) element.Ranges.emplace_back(std::max(from, 256), to);
  };
  if (caseSensitive_) {
    add(first, last);
    return;
  }
  const int32_t folding = std::min(last, static_cast<int32_t>(HighestFolded()));
  for (int32_t c = first; c <= folding; ++c) {
    const int32_t folded = Fold(c);
    add(folded, folded);
  }
  if (last > folding) add(std::max(first, folding + 1), last);
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
      return static_cast<int32_t>(static_cast<unsigned char>(s[k - 1]));
    }
    int32_t c;
    k += static_cast<size_t>(ReadChar(s, k, c));
    return c;
  };
  int32_t previous = -1;  // the previous member, for ranges
  bool any = false;
  for (;;) {
    if (j >= n) Fail(n);
    if (s[j] == ']') break;
    if (s[j] == '-') {
      if (previous < 0) Fail(j);
      ++j;
      if (j >= n) Fail(n);
      const int32_t last = read(j);
      AddMembers(element, previous, last);
      previous = last;
    } else {
      const int32_t c = read(j);
      AddMembers(element, c, c);
      previous = c;
    }
    any = true;
  }
  if (!any) Fail(j);
  // Sorted and merged, so that membership stops at the first range past the character.
  auto& ranges = element.Ranges;
  std::sort(ranges.begin(), ranges.end());
  size_t kept = 0;
  for (const auto& range : ranges) {
    if (kept > 0 && range.first <= ranges[kept - 1].second + 1)
      ranges[kept - 1].second = std::max(ranges[kept - 1].second, range.second);
    else
      ranges[kept++] = range;
  }
  ranges.resize(kept);
  const bool wrapped = j + 1 < n && IsRepeat(s[j + 1]);
  if (wrapped) Add(rkOpen);
  elements_.push_back(std::move(element));
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
        if (utf8_)
          PrepareUtf8StartSet(e);
        else
          for (int c = 0; c < 256; ++c) startSet_[c] = fold_[c] == e.Char;
        return;
      case rkClass:
        anyStart_ = false;
        if (utf8_)
          PrepareUtf8StartSet(e);
        else
          for (int c = 0; c < 256; ++c) startSet_[c] = e.Set[fold_[c]] != (e.Char != 0);
        return;
      default:
        return;
    }
  }
}

// The first bytes of the characters a UTF-8 match can start with. For a literal these are the
// first bytes of every character that folds to it; a class admits every byte from 0x80 up
// when it is negated or has a member from there.
void TRegExpr::PrepareUtf8StartSet(const TElement& e) {
  startSet_.reset();
  if (e.Kind == rkChar) {
    startSet_.set(FirstByte(e.Char));
    if (!caseSensitive_) {
      const int32_t highest = static_cast<int32_t>(HighestFolded());
      for (int32_t c = 0; c <= highest; ++c)
        if (Fold(c) == e.Char) startSet_.set(FirstByte(c));
    }
    return;
  }
  const bool negated = e.Char != 0;
  for (int c = 0; c < 0x80; ++c) startSet_[c] = InClass(e, Fold(c)) != negated;
  bool high = negated || !e.Ranges.empty();
  for (int c = 0x80; c < 256 && !high; ++c) high = e.Set[c];
  if (high)
    for (int c = 0x80; c < 256; ++c) startSet_.set(c);
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
    if (e.SpanEnd == -1 && e.Kind == rkChar && e.Char != 0) {
      if (!utf8_ || e.Char < 0x80 || e.Char >= kStrayByte)
        run += static_cast<char>(utf8_ && e.Char >= kStrayByte ? e.Char - kStrayByte : e.Char);
      else
        AppendUtf8(run, static_cast<char32_t>(e.Char));
    } else if (e.SpanEnd == -1 && (e.Kind == rkEscape || e.Kind == rkOpen || e.Kind == rkClose)) {
      continue;  // zero-width and not repeated: the literals around stay side by side
    } else {
      endRun();
    }
  }
  endRun();
}

// The literals were folded as FoldUtf8 folds, so in UTF-8 text they stand in the folded line.
bool TRegExpr::ContainsRequiredText(std::string_view text) {
  if (requiredText_.empty()) return true;
  if (caseSensitive_) return text.find(requiredText_) != std::string_view::npos;
  if (utf8_) {
    FoldUtf8Into(text, folded_);
    return folded_.find(requiredText_) != std::string::npos;
  }
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
