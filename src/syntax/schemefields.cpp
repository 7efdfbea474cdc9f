// The table of a block's persistent properties.
#include "syntax/schemefields.h"

namespace quorel::schemefile {

namespace {

using P = TSyntaxBlockProps;

TBlockField B(const char* name, bool P::*m, bool P::*flag = nullptr, bool always = false) {
  TBlockField f{name};
  f.Bool = m;
  f.Flag = flag;
  f.Always = always;
  return f;
}
TBlockField I(const char* name, int P::*m) {
  TBlockField f{name};
  f.Int = m;
  return f;
}
TBlockField S(const char* name, std::string P::*m, bool P::*flag = nullptr) {
  TBlockField f{name};
  f.String = m;
  f.Flag = flag;
  return f;
}
TBlockField L(const char* name, TLineTokenList P::*m, bool P::*flag) {
  TBlockField f{name};
  f.LineTokens = m;
  f.Flag = flag;
  f.Always = true;
  return f;
}
TBlockField T(const char* name, TBlockTokenList P::*m, bool P::*flag) {
  TBlockField f{name};
  f.BlockTokens = m;
  f.Flag = flag;
  f.Always = true;
  return f;
}

}  // namespace

std::span<const TBlockField> BlockFields() {
  static const TBlockField fields[] = {
      S("Name", &P::Name),
      I("ID", &P::ID),
      I("ParentID", &P::ParentID),
      B("CaseSensitive", &P::CaseSensitive),
      B("UseMetaSymbol", &P::UseMetaSymbol),
      B("UseMetaToWrapLines", &P::UseMetaToWrapLines, &P::UseMetaSymbol, true),
      [] {
        TBlockField f{"MetaSymbol"};
        f.Char = &P::MetaSymbol;
        f.Flag = &P::UseMetaSymbol;
        f.Always = true;
        return f;
      }(),
      I("FIText", &P::FIText),
      I("FIIntNum", &P::FIIntNum),
      I("FIFloatNum", &P::FIFloatNum),
      I("FIHexNum", &P::FIHexNum),
      I("FIDirective", &P::FIDirective),
      I("FISymbol", &P::FISymbol),
      I("FIIdentifier", &P::FIIdentifier),
      B("UseSymbols", &P::UseSymbols),
      B("UseLineDirectives", &P::UseLineDirectives),
      B("UseComments", &P::UseComments),
      B("UseSingleLineComments", &P::UseSingleLineComments),
      B("UseMultiLineComments", &P::UseMultiLineComments),
      B("UseFullLineComments", &P::UseFullLineComments),
      B("UseStrings", &P::UseStrings),
      B("UseSingleLineStrings", &P::UseSingleLineStrings),
      B("UseMultiLineStrings", &P::UseMultiLineStrings),
      B("UseNumbers", &P::UseNumbers),
      B("UsePrefixedNumbers", &P::UsePrefixedNumbers),
      B("UseSuffixedNumbers", &P::UseSuffixedNumbers),
      B("UseMultipleNumSuffixes", &P::UseMultipleNumSuffixes, &P::UseSuffixedNumbers, true),
      B("UsePrefixedSuffixedNumbers", &P::UsePrefixedSuffixedNumbers),
      B("UsePSNumComposition", &P::UsePSNumComposition, &P::UsePrefixedSuffixedNumbers, true),
      B("UseIdentifiers", &P::UseIdentifiers),
      B("UsePrefixedIdentifiers", &P::UsePrefixedIdentifiers),
      B("UseSuffixedIdentifiers", &P::UseSuffixedIdentifiers),
      B("UsePrefixedSuffixedIdentifiers", &P::UsePrefixedSuffixedIdentifiers),
      B("UseKeywords", &P::UseKeywords),
      [] {
        TBlockField f{"BlockDelimiters"};
        f.Delimiters = &P::BlockDelimiters;
        f.Always = true;
        return f;
      }(),
      S("LineDirectivePrefix", &P::LineDirectivePrefix, &P::UseLineDirectives),
      L("SingleLineCommentDelimiters", &P::SingleLineCommentDelimiters, &P::UseSingleLineComments),
      T("MultiLineCommentDelimiters", &P::MultiLineCommentDelimiters, &P::UseMultiLineComments),
      L("FullLineCommentDelimiters", &P::FullLineCommentDelimiters, &P::UseFullLineComments),
      T("SingleLineStringDelimiters", &P::SingleLineStringDelimiters, &P::UseSingleLineStrings),
      T("MultiLineStringDelimiters", &P::MultiLineStringDelimiters, &P::UseMultiLineStrings),
      L("NumPrefixes", &P::NumPrefixes, &P::UsePrefixedNumbers),
      L("NumSuffixes", &P::NumSuffixes, &P::UseSuffixedNumbers),
      T("NumPrefixesSuffixes", &P::NumPrefixesSuffixes, &P::UsePrefixedSuffixedNumbers),
      L("IdentPrefixes", &P::IdentPrefixes, &P::UsePrefixedIdentifiers),
      L("IdentSuffixes", &P::IdentSuffixes, &P::UseSuffixedIdentifiers),
      T("IdentPrefixesSuffixes", &P::IdentPrefixesSuffixes, &P::UsePrefixedSuffixedIdentifiers),
      [] {
        TBlockField f{"KeywordSets"};
        f.KeywordSets = &P::KeywordSets;
        f.Flag = &P::UseKeywords;
        f.Always = true;
        return f;
      }(),
      [] {
        TBlockField f{"FirstIdentChars"};
        f.Chars = &P::FirstIdentChars;
        return f;
      }(),
      [] {
        TBlockField f{"OtherIdentChars"};
        f.Chars = &P::OtherIdentChars;
        return f;
      }(),
  };
  return fields;
}

}  // namespace quorel::schemefile
