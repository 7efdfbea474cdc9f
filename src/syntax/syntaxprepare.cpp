// Preparing a scheme for parsing: the enabled delimiters of each rule, keyword buckets, the entry
// delimiters of child blocks, and the punctuation no rule uses.
#include <cctype>

#include "engine/casemap.h"
#include "syntax/commatext.h"
#include "syntax/syntaxparser.h"
#include "syntax/syntaxscheme.h"

namespace quorel {

namespace {

template <typename TList>
void CollectUsed(const TList& list, TCharSet& used) {
  for (const auto& t : list) {
    if (!t.UseToken) continue;
    used.IncludeAll(t.LeftDelimiter);
    if constexpr (requires { t.RightDelimiter; }) used.IncludeAll(t.RightDelimiter);
  }
}

template <typename TList>
TPreparedBlock::TList Enabled(const TList& list) {
  TPreparedBlock::TList out;
  for (size_t i = 0; i < list.size(); ++i) {
    if (!list[i].UseToken) continue;
    out.Left.push_back(list[i].LeftDelimiter);
    out.Index.push_back(static_cast<int>(i));
  }
  return out;
}

std::vector<std::string> EnabledLeft(const TLineTokenList& list) {
  std::vector<std::string> out;
  for (const TLineToken& t : list)
    if (t.UseToken) out.push_back(t.LeftDelimiter);
  return out;
}

// Both cases of a character's letter when comparing without case.
void IncludeFolded(TCharSet& set, char c, bool caseSensitive) {
  set.Include(static_cast<unsigned char>(c));
  if (!caseSensitive) {
    set.Include(static_cast<unsigned char>(UpperChar(c)));
    set.Include(static_cast<unsigned char>(LowerChar(c)));
  }
}

}  // namespace

void TSyntaxScheme::PrepareBlock(int index, TCharSet& used) {
  TSyntaxBlock& b = SyntaxBlocks[static_cast<size_t>(index)];
  TPreparedBlock p;
  for (int c = 0; c < 256; ++c) {
    if (b.FirstIdentChars[static_cast<unsigned char>(c)] ||
        b.OtherIdentChars[static_cast<unsigned char>(c)])
      used.Include(static_cast<unsigned char>(c));
  }
  if (b.UseMetaSymbol) used.Include(static_cast<unsigned char>(b.MetaSymbol));
  for (const TDelimiters& d : b.BlockDelimiters) {
    if (!d.UseToken) continue;
    used.IncludeAll(d.LeftDelimiter);
    used.IncludeAll(d.RightDelimiter);
  }

  p.SingleLineComments = Enabled(b.SingleLineCommentDelimiters);
  p.MultiLineComments = Enabled(b.MultiLineCommentDelimiters);
  p.FullLineComments = Enabled(b.FullLineCommentDelimiters);
  p.SingleLineStrings = Enabled(b.SingleLineStringDelimiters);
  p.MultiLineStrings = Enabled(b.MultiLineStringDelimiters);
  p.NumPrefixes = EnabledLeft(b.NumPrefixes);
  p.NumSuffixes = EnabledLeft(b.NumSuffixes);
  p.IdentPrefixes = EnabledLeft(b.IdentPrefixes);
  p.IdentSuffixes = EnabledLeft(b.IdentSuffixes);
  if (b.UseComments) {
    if (b.UseSingleLineComments) CollectUsed(b.SingleLineCommentDelimiters, used);
    if (b.UseMultiLineComments) CollectUsed(b.MultiLineCommentDelimiters, used);
    if (b.UseFullLineComments) CollectUsed(b.FullLineCommentDelimiters, used);
  }
  if (b.UseStrings) {
    if (b.UseSingleLineStrings) CollectUsed(b.SingleLineStringDelimiters, used);
    if (b.UseMultiLineStrings) CollectUsed(b.MultiLineStringDelimiters, used);
  }
  if (b.UseNumbers) {
    if (b.UsePrefixedNumbers) CollectUsed(b.NumPrefixes, used);
    if (b.UseSuffixedNumbers) CollectUsed(b.NumSuffixes, used);
    if (b.UsePrefixedSuffixedNumbers) CollectUsed(b.NumPrefixesSuffixes, used);
  }
  if (b.UsePrefixedIdentifiers) CollectUsed(b.IdentPrefixes, used);
  if (b.UseSuffixedIdentifiers) CollectUsed(b.IdentSuffixes, used);
  if (b.UsePrefixedSuffixedIdentifiers) CollectUsed(b.IdentPrefixesSuffixes, used);
  if (b.UseLineDirectives) used.IncludeAll(b.LineDirectivePrefix);

  for (size_t k = 0; k < b.KeywordSets.size(); ++k) {
    const TKeywordSet& set = b.KeywordSets[k];
    if (!set.UseToken) continue;
    TPreparedBlock::TKeywordTable table;
    table.SetIndex = static_cast<int>(k);
    for (std::string word : SplitCommaText(set.Keywords)) {
      if (word.empty()) continue;
      if (!b.CaseSensitive) word = LowerCase(word);
      std::string& bucket = table.Buckets[static_cast<unsigned char>(word[0])];
      if (bucket.empty()) bucket.push_back(',');
      bucket.append(word);
      bucket.push_back(',');
    }
    p.Keywords.push_back(std::move(table));
  }

  for (size_t ci = 0; ci < SyntaxBlocks.size(); ++ci) {
    const TSyntaxBlock& child = SyntaxBlocks[ci];
    if (child.ParentID != b.ID || static_cast<int>(ci) == index) continue;
    for (size_t di = 0; di < child.BlockDelimiters.size(); ++di) {
      const TDelimiters& d = child.BlockDelimiters[di];
      if (!d.UseToken || d.LeftDelimiter.empty()) continue;
      int code = (d.DelimitersArePartOfBlock ? 0x20000 : 0) + (child.CaseSensitive ? 0x10000 : 0) +
                 static_cast<int>(ci) * 256 + static_cast<int>(di);
      if (d.DelimitersArePartOfBlock) {
        p.ChildPart.push_back({d.LeftDelimiter, code});
        IncludeFolded(p.ChildPartFirst, d.LeftDelimiter.front(), false);
      } else {
        p.ChildNotPart.push_back({d.LeftDelimiter, code});
        IncludeFolded(p.ChildNotPartLast, d.LeftDelimiter.back(), false);
      }
    }
  }
  auto firsts = [](TCharSet& set, const auto& list) {
    for (const auto& t : list)
      if (!t.LeftDelimiter.empty()) IncludeFolded(set, t.LeftDelimiter.front(), false);
  };
  firsts(p.CommentFirst, b.SingleLineCommentDelimiters);
  firsts(p.CommentFirst, b.MultiLineCommentDelimiters);
  firsts(p.CommentFirst, b.FullLineCommentDelimiters);
  firsts(p.StringFirst, b.SingleLineStringDelimiters);
  firsts(p.StringFirst, b.MultiLineStringDelimiters);
  firsts(p.NumberPrefixFirst, b.NumPrefixes);
  firsts(p.NumberPrefixFirst, b.NumPrefixesSuffixes);
  firsts(p.IdentPrefixFirst, b.IdentPrefixes);
  firsts(p.IdentPrefixFirst, b.IdentPrefixesSuffixes);
  if (!b.LineDirectivePrefix.empty())
    IncludeFolded(p.DirectiveFirst, b.LineDirectivePrefix.front(), false);
  b.Prepared = std::move(p);
}

// Follows the scanner's order of rules for a token's first character: a character gets a quiet
// kind only when no comment, string, number, directive, identifier prefix or suffix or keyword
// rule can start with it, so taking the token by its kind alone colours it as the rules would.
void TSyntaxScheme::PrepareQuiet(TSyntaxBlock& b) const {
  TPreparedBlock& p = b.Prepared;
  // Prefixes and prefix pairs start with their own characters (excluded below); a suffix or a
  // keyword test could change an identifier's extent or style.
  const bool plainIdentifiers = !(b.UseSuffixedIdentifiers && !p.IdentSuffixes.empty()) &&
                                !(b.UseKeywords && !p.Keywords.empty());
  // One prefix of one character that is no letter (so no case to fold), with plain identifiers
  // and no prefix-suffix pairs: the identifier rule then takes "prefix + identifier" or the
  // prefix alone, and nothing else can start there.
  const bool quietPrefix =
      plainIdentifiers && b.UsePrefixedIdentifiers && p.IdentPrefixes.size() == 1 &&
      p.IdentPrefixes[0].size() == 1 &&
      !(b.UsePrefixedSuffixedIdentifiers && !b.IdentPrefixesSuffixes.empty()) &&
      LowerTable()[static_cast<unsigned char>(p.IdentPrefixes[0][0])] ==
          static_cast<unsigned char>(p.IdentPrefixes[0][0]) &&
      !std::isalpha(static_cast<unsigned char>(p.IdentPrefixes[0][0]));
  p.QuietIdentifierFont = static_cast<unsigned char>(TokenFontId(b, tkIdentifier, -1));
  for (int i = 0; i < 256; ++i) {
    const auto c = static_cast<unsigned char>(i);
    unsigned char kind = TPreparedBlock::qkNone;
    if (c == 0) {
      // a NUL ends the text: never part of a line
    } else if (c <= 32) {
      kind = TPreparedBlock::qkBlanks;
    } else if (NotUsedSymbols[c]) {
      kind = TPreparedBlock::qkNotUsed;
    } else if ((b.UseComments && p.CommentFirst[c]) || (b.UseStrings && p.StringFirst[c])) {
      // Where no opening matches, the rules take it as one character unless it could also
      // start a number, a directive or an identifier.
      const bool alone = !(c >= '0' && c <= '9') && !(b.UseNumbers && p.NumberPrefixFirst[c]) &&
                         !(b.UseLineDirectives && p.DirectiveFirst[c]) && !p.IdentPrefixFirst[c] &&
                         !b.FirstIdentChars[c];
      kind = alone ? TPreparedBlock::qkGuarded : TPreparedBlock::qkNone;
    } else if (c >= '0' && c <= '9') {
      kind = b.UseNumbers ? TPreparedBlock::qkNone : TPreparedBlock::qkDigits;
    } else if ((b.UseNumbers && p.NumberPrefixFirst[c]) ||
               (b.UseLineDirectives && p.DirectiveFirst[c])) {
      kind = TPreparedBlock::qkNone;
    } else if (p.IdentPrefixFirst[c]) {
      kind = quietPrefix && c == static_cast<unsigned char>(p.IdentPrefixes[0][0])
                 ? TPreparedBlock::qkPrefix
                 : TPreparedBlock::qkNone;
    } else if (b.FirstIdentChars[c]) {
      kind = plainIdentifiers ? TPreparedBlock::qkIdentifier : TPreparedBlock::qkNone;
    } else {
      kind = TPreparedBlock::qkSingle;
    }
    p.Quiet[c] = kind;
    int token = tkText;
    const bool single = kind == TPreparedBlock::qkSingle || kind == TPreparedBlock::qkGuarded ||
                        kind == TPreparedBlock::qkPrefix;
    if (kind == TPreparedBlock::qkNotUsed || (single && SymbolChars()[c]))
      token = tkSymbol;
    else if (kind == TPreparedBlock::qkDigits)
      token = tkInteger;
    else if (kind == TPreparedBlock::qkIdentifier)
      token = tkIdentifier;
    p.QuietKindOf[c] = static_cast<unsigned char>(token);
    p.QuietFont[c] = static_cast<unsigned char>(TokenFontId(b, token, -1));
    p.QuietText[c] = token == tkText;
  }

  // How many characters fold to each lower-case one: a letter compared without case stands for
  // another character too.
  const std::array<unsigned char, 256>& lower = LowerTable();
  std::array<int, 256> folded{};
  for (unsigned char l : lower) ++folded[l];
  bool uniform = true, anyAfter = false, stopsContinue = false;
  p.QuietUniformFont = -1;
  p.StopsInIdentifiers = false;
  for (int i = 0; i < 256; ++i) {
    const auto c = static_cast<unsigned char>(i);
    if (p.Quiet[c] != TPreparedBlock::qkNone) {
      if (p.QuietUniformFont < 0) p.QuietUniformFont = p.QuietFont[c];
      uniform = uniform && p.QuietFont[c] == p.QuietUniformFont;
      if (p.Quiet[c] == TPreparedBlock::qkPrefix)
        uniform = uniform && p.QuietIdentifierFont == p.QuietUniformFont;
    }
    p.RunContinues[c] =
        (c >= 1 && c <= 32) || NotUsedSymbols[c] || (!b.UseNumbers && c >= '0' && c <= '9');
    p.StartsAlone[c] = !p.RunContinues[c] && !b.OtherIdentChars[c] && folded[lower[c]] == 1;
    // SkipToStop takes only tokens whose extent and style the character alone decides.
    p.SkipStop[c] = p.Quiet[c] == TPreparedBlock::qkNone ||
                    p.Quiet[c] == TPreparedBlock::qkGuarded ||
                    p.Quiet[c] == TPreparedBlock::qkPrefix || p.ChildPartFirst[c];
    anyAfter = anyAfter || p.ChildNotPartLast[c];
    if (p.SkipStop[c]) {
      stopsContinue = stopsContinue || p.RunContinues[c];
      p.StopsInIdentifiers = p.StopsInIdentifiers || b.OtherIdentChars[c];
    }
  }
  if (!uniform) p.QuietUniformFont = -1;
  p.CanSkip = p.QuietUniformFont >= 0 && !anyAfter && !stopsContinue;
}

void TSyntaxScheme::Prepare() {
  UpgradeVersion();
  BlockStates.Reset();
  TCharSet used;
  for (size_t i = 0; i < SyntaxBlocks.size(); ++i) PrepareBlock(static_cast<int>(i), used);
  NotUsedSymbols = SymbolChars();
  for (int c = 0; c < 256; ++c)
    if (used[static_cast<unsigned char>(c)]) NotUsedSymbols.Exclude(static_cast<unsigned char>(c));
  for (TSyntaxBlock& block : SyntaxBlocks) PrepareQuiet(block);
  if (Parser) Parser->FontsChanged();
}

}  // namespace quorel
