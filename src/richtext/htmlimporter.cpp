// The HTML reader: text, tags and comments in one pass; the tags it knows open formatting
// records or make line breaks, and closing a tag removes the record it opened.
#include "richtext/htmlimporter.h"

#include <iterator>
#include <string>
#include <vector>

#include "engine/encoding.h"
#include "engine/utf8.h"
#include "richtext/rtfimporter.h"

namespace quorel {

namespace {

// The tags the reader knows; a tag's number is the key of the records it opens.
enum TTag {
  tgBr,
  tgP,
  tgB,
  tgStrong,
  tgI,
  tgEm,
  tgU,
  tgS,
  tgFont,
  tgBig,
  tgSmall,
  tgA,
  tgHead,
  tgBody,
  tgTitle,
  tgOther
};
constexpr std::string_view kTagNames[] = {"BR",    "P", "B",    "STRONG", "I",
                                          "EM",    "U", "S",    "font",   "BIG",
                                          "SMALL", "A", "Head", "Body",   "Title"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

TTag TagNamed(std::string_view name) {
  for (size_t i = 0; i < std::size(kTagNames); ++i)
    if (SameText(name, kTagNames[i])) return static_cast<TTag>(i);
  return tgOther;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  c = Lower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string_view Trimmed(std::string_view v) {
  while (!v.empty() && IsSpace(v.front())) v.remove_prefix(1);
  while (!v.empty() && IsSpace(v.back())) v.remove_suffix(1);
  return v;
}

// A value with the blanks and the quotes around it taken off.
std::string_view Unquoted(std::string_view v) {
  v = Trimmed(v);
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front())
    v = Trimmed(v.substr(1, v.size() - 2));
  return v;
}

// The first font of a face list such as "'Courier New', monospace".
std::string_view FirstFace(std::string_view v) {
  v = Unquoted(v);
  return Unquoted(v.substr(0, v.find(',')));
}

// Points for an HTML font size.
int PointsOf(int htmlSize) {
  switch (htmlSize) {
    case 1:
      return 8;
    case 2:
      return 10;
    case 3:
      return 12;
    case 4:
      return 14;
    case 5:
      return 18;
    case 6:
      return 24;
    case 7:
      return 36;
    default:
      return 48;
  }
}

// SIZE="n", or "+n" and "-n" counted from the usual size 3; 0 for a size that does not read.
int SizeValue(std::string_view v) {
  v = Unquoted(v);
  int sign = 0;
  if (!v.empty() && (v[0] == '+' || v[0] == '-')) {
    sign = v[0] == '+' ? 1 : -1;
    v.remove_prefix(1);
  }
  int n = 0;
  size_t digits = 0;
  for (; digits < v.size() && IsDigit(v[digits]); ++digits) {
    if (digits == 6) return 0;
    n = n * 10 + (v[digits] - '0');
  }
  if (digits == 0) return 0;
  if (sign == 0) return n;
  n = 3 + sign * n;
  return n < 1 ? 1 : n > 7 ? 7 : n;
}

// "#RRGGBB" (the "#" may be missing) as R + 256 G + 65536 B; a pair that does not read is 0.
int ColourValue(std::string_view v) {
  v = Unquoted(v);
  if (!v.empty() && v[0] == '#') v.remove_prefix(1);
  // Hex digits are ASCII: the value ends before any other byte, which takes one byte or more
  // depending on the page's encoding and would shift the pairs after it.
  for (size_t i = 0; i < v.size(); ++i)
    if (static_cast<unsigned char>(v[i]) >= 0x80) v = v.substr(0, i);
  int rgb = 0;
  for (size_t part = 0; part < 3; ++part) {
    const size_t at = 2 * part;
    if (at + 1 >= v.size()) break;
    const int high = HexValue(v[at]), low = HexValue(v[at + 1]);
    if (high >= 0 && low >= 0) rgb += (high * 16 + low) << (8 * part);
  }
  return rgb;
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  size_t at = s.find(from);
  if (at == std::string::npos) return;
  std::string out;
  out.reserve(s.size());
  size_t done = 0;
  for (; at != std::string::npos; at = s.find(from, done)) {
    out.append(s, done, at - done).append(to);
    done = at + from.size();
  }
  out.append(s, done);
  s = std::move(out);
}

struct TAttribute {
  std::string_view Name;
  std::string_view Value;
};

// One import: the state of the reader while it walks the page.
class THtmlReading {
 public:
  THtmlReading(TVrelImporter& importer, std::string_view page) : importer_(importer), d_(page) {}

  void Run() {
    while (p_ < d_.size()) {
      const char c = d_[p_];
      if (c == '<') {
        if (d_.compare(p_, 4, "<!--") == 0) {
          const size_t end = d_.find("-->", p_ + 4);
          p_ = end == std::string_view::npos ? d_.size() : end + 3;
        } else {
          ++p_;
          Tag();
        }
        pendingBlank_ = false;
      } else if (c == '\r' || c == '\n') {
        ++p_;
        if (c == '\r' && p_ < d_.size() && d_[p_] == '\n') ++p_;
        pendingBlank_ = true;  // the line break of the source is a blank between its words
      } else if (c == '>') {
        ++p_;
        Text(">");
      } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
        ++p_;
      } else {
        const size_t start = p_;
        while (p_ < d_.size() && InText(d_[p_])) ++p_;
        Text(d_.substr(start, p_ - start));
      }
    }
  }

 private:
  // A tab is a blank of the text; other control characters are no text.
  static bool InText(char c) {
    return (static_cast<unsigned char>(c) >= 0x20 || c == '\t') && c != '<' && c != '>';
  }

  void Emit(TImportPieceKind kind, std::string_view text) {
    if (importer_.OnPiece) importer_.OnPiece(kind, text, stack_.Effective());
  }

  void Text(std::string_view run) {
    std::string s(run);
    for (char& c : s)
      if (c == '\t') c = ' ';
    if (pendingBlank_) s.erase(0, s.find_first_not_of(' '));
    // In this order, each over the whole text: "&amp;lt;" is the text "&lt;".
    ReplaceAll(s, "&nbsp;", " ");
    ReplaceAll(s, "&lt;", "<");
    ReplaceAll(s, "&gt;", ">");
    ReplaceAll(s, "&amp;", "&");
    ReplaceAll(s, "&quot;", "\"");
    if (pendingBlank_) s.insert(0, 1, ' ');
    pendingBlank_ = false;
    if (!s.empty()) Emit(ipText, s);
  }

  void SkipSpace() {
    while (p_ < d_.size() && IsSpace(d_[p_])) ++p_;
  }

  // A quoted value (to its closing quote, or the end of the page) or a bare word.
  std::string_view Word() {
    const size_t start = p_;
    if (IsQuote(d_[p_])) {
      size_t end = d_.find(d_[p_], p_ + 1);
      if (end == std::string_view::npos) end = d_.size();
      p_ = end < d_.size() ? end + 1 : end;
      return d_.substr(start + 1, end - start - 1);
    }
    while (p_ < d_.size() && !IsSpace(d_[p_]) && d_[p_] != '>' && d_[p_] != '=' &&
           !IsQuote(d_[p_]) && d_.compare(p_, 2, "/>") != 0)
      ++p_;
    return d_.substr(start, p_ - start);
  }

  // Names and values up to the ">" that ends the tag.
  void ReadAttributes() {
    attributes_.clear();
    for (;;) {
      SkipSpace();
      if (p_ >= d_.size()) return;
      const char c = d_[p_];
      if (c == '>') {
        ++p_;
        return;
      }
      if (c == '/' || c == '=') {
        ++p_;
        continue;
      }
      TAttribute a;
      a.Name = Word();
      SkipSpace();
      if (p_ < d_.size() && d_[p_] == '=') {
        ++p_;
        SkipSpace();
        if (p_ < d_.size() && d_[p_] != '>') a.Value = Word();
      }
      attributes_.push_back(a);
    }
  }

  void Tag() {
    SkipSpace();
    const bool closing = p_ < d_.size() && d_[p_] == '/';
    if (closing) {
      ++p_;
      SkipSpace();
    }
    const size_t start = p_;
    while (p_ < d_.size() && !IsSpace(d_[p_]) && d_[p_] != '>' && d_[p_] != '/' && d_[p_] != '=' &&
           !IsQuote(d_[p_]))
      ++p_;
    const TTag tag = TagNamed(d_.substr(start, p_ - start));
    ReadAttributes();
    if (closing)
      Close(tag);
    else
      Open(tag);
  }

  TImportRecord& Push(TTag tag) {
    stack_.Push(tag);
    return stack_.Top();
  }
  void PushStyle(TTag tag, TFontStyle style) {
    TImportRecord& r = Push(tag);
    r.StyleGiven = true;
    r.AddStyles.Include(style);
  }

  void Open(TTag tag) {
    switch (tag) {
      case tgBr:
        Push(tag);
        Emit(ipLineBreak, {});
        break;
      case tgP:
        Push(tag);
        Emit(ipLineBreak, {});
        Emit(ipLineBreak, {});
        break;
      case tgB:
      case tgStrong:
        PushStyle(tag, fsBold);
        break;
      case tgI:
      case tgEm:
        PushStyle(tag, fsItalic);
        break;
      case tgU:
        PushStyle(tag, fsUnderline);
        break;
      case tgS:
        PushStyle(tag, fsStrikeOut);
        break;
      case tgFont: {
        TImportRecord& r = Push(tag);
        for (const TAttribute& a : attributes_) {
          if (SameText(a.Name, "face")) r.FontName = std::string(FirstFace(a.Value));
          if (SameText(a.Name, "size")) r.Size = PointsOf(SizeValue(a.Value));
          if (SameText(a.Name, "color")) r.Color = ColourValue(a.Value);
        }
        break;
      }
      case tgBig: {
        ++level_;
        TImportRecord& r = Push(tag);
        r.LevelStep = 1;
        r.Size = PointsOf(level_);
        break;
      }
      case tgSmall: {
        const int step = level_ > 1 ? -1 : 0;
        level_ += step;
        TImportRecord& r = Push(tag);
        r.LevelStep = step;
        r.Size = PointsOf(level_);
        break;
      }
      case tgA: {
        TImportRecord& r = Push(tag);
        r.StyleGiven = true;
        r.AddStyles.Include(fsUnderline);
        r.Color = link_;
        break;
      }
      case tgHead:
        SkipTo("</head");
        break;
      case tgTitle:  // a title after the head, as some pages have it, is not text either
        SkipTo("</title");
        break;
      case tgBody:
        for (const TAttribute& a : attributes_)
          if (SameText(a.Name, "link")) link_ = ColourValue(a.Value);
        break;
      default:
        break;
    }
  }

  void Close(TTag tag) {
    switch (tag) {
      case tgBr:
      case tgP:
      case tgB:
      case tgStrong:
      case tgI:
      case tgEm:
      case tgU:
      case tgS:
      case tgFont:
      case tgA:
        stack_.RemoveInnermost(tag);
        break;
      case tgBig:
      case tgSmall:
        // A closing tag with nothing to close leaves the size level alone.
        if (auto r = stack_.RemoveInnermost(tag)) level_ -= r->LevelStep;
        break;
      default:
        break;
    }
  }

  // Goes on at the first `closing` (any case), or at the end when there is none.
  void SkipTo(std::string_view closing) {
    for (size_t i = p_; i + closing.size() <= d_.size(); ++i) {
      if (SameText(d_.substr(i, closing.size()), closing)) {
        p_ = i;
        return;
      }
    }
    p_ = d_.size();
  }

  TVrelImporter& importer_;
  std::string_view d_;
  size_t p_ = 0;
  bool pendingBlank_ = false;
  int level_ = 1;        // BIG and SMALL step it through the size table
  int link_ = 0xFF0000;  // blue, unless the body gives its link colour
  TImportAttributeStack stack_;
  std::vector<TAttribute> attributes_;
};

}  // namespace

void TVrelHTMLImporter::Import(std::string_view data) {
  std::string_view page = data;
  if (page.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
    page.remove_prefix(kUtf8ByteOrderMark.size());
  // A page that is not UTF-8 is taken for Windows-1252.
  std::string converted;
  if (Utf8 && !IsValidUtf8(page)) {
    converted = Cp1252ToUtf8(page);
    page = converted;
  }
  THtmlReading reading(*this, page);
  reading.Run();
}

}  // namespace quorel
