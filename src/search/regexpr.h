// TRegExpr: the small pattern matcher behind regular-expression search, working on one line.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/encoding.h"
#include "engine/vrelerror.h"

namespace quorel {

// Raised when matching one line needs more steps than the budget allows, so that a pattern
// with nested repetitions can never freeze the program.
class ERegExprTooComplex : public EVrelError {
 public:
  using EVrelError::EVrelError;
};

// Patterns: literal characters, "." (any character), "[...]" classes (with "^" negation and
// ranges), "^" and "$", "*" and "+" after an item, "{...}" groups and the backslash escape.
// A line is read as a string_view, so plain strings and the store's lines are searched alike.
// Pattern and line are in one encoding. In Windows-1252 text every byte is a character and only
// ASCII letters fold; in UTF-8 text "." and classes take one whole character, a repeat after a
// character repeats all of it, letters fold as FoldUtf8 folds them, and a match starts and ends
// only between characters; positions and lengths stay in bytes. A byte that does not begin a
// well-formed character is a character of its own, equal only to that same byte.
// A NUL byte in a pattern stands for a character the text cannot hold (one the document's code
// page lacks): as a literal it matches nothing, as a class member it adds nothing.
class TRegExpr {
 public:
  enum TKind : uint8_t {
    rkChar = 0,       // a literal; character 0 ends the list
    rkAny = 1,        // "."
    rkClass = 2,      // "[...]"
    rkLineStart = 3,  // "^"
    rkLineEnd = 4,    // "$"
    rkOpen = 5,       // "{" or the opening of a repeated single item
    rkClose = 6,      // "}" or its closing
    rkEscape = 7,     // the marker in front of an escaped character
    rkPlus = 8,
    rkStar = 9,
  };
  struct TElement {
    int32_t SpanEnd = -1;  // for the elements of a repeated item: the item's last element
    TKind Kind = rkChar;
    // The literal (kinds 0 and 7): a byte, or in UTF-8 text a code point (kStrayByte plus the
    // byte for a byte that begins no character); 1 for a negated class.
    int32_t Char = 0;
    std::bitset<256> Set;  // members of a class below 256
    // In UTF-8 text, the members from 256 up as sorted, disjoint inclusive ranges.
    std::vector<std::pair<int32_t, int32_t>> Ranges;
  };
  // Code of a byte of UTF-8 text that begins no well-formed character: above every code point.
  static constexpr int32_t kStrayByte = 0x110000;

  // Work allowed for one line: a fixed part plus a part per character of the line.
  static constexpr int64_t kBaseSteps = 1'000'000;
  static constexpr int64_t kStepsPerChar = 50;

  // Compiles at once; a syntax error raises EVrelError "<pattern> is invalid mask at (<pos>)",
  // the position counted in characters from 1.
  TRegExpr(std::string pattern, bool caseSensitive, TEncoding encoding = enWindows1252);

  // `start` is a 1-based column: in, where to begin; out, where the match begins (0 when none).
  // `length` is the match length, 0 for an empty match.
  bool Find(std::string_view text, int& start, bool forward, int& length);
  // As Find without the special case of "$" alone; `endOffset` is the 0-based index just past
  // the match.
  bool Search(std::string_view text, int& start, bool forward, int& endOffset);

  const std::string& Pattern() const { return pattern_; }
  bool CaseSensitive() const { return caseSensitive_; }
  bool Utf8() const { return utf8_; }
  const std::vector<TElement>& Elements() const { return elements_; }
  // Overrides the budget (steps for one line, whatever its length); 0 restores the default.
  void SetStepBudget(int64_t steps) { fixedBudget_ = steps; }

 private:
  void Compile();
  size_t CompileClass(size_t i);
  void Add(TKind kind, int32_t c = 0);
  void AddLiteral(int32_t c);
  void AddMembers(TElement& element, int32_t first, int32_t last) const;
  // `at` is the byte index of the fault in the pattern.
  [[noreturn]] void Fail(size_t at) const;
  void PrepareStartSet();
  void PrepareRequiredText();
  bool ContainsRequiredText(std::string_view text);
  void PrepareUtf8StartSet(const TElement& e);

  // The character at s[i] (i < s.size()) as this text reads it; returns its length in bytes.
  int ReadChar(std::string_view s, size_t i, int32_t& c) const {
    const unsigned char byte = static_cast<unsigned char>(s[i]);
    if (!utf8_ || byte < 0x80) {
      c = byte;
      return 1;
    }
    return ReadUtf8Char(s, i, c);
  }
  static int ReadUtf8Char(std::string_view s, size_t i, int32_t& c);
  int32_t Fold(int32_t c) const;
  static bool InClass(const TElement& e, int32_t c);

  bool MatchCandidate(int at);
  bool MatchRange(int a, int z, int& p);
  bool Attempt(int a, int e, int& p);
  void Step();

  std::string pattern_;
  bool caseSensitive_;
  bool utf8_;
  std::vector<TElement> elements_;
  unsigned char fold_[256];
  // Characters a match can start at, when the pattern starts with a consuming element.
  std::bitset<256> startSet_;
  bool anyStart_ = true;
  bool onlyFirstColumn_ = false;
  // The longest run of literals outside any repeated item: every match passes through them in
  // a row, so a line without them holds no match.
  std::string requiredText_;
  std::string folded_;  // a UTF-8 line folded for the look-up of the required text, reused

  // Matching state of the current line.
  std::string_view text_;
  int length_ = 0;
  int matchEnd_ = 0;
  std::vector<std::pair<int, int>> stack_;  // (text position, element index)
  int64_t stepsLeft_ = 0;
  int64_t fixedBudget_ = 0;
};

}  // namespace quorel
