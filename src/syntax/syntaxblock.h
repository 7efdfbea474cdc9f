// One block of a syntax scheme (plain text, tags, ...) with its rules, and the lookup tables
// the parser prepares from them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "syntax/charset.h"
#include "syntax/tokenitems.h"

namespace quorel {

// Tables built by the scheme's Prepare; never saved.
struct TPreparedBlock {
  // Left delimiters of the enabled entries, and each one's index in its collection.
  struct TList {
    std::vector<std::string> Left;
    std::vector<int> Index;
  };
  TList SingleLineComments, MultiLineComments, FullLineComments;
  TList SingleLineStrings, MultiLineStrings;
  std::vector<std::string> NumPrefixes, NumSuffixes, IdentPrefixes, IdentSuffixes;

  // For each enabled keyword set: per first character, "," + each keyword + ",".
  struct TKeywordTable {
    std::array<std::string, 256> Buckets;
    int SetIndex = 0;
  };
  std::vector<TKeywordTable> Keywords;

  // Entry delimiters of child blocks; code = part-of-block * 0x20000 + case-sensitive * 0x10000
  // + child block index * 256 + delimiter index.
  struct TEntry {
    std::string Left;
    int Code = 0;
  };
  std::vector<TEntry> ChildPart, ChildNotPart;
  // Quick rejection: characters that can start a part-of-child delimiter, and that can end a
  // not-part-of-child one (both cases of letters when comparing without case).
  TCharSet ChildPartFirst, ChildNotPartLast;
  // Characters that can start an opening of each kind (both cases of letters), so that most
  // positions skip the rule lists at once.
  TCharSet CommentFirst, StringFirst, NumberPrefixFirst, IdentPrefixFirst, DirectiveFirst;

  // How a token starting with each character runs when no rule list can apply to it: most of a
  // document's tokens, which the scanner then takes in a tight loop. qkNone: the full rules.
  // qkGuarded: a comment or string opening may start with it (the "<" of "<!--" in a tag), and
  // where none does, it is a one-character token like qkSingle. qkPrefix: the block's only
  // identifier prefix, one character long (the "/" of a closing tag): with an identifier behind
  // it, an identifier token; alone, a one-character token.
  enum TQuietKind : unsigned char {
    qkNone,
    qkBlanks,
    qkNotUsed,
    qkDigits,
    qkIdentifier,
    qkSingle,
    qkGuarded,
    qkPrefix
  };
  std::array<unsigned char, 256> Quiet{};
  // For a quiet token starting with each character: its token kind, its style byte, and whether
  // it is plain text (which keeps a line "blanks only" and directives allowed).
  std::array<unsigned char, 256> QuietKindOf{}, QuietFont{};
  std::array<bool, 256> QuietText{};
  // The style byte of an identifier token (behind a qkPrefix character).
  unsigned char QuietIdentifierFont = 0;
  // The style byte every quiet token of the block has, or -1 when they differ.
  int QuietUniformFont = -1;
  // Skipping a block up to its next stop character (SkipToStop) needs to know where tokens
  // start. RunContinues: a blank, unused-symbol or digit run goes on with the character.
  // StartsAlone: no token goes on with it, and no other character equals it without case.
  // SkipStop: it needs the rules or may enter a child. CanSkip: the quiet tokens look alike, no
  // child is entered after a delimiter, and only identifiers go on with stop characters.
  std::array<bool, 256> RunContinues{}, StartsAlone{}, SkipStop{};
  bool CanSkip = false;
  // Some stop character may go on an identifier, so the skip has to follow identifiers.
  bool StopsInIdentifiers = false;
};

// The persistent properties of a block.
struct TSyntaxBlockProps {
  TSyntaxBlockProps();
  bool operator==(const TSyntaxBlockProps&) const = default;

  std::string Name;
  int ID = -1;
  int ParentID = -1;
  bool CaseSensitive = false;
  bool UseMetaSymbol = false;
  bool UseMetaToWrapLines = true;
  char MetaSymbol = '\0';
  int FIText = -1;
  int FIIntNum = -1;
  int FIFloatNum = -1;
  int FIHexNum = -1;
  int FIDirective = -1;
  int FISymbol = -1;
  int FIIdentifier = -1;
  bool UseSymbols = false;
  bool UseLineDirectives = false;
  bool UseComments = false;
  bool UseSingleLineComments = false;
  bool UseMultiLineComments = false;
  bool UseFullLineComments = false;
  bool UseStrings = false;
  bool UseSingleLineStrings = false;
  bool UseMultiLineStrings = false;
  bool UseNumbers = false;
  bool UsePrefixedNumbers = false;
  bool UseSuffixedNumbers = false;
  bool UseMultipleNumSuffixes = false;
  bool UsePrefixedSuffixedNumbers = false;
  bool UsePSNumComposition = false;
  bool UseIdentifiers = false;
  bool UsePrefixedIdentifiers = false;
  bool UseSuffixedIdentifiers = false;
  bool UsePrefixedSuffixedIdentifiers = false;
  bool UseKeywords = false;
  TDelimitersList BlockDelimiters;
  std::string LineDirectivePrefix;
  TLineTokenList SingleLineCommentDelimiters;
  TBlockTokenList MultiLineCommentDelimiters;
  TLineTokenList FullLineCommentDelimiters;
  TBlockTokenList SingleLineStringDelimiters;
  TBlockTokenList MultiLineStringDelimiters;
  TLineTokenList NumPrefixes;
  TLineTokenList NumSuffixes;
  TBlockTokenList NumPrefixesSuffixes;
  TLineTokenList IdentPrefixes;
  TLineTokenList IdentSuffixes;
  TBlockTokenList IdentPrefixesSuffixes;
  TKeywordSetList KeywordSets;
  TCharSet FirstIdentChars;
  TCharSet OtherIdentChars;

  static TCharSet DefaultFirstIdentChars();
  static TCharSet DefaultOtherIdentChars();
};

class TSyntaxBlock : public TSyntaxBlockProps {
 public:
  TPreparedBlock Prepared;

  // Copies every persistent property and list (not the prepared tables).
  void Assign(const TSyntaxBlock& source) { static_cast<TSyntaxBlockProps&>(*this) = source; }
  bool SameSettings(const TSyntaxBlock& other) const {
    return static_cast<const TSyntaxBlockProps&>(*this) == other;
  }
};

}  // namespace quorel
