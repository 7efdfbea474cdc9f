// The items of a syntax block's rule lists: delimiters, tokens and keyword sets.
#pragma once

#include <string>
#include <vector>

namespace quorel {

struct TToken {
  int FontID = -1;  // -1 falls back to the block's FIText
  bool UseToken = true;
  bool operator==(const TToken&) const = default;
};

struct TLineToken : TToken {
  std::string LeftDelimiter;
  bool operator==(const TLineToken&) const = default;
};

struct TBlockToken : TLineToken {
  std::string RightDelimiter;
  bool operator==(const TBlockToken&) const = default;
};

struct TKeywordSet : TToken {
  std::string Name;
  std::string Keywords;  // comma text
  bool operator==(const TKeywordSet&) const = default;
};

// A pair of delimiters that opens and closes a block inside its parent.
struct TDelimiters {
  std::string LeftDelimiter;
  std::string RightDelimiter;
  bool DelimitersArePartOfBlock = false;
  bool UseToken = true;
  bool operator==(const TDelimiters&) const = default;
};

using TLineTokenList = std::vector<TLineToken>;
using TBlockTokenList = std::vector<TBlockToken>;
using TKeywordSetList = std::vector<TKeywordSet>;
using TDelimitersList = std::vector<TDelimiters>;

}  // namespace quorel
