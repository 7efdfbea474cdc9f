// TRegExpr: the small pattern matcher behind regular-expression search, working on one line.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    uint8_t Char = 0;      // the literal (kinds 0 and 7), or 1 for a negated class
    std::bitset<256> Set;  // members of a class
  };

  // Work allowed for one line: a fixed part plus a part per character of the line.
  static constexpr int64_t kBaseSteps = 1'000'000;
  static constexpr int64_t kStepsPerChar = 50;

  // Compiles at once; a syntax error raises EVrelError "<pattern> is invalid mask at (<pos>)".
  TRegExpr(std::string pattern, bool caseSensitive);

  // `start` is a 1-based column: in, where to begin; out, where the match begins (0 when none).
  // `length` is the match length, 0 for an empty match.
  bool Find(std::string_view text, int& start, bool forward, int& length);
  // As Find without the special case of "$" alone; `endOffset` is the 0-based index just past
  // the match.
  bool Search(std::string_view text, int& start, bool forward, int& endOffset);

  const std::string& Pattern() const { return pattern_; }
  bool CaseSensitive() const { return caseSensitive_; }
  const std::vector<TElement>& Elements() const { return elements_; }
  // Overrides the budget (steps for one line, whatever its length); 0 restores the default.
  void SetStepBudget(int64_t steps) { fixedBudget_ = steps; }

 private:
  void Compile();
  size_t CompileClass(size_t i);
  void Add(TKind kind, uint8_t c = 0);
  [[noreturn]] void Fail(size_t position) const;
  void PrepareStartSet();
  void PrepareRequiredText();
  bool ContainsRequiredText(std::string_view text) const;

  bool MatchCandidate(int at);
  bool MatchRange(int a, int z, int& p);
  bool Attempt(int a, int e, int& p);
  void Step();

  std::string pattern_;
  bool caseSensitive_;
  std::vector<TElement> elements_;
  unsigned char fold_[256];
  // Characters a match can start at, when the pattern starts with a consuming element.
  std::bitset<256> startSet_;
  bool anyStart_ = true;
  bool onlyFirstColumn_ = false;
  // The longest run of literals outside any repeated item: every match passes through them in
  // a row, so a line without them holds no match.
  std::string requiredText_;

  // Matching state of the current line.
  std::string_view text_;
  int length_ = 0;
  int matchEnd_ = 0;
  std::vector<std::pair<int, int>> stack_;  // (text position, element index)
  int64_t stepsLeft_ = 0;
  int64_t fixedBudget_ = 0;
};

}  // namespace quorel
