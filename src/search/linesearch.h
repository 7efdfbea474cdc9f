// TLineSearch: finding a text or a pattern in a run of lines, forward or backward, optionally
// as a whole word.
#pragma once

#include <bitset>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/encoding.h"
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

// Where a match lies in the searched text: bytes of the line, not screen columns.
struct TSearchHit {
  int Line = 0;
  int Column = 0;  // 0-based byte index
  int Length = 0;  // in bytes
};

// The text to find in a document's encoding, from the UTF-8 of the dialogs. In a Windows-1252
// document a character the code page lacks becomes a NUL byte, which finds nothing (see
// TRegExpr); a byte that begins no UTF-8 character is read as its Windows-1252 meaning.
std::string SearchTextInEncoding(std::string_view utf8, TEncoding encoding);

class TLineSearch {
 public:
  // Compiles the pattern when `regularExpr` is set (a bad pattern raises EVrelError). `text`
  // and the lines are in `encoding`: in UTF-8 text characters are never cut, case-blind search
  // folds as FoldUtf8 does, and no byte from 0x80 up is a delimiter. Plain text with a NUL byte
  // (a character the document cannot hold) finds nothing.
  TLineSearch(const std::string& text, bool caseSensitive, bool wholeWords, bool regularExpr,
              const std::bitset<256>& delimiters, TEncoding encoding = enWindows1252);

  // Searches from line `line` at the 1-based byte `column`: forward from the character at it,
  // backward from the one at it or before. Lines lose their trailing blanks and control
  // characters first. A pattern that needs too much work on a line raises ERegExprTooComplex.
  bool Run(ISearchLines& lines, int line, int column, bool forward, TSearchHit& hit);

  bool IsPattern() const { return regExpr_ != nullptr; }
  bool Utf8() const { return utf8_; }

 private:
  // The first (forward) or last (backward) match in one line from `column`, whole word or not.
  bool SearchLine(std::string_view line, int column, bool forward, int& start, int& length);
  bool FindOnce(std::string_view line, int column, bool forward, int& start, int& length);
  bool IsWholeWord(std::string_view line, int start, int length) const;

  // In UTF-8 text: whether a match of plain text at `start` begins and ends between characters.
  bool OnCharBounds(std::string_view line, size_t start) const;

  std::string text_;
  bool caseSensitive_;
  bool wholeWords_;
  bool utf8_;
  bool findsNothing_ = false;
  std::bitset<256> delimiters_;
  std::unique_ptr<TRegExpr> regExpr_;
  std::string upper_;  // a line upper-cased, reused
};

}  // namespace quorel
