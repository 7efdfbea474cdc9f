// TLineSearch: finding a text or a pattern in a run of lines, forward or backward, optionally
// as a whole word.
#pragma once

#include <bitset>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "search/regexpr.h"

namespace quorel {

// The lines a search runs over: the document's, or the selected parts of the selected lines.
class ISearchLines {
 public:
  virtual ~ISearchLines() = default;
  virtual int Count() const = 0;
  // The text of line i, valid until the next call.
  virtual std::string_view Line(int i) = 0;
};

struct TSearchHit {
  int Line = 0;
  int Column = 0;  // 0-based
  int Length = 0;
};

class TLineSearch {
 public:
  // Compiles the pattern when `regularExpr` is set (a bad pattern raises EVrelError).
  TLineSearch(const std::string& text, bool caseSensitive, bool wholeWords, bool regularExpr,
              const std::bitset<256>& delimiters);

  // Searches from line `line` at the 1-based `column`: forward from the character at it,
  // backward from the one at it or before. Lines lose their trailing blanks and control
  // characters first. A pattern that needs too much work on a line raises ERegExprTooComplex.
  bool Run(ISearchLines& lines, int line, int column, bool forward, TSearchHit& hit);

  bool IsPattern() const { return regExpr_ != nullptr; }

 private:
  // The first (forward) or last (backward) match in one line from `column`, whole word or not.
  bool SearchLine(std::string_view line, int column, bool forward, int& start, int& length);
  bool FindOnce(std::string_view line, int column, bool forward, int& start, int& length);
  bool IsWholeWord(std::string_view line, int start, int length) const;

  std::string text_;
  bool caseSensitive_;
  bool wholeWords_;
  std::bitset<256> delimiters_;
  std::unique_ptr<TRegExpr> regExpr_;
  std::string upper_;  // a line upper-cased, reused
};

}  // namespace quorel
