// Keyword lists: the keywords of one keyword set as a text file, one keyword per line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/filesystem.h"
#include "platform/services.h"
#include "syntax/tokenitems.h"

namespace quorel {

// The items of a comma text sorted without regard to case, each once: of two that differ only in
// case the first one met stays. Empty items are dropped, since no text can match them.
std::vector<std::string> SortedKeywords(std::string_view commaText);

// The keywords a list file's text holds, as comma text: lines, commas and blanks all separate
// keywords, and a keyword in double quotes may hold them.
std::string KeywordsFromListText(std::string_view text);
// One keyword per line, each line ended by CR LF; one that holds a blank, comma or double quote
// is written in double quotes.
std::string KeywordListText(const std::vector<std::string>& keywords);

// Sets the set's keywords from a list file. Throws EVrelError "Cannot open file <name>" when it
// cannot be read; the set is then unchanged.
void LoadKeywordList(const std::string& fileName, TKeywordSet& set,
                     platform::IFileSystem& files = *platform::DefaultServices().Files);
// Writes the set's keywords sorted. Throws EVrelError "Cannot create file <name>" on failure,
// and then the old file is as it was.
void SaveKeywordList(const std::string& fileName, const TKeywordSet& set,
                     platform::IFileSystem& files = *platform::DefaultServices().Files);

}  // namespace quorel
