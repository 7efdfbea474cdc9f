// Finding the version block in a program file: the file is read in pieces and searched for the
// mark; a mark not followed by a well-formed block (such as the mark this reader itself holds)
// is passed over.
#include "prefs/versionstrings.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>

namespace quorel {

namespace {

constexpr std::string_view kMark(kVersionMark, sizeof(kVersionMark) - 1);
constexpr size_t kMaxKey = 32;

enum class TParse { Complete, Incomplete, Invalid };

bool IsKey(std::string_view key) {
  return std::any_of(kVersionKeys.begin(), kVersionKeys.end(),
                     [&](const char* k) { return key == k; });
}

// Parses the entries after a mark; Incomplete when `text` ends before the block could.
TParse ParseBlock(std::string_view text, std::map<std::string, std::string>& values) {
  values.clear();
  // A block longer than the longest allowed is no block, however it goes on.
  const bool cut = text.size() > kMaxVersionBlock;
  if (cut) text = text.substr(0, kMaxVersionBlock);
  const TParse unfinished = cut ? TParse::Invalid : TParse::Incomplete;
  size_t i = 0;
  while (true) {
    if (i >= text.size()) return unfinished;
    if (text[i] == '\x03') return TParse::Complete;
    size_t keyEnd = text.find('\x02', i);
    if (keyEnd == std::string_view::npos)
      return text.size() - i > kMaxKey ? TParse::Invalid : unfinished;
    std::string_view key = text.substr(i, keyEnd - i);
    if (!IsKey(key)) return TParse::Invalid;
    size_t valueEnd = keyEnd + 1;
    while (valueEnd < text.size() && static_cast<unsigned char>(text[valueEnd]) >= 0x20) ++valueEnd;
    if (valueEnd >= text.size()) return unfinished;
    if (text[valueEnd] != '\x01') return TParse::Invalid;
    values[std::string(key)] = std::string(text.substr(keyEnd + 1, valueEnd - keyEnd - 1));
    i = valueEnd + 1;
  }
}

// Looks for a whole block in `window`. What cannot hold the start of one any more is dropped
// from the window's front, so the window stays small however large the file.
bool ScanWindow(std::string& window, bool atEnd, std::map<std::string, std::string>& values) {
  size_t from = 0;
  while (true) {
    size_t mark = window.find(kMark, from);
    if (mark == std::string::npos) {
      size_t keep = std::min(window.size(), kMark.size() - 1);
      window.erase(0, window.size() - keep);
      return false;
    }
    TParse parsed = ParseBlock(std::string_view(window).substr(mark + kMark.size()), values);
    if (parsed == TParse::Complete) return true;
    if (parsed == TParse::Incomplete && !atEnd) {
      window.erase(0, mark);
      return false;
    }
    from = mark + 1;
  }
}

}  // namespace

std::string VersionStamp(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string block(kMark);
  for (const auto& [key, value] : entries) block += key + '\x02' + value + '\x01';
  return block + '\x03';
}

std::vector<std::string> FileVersionStrings(platform::IFileSystem& files, const std::string& file,
                                            size_t limit) {
  std::map<std::string, std::string> values;
  bool found = false;
  try {
    std::string window;
    size_t read = 0;
    files.ReadFileChunks(file, [&](std::string_view chunk) {
      chunk = chunk.substr(0, limit - read);
      read += chunk.size();
      window.append(chunk);
      found = ScanWindow(window, false, values);
      return !found && read < limit;
    });
    if (!found) found = ScanWindow(window, true, values);
  } catch (const std::exception&) {
    found = false;
  }
  if (!found || values.empty()) return {"Error"};
  std::vector<std::string> strings;
  for (const char* key : kVersionKeys)
    if (auto it = values.find(key); it != values.end()) strings.push_back(it->second);
  return strings;
}

}  // namespace quorel
