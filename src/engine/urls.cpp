// Recognising addresses, and the fast scan of a line for them.
#include "engine/urls.h"

#include <array>

namespace quorel {

namespace {

enum : unsigned char { kOther = 0, kRun = 1, kIdentifier = 3 };  // identifier implies run

constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] = kIdentifier;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] = kIdentifier;
  for (int c = '0'; c <= '9'; ++c) classes[c] = kIdentifier;
  classes['_'] = kIdentifier;
  for (char c : {'-', '.', '/', ':', '=', '?', '@', '~'})
    classes[static_cast<unsigned char>(c)] = kRun;
  return classes;
}

constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

bool IsIdentifier(char c) { return kClasses[static_cast<unsigned char>(c)] == kIdentifier; }
bool IsRun(char c) { return kClasses[static_cast<unsigned char>(c)] != kOther; }

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = s[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c != prefix[i]) return false;
  }
  return true;
}

// Only these letters can begin an address, and "@" can make one anywhere: most runs are ruled
// out without a look at their text.
bool CouldBeUrl(std::string_view run) {
  switch (run[0] | 0x20) {
    case 'w':
    case 'h':
    case 'g':
    case 'f':
    case 'm':
      return true;
    default:
      return run.find('@') != std::string_view::npos;
  }
}

}  // namespace

bool IsWebUrl(std::string_view s) {
  return StartsWithNoCase(s, "WWW.") || StartsWithNoCase(s, "HTTP://") ||
         StartsWithNoCase(s, "GOPHER://") || StartsWithNoCase(s, "FTP://");
}

bool IsMailAddress(std::string_view s) {
  if (StartsWithNoCase(s, "MAILTO:")) return true;
  size_t at = s.find('@');
  if (at == std::string_view::npos || s.find('@', at + 1) != std::string_view::npos) return false;
  size_t dot = s.rfind('.');
  if (dot == std::string_view::npos || dot < at) return false;
  return at + 1 < s.size() && IsIdentifier(s[at + 1]);
}

bool IsUrl(std::string_view s) { return IsWebUrl(s) || IsMailAddress(s); }

std::vector<std::pair<size_t, size_t>> FindUrls(std::string_view text) {
  std::vector<std::pair<size_t, size_t>> found;
  const size_t n = text.size();
  for (size_t p = 0; p < n;) {
    while (p < n && !IsIdentifier(text[p])) ++p;
    if (p >= n) break;
    size_t e = p + 1;
    while (e < n && IsRun(text[e])) ++e;
    std::string_view run = text.substr(p, e - p);
    if (CouldBeUrl(run) && IsUrl(run)) found.emplace_back(p, e);
    p = e;
  }
  return found;
}

}  // namespace quorel
