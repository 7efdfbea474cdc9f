// Expanding a path part by part against the file system.
#include "platform/longpath.h"

#include <algorithm>
#include <filesystem>

namespace quorel::platform {

namespace {

std::string AsciiLower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : char(c); });
  return s;
}

}  // namespace

std::string ExpandLongPath(const std::string& path) {
  namespace fs = std::filesystem;
  constexpr char kSeparator = '/';
  std::string done;
  size_t start = 0;
  while (start < path.size()) {
    size_t sep = path.find(kSeparator, start);
    size_t end = sep == std::string::npos ? path.size() : sep + 1;
    std::string name = path.substr(start, (sep == std::string::npos ? end : sep) - start);
    std::string separator = sep == std::string::npos ? "" : std::string(1, kSeparator);
    start = end;
    std::error_code error;
    if (name.empty() || name == "." || name == ".." || !fs::exists(fs::path(done + name), error)) {
      done += name + separator;
      continue;
    }
    std::string reported = name;
    bool exact = false;
    for (fs::directory_iterator it(done.empty() ? fs::path(".") : fs::path(done), error), last;
         !error && it != last; it.increment(error)) {
      std::string entry = it->path().filename().string();
      if (entry == name) {
        exact = true;
        break;
      }
      if (reported == name && AsciiLower(entry) == AsciiLower(name)) reported = entry;
    }
    done += (exact ? name : reported) + separator;
  }
  return done;
}

}  // namespace quorel::platform
