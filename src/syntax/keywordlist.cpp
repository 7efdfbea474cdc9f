// Keyword list files.
#include "syntax/keywordlist.h"

#include <algorithm>
#include <unordered_set>

#include "engine/casemap.h"
#include "engine/vrelerror.h"
#include "platform/fileerror.h"
#include "platform/filesystem.h"
#include "platform/safewrite.h"
#include "syntax/commatext.h"
#include "syntax/schemefile.h"

namespace quorel {

std::vector<std::string> SortedKeywords(std::string_view commaText) {
  struct TEntry {
    std::string Key, Word;
  };
  std::vector<TEntry> entries;
  std::unordered_set<std::string> seen;
  for (std::string& word : SplitCommaText(commaText)) {
    if (word.empty()) continue;
    std::string key = LowerCase(word);
    if (!seen.insert(key).second) continue;
    entries.push_back({std::move(key), std::move(word)});
  }
  std::sort(entries.begin(), entries.end(),
            [](const TEntry& a, const TEntry& b) { return a.Key < b.Key; });
  std::vector<std::string> words;
  words.reserve(entries.size());
  for (TEntry& e : entries) words.push_back(std::move(e.Word));
  return words;
}

std::string KeywordsFromListText(std::string_view text) {
  return JoinCommaText(SortedKeywords(text));
}

std::string KeywordListText(const std::vector<std::string>& keywords) {
  std::string out;
  for (const std::string& k : keywords) {
    // A keyword holding a blank, comma or double quote is written quoted, so that it loads back
    // as one keyword.
    out += JoinCommaText({k});
    out += "\r\n";
  }
  return out;
}

void LoadKeywordList(const std::string& fileName, TKeywordSet& set, platform::IFileSystem& files) {
  std::string text = ReadSchemeFileText(fileName, files);
  set.Keywords = KeywordsFromListText(text);
}

void SaveKeywordList(const std::string& fileName, const TKeywordSet& set,
                     platform::IFileSystem& files) {
  try {
    platform::SafeWriteFile(files, fileName, KeywordListText(SortedKeywords(set.Keywords)));
  } catch (const platform::EFileError&) {
    throw EVrelError("Cannot create file " + fileName);
  }
}

}  // namespace quorel
