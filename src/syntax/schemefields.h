// The persistent properties of a syntax block in the order scheme files list them, with what
// decides whether each is written; shared by the scheme file reader and writer.
#pragma once

#include <span>

#include "syntax/syntaxblock.h"

namespace quorel::schemefile {

struct TBlockField {
  const char* Name;
  // Exactly one of these points at the property.
  bool TSyntaxBlockProps::*Bool = nullptr;
  int TSyntaxBlockProps::*Int = nullptr;
  std::string TSyntaxBlockProps::*String = nullptr;
  char TSyntaxBlockProps::*Char = nullptr;
  TCharSet TSyntaxBlockProps::*Chars = nullptr;
  TDelimitersList TSyntaxBlockProps::*Delimiters = nullptr;
  TLineTokenList TSyntaxBlockProps::*LineTokens = nullptr;
  TBlockTokenList TSyntaxBlockProps::*BlockTokens = nullptr;
  TKeywordSetList TSyntaxBlockProps::*KeywordSets = nullptr;
  // Written only while this flag is on (none: no flag).
  bool TSyntaxBlockProps::*Flag = nullptr;
  // Written whenever it may be, even at its default.
  bool Always = false;
};

std::span<const TBlockField> BlockFields();

}  // namespace quorel::schemefile
