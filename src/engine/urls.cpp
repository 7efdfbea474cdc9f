// Recognising addresses, and the fast scan of a line for them.
#include "engine/urls.h"

#include <array>

namespace quorel {

namespace {

// Class bits of a byte. Every address holds a "." ("www."), a ":" ("http://", "mailto:") or an
// "@", so the scan only looks closer at the runs that hold one of those.
enum : unsigned char { kIdentifier = 1, kRun = 2, kMark = 4 };

constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] = kIdentifier | kRun;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] = kIdentifier | kRun;
  for (int c = '0'; c <= '9'; ++c) classes[c] = kIdentifier | kRun;
  classes['_'] = kIdentifier | kRun;
  for (char c : {'-', '.', '/', ':', '=', '?', '@', '~'})
    classes[static_cast<unsigned char>(c)] = kRun;
  for (char c : {'.', ':', '@'}) classes[static_cast<unsigned char>(c)] |= kMark;
  return classes;
}

constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

unsigned char ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }
bool IsIdentifier(char c) { return ClassOf(c) & kIdentifier; }
bool IsRun(char c) { return ClassOf(c) & kRun; }

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
// out without a closer look at their text. `run` begins with an identifier character.
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
  // Scanning from the left, each stretch of run characters gives one candidate: from its first
  // identifier character to its end. So it is enough to find the stretches around a "." ":" or
  // "@": the bytes in between are passed with one table look-up each.
  std::vector<std::pair<size_t, size_t>> found;
  const char* const data = text.data();
  const size_t n = text.size();
  size_t p = 0;
  while (true) {
    while (p < n && !(ClassOf(data[p]) & kMark)) ++p;
    if (p >= n) break;
    // The stretch around it; it cannot reach back into the previous one, which ended at a byte
    // that is no run character.
    size_t from = p;
    while (from > 0 && IsRun(data[from - 1])) --from;
    size_t to = p + 1;
    while (to < n && IsRun(data[to])) ++to;
    while (from < to && !IsIdentifier(data[from])) ++from;
    if (from < to) {
      std::string_view run(data + from, to - from);
      if (CouldBeUrl(run) && IsUrl(run)) found.emplace_back(from, to);
    }
    p = to;
  }
  return found;
}

}  // namespace quorel
