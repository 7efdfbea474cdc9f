// The scheme-driven parser: colours one line at a time and returns the state the line ends in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/simpleparser.h"
#include "syntax/syntaxscheme.h"

namespace quorel {

// Token kinds reported by OnGetToken.
enum TTokenKind {
  tkText = 0,
  tkSingleLineComment = 1,
  tkMultiLineComment = 2,
  tkDirective = 3,
  tkFullLineComment = 4,
  tkSingleLineString = 5,
  tkMultiLineString = 6,
  tkInteger = 7,
  tkFloat = 8,
  tkHexNumber = 9,
  tkIdentifier = 10,
  tkKeyword = 11,
  tkSymbol = 12,
};

struct TSyntaxBlockProps;

// The style byte of a token of `kind` in block `b`; `tokenFontId` is the comment's, string's or
// keyword set's own FontID for those kinds.
int TokenFontId(const TSyntaxBlockProps& b, int kind, int tokenFontId);

// What is open at a line's end.
enum TConstruct {
  ctNone = 0,
  ctMultiLineComment = 1,
  ctContinuedString = 2,
  ctMultiLineString = 3,
  ctContinuedDirective = 4,
};

// The fields packed into a 32-bit line state.
struct TLineState {
  int StateIndex = 0;  // entry of the block-state table
  bool PartOfBlock = false;
  bool CaseSensitive = false;
  int Delimiter = -1;  // block delimiter that opened the current block (-1 in the root)
  int Construct = ctNone;
  int ConstructIndex = 0;

  // Inline: every line's colouring starts with one and ends with the other.
  uint32_t Pack() const {
    return (static_cast<uint32_t>(StateIndex & 0xFF) << 24) | (PartOfBlock ? 1u << 23 : 0) |
           (CaseSensitive ? 1u << 22 : 0) | (static_cast<uint32_t>(Delimiter & 63) << 16) |
           (static_cast<uint32_t>(Construct & 0xFF) << 8) |
           static_cast<uint32_t>(ConstructIndex & 0xFF);
  }
  static TLineState Unpack(uint32_t state) {
    TLineState s;
    s.StateIndex = static_cast<int>(state >> 24);
    s.PartOfBlock = (state >> 23) & 1;
    s.CaseSensitive = (state >> 22) & 1;
    const int delimiter = static_cast<int>((state >> 16) & 63);
    s.Delimiter = delimiter == 63 ? -1 : delimiter;
    s.Construct = static_cast<int>((state >> 8) & 0xFF);
    s.ConstructIndex = static_cast<int>(state & 0xFF);
    return s;
  }
};

// What the scanner needs of a block-state entry's innermost block, worked out once per entry
// because the scanner changes blocks at every tag.
struct TStateHead {
  int Block = 0;
  int Delimiter = -1;
  bool HasDelimiter = false;  // Block is a child and Delimiter names one of its delimiters
  bool PartOfBlock = false;   // that delimiter's DelimitersArePartOfBlock
  // The character of the right delimiter tested first: its last when the delimiter is part of
  // the block, its first otherwise; -1 when there is no way out.
  int ExitChar = -1;
};

// The heads of one scheme's block-state entries, for the blocks they were worked out from.
struct TStateHeads {
  uint64_t Generation = 0;
  const void* Blocks = nullptr;
  size_t BlockCount = 0;
  std::vector<TStateHead> Heads;
};

class TSyntaxParser : public TSimpleParser {
 public:
  TSyntaxParser();
  ~TSyntaxParser() override;

  TSyntaxScheme& SyntaxScheme() { return *scheme_; }
  const TSyntaxScheme& SyntaxScheme() const { return *scheme_; }
  // Takes a copy of `scheme` (nothing when it is this parser's own).
  void SetSyntaxScheme(const TSyntaxScheme& scheme);
  const TAttrItem& DefaultAttr() const { return defaultAttr_; }
  void SetDefaultAttr(const TAttrItem& attr);
  bool UseGlobalOptions() const { return scheme_->UseGlobalOptions; }
  void SetUseGlobalOptions(bool value);

  // Told about each finished token: (parser, token kind, token text).
  std::function<void(TSyntaxParser&, int kind, const std::string& text)> OnGetToken;

  uint32_t ParseLine(std::string_view text, uint32_t state, TLineColors& colors) override;
  const TFont* GetFont(int fontId) const override;
  bool GetBackColor(int fontId, TColor& color) const override;

  // The scheme's content changed: prepare it again and re-colour.
  virtual void SchemeChanged();
  // Fonts or colours changed: recompute them and tell the clients.
  virtual void FontsChanged();

  // The scanner's cache of block-state heads (see TStateHeads).
  TStateHeads& StateHeads() { return stateHeads_; }

 private:
  TStateHeads stateHeads_;
  std::unique_ptr<TSyntaxScheme> scheme_;
  TAttrItem defaultAttr_;
};

}  // namespace quorel
