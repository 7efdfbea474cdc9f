// TLineSearch: plain text and pattern search over lines, with the whole-word rule.
#include "search/linesearch.h"

#include <array>
#include <optional>

#include "engine/casemap.h"
#include "engine/utf8.h"
#include "search/utf8text.h"

namespace quorel {

namespace {

const std::array<char, 256>& UpperTable() {
  static const std::array<char, 256> table = [] {
    std::array<char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = UpperChar(static_cast<char>(c));
    return t;
  }();
  return table;
}

constexpr int kWholeLine = 1 << 30;

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::string SearchTextInEncoding(std::string_view utf8, TEncoding encoding) {
  if (encoding == enUtf8) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp;
    i += static_cast<size_t>(DecodeUtf8(utf8, i, cp));
    const std::optional<unsigned char> byte = UnicodeToCp1252(cp);
    out.push_back(byte ? static_cast<char>(*byte) : '\0');
  }
  return out;
}

TLineSearch::TLineSearch(const std::string& text, bool caseSensitive, bool wholeWords,
                         bool regularExpr, const std::bitset<256>& delimiters, TEncoding encoding)
    : text_(text),
      caseSensitive_(caseSensitive),
      wholeWords_(wholeWords),
      utf8_(encoding == enUtf8),
      delimiters_(delimiters) {
  if (utf8_)
    for (int c = 0x80; c < 256; ++c) delimiters_.reset(c);
  if (regularExpr) {
    regExpr_ = std::make_unique<TRegExpr>(text, caseSensitive, encoding);
  } else {
    findsNothing_ = text_.find('\0') != std::string::npos;
    if (!caseSensitive && utf8_) {
      text_ = FoldUtf8(text_);
    } else if (!caseSensitive) {
      const auto& up = UpperTable();
      for (char& c : text_) c = up[static_cast<unsigned char>(c)];
    }
  }
}

bool TLineSearch::Run(ISearchLines& lines, int line, int column, bool forward, TSearchHit& hit) {
  const int count = lines.Count();
  if (count == 0 || text_.empty() || findsNothing_) return false;
  int start = 0, length = 0;
  if (forward) {
    for (int y = std::max(line, 0); y < count; ++y, column = 1) {
      std::string_view s = Trimmed(lines.Line(y));
      const int n = static_cast<int>(s.size());
      if (n < column && !(n == 0 && column == 1 && regExpr_)) continue;
      if (SearchLine(s, column, true, start, length)) {
        hit = {y, start, length};
        return true;
      }
    }
  } else {
    for (int y = std::min(line, count - 1); y >= 0; --y, column = kWholeLine) {
      std::string_view s = Trimmed(lines.Line(y));
      const int n = static_cast<int>(s.size());
      column = std::min(column, n);
      if (n == 0 && !(regExpr_ && column == 0)) continue;
      if (SearchLine(s, column, false, start, length)) {
        hit = {y, start, length};
        return true;
      }
    }
  }
  return false;
}

bool TLineSearch::SearchLine(std::string_view s, int column, bool forward, int& start,
                             int& length) {
  if (!regExpr_ && !caseSensitive_) {
    if (utf8_) {
      FoldUtf8Into(s, upper_);
    } else {
      const auto& up = UpperTable();
      upper_.resize(s.size());
      for (size_t i = 0; i < s.size(); ++i) upper_[i] = up[static_cast<unsigned char>(s[i])];
    }
    s = upper_;
  }
  const int n = static_cast<int>(s.size());
  for (;;) {
    if (!FindOnce(s, column, forward, start, length)) return false;
    if (!wholeWords_ || IsWholeWord(s, start, length)) return true;
    // Not a whole word: go on past the word the match starts in.
    int next;
    if (forward) {
      int end = start;
      while (end < n && !delimiters_[static_cast<unsigned char>(s[end])]) ++end;
      next = std::max(end + 1, column + 1);
      if (next > n) return false;
    } else {
      int begin = start;
      while (begin > 0 && !delimiters_[static_cast<unsigned char>(s[begin - 1])]) --begin;
      next = begin;
      if (next >= column) return false;
    }
    column = next;
  }
}

// `start` comes back 0-based.
bool TLineSearch::FindOnce(std::string_view s, int column, bool forward, int& start, int& length) {
  if (regExpr_) {
    int at = column;
    if (!regExpr_->Find(s, at, forward, length)) return false;
    start = at - 1;
    return true;
  }
  size_t at;
  if (forward) {
    at = s.find(text_, static_cast<size_t>(column - 1));
    while (at != std::string_view::npos && !OnCharBounds(s, at)) at = s.find(text_, at + 1);
  } else {
    if (column < 1) return false;
    at = s.rfind(text_, static_cast<size_t>(column - 1));
    while (at != std::string_view::npos && at > 0 && !OnCharBounds(s, at))
      at = s.rfind(text_, at - 1);
    if (at != std::string_view::npos && !OnCharBounds(s, at)) at = std::string_view::npos;
  }
  if (at == std::string_view::npos) return false;
  start = static_cast<int>(at);
  length = static_cast<int>(text_.size());
  return true;
}

// Text from the dialogs is whole characters, but text taken from a document may hold stray
// bytes that would otherwise match a piece of a character.
bool TLineSearch::OnCharBounds(std::string_view s, size_t start) const {
  if (!utf8_) return true;
  const size_t end = start + text_.size();
  return IsUtf8CharStart(s, start) && (end >= s.size() || IsUtf8CharStart(s, end));
}

// The match must cover exactly one maximal run of non-delimiter characters.
bool TLineSearch::IsWholeWord(std::string_view s, int start, int length) const {
  auto delimiter = [&](int i) { return delimiters_[static_cast<unsigned char>(s[i])]; };
  const int n = static_cast<int>(s.size());
  if (length <= 0) return false;
  if (start > 0 && !delimiter(start - 1)) return false;
  if (start + length < n && !delimiter(start + length)) return false;
  for (int i = start; i < start + length; ++i)
    if (delimiter(i)) return false;
  return true;
}

}  // namespace quorel
