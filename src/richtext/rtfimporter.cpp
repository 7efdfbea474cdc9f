// The RTF reader: a scanner for RTF's tokens, the font and colour tables, and the groups whose
// formatting applies to the text; also the formatting stack both readers share.
#include "richtext/rtfimporter.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "engine/utf8.h"

namespace quorel {

// ---- The formatting stack ----

void TImportAttributeStack::Clear() {
  records_.clear();
  removed_.clear();
  byKey_.clear();
  tree_.clear();
  leaves_ = 0;
  topChanged_ = false;
  stale_ = true;
  defaultName_ = "Times New Roman";
  defaultCharset_ = DEFAULT_CHARSET;
}

void TImportAttributeStack::SetDefaultFont(const std::string& name, int charset) {
  defaultName_ = name;
  defaultCharset_ = charset;
  stale_ = true;
}

TImportAttributeStack::TLayer TImportAttributeStack::Combine(const TLayer& lower,
                                                             const TLayer& upper) {
  TLayer r;
  r.FontFrom = upper.FontFrom >= 0 ? upper.FontFrom : lower.FontFrom;
  r.Size = upper.Size >= 0 ? upper.Size : lower.Size;
  r.Color = upper.Color >= 0 ? upper.Color : lower.Color;
  // ((s - R1) + A1 - R2) + A2 = (s - (R1 + R2)) + ((A1 - R2) + A2)
  r.Remove = lower.Remove | upper.Remove;
  r.Add = (lower.Add - upper.Remove) | upper.Add;
  r.BackGiven = upper.BackGiven || lower.BackGiven;
  r.Back = upper.BackGiven ? upper.Back : lower.Back;
  return r;
}

TImportAttributeStack::TLayer TImportAttributeStack::LayerOf(const TImportRecord& record,
                                                             int number) {
  TLayer l;
  l.FontFrom = record.FontName.empty() ? -1 : number;
  l.Size = record.Size;
  l.Color = record.Color;
  if (record.StyleGiven) {
    if (record.AddStyles.Empty() && record.RemoveStyles.Empty()) {
      l.Remove = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
    } else {
      l.Remove = record.RemoveStyles;
      l.Add = record.AddStyles - record.RemoveStyles;
    }
  }
  l.BackGiven = record.BackGiven;
  l.Back = record.BackGiven ? record.Back : -1;
  return l;
}

void TImportAttributeStack::SetLeaf(size_t number, const TLayer& layer) {
  size_t n = leaves_ + number;
  if (tree_[n] == layer) return;
  tree_[n] = layer;
  // Up to the root, stopping where a node comes out as it was: nothing above it changes then.
  for (n /= 2; n >= 1; n /= 2) {
    TLayer combined = Combine(tree_[2 * n], tree_[2 * n + 1]);
    if (combined == tree_[n]) break;
    tree_[n] = combined;
  }
  stale_ = true;
}

void TImportAttributeStack::Grow() {
  const size_t leaves = leaves_ == 0 ? 64 : 2 * leaves_;
  std::vector<TLayer> tree(2 * leaves);
  for (size_t i = 0; i < records_.size(); ++i) tree[leaves + i] = tree_[leaves_ + i];
  for (size_t n = leaves - 1; n >= 1; --n) tree[n] = Combine(tree[2 * n], tree[2 * n + 1]);
  tree_ = std::move(tree);
  leaves_ = leaves;
}

// The innermost record may have been changed since it was last looked at.
void TImportAttributeStack::Settle() {
  if (!topChanged_) return;
  topChanged_ = false;
  const size_t n = records_.size() - 1;
  SetLeaf(n, LayerOf(records_[n], static_cast<int>(n)));
}

std::vector<size_t>& TImportAttributeStack::WithKey(int key) {
  const size_t k = static_cast<size_t>(key < -1 ? -1 : key) + 1;
  if (k >= byKey_.size()) byKey_.resize(k + 1);
  return byKey_[k];
}

void TImportAttributeStack::Push(int key) {
  Settle();
  if (records_.size() == leaves_) Grow();
  // A new record sets nothing, so its leaf stays as it is (empty) until it is changed.
  WithKey(key).push_back(records_.size());
  records_.emplace_back().Key = key;
  removed_.push_back(false);
}

void TImportAttributeStack::Pop() {
  Settle();
  if (records_.empty()) return;
  WithKey(records_.back().Key).pop_back();
  SetLeaf(records_.size() - 1, TLayer());
  records_.pop_back();
  removed_.pop_back();
  // Records taken out of the middle are already empty leaves; they go once they are on top.
  while (!records_.empty() && removed_.back()) {
    records_.pop_back();
    removed_.pop_back();
  }
}

std::optional<TImportRecord> TImportAttributeStack::RemoveInnermost(int key) {
  Settle();
  std::vector<size_t>& with = WithKey(key);
  if (with.empty()) return std::nullopt;
  const size_t n = with.back();
  TImportRecord record = std::move(records_[n]);
  if (n + 1 == records_.size()) {
    Pop();
    return record;
  }
  with.pop_back();
  removed_[n] = true;
  records_[n] = TImportRecord();
  SetLeaf(n, TLayer());
  return record;
}

TImportRecord& TImportAttributeStack::Top() {
  topChanged_ = true;
  return records_.back();
}

const TImportAttributes& TImportAttributeStack::Effective() {
  Settle();
  if (!stale_) return effective_;
  stale_ = false;
  const TLayer all = leaves_ > 0 ? tree_[1] : TLayer();
  TImportAttributes& a = effective_;
  if (all.FontFrom >= 0) {
    const TImportRecord& r = records_[static_cast<size_t>(all.FontFrom)];
    a.FontName = r.FontName;
    a.Charset = r.Charset;
  } else {
    a.FontName = defaultName_;
    a.Charset = defaultCharset_;
  }
  a.Size = all.Size >= 0 ? all.Size : 12;
  a.Color = all.Color >= 0 ? static_cast<TColor>(all.Color) : 0;
  a.Style = all.Add;  // the style starts empty
  a.HasBack = all.BackGiven && all.Back >= 0;
  a.Back = a.HasBack ? static_cast<TColor>(all.Back) : 0;
  return a;
}

namespace {

// ---- Tokens ----

enum class TKind {
  End,
  Text,    // plain text, escaped backslashes and braces resolved
  Open,    // {
  Close,   // }
  Word,    // a control word, with its number when one follows
  Symbol,  // a backslash and one other character
  Hex,     // \'hh
  Char     // the character of a \u, its fallback dropped
};

struct TToken {
  TKind Kind = TKind::End;
  std::string_view Name;  // Word: the letters (and asterisks); Symbol: the character, if any
  bool HasNumber = false;
  bool Negative = false;
  bool Readable = false;  // the number fits an int
  int Number = 0;
  std::string Text;
  unsigned char Byte = 0;
  char32_t Code = 0;

  bool Is(std::string_view name) const { return Kind == TKind::Word && Name == name; }
  bool NumberIs(int n) const { return HasNumber && Readable && Number == n; }
  // The number as an index into a table, or -1.
  int Index() const { return HasNumber && Readable && !Negative ? Number : -1; }
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class TScanner {
 public:
  explicit TScanner(std::string_view data) : d_(data) {}

  void Next(TToken& t) {
    t.Text.clear();
    t.HasNumber = t.Negative = t.Readable = false;
    t.Number = 0;
    t.Name = {};
    while (p_ < d_.size()) {
      const char c = d_[p_];
      if (static_cast<unsigned char>(c) < 0x20) {
        ++p_;  // CR and LF are only there to keep lines short; other control bytes are no text
        continue;
      }
      if (c == '{' || c == '}') {
        ++p_;
        t.Kind = c == '{' ? TKind::Open : TKind::Close;
        return;
      }
      if (c == '\\' && !EscapedText()) return Backslash(t);
      return TextRun(t);
    }
    t.Kind = TKind::End;
  }

 private:
  // Whether the backslash at p_ escapes a character of text.
  bool EscapedText() const {
    if (p_ + 1 >= d_.size()) return false;
    const char n = d_[p_ + 1];
    return n == '\\' || n == '{' || n == '}';
  }

  void TextRun(TToken& t) {
    t.Kind = TKind::Text;
    while (p_ < d_.size()) {
      const char c = d_[p_];
      if (c == '\r' || c == '\n') {
        ++p_;
        continue;
      }
      if (static_cast<unsigned char>(c) < 0x20 || c == '{' || c == '}') return;
      if (c == '\\') {
        if (!EscapedText()) return;
        ++p_;
      }
      t.Text += d_[p_++];
    }
  }

  void Backslash(TToken& t) {
    ++p_;
    if (p_ >= d_.size()) {
      t.Kind = TKind::Symbol;
      return;
    }
    const char c = d_[p_];
    if (c == '\'') {
      ++p_;
      if (p_ + 1 < d_.size() && HexValue(d_[p_]) >= 0 && HexValue(d_[p_ + 1]) >= 0) {
        t.Kind = TKind::Hex;
        t.Byte = static_cast<unsigned char>(HexValue(d_[p_]) * 16 + HexValue(d_[p_ + 1]));
        p_ += 2;
      } else {
        t.Kind = TKind::Symbol;  // \' without two hex digits stands for nothing
        t.Name = d_.substr(p_ - 1, 1);
      }
      return;
    }
    if (!IsLetter(c) && c != '*') {
      t.Kind = TKind::Symbol;
      t.Name = d_.substr(p_++, 1);
      return;
    }
    t.Kind = TKind::Word;
    const size_t start = p_;
    while (p_ < d_.size() && (IsLetter(d_[p_]) || d_[p_] == '*')) ++p_;
    t.Name = d_.substr(start, p_ - start);
    if (p_ + 1 < d_.size() && d_[p_] == '-' && IsDigit(d_[p_ + 1])) {
      t.Negative = true;
      ++p_;
    }
    if (p_ < d_.size() && IsDigit(d_[p_])) {
      t.HasNumber = t.Readable = true;
      long long value = 0;
      for (; p_ < d_.size() && IsDigit(d_[p_]); ++p_) {
        value = value * 10 + (d_[p_] - '0');
        if (value > INT_MAX) {
          t.Readable = false;
          value = 0;
        }
      }
      if (t.Readable) t.Number = static_cast<int>(t.Negative ? -value : value);
    }
    if (p_ < d_.size() && d_[p_] == ' ') ++p_;  // the delimiter, not text
    // \binN: N bytes of binary data follow, which may hold braces and backslashes of any kind.
    if (t.Name == "bin" && t.HasNumber && t.Readable && !t.Negative)
      p_ += std::min(static_cast<size_t>(t.Number), d_.size() - p_);
  }

  std::string_view d_;
  size_t p_ = 0;
};

// The scanner's tokens with \u resolved: its character comes as a Char token, the fallback that
// follows it is dropped and a surrogate pair becomes one character.
class TTokens {
 public:
  explicit TTokens(std::string_view data) : scan_(data) {}

  void Next(TToken& t) {
    if (back_) {
      t = std::move(*back_);
      back_.reset();
      return;
    }
    Raw(t);
    if (!t.Is("u") || !t.Readable) return;  // an unreadable \u is ignored like any other word
    long long code = UnitOf(t);
    if (code < 0 || code > 0x10FFFF) return;
    DropFallback();
    if (code >= 0xD800 && code <= 0xDBFF) {
      TToken low;
      Raw(low);
      // Writers may change the fallback count between the halves ("\uc0 \uD83D\uc1 \uDE00?").
      while (low.Is("uc")) Raw(low);
      const long long second = UnitOf(low);
      if (low.Is("u") && low.Readable && second >= 0xDC00 && second <= 0xDFFF) {
        DropFallback();
        code = 0x10000 + ((code - 0xD800) << 10) + (second - 0xDC00);
      } else {
        rawBack_ = std::move(low);
        code = 0xFFFD;
      }
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    t.Kind = TKind::Char;
    t.Code = static_cast<char32_t>(code);
  }
  // `t` comes again from the next Next.
  void PutBack(TToken&& t) { back_ = std::move(t); }

 private:
  // RTF numbers are signed 16-bit: units above 32767 are written negative.
  static long long UnitOf(const TToken& t) { return t.Number < 0 ? t.Number + 65536LL : t.Number; }

  void Raw(TToken& t) {
    if (rawBack_) {
      t = std::move(*rawBack_);
      rawBack_.reset();
      return;
    }
    scan_.Next(t);
    // \ucN, the number of fallback characters after each \u, holds to the end of its group.
    if (t.Kind == TKind::Open) {
      outerFallbacks_.push_back(fallbacks_);
    } else if (t.Kind == TKind::Close && !outerFallbacks_.empty()) {
      fallbacks_ = outerFallbacks_.back();
      outerFallbacks_.pop_back();
    } else if (t.Is("uc") && t.HasNumber && t.Readable && !t.Negative) {
      fallbacks_ = t.Number;
    }
  }
  // The characters after a \u are for readers that do not know \u: \'hh characters or
  // characters of text. Any other token ends them early.
  void DropFallback() {
    for (int left = fallbacks_; left > 0;) {
      TToken f;
      Raw(f);
      if (f.Kind == TKind::Hex) {
        --left;
        continue;
      }
      if (f.Kind == TKind::Text) {
        const size_t n = std::min(static_cast<size_t>(left), f.Text.size());
        f.Text.erase(0, n);
        left -= static_cast<int>(n);
        if (f.Text.empty()) continue;
      }
      rawBack_ = std::move(f);
      return;
    }
  }

  TScanner scan_;
  std::optional<TToken> back_;
  std::optional<TToken> rawBack_;
  int fallbacks_ = 1;
  std::vector<int> outerFallbacks_;
};

// Groups whose first word occurs in this text are not shown: a group is skipped when it opens
// with any part of these words as well, as "{\pn" does.
constexpr std::string_view kSkippedGroups =
    "\\stylesheet;\\pntxta;\\pntxtb;\\propname;\\staticval;\\object;\\*;\\title;\\author;"
    "\\operator;\\pict";

bool IsSkippedGroup(const TToken& first) {
  if (first.Kind != TKind::Word) return false;
  std::string word = "\\";
  word += first.Name;
  return kSkippedGroups.find(word) != std::string_view::npos;
}

struct TFontEntry {
  std::string Name;  // empty: an index the table does not fill
  int Charset = DEFAULT_CHARSET;
};

// Font numbers are 16-bit in RTF; a larger one would only make the table huge.
constexpr int kMaxFontIndex = 32767;

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// One import: the state of the reader while it walks the tokens.
class TRtfReading {
 public:
  TRtfReading(TVrelImporter& importer, std::string_view data)
      : importer_(importer), tokens_(data) {}

  void Run() {
    TToken t;
    for (;;) {
      tokens_.Next(t);
      if (t.Kind == TKind::Hex) {
        AppendByte(pending_, t.Byte);
        continue;
      }
      if (t.Kind == TKind::Text) {
        // Characters of \'hh go out with the text that follows them, as one piece.
        AppendText(pending_, t.Text);
        Flush();
        continue;
      }
      Flush();
      switch (t.Kind) {
        case TKind::End:
          return;
        case TKind::Char:
          AppendChar(pending_, t.Code);
          Flush();
          break;
        case TKind::Open:
          OpenGroup();
          break;
        case TKind::Close:
          stack_.Pop();  // an unmatched brace finds nothing to pop
          break;
        case TKind::Word:
          Word(t);
          break;
        case TKind::Symbol:
          if (t.Name == "~") Emit(ipText, " ");  // a non-breaking blank
          if (t.Name == "_") Emit(ipText, "-");  // a non-breaking hyphen
          // A backslash before a line break of the file ends a paragraph, as \par does.
          if (t.Name == "\r" || t.Name == "\n") Emit(ipLineBreak, {});
          break;
        default:
          break;
      }
    }
  }

 private:
  // ---- Text in the target's encoding ----

  // A byte of RTF text, which is Windows-1252.
  void AppendByte(std::string& out, unsigned char b) const {
    if (b < 0x20) return;  // a control character would split the line behind the store's back
    if (!importer_.Utf8 || b < 0x80)
      out += static_cast<char>(b);
    else
      AppendUtf8(out, Cp1252ToUnicode(b));
  }
  void AppendText(std::string& out, std::string_view text) const {
    for (char c : text) AppendByte(out, static_cast<unsigned char>(c));
  }
  void AppendChar(std::string& out, char32_t cp) const {
    if (cp < 0x20) return;
    if (importer_.Utf8) {
      AppendUtf8(out, cp);
    } else {
      auto b = UnicodeToCp1252(cp);
      out += b ? static_cast<char>(*b) : '?';
    }
  }

  void Emit(TImportPieceKind kind, std::string_view text) {
    if (importer_.OnPiece) importer_.OnPiece(kind, text, stack_.Effective());
  }
  void Flush() {
    if (pending_.empty()) return;
    Emit(ipText, pending_);
    pending_.clear();
  }

  // ---- Groups ----

  void OpenGroup() {
    TToken first;
    tokens_.Next(first);
    if (first.Is("fonttbl")) return ReadFontTable();
    if (first.Is("colortbl")) return ReadColorTable();
    if (IsSkippedGroup(first)) return SkipGroup();
    stack_.Push(-1);
    tokens_.PutBack(std::move(first));
  }

  // Skips to the end of the group just opened, counting the groups inside it.
  void SkipGroup() {
    TToken t;
    for (int depth = 1; depth > 0;) {
      tokens_.Next(t);
      if (t.Kind == TKind::End) return;
      if (t.Kind == TKind::Open) ++depth;
      if (t.Kind == TKind::Close) --depth;
    }
  }

  // Entries "\fN\fcharsetC Name;", each in a group of its own or one after the other; groups of
  // alternative names or font data inside an entry are skipped.
  void ReadFontTable() {
    TToken t;
    int index = -1;
    int charset = DEFAULT_CHARSET;
    std::string name;  // UTF-8, whatever the target
    bool started = false;
    auto finish = [&] {
      if (started || !Trimmed(name).empty()) {
        const int at = index >= 0 ? index : nextFont_;
        if (at <= kMaxFontIndex) {
          if (static_cast<size_t>(at) >= fonts_.size()) fonts_.resize(static_cast<size_t>(at) + 1);
          fonts_[static_cast<size_t>(at)] = {Trimmed(name), charset};
          nextFont_ = at + 1;
        }
      }
      index = -1;
      charset = DEFAULT_CHARSET;
      name.clear();
      started = false;
    };
    for (int depth = 1; depth > 0;) {
      tokens_.Next(t);
      switch (t.Kind) {
        case TKind::End:
          depth = 0;
          break;
        case TKind::Open: {
          TToken first;
          tokens_.Next(first);
          if (IsSkippedGroup(first)) {
            SkipGroup();
          } else {
            ++depth;
            tokens_.PutBack(std::move(first));
          }
          break;
        }
        case TKind::Close:
          finish();
          --depth;
          break;
        case TKind::Word:
          if (t.Is("f")) {
            finish();
            index = t.Index();
            started = true;
          } else if (t.Is("fcharset")) {
            charset = t.HasNumber && t.Readable ? t.Number : DEFAULT_CHARSET;
          }
          break;
        case TKind::Text:
          for (char c : t.Text) {
            if (c == ';')
              finish();
            else if (static_cast<unsigned char>(c) < 0x80)
              name += c;
            else
              AppendUtf8(name, Cp1252ToUnicode(static_cast<unsigned char>(c)));
          }
          break;
        case TKind::Hex:
          if (t.Byte >= 0x20) AppendUtf8(name, Cp1252ToUnicode(t.Byte));
          break;
        case TKind::Char:
          if (t.Code >= 0x20) AppendUtf8(name, t.Code);
          break;
        default:
          break;
      }
    }
    finish();
    for (const TFontEntry& f : fonts_) {
      if (f.Name.empty()) continue;
      stack_.SetDefaultFont(f.Name, f.Charset);
      break;
    }
  }

  // Entries "\redR\greenG\blueB;"; a lone ";" is colour 0 (the text's own colour).
  void ReadColorTable() {
    TToken t;
    int rgb[3] = {0, 0, 0};
    bool values = false;   // some component was given since the last ";"
    bool waiting = false;  // components given that are not in the table yet
    auto add = [&] {
      colors_.push_back(rgb[0] + 256 * rgb[1] + 65536 * rgb[2]);
      rgb[0] = rgb[1] = rgb[2] = 0;
      waiting = false;
    };
    for (int depth = 1; depth > 0;) {
      tokens_.Next(t);
      if (t.Kind == TKind::End) return;
      if (t.Kind == TKind::Open) ++depth;
      if (t.Kind == TKind::Close) --depth;
      if (t.Kind == TKind::Word) {
        const int part = t.Is("red") ? 0 : t.Is("green") ? 1 : t.Is("blue") ? 2 : -1;
        if (part < 0) continue;
        const int v = t.HasNumber && t.Readable ? t.Number : 0;
        rgb[part] = v < 0 ? 0 : v > 255 ? 255 : v;
        values = waiting = true;
        if (part == 2) add();
      }
      if (t.Kind == TKind::Text) {
        for (char c : t.Text) {
          if (c != ';') continue;
          if (waiting || !values) add();
          values = false;
        }
      }
    }
  }

  // ---- Control words ----

  void SetStyle(TFontStyle style, bool on) {
    TImportRecord& r = stack_.Top();
    r.StyleGiven = true;
    if (on) {
      r.AddStyles.Include(style);
      r.RemoveStyles.Exclude(style);
    } else {
      r.RemoveStyles.Include(style);
      r.AddStyles.Exclude(style);
    }
  }

  void Word(const TToken& t) {
    if (t.Is("par") || t.Is("line") || t.Is("row")) return Emit(ipLineBreak, {});
    if (t.Is("cell") || t.Is("tab")) return Emit(ipTab, {});
    if (stack_.Empty()) return;  // formatting outside every group has no record to go to
    const bool on = !t.NumberIs(0);
    if (t.Is("b")) return SetStyle(fsBold, on);
    if (t.Is("i")) return SetStyle(fsItalic, on);
    if (t.Is("ul")) return SetStyle(fsUnderline, on);
    if (t.Is("strike")) return SetStyle(fsStrikeOut, on);
    if (t.Is("ulnone")) return SetStyle(fsUnderline, false);
    if (t.Is("plain")) {
      TImportRecord& r = stack_.Top();
      r.FontName = stack_.DefaultFontName();
      r.Charset = stack_.DefaultCharset();
      r.Size = 12;
      r.Color = 0;
      r.StyleGiven = true;
      r.AddStyles = r.RemoveStyles = {};
      r.BackGiven = true;
      r.Back = -1;
      return;
    }
    const int n = t.Index();
    if (t.Is("f") || t.Is("pnf")) {
      if (n >= 0 && static_cast<size_t>(n) < fonts_.size() &&
          !fonts_[static_cast<size_t>(n)].Name.empty()) {
        TImportRecord& r = stack_.Top();
        r.FontName = fonts_[static_cast<size_t>(n)].Name;
        r.Charset = fonts_[static_cast<size_t>(n)].Charset;
      }
      return;
    }
    if (t.Is("fs")) {
      // Half points. A size below one point would make the text invisible.
      int size = 12;
      if (t.HasNumber && t.Readable) size = t.Negative ? 72 : t.Number / 2;
      stack_.Top().Size = size < 1 ? 1 : size;
      return;
    }
    const bool inTable = n >= 0 && static_cast<size_t>(n) < colors_.size();
    if (t.Is("cf") && inTable) {
      stack_.Top().Color = colors_[static_cast<size_t>(n)];
      return;
    }
    if (t.Is("highlight") && inTable) {
      TImportRecord& r = stack_.Top();
      r.BackGiven = true;
      // Entry 0 as black is the table's "automatic" colour: no highlight.
      r.Back = n == 0 && colors_[0] == 0 ? -1 : colors_[static_cast<size_t>(n)];
    }
  }

  TVrelImporter& importer_;
  TTokens tokens_;
  TImportAttributeStack stack_;
  std::vector<TFontEntry> fonts_;
  int nextFont_ = 0;
  std::vector<int> colors_;
  std::string pending_;  // text of the piece being collected
};

}  // namespace

bool TVrelRtfImporter::Recognises(std::string_view data) const {
  return data.substr(0, 5) == "{\\rtf";
}

void TVrelRtfImporter::Import(std::string_view data) {
  TRtfReading reading(*this, data);
  reading.Run();
}

}  // namespace quorel
