// Colouring one line: the block entries and exits at token boundaries, and the token rules.
// This runs inside painting and after every edit, so it works on the raw characters with lookup
// tables and allocates nothing except for keyword tests and token reports.
#include <array>
#include <cstring>
#include <string_view>

#include "engine/casemap.h"
#include "syntax/syntaxparser.h"

namespace quorel {

namespace {

bool IsBlank(unsigned char c) { return c >= 1 && c <= 32; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(unsigned char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The first position from `pos` on whose character is in `stop` or equals `also` (-1 for none),
// or n.
int FirstStop(const unsigned char* s, int pos, int n, const std::array<bool, 256>& stop, int also) {
  if (also < 0) {
    while (pos < n && !stop[s[pos]]) ++pos;
  } else {
    while (pos < n && !stop[s[pos]] && s[pos] != also) ++pos;
  }
  return pos;
}

// Passes at one position give up after this many block changes: a scheme whose blocks enter and
// leave each other without consuming text must not hang the editor.
constexpr int kMaxPassesAtOnePosition = 64;

class TLineScanner {
 public:
  TLineScanner(TSyntaxParser& parser, std::string_view text, TLineColors& colors)
      : parser_(parser),
        scheme_(parser.SyntaxScheme()),
        blocks_(scheme_.SyntaxBlocks),
        s_(reinterpret_cast<const unsigned char*>(text.data())),
        n_(static_cast<int>(text.size())),
        colors_(colors),
        heads_(parser.StateHeads()) {}

  uint32_t Run(uint32_t state);

 private:
  void CheckHeads();
  // The cached head of block-state entry `index` (entry 0 for one outside the table).
  const TStateHead& Head(int index);
  void ApplyHead();
  void UpdateExit();
  void Push(int code);
  void Pop();
  bool TryExit();
  void BoundaryPass();
  int ScanToken();
  // Takes quiet tokens from a token boundary on, up to the next boundary where a block could be
  // entered or left or a rule could apply; false when the first token is not quiet.
  bool QuietTokens(char* colors, int colorCount);
  // The same for a block that can be skipped up to its next stop character; false when the
  // block or the current way out of it does not allow that.
  bool SkipToStop(char* colors, int colorCount);
  int ScanOpen();
  int ScanNothingOpen();
  // Whether CommentOpening or StringOpening would take a token at `at`, changing nothing.
  bool OpensCommentOrString(int at, bool blanksOnly) const;
  bool CommentOpening();
  bool StringOpening();
  bool SpecialNumber();
  bool PlainNumber();
  bool PrefixStep();
  bool SuffixStep();
  bool Directive();
  bool Identifier();
  bool IdentifierRun();
  void KeywordTest(int start);
  int FontIdOfToken() const;
  void Report();

  bool Equal(int at, const std::string& d, bool caseSensitive) const;
  bool MatchForward(const std::string& d, int at, bool caseSensitive) const;
  bool MatchStringOpening(const std::string& d, int at, bool caseSensitive) const;
  bool MatchBackward(const std::string& d, int end, bool caseSensitive) const;
  int ClosingSearch(const std::string& d, int from) const;

  TSyntaxParser& parser_;
  TSyntaxScheme& scheme_;
  std::vector<TSyntaxBlock>& blocks_;
  const unsigned char* s_;
  int n_;
  TLineColors& colors_;
  TStateHeads& heads_;

  // Working state of this line.
  int stateIndex_ = 0;
  int blockIndex_ = 0;
  const TSyntaxBlock* block_ = nullptr;
  bool partOfBlock_ = false;
  bool case_ = false;  // the packed case flag: how part-of-block child entries compare
  int delimiter_ = -1;
  int construct_ = ctNone;
  int constructIndex_ = 0;
  int pos_ = 0;
  int tokenStart_ = 0;
  int pendingStart_ = -1;  // start of a construct's earlier pieces on this line, for OnGetToken
  bool directiveAllowed_ = true;
  bool blanksOnly_ = true;
  bool inDirective_ = false;
  int kind_ = tkText;
  int tokenFontId_ = -1;                    // the FontID of a comment, string or keyword token
  const std::string* exitRight_ = nullptr;  // the right delimiter that leaves the current block
  // The character of exitRight_ that is tested first: its last when the delimiter is part of the
  // block (tested before the boundary), its first otherwise (at the boundary); -1 for none.
  int exitChar_ = -1;
  const std::array<unsigned char, 256>& lower_ = LowerTable();
};

// ---- Matching ----

inline bool TLineScanner::Equal(int at, const std::string& d, bool caseSensitive) const {
  const unsigned char* p = s_ + at;
  const unsigned char* q = reinterpret_cast<const unsigned char*>(d.data());
  if (caseSensitive) return p[0] == q[0] && std::memcmp(p, q, d.size()) == 0;
  for (size_t i = 0; i < d.size(); ++i)
    if (lower_[p[i]] != lower_[q[i]]) return false;
  return true;
}

bool TLineScanner::MatchForward(const std::string& d, int at, bool caseSensitive) const {
  int length = static_cast<int>(d.size());
  if (length == 0 || at + length > n_ || !Equal(at, d, caseSensitive)) return false;
  return !block_->FirstIdentChars.Contains(d[0]) || !block_->OtherIdentChars[s_[at + length]];
}

bool TLineScanner::MatchStringOpening(const std::string& d, int at, bool caseSensitive) const {
  int length = static_cast<int>(d.size());
  if (length == 0 || at + length > n_ || !Equal(at, d, caseSensitive)) return false;
  return !block_->FirstIdentChars.Contains(d[0]) || !block_->OtherIdentChars.Contains(d.back()) ||
         !block_->OtherIdentChars[s_[at + length]];
}

bool TLineScanner::MatchBackward(const std::string& d, int end, bool caseSensitive) const {
  int length = static_cast<int>(d.size());
  if (length == 0 || end < length || end > n_) return false;
  int at = end - length;
  if (!Equal(at, d, caseSensitive)) return false;
  return !block_->FirstIdentChars.Contains(d[0]) || at == 0 || !block_->OtherIdentChars[s_[at - 1]];
}

int TLineScanner::ClosingSearch(const std::string& d, int from) const {
  if (d.empty() || from >= n_) return -1;
  std::string_view rest(reinterpret_cast<const char*>(s_) + from, static_cast<size_t>(n_ - from));
  size_t found = rest.find(d);
  if (found == std::string_view::npos) return -1;
  int at = from + static_cast<int>(found);
  // A word-like delimiter inside a word is no delimiter, and the search ends there.
  if (block_->FirstIdentChars.Contains(d[0]) && (block_->OtherIdentChars[s_[at + d.size()]] ||
                                                 (at > 0 && block_->OtherIdentChars[s_[at - 1]])))
    return -1;
  return at;
}

// ---- Blocks ----

TStateHead WorkOutHead(const TBlockInfo& info, const std::vector<TSyntaxBlock>& blocks) {
  TStateHead head;
  head.Block = info.Block >= 0 && info.Block < static_cast<int>(blocks.size()) ? info.Block : 0;
  head.Delimiter = info.Delimiter;
  const TSyntaxBlock& block = blocks[static_cast<size_t>(head.Block)];
  head.HasDelimiter = head.Block != 0 && head.Delimiter >= 0 &&
                      head.Delimiter < static_cast<int>(block.BlockDelimiters.size());
  if (!head.HasDelimiter) return head;
  const TDelimiters& d = block.BlockDelimiters[static_cast<size_t>(head.Delimiter)];
  head.PartOfBlock = d.DelimitersArePartOfBlock;
  if (!d.RightDelimiter.empty())
    head.ExitChar = static_cast<unsigned char>(head.PartOfBlock ? d.RightDelimiter.back()
                                                                : d.RightDelimiter.front());
  return head;
}

// Once per line: heads worked out for another table or other blocks are dropped.
void TLineScanner::CheckHeads() {
  TStateHeads& cache = heads_;
  const TBlockStateTable& table = scheme_.BlockStates;
  if (cache.Generation == table.Generation() && cache.Blocks == blocks_.data() &&
      cache.BlockCount == blocks_.size())
    return;
  cache.Heads.clear();
  cache.Generation = table.Generation();
  cache.Blocks = blocks_.data();
  cache.BlockCount = blocks_.size();
}

inline const TStateHead& TLineScanner::Head(int index) {
  std::vector<TStateHead>& heads = heads_.Heads;
  if (static_cast<size_t>(index) < heads.size()) return heads[static_cast<size_t>(index)];
  const TBlockStateTable& table = scheme_.BlockStates;
  if (index < 0 || index >= table.Count()) return Head(0);
  while (static_cast<int>(heads.size()) <= index)
    heads.push_back(WorkOutHead(table.Head(static_cast<int>(heads.size())), blocks_));
  return heads[static_cast<size_t>(index)];
}

inline void TLineScanner::ApplyHead() {
  const TStateHead& head = Head(stateIndex_);
  blockIndex_ = head.Block;
  block_ = &blocks_[static_cast<size_t>(blockIndex_)];
  delimiter_ = head.Delimiter;
  case_ = block_->CaseSensitive;
  if (head.HasDelimiter) partOfBlock_ = head.PartOfBlock;
  construct_ = ctNone;
  // The head was worked out from these blocks; the bound only guards a scheme changed in place.
  const bool exits =
      head.ExitChar >= 0 && static_cast<size_t>(delimiter_) < block_->BlockDelimiters.size();
  exitChar_ = exits ? head.ExitChar : -1;
  exitRight_ =
      exits ? &block_->BlockDelimiters[static_cast<size_t>(delimiter_)].RightDelimiter : nullptr;
}

void TLineScanner::UpdateExit() {
  exitRight_ = nullptr;
  exitChar_ = -1;
  if (blockIndex_ == 0 || delimiter_ < 0 ||
      delimiter_ >= static_cast<int>(block_->BlockDelimiters.size()))
    return;
  const std::string& right =
      block_->BlockDelimiters[static_cast<size_t>(delimiter_)].RightDelimiter;
  if (right.empty()) return;
  exitRight_ = &right;
  exitChar_ = static_cast<unsigned char>(partOfBlock_ ? right.back() : right.front());
}

void TLineScanner::Push(int code) {
  stateIndex_ = scheme_.BlockStates.Push(stateIndex_, {(code >> 8) & 0xFF, code & 0xFF});
  ApplyHead();
}

void TLineScanner::Pop() {
  stateIndex_ = scheme_.BlockStates.Pop(stateIndex_);
  ApplyHead();
}

inline bool TLineScanner::TryExit() {
  if (exitChar_ < 0) return false;
  // Part of the block: it was coloured as the block's own last token and ends here. Otherwise it
  // starts here and is scanned as tokens of the outer block. One character rules most out.
  bool leaves;
  const unsigned char e = lower_[static_cast<unsigned char>(exitChar_)];
  if (partOfBlock_) {
    leaves = pos_ > 0 && lower_[s_[pos_ - 1]] == e &&
             MatchBackward(*exitRight_, pos_, block_->CaseSensitive);
  } else {
    leaves = lower_[s_[pos_]] == e && MatchForward(*exitRight_, pos_, blocks_[0].CaseSensitive);
  }
  if (leaves) Pop();
  return leaves;
}

void TLineScanner::BoundaryPass() {
  bool skipExit = false;
  for (int pass = 0; pass < kMaxPassesAtOnePosition; ++pass) {
    skipExit = skipExit ? false : TryExit();
    const TSyntaxBlock& b = *block_;
    const TPreparedBlock& p = b.Prepared;
    bool entered = false, again = false;
    if (pos_ > 0 && p.ChildNotPartLast[s_[pos_ - 1]]) {
      for (const auto& entry : p.ChildNotPart) {
        if (MatchBackward(entry.Left, pos_, b.CaseSensitive)) {
          Push(entry.Code);
          entered = true;
          again = !(skipExit ? false : TryExit());
          break;
        }
      }
    }
    if (pos_ < n_ && p.ChildPartFirst[s_[pos_]]) {
      for (const auto& entry : p.ChildPart) {
        if (MatchForward(entry.Left, pos_, case_)) {
          Push(entry.Code);
          entered = true;
          break;
        }
      }
    }
    skipExit = entered ? again : (skipExit ? false : TryExit());
    if (!skipExit) return;
  }
}

// ---- Quiet tokens ----

// Each token is taken exactly as ScanNothingOpen takes it, coloured as FontIdOfToken colours it,
// and the run stops at the first boundary where BoundaryPass could do anything (the quick tests
// it starts with, at most), so the boundary passes skipped are those that would have done
// nothing. The work stays in locals: writing colours through a char pointer would otherwise
// make the compiler reload every member after each token.
bool TLineScanner::QuietTokens(char* colors, int colorCount) {
  const TSyntaxBlock& b = *block_;
  const TPreparedBlock& p = b.Prepared;
  const unsigned char* s = s_;
  const int n = n_;
  const TCharSet& other = b.OtherIdentChars;
  const TCharSet& notUsed = scheme_.NotUsedSymbols;
  const TCharSet& enterAfter = p.ChildNotPartLast;
  const TCharSet& enterAt = p.ChildPartFirst;
  const std::array<unsigned char, 256>& lower = lower_;
  // The character that may leave the block: before the boundary when the delimiter is part of
  // the block, at it otherwise; -1 for none.
  int leaveAfter = -1, leaveAt = -1;
  if (exitChar_ >= 0) (partOfBlock_ ? leaveAfter : leaveAt) = lower[exitChar_];
  int pos = pos_;
  bool allText = true;
  int kind = tkText;
  // Tokens that all look alike are coloured in one go at the end.
  const bool uniform = p.QuietUniformFont >= 0;
  while (pos < n) {
    const unsigned char c = s[pos];
    const int start = pos;
    bool prefixed = false;  // an identifier behind its one-character prefix
    switch (p.Quiet[c]) {
      case TPreparedBlock::qkBlanks:
        while (pos < n && IsBlank(s[pos])) ++pos;
        break;
      case TPreparedBlock::qkNotUsed:
        while (pos < n && notUsed[s[pos]]) ++pos;
        break;
      case TPreparedBlock::qkDigits:
        while (pos < n && IsDigit(s[pos])) ++pos;
        break;
      case TPreparedBlock::qkIdentifier:
        ++pos;
        while (pos < n && other[s[pos]]) ++pos;
        break;
      case TPreparedBlock::qkSingle:
        ++pos;
        break;
      case TPreparedBlock::qkGuarded:
        if (OpensCommentOrString(pos, blanksOnly_ && allText)) goto done;
        ++pos;
        break;
      case TPreparedBlock::qkPrefix:
        ++pos;
        if (pos < n && b.FirstIdentChars[s[pos]]) {
          prefixed = true;
          ++pos;
          while (pos < n && other[s[pos]]) ++pos;
        }
        break;
      default:
        goto done;
    }
    kind = prefixed ? static_cast<int>(tkIdentifier) : p.QuietKindOf[c];
    allText = allText && !prefixed && p.QuietText[c];
    if (!uniform) {
      const char font = static_cast<char>(prefixed ? p.QuietIdentifierFont : p.QuietFont[c]);
      const int end = std::min(pos, colorCount);
      for (int i = start; i < end; ++i) colors[i] = font;
    }
    const unsigned char last = s[pos - 1];
    if (enterAfter[last] || lower[last] == leaveAfter) break;
    if (pos < n && (enterAt[s[pos]] || lower[s[pos]] == leaveAt)) break;
  }
done:
  if (pos == pos_) return false;
  if (uniform && pos_ < colorCount)
    std::memset(colors + pos_, p.QuietUniformFont,
                static_cast<size_t>(std::min(pos, colorCount) - pos_));
  pos_ = pos;
  tokenStart_ = pos;
  tokenFontId_ = -1;
  kind_ = kind;
  if (!allText) directiveAllowed_ = blanksOnly_ = false;
  return true;
}

// A stop character that does not go on an identifier starts a token, so the position before it
// is a token boundary whichever tokens came before, and no boundary before it could enter a
// child or need a rule. The way out of the block, if any, must be a character that starts a
// token of its own: before the boundary when the delimiter is part of the block (then a
// one-character token, so the boundary follows it), at it otherwise.
bool TLineScanner::SkipToStop(char* colors, int colorCount) {
  const TPreparedBlock& p = block_->Prepared;
  if (!p.CanSkip) return false;
  int leaveAt = -1, leaveAfter = -1;
  if (exitChar_ >= 0) {
    const auto e = static_cast<unsigned char>(exitChar_);
    if (!p.StartsAlone[e]) return false;
    if (partOfBlock_) {
      if (p.Quiet[e] != TPreparedBlock::qkSingle) return false;
      leaveAfter = e;
    } else {
      leaveAt = e;
    }
  }
  const unsigned char* s = s_;
  const int n = n_;
  const TCharSet& first = block_->FirstIdentChars;
  const TCharSet& other = block_->OtherIdentChars;
  const int start = pos_;
  int pos = start;
  if (p.StopsInIdentifiers) {
    bool inIdentifier = false;  // the character before belongs to an identifier
    while (pos < n) {
      const unsigned char c = s[pos];
      if (inIdentifier && other[c]) {
        ++pos;
        continue;
      }
      if (p.SkipStop[c] || c == leaveAt) break;
      inIdentifier = first[c];
      ++pos;
      if (c == leaveAfter) break;
    }
  } else {
    pos = FirstStop(s, pos, n, p.SkipStop, leaveAt < 0 ? leaveAfter : leaveAt);
    if (pos < n && s[pos] == leaveAfter && !p.SkipStop[s[pos]]) ++pos;
  }
  if (pos == start) return false;
  const int end = std::min(pos, colorCount);
  if (start < end)
    std::memset(colors + start, p.QuietUniformFont, static_cast<size_t>(end - start));
  // Only the first tokens of a line can still be plain text: look at them only while it matters.
  if (directiveAllowed_ || blanksOnly_) {
    bool allText = true;
    for (int i = start; i < pos && allText; ++i) allText = p.QuietText[s[i]];
    if (!allText) directiveAllowed_ = blanksOnly_ = false;
  }
  pos_ = pos;
  tokenStart_ = pos;
  tokenFontId_ = -1;
  return true;
}

// ---- Tokens ----

int TLineScanner::ScanToken() {
  int before = pos_;
  tokenFontId_ = -1;
  if (construct_ != ctNone)
    ScanOpen();
  else
    ScanNothingOpen();
  if (pos_ <= before) pos_ = before + 1;  // every token moves on
  if (pos_ > n_) pos_ = n_;
  return FontIdOfToken();
}

int TLineScanner::ScanOpen() {
  const TSyntaxBlock& b = *block_;
  const TPreparedBlock& p = b.Prepared;
  auto entryOf = [&](const TPreparedBlock::TList& list,
                     const TBlockTokenList& items) -> const TBlockToken* {
    if (constructIndex_ < 0 || constructIndex_ >= static_cast<int>(list.Index.size()))
      return nullptr;
    return &items[static_cast<size_t>(list.Index[static_cast<size_t>(constructIndex_)])];
  };

  if (construct_ == ctMultiLineComment) {
    kind_ = tkMultiLineComment;
    const TBlockToken* entry = entryOf(p.MultiLineComments, b.MultiLineCommentDelimiters);
    if (!entry) {
      construct_ = ctNone;
      return ScanNothingOpen();
    }
    tokenFontId_ = entry->FontID;
    int at = ClosingSearch(entry->RightDelimiter, pos_);
    if (at < 0) {
      pos_ = n_;
    } else {
      pos_ = at + static_cast<int>(entry->RightDelimiter.size());
      construct_ = inDirective_ && pos_ < n_ ? ctContinuedDirective : ctNone;
    }
    return 0;
  }

  if (construct_ == ctContinuedString || construct_ == ctMultiLineString) {
    bool single = construct_ == ctContinuedString;
    kind_ = single ? tkSingleLineString : tkMultiLineString;
    const TBlockToken* entry = single ? entryOf(p.SingleLineStrings, b.SingleLineStringDelimiters)
                                      : entryOf(p.MultiLineStrings, b.MultiLineStringDelimiters);
    if (!entry) {
      construct_ = ctNone;
      return ScanNothingOpen();
    }
    tokenFontId_ = entry->FontID;
    const std::string& right = entry->RightDelimiter;
    int at = ClosingSearch(right, pos_);
    if (at < 0) {
      pos_ = n_;
      bool wraps = b.UseMetaSymbol && b.UseMetaToWrapLines && n_ > 0 &&
                   s_[n_ - 1] == static_cast<unsigned char>(b.MetaSymbol);
      if (single && !wraps) construct_ = ctNone;
    } else if (b.UseMetaSymbol && at > pos_ &&
               s_[at - 1] == static_cast<unsigned char>(b.MetaSymbol)) {
      int run = 0;
      for (int i = at - 1; i >= pos_ && s_[i] == static_cast<unsigned char>(b.MetaSymbol); --i)
        ++run;
      if (run % 2 == 1) {
        // An escaped delimiter: the string goes on, unless the line ends right here.
        pos_ = at + 1;
        if (pos_ >= n_) construct_ = ctNone;
      } else {
        pos_ = at + static_cast<int>(right.size());
        construct_ = ctNone;
      }
    } else {
      pos_ = at + static_cast<int>(right.size());
      construct_ = ctNone;
    }
    return 0;
  }

  // A directive continued from the previous line.
  if (b.UseComments && CommentOpening()) return 0;
  kind_ = tkDirective;
  ++pos_;
  if (pos_ >= n_) {
    bool wraps = b.UseMetaSymbol && b.UseMetaToWrapLines &&
                 s_[n_ - 1] == static_cast<unsigned char>(b.MetaSymbol);
    if (!wraps) construct_ = ctNone;
  }
  return 0;
}

int TLineScanner::ScanNothingOpen() {
  const TSyntaxBlock& b = *block_;
  unsigned char c = s_[pos_];
  if (IsBlank(c)) {
    while (pos_ < n_ && IsBlank(s_[pos_])) ++pos_;
    kind_ = tkText;
    return 0;
  }
  if (scheme_.NotUsedSymbols[c]) {
    while (pos_ < n_ && scheme_.NotUsedSymbols[s_[pos_]]) ++pos_;
    kind_ = tkSymbol;
    return 0;
  }
  const TPreparedBlock& p = b.Prepared;
  if (b.UseComments && p.CommentFirst[c] && CommentOpening()) return 0;
  if (b.UseStrings && p.StringFirst[c] && StringOpening()) return 0;
  if (b.UseNumbers) {
    if (SpecialNumber() || PlainNumber()) return 0;
  } else if (IsDigit(c)) {
    while (pos_ < n_ && IsDigit(s_[pos_])) ++pos_;
    kind_ = tkInteger;
    return 0;
  }
  if (b.UseLineDirectives && directiveAllowed_ && p.DirectiveFirst[c] && Directive()) return 0;
  if ((b.FirstIdentChars[c] || p.IdentPrefixFirst[c]) && Identifier()) return 0;
  ++pos_;
  kind_ = SymbolChars()[c] ? tkSymbol : tkText;
  return 0;
}

bool TLineScanner::CommentOpening() {
  const TSyntaxBlock& b = *block_;
  const TPreparedBlock& p = b.Prepared;
  if (b.UseMultiLineComments) {
    for (size_t i = 0; i < p.MultiLineComments.Left.size(); ++i) {
      const std::string& left = p.MultiLineComments.Left[i];
      if (!MatchForward(left, pos_, block_->CaseSensitive)) continue;
      kind_ = tkMultiLineComment;
      construct_ = ctMultiLineComment;
      constructIndex_ = static_cast<int>(i);
      tokenFontId_ =
          b.MultiLineCommentDelimiters[static_cast<size_t>(p.MultiLineComments.Index[i])].FontID;
      pos_ += static_cast<int>(left.size());
      return true;
    }
  }
  if (b.UseFullLineComments && blanksOnly_) {
    for (size_t i = 0; i < p.FullLineComments.Left.size(); ++i) {
      if (!MatchForward(p.FullLineComments.Left[i], pos_, block_->CaseSensitive)) continue;
      kind_ = tkFullLineComment;
      constructIndex_ = static_cast<int>(i);
      tokenFontId_ =
          b.FullLineCommentDelimiters[static_cast<size_t>(p.FullLineComments.Index[i])].FontID;
      pos_ = n_;
      return true;
    }
  }
  if (b.UseSingleLineComments) {
    for (size_t i = 0; i < p.SingleLineComments.Left.size(); ++i) {
      if (!MatchForward(p.SingleLineComments.Left[i], pos_, block_->CaseSensitive)) continue;
      kind_ = tkSingleLineComment;
      constructIndex_ = static_cast<int>(i);
      tokenFontId_ =
          b.SingleLineCommentDelimiters[static_cast<size_t>(p.SingleLineComments.Index[i])].FontID;
      pos_ = n_;
      return true;
    }
  }
  return false;
}

bool TLineScanner::OpensCommentOrString(int at, bool blanksOnly) const {
  const TSyntaxBlock& b = *block_;
  const TPreparedBlock& p = b.Prepared;
  const bool caseSensitive = b.CaseSensitive;
  auto any = [&](const std::vector<std::string>& lefts, bool stringOpening) {
    for (const std::string& left : lefts)
      if (stringOpening ? MatchStringOpening(left, at, caseSensitive)
                        : MatchForward(left, at, caseSensitive))
        return true;
    return false;
  };
  if (b.UseComments && p.CommentFirst[s_[at]]) {
    if (b.UseMultiLineComments && any(p.MultiLineComments.Left, false)) return true;
    if (b.UseFullLineComments && blanksOnly && any(p.FullLineComments.Left, false)) return true;
    if (b.UseSingleLineComments && any(p.SingleLineComments.Left, false)) return true;
  }
  if (b.UseStrings && p.StringFirst[s_[at]]) {
    if (b.UseMultiLineStrings && any(p.MultiLineStrings.Left, false)) return true;
    if (b.UseSingleLineStrings && any(p.SingleLineStrings.Left, true)) return true;
  }
  return false;
}

bool TLineScanner::StringOpening() {
  const TSyntaxBlock& b = *block_;
  const TPreparedBlock& p = b.Prepared;
  if (b.UseMultiLineStrings) {
    for (size_t i = 0; i < p.MultiLineStrings.Left.size(); ++i) {
      const std::string& left = p.MultiLineStrings.Left[i];
      if (!MatchForward(left, pos_, block_->CaseSensitive)) continue;
      kind_ = tkMultiLineString;
      construct_ = ctMultiLineString;
      constructIndex_ = static_cast<int>(i);
      tokenFontId_ =
          b.MultiLineStringDelimiters[static_cast<size_t>(p.MultiLineStrings.Index[i])].FontID;
      pos_ += static_cast<int>(left.size());
      return true;
    }
  }
  if (b.UseSingleLineStrings) {
    for (size_t i = 0; i < p.SingleLineStrings.Left.size(); ++i) {
      const std::string& left = p.SingleLineStrings.Left[i];
      if (!MatchStringOpening(left, pos_, block_->CaseSensitive)) continue;
      kind_ = tkSingleLineString;
      constructIndex_ = static_cast<int>(i);
      tokenFontId_ =
          b.SingleLineStringDelimiters[static_cast<size_t>(p.SingleLineStrings.Index[i])].FontID;
      pos_ += static_cast<int>(left.size());
      // A delimiter at the line's end is a string of its own.
      if (pos_ < n_) construct_ = ctContinuedString;
      return true;
    }
  }
  return false;
}

bool TLineScanner::PlainNumber() {
  if (!IsDigit(s_[pos_])) return false;
  while (pos_ < n_ && IsDigit(s_[pos_])) ++pos_;
  bool floating = false;
  if (pos_ < n_ && s_[pos_] == '.') {
    floating = true;
    ++pos_;
    while (pos_ < n_ && IsDigit(s_[pos_])) ++pos_;
  }
  if (pos_ < n_ && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
    int p = pos_ + 1;
    if (p < n_ && (s_[p] == '+' || s_[p] == '-')) ++p;
    if (p < n_ && IsDigit(s_[p])) {
      while (p < n_ && IsDigit(s_[p])) ++p;
      pos_ = p;
      floating = true;
    }
  }
  kind_ = floating ? tkFloat : tkInteger;
  return true;
}

bool TLineScanner::PrefixStep() {
  for (const std::string& prefix : block_->Prepared.NumPrefixes) {
    if (prefix.empty() || pos_ + static_cast<int>(prefix.size()) > n_ ||
        !Equal(pos_, prefix, block_->CaseSensitive))
      continue;
    pos_ += static_cast<int>(prefix.size());
    if (pos_ < n_ && IsHexDigit(s_[pos_])) {
      while (pos_ < n_ && IsHexDigit(s_[pos_])) ++pos_;
      kind_ = tkHexNumber;
    } else {
      kind_ = tkSymbol;
    }
    return true;
  }
  return false;
}

bool TLineScanner::SuffixStep() {
  for (const std::string& suffix : block_->Prepared.NumSuffixes) {
    if (suffix.empty() || pos_ + static_cast<int>(suffix.size()) > n_ ||
        !Equal(pos_, suffix, block_->CaseSensitive))
      continue;
    pos_ += static_cast<int>(suffix.size());
    return true;
  }
  return false;
}

bool TLineScanner::SpecialNumber() {
  const TSyntaxBlock& b = *block_;
  int start = pos_;
  if (!IsDigit(s_[pos_]) && !b.Prepared.NumberPrefixFirst[s_[pos_]]) return false;
  if (b.UsePrefixedSuffixedNumbers && !b.UsePSNumComposition) {
    for (const TBlockToken& pair : b.NumPrefixesSuffixes) {
      pos_ = start;
      const std::string& left = pair.LeftDelimiter;
      if (left.empty() || pos_ + static_cast<int>(left.size()) > n_ ||
          !Equal(pos_, left, block_->CaseSensitive))
        continue;
      pos_ += static_cast<int>(left.size());
      int digits = pos_;
      while (pos_ < n_ && IsHexDigit(s_[pos_])) ++pos_;
      const std::string& right = pair.RightDelimiter;
      if (pos_ > digits && !right.empty() && pos_ + static_cast<int>(right.size()) <= n_ &&
          Equal(pos_, right, block_->CaseSensitive)) {
        pos_ += static_cast<int>(right.size());
        kind_ = tkHexNumber;
        return true;
      }
    }
    pos_ = start;
  } else if (b.UsePrefixedSuffixedNumbers) {
    if (PrefixStep()) {
      if (SuffixStep() && b.UseMultipleNumSuffixes)
        while (SuffixStep()) {
        }
      return true;
    }
    pos_ = start;
  } else if (b.UsePrefixedNumbers && b.Prepared.NumberPrefixFirst[s_[pos_]] && PrefixStep()) {
    return true;
  }
  if (b.UseSuffixedNumbers && IsDigit(s_[pos_])) {
    PlainNumber();
    if (SuffixStep()) {
      if (b.UseMultipleNumSuffixes)
        while (SuffixStep()) {
        }
      return true;
    }
    pos_ = start;
  }
  return false;
}

bool TLineScanner::Directive() {
  const std::string& prefix = block_->LineDirectivePrefix;
  if (prefix.empty() || pos_ + static_cast<int>(prefix.size()) > n_ ||
      !Equal(pos_, prefix, block_->CaseSensitive))
    return false;
  pos_ += static_cast<int>(prefix.size());
  kind_ = tkDirective;
  inDirective_ = true;
  if (pos_ < n_) construct_ = ctContinuedDirective;
  return true;
}

bool TLineScanner::IdentifierRun() {
  if (pos_ >= n_ || !block_->FirstIdentChars[s_[pos_]]) return false;
  ++pos_;
  while (pos_ < n_ && block_->OtherIdentChars[s_[pos_]]) ++pos_;
  return true;
}

bool TLineScanner::Identifier() {
  const TSyntaxBlock& b = *block_;
  int start = pos_;
  bool taken = false;
  if (b.UsePrefixedSuffixedIdentifiers) {
    for (const TBlockToken& pair : b.IdentPrefixesSuffixes) {
      pos_ = start;
      const std::string& left = pair.LeftDelimiter;
      const std::string& right = pair.RightDelimiter;
      if (left.empty() || pos_ + static_cast<int>(left.size()) > n_ ||
          !Equal(pos_, left, block_->CaseSensitive))
        continue;
      pos_ += static_cast<int>(left.size());
      if (!IdentifierRun()) continue;
      if (!right.empty() && pos_ + static_cast<int>(right.size()) <= n_ &&
          Equal(pos_, right, block_->CaseSensitive)) {
        pos_ += static_cast<int>(right.size());
        kind_ = tkIdentifier;
        if (b.UseKeywords) KeywordTest(start);
        return true;
      }
    }
    pos_ = start;
  }
  if (b.UsePrefixedIdentifiers) {
    for (const std::string& prefix : b.Prepared.IdentPrefixes) {
      if (prefix.empty() || pos_ + static_cast<int>(prefix.size()) > n_ ||
          !Equal(pos_, prefix, block_->CaseSensitive))
        continue;
      pos_ += static_cast<int>(prefix.size());
      if (IdentifierRun()) {
        taken = true;
        break;
      }
      kind_ = tkSymbol;
    }
  }
  if (!taken && !IdentifierRun()) {
    pos_ = start;
    return false;
  }
  if (b.UseSuffixedIdentifiers) {
    for (const std::string& suffix : b.Prepared.IdentSuffixes) {
      if (suffix.empty() || pos_ + static_cast<int>(suffix.size()) > n_ ||
          !Equal(pos_, suffix, block_->CaseSensitive))
        continue;
      pos_ += static_cast<int>(suffix.size());
      break;
    }
  }
  kind_ = tkIdentifier;
  if (b.UseKeywords) KeywordTest(start);
  return true;
}

void TLineScanner::KeywordTest(int start) {
  const TSyntaxBlock& b = *block_;
  if (!b.UseKeywords || b.Prepared.Keywords.empty()) return;
  std::string word = ",";
  word.append(reinterpret_cast<const char*>(s_) + start, static_cast<size_t>(pos_ - start));
  word += ',';
  if (!b.CaseSensitive) word = LowerCase(std::move(word));
  for (const auto& table : b.Prepared.Keywords) {
    const std::string& bucket = table.Buckets[static_cast<unsigned char>(word[1])];
    if (!bucket.empty() && bucket.find(word) != std::string::npos) {
      kind_ = tkKeyword;
      tokenFontId_ = b.KeywordSets[static_cast<size_t>(table.SetIndex)].FontID;
      return;
    }
  }
}

int TLineScanner::FontIdOfToken() const { return TokenFontId(*block_, kind_, tokenFontId_); }

void TLineScanner::Report() {
  if (!parser_.OnGetToken) return;
  // A construct still open after this piece is reported once it closes.
  if (construct_ != ctNone) {
    if (pendingStart_ < 0) pendingStart_ = tokenStart_;
    return;
  }
  int from = pendingStart_ >= 0 ? pendingStart_ : tokenStart_;
  pendingStart_ = -1;
  parser_.OnGetToken(
      parser_, kind_,
      std::string(reinterpret_cast<const char*>(s_) + from, static_cast<size_t>(pos_ - from)));
}

uint32_t TLineScanner::Run(uint32_t state) {
  if (blocks_.empty()) return state;
  TLineState start = TLineState::Unpack(state);
  if (start.StateIndex >= scheme_.BlockStates.Count()) start = TLineState();
  stateIndex_ = start.StateIndex;
  CheckHeads();
  ApplyHead();
  // The packed flags overwrite what the block chain says (state 0 stays state 0 on plain lines).
  partOfBlock_ = start.PartOfBlock;
  case_ = start.CaseSensitive;
  delimiter_ = start.Delimiter;
  UpdateExit();
  construct_ = start.Construct <= ctContinuedDirective ? start.Construct : ctNone;
  constructIndex_ = start.ConstructIndex;

  char* colors = colors_.MutableData();
  int colorCount = static_cast<int>(colors_.size());
  // Token reports need each token on its own, so the quiet run is only taken without them.
  const bool quick = !parser_.OnGetToken;
  for (;;) {
    if (construct_ == ctNone) {
      BoundaryPass();
      if (quick && (SkipToStop(colors, colorCount) || QuietTokens(colors, colorCount))) continue;
    }
    if (pos_ >= n_) break;
    int fontId = ScanToken();
    directiveAllowed_ = directiveAllowed_ && kind_ < tkFullLineComment;
    blanksOnly_ = blanksOnly_ && kind_ == tkText;
    int end = std::min(pos_, colorCount);
    if (tokenStart_ < end)
      std::memset(colors + tokenStart_, fontId, static_cast<size_t>(end - tokenStart_));
    Report();
    tokenStart_ = pos_;
  }

  TLineState out;
  out.StateIndex = stateIndex_;
  out.PartOfBlock = partOfBlock_;
  out.CaseSensitive = case_;
  out.Delimiter = delimiter_;
  out.Construct = construct_;
  out.ConstructIndex = construct_ == ctNone ? 0 : constructIndex_;
  return out.Pack();
}

}  // namespace

int TokenFontId(const TSyntaxBlockProps& b, int kind, int tokenFontId) {
  int id = b.FIText;
  switch (kind) {
    case tkSingleLineComment:
    case tkMultiLineComment:
    case tkFullLineComment:
    case tkSingleLineString:
    case tkMultiLineString:
    case tkKeyword:
      id = tokenFontId;
      break;
    case tkDirective:
      id = b.UseLineDirectives ? b.FIDirective : b.FIText;
      break;
    case tkInteger:
      id = b.UseNumbers ? b.FIIntNum : b.FIText;
      break;
    case tkFloat:
      id = b.UseNumbers ? b.FIFloatNum : b.FIText;
      break;
    case tkHexNumber:
      id = b.UseNumbers ? b.FIHexNum : b.FIText;
      break;
    case tkIdentifier:
      id = b.UseIdentifiers ? b.FIIdentifier : b.FIText;
      break;
    case tkSymbol:
      id = b.UseSymbols ? b.FISymbol : b.FIText;
      break;
    default:
      break;
  }
  unsigned char byte = static_cast<unsigned char>(id);
  return byte == 255 ? static_cast<unsigned char>(b.FIText) : byte;
}

uint32_t TSyntaxParser::ParseLine(std::string_view text, uint32_t state, TLineColors& colors) {
  if (colors.empty() || text.empty()) return state;
  TLineScanner scanner(*this, text, colors);
  return scanner.Run(state);
}

}  // namespace quorel
