// Deterministic HTML for benchmarks. A small linear congruential generator with a fixed seed
// chooses block shapes, words and attributes, so every run on every machine sees the same bytes.
#include "htmlgen.h"

#include <array>
#include <cstdint>
#include <map>
#include <string_view>

namespace quorel::bench {

namespace {

// A 64-bit linear congruential generator; only the high bits are used, the low ones are weak.
class TLcg {
 public:
  explicit TLcg(uint64_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool OneIn(int n) { return Below(n) == 0; }
  template <size_t N>
  std::string_view Pick(const std::array<std::string_view, N>& items) {
    return items[static_cast<size_t>(Below(static_cast<int>(N)))];
  }

 private:
  uint64_t state_;
};

constexpr std::array<std::string_view, 120> kWords = {
    "the",     "of",      "and",     "a",       "to",      "in",      "is",      "you",
    "that",    "it",      "was",     "for",     "on",      "are",     "as",      "with",
    "they",    "at",      "be",      "this",    "have",    "from",    "or",      "one",
    "had",     "by",      "word",    "but",     "not",     "what",    "all",     "were",
    "we",      "when",    "your",    "can",     "said",    "there",   "use",     "an",
    "each",    "which",   "she",     "do",      "how",     "their",   "if",      "will",
    "up",      "other",   "about",   "out",     "many",    "then",    "them",    "these",
    "so",      "some",    "her",     "would",   "make",    "like",    "into",    "time",
    "has",     "look",    "two",     "more",    "write",   "go",      "see",     "number",
    "no",      "way",     "could",   "people",  "my",      "than",    "first",   "water",
    "been",    "call",    "who",     "now",     "find",    "long",    "down",    "day",
    "did",     "get",     "come",    "made",    "may",     "part",    "harbour", "village",
    "market",  "garden",  "bridge",  "river",   "morning", "evening", "stone",   "window",
    "letter",  "journey", "station", "library", "weather", "season",  "table",   "page",
    "visitor", "museum",  "coast",   "valley",  "summer",  "winter",  "lantern", "orchard",
};

constexpr std::array<std::string_view, 10> kEntities = {
    "&amp;", "&nbsp;", "&mdash;", "&copy;",   "&lt;",
    "&gt;",  "&quot;", "&#8217;", "&eacute;", "&ndash;",
};

constexpr std::array<std::string_view, 8> kPages = {
    "index.html", "about.html",  "news.html",         "archive/2004.html",
    "links.html", "contact.htm", "photos/index.html", "notes.html",
};

constexpr std::array<std::string_view, 14> kSelectors = {
    "body",       "h1",           "h2, h3",        ".section",    ".note",
    "#nav a",     "#nav a:hover", "table.data td", "ul.links li", "form label",
    ".photo img", "pre, code",    "#footer",       "a:visited",
};

constexpr std::array<std::string_view, 16> kProperties = {
    "margin: 0 auto;",        "padding: 4px 8px;",
    "color: #335;",           "background: #fff url(img/bg.png) repeat-x;",
    "font-size: 90%;",        "border: 1px solid #ccc;",
    "text-align: left;",      "width: 760px;",
    "line-height: 1.5;",      "display: block;",
    "float: right;",          "font-family: Georgia, \"Times New Roman\", serif;",
    "text-decoration: none;", "border-bottom: 1px dotted #99a;",
    "margin-bottom: .5em;",   "list-style: square outside;",
};

class TGenerator {
 public:
  explicit TGenerator(int lines) : target_(lines > 0 ? lines : 0) {
    out_.reserve(static_cast<size_t>(target_) * 52);
  }

  std::string Run() {
    // Five closing lines are kept back so that the page always ends properly.
    constexpr int kClosing = 5;
    limit_ = target_ >= kClosing ? target_ - kClosing : target_;
    Head();
    BodyStart();
    // The largest block below stays well under this many lines.
    constexpr int kLargestBlock = 200;
    while (count_ + kLargestBlock <= limit_) Block(4, 0);
    while (count_ < limit_) FillLine();
    limit_ = target_;
    Line(2, "</div>");
    Line(0, "</div>");
    Line(0, "<div id=\"footer\">&copy; 2004 " + Title(2) +
                " &middot; <a href=\"contact.htm\">write to us</a></div>");
    Line(0, "</body>");
    Line(0, "</html>");
    return std::move(out_);
  }

 private:
  // One line at `indent`; now and then the indentation starts with a tab, as hand-edited files
  // tend to have. Lines beyond the limit are dropped.
  void Line(int indent, std::string_view text) {
    if (count_ >= limit_) return;
    if (indent >= 4 && rng_.OneIn(90)) {
      out_ += '\t';
      indent -= 4;
    }
    out_.append(static_cast<size_t>(indent), ' ');
    out_ += text;
    out_ += "\r\n";
    ++count_;
  }

  std::string Number(int lo, int hi) { return std::to_string(rng_.Between(lo, hi)); }

  std::string Title(int words) {
    std::string t;
    for (int i = 0; i < words; ++i) {
      if (i > 0) t += ' ';
      std::string_view w = rng_.Pick(kWords);
      t += static_cast<char>(w[0] >= 'a' && w[0] <= 'z' ? w[0] - 'a' + 'A' : w[0]);
      t.append(w.substr(1));
    }
    return t;
  }

  // `count` tokens separated by spaces.
  std::string Words(int count) {
    std::string words;
    for (int i = 0; i < count; ++i) {
      if (i > 0) words += ' ';
      words += Token();
    }
    return words;
  }

  // A word of running text, sometimes marked up or followed by an entity.
  std::string Token() {
    std::string w(rng_.Pick(kWords));
    switch (rng_.Below(40)) {
      case 0:
        return "<em>" + w + "</em>";
      case 1:
        return "<strong>" + w + "</strong>";
      case 2:
        return "<a href=\"" + std::string(rng_.Pick(kPages)) + "\">" + w + "</a>";
      case 3:
        return "<a href=notes.html#n" + Number(1, 300) + ">" + w + "</a>";
      case 4:
        return "<code>" + w + "()</code>";
      case 5:
        return "<span class=\"note\">" + w + "</span>";
      case 6:
        return w + " " + std::string(rng_.Pick(kEntities));
      case 7:
        return "<i>" + w + "</i>";
      case 8:
        return w + "&nbsp;" + Number(1, 99);
      default:
        return w;
    }
  }

  // Running text wrapped at a width that varies a little from paragraph to paragraph, between
  // `open` and `close` (which may be empty).
  void Text(int indent, std::string_view open, std::string_view close, int sentences) {
    int width = rng_.Between(72, 88);
    std::string line(open);
    bool startOfSentence = true;
    for (int s = 0; s < sentences; ++s) {
      int words = rng_.Between(5, 16);
      for (int i = 0; i < words; ++i) {
        std::string token = Token();
        if (startOfSentence && token[0] >= 'a' && token[0] <= 'z') token[0] -= 'a' - 'A';
        startOfSentence = false;
        if (i == words - 1)
          token += rng_.OneIn(8) ? "?" : ".";
        else if (rng_.OneIn(12))
          token += ",";
        bool first = line.empty() || line == open;
        if (!first && indent + static_cast<int>(line.size() + 1 + token.size()) > width) {
          Line(indent, line);
          line.clear();
          first = true;
        }
        if (!first) line += ' ';
        line += token;
      }
      startOfSentence = true;
    }
    line += close;
    Line(indent, line);
  }

  void Head() {
    Line(0, "<!DOCTYPE html>");
    Line(0, "<html lang=\"en\">");
    Line(0, "<head>");
    Line(2, "<meta charset=\"utf-8\">");
    Line(2, "<meta name=viewport content=\"width=device-width, initial-scale=1\">");
    std::string title = "<title>" + Title(3);
    title += " &mdash; " + Title(2) + "</title>";
    Line(2, title);
    Line(2, "<link rel=stylesheet type=\"text/css\" href=\"css/site.css\">");
    Line(2, "<link rel=\"icon\" href=favicon.ico>");
    Line(2, "<style type=\"text/css\">");
    for (int rule = 0; rule < 14; ++rule) {
      std::string selector(kSelectors[static_cast<size_t>(rule)]);
      if (rng_.OneIn(3)) {
        Line(4, selector + " { " + std::string(rng_.Pick(kProperties)) + " }");
        continue;
      }
      Line(4, selector + " {");
      for (int p = rng_.Between(2, 5); p > 0; --p) Line(6, rng_.Pick(kProperties));
      Line(4, "}");
    }
    Line(2, "</style>");
    Script();
    Line(0, "</head>");
  }

  void Script() {
    Line(2, "<script type=\"text/javascript\">");
    Line(2, "<!--");
    Line(4, "// Shows or hides a block of the page.");
    Line(4, "function toggle(id) {");
    Line(6, "var el = document.getElementById(id);");
    Line(6, "if (el && el.style.display == \"none\") {");
    Line(8, "el.style.display = \"block\";");
    Line(6, "} else if (el) {");
    Line(8, "el.style.display = \"none\";");
    Line(6, "}");
    Line(4, "}");
    Line(4, "function swapImage(img, src) {");
    Line(6, "if (document.images) img.src = src;");
    Line(4, "}");
    std::string pages = "var visits = 0, pages = [\"" + std::string(rng_.Pick(kPages));
    pages += "\", \"" + std::string(rng_.Pick(kPages)) + "\"];";
    Line(4, pages);
    Line(4, "for (var i = 0; i < pages.length && i < 10; i++) {");
    Line(6, "if (pages[i] == location.pathname) visits++;");
    Line(4, "}");
    Line(2, "// -->");
    Line(2, "</script>");
  }

  void BodyStart() {
    Line(0, "<body class=\"page\" onload=\"toggle('extra')\">");
    Line(0, "<div id=\"header\">");
    Line(2, "<h1><a href=\"index.html\">" + Title(2) + "</a></h1>");
    Line(2, "<ul id=nav>");
    for (std::string_view page : kPages)
      Line(4, "<li><a href=\"" + std::string(page) + "\">" + Title(1) + "</a></li>");
    Line(2, "</ul>");
    Line(0, "</div>");
    Line(0, "");
    Line(0, "<div id=\"content\">");
    Line(2, "<div id=main class=\"column wide\">");
  }

  // One block of the body; a container holds plain blocks only, which keeps blocks short.
  void Block(int indent, int depth) {
    int kind = rng_.Below(depth == 0 ? 20 : 18);
    if (kind < 10)
      Section(indent);
    else if (kind < 11)
      Comment(indent);
    else if (kind < 13)
      List(indent);
    else if (kind < 14)
      Table(indent);
    else if (kind < 15)
      Form(indent);
    else if (kind < 17)
      Photo(indent);
    else if (kind < 18)
      Line(0, "");
    else
      Container(indent, depth);
  }

  void Section(int indent) {
    std::string id = std::to_string(++sections_);
    Line(indent, "<div class=\"section\" id=\"s" + id + "\">");
    Line(indent + 2, "<h2>" + Title(rng_.Between(1, 4)) + "</h2>");
    for (int p = rng_.Between(1, 4); p > 0; --p) {
      if (rng_.OneIn(3)) {
        Line(indent + 2, rng_.OneIn(2) ? "<p class=note>" : "<p>");
        Text(indent + 4, "", "", rng_.Between(1, 4));
        Line(indent + 2, "</p>");
      } else {
        Text(indent + 2, "<p>", "</p>", rng_.Between(1, 4));
      }
    }
    Line(indent, "</div>");
    if (rng_.OneIn(3)) Line(indent, "<!-- end of s" + id + " -->");
  }

  void Comment(int indent) {
    if (rng_.OneIn(3)) {
      std::string text = "<!-- " + Title(2) + ": ";
      text += rng_.Pick(kWords);
      text += ' ';
      text += rng_.Pick(kWords);
      Line(indent, text + " -->");
      return;
    }
    Line(indent, "<!--");
    Text(indent + 2, "", "", rng_.Between(1, 3));
    std::string changed = "changed 2004-" + Number(10, 12);
    changed += "-" + Number(10, 28);
    changed += ", see <b>" + std::string(rng_.Pick(kPages)) + "</b>";
    Line(indent + 2, changed);
    Line(indent, "-->");
  }

  void List(int indent) {
    bool ordered = rng_.OneIn(4);
    Line(indent, ordered ? "<ol>" : "<ul class=links>");
    for (int i = rng_.Between(2, 8); i > 0; --i) {
      std::string item = "<li><a href=\"" + std::string(rng_.Pick(kPages)) + "\">";
      item += Title(rng_.Between(1, 3)) + "</a>";
      if (!rng_.OneIn(4)) {
        item += " &mdash; ";
        item += Token();
        item += ' ';
        item += Token();
      }
      Line(indent + 2, item + "</li>");
    }
    Line(indent, ordered ? "</ol>" : "</ul>");
  }

  void Table(int indent) {
    Line(indent, "<table class=\"data\" border=0 cellpadding=4 width=\"100%\">");
    int columns = rng_.Between(2, 4);
    Line(indent + 2, "<tr>");
    for (int c = 0; c < columns; ++c)
      Line(indent + 4, (c == 0 ? "<th align=left>" : "<th>") + Title(1) + "</th>");
    Line(indent + 2, "</tr>");
    for (int r = rng_.Between(1, 6); r > 0; --r) {
      Line(indent + 2, rng_.OneIn(2) ? "<tr class=odd>" : "<tr>");
      for (int c = 0; c < columns; ++c) {
        if (c == 0)
          Line(indent + 4, "<td align=right>" + Number(1, 9999) + "</td>");
        else
          Line(indent + 4, "<td>" + Words(3) + "</td>");
      }
      Line(indent + 2, "</tr>");
    }
    Line(indent, "</table>");
  }

  void Form(int indent) {
    Line(indent, "<form action=\"/cgi-bin/search.pl\" method=get>");
    Line(indent + 2, "<label for=q>" + Title(1) + ":</label>");
    Line(indent + 2, "<input type=text name=q id=q size=" + Number(10, 40) + " value=\"\">");
    Line(indent + 2, "<select name=\"where\">");
    for (int i = rng_.Between(2, 5); i > 0; --i) {
      std::string word(rng_.Pick(kWords));
      Line(indent + 4,
           "<option value=" + word + (i == 1 ? " selected" : "") + ">" + word + "</option>");
    }
    Line(indent + 2, "</select>");
    Line(indent + 2, "<input type=\"submit\" value=\"Go\">");
    Line(indent, "</form>");
  }

  void Photo(int indent) {
    std::string img = "<p class=photo><img src=\"img/photo" + Number(1, 400);
    img += ".jpg\" width=" + Number(120, 640);
    img += " height=" + Number(90, 480);
    img += " alt=\"" + Title(2) + "\"><br>";
    Line(indent, img);
    Line(indent + 2, "<small>" + Title(2) + " &copy; 2004</small></p>");
  }

  void Container(int indent, int depth) {
    Line(indent, rng_.OneIn(2) ? "<div class=\"box\">" : "<div class=box>");
    for (int i = rng_.Between(1, 3); i > 0; --i) Block(indent + 2, depth + 1);
    Line(indent, "</div>");
  }

  // A self-contained one-line element for the last few lines before the end of the page.
  void FillLine() {
    switch (rng_.Below(4)) {
      case 0:
        Line(4, "<p>" + Words(4) + ".</p>");
        break;
      case 1:
        Line(4, "<!-- " + Title(3) + " -->");
        break;
      case 2:
        Line(4, "<h3>" + Title(2) + "</h3>");
        break;
      default: {
        std::string note = "<p class=note>" + Title(1);
        note += " " + Words(2) + ".</p>";
        Line(4, note);
        break;
      }
    }
  }

  TLcg rng_{0x5eedC0DEu};
  int target_;
  int limit_ = 0;
  int count_ = 0;
  int sections_ = 0;
  std::string out_;
};

}  // namespace

std::string GenerateHtml(int lines) { return TGenerator(lines).Run(); }

const std::string& CachedHtml(int lines) {
  static std::map<int, std::string> cache;
  auto it = cache.find(lines);
  if (it == cache.end()) it = cache.emplace(lines, GenerateHtml(lines)).first;
  return it->second;
}

namespace {

std::string MadeUtf8(const std::string& html) {
  static const char* const kLetters[] = {"\xC3\xA9", "\xC3\xBC", "\xC3\xB1",
                                         "\xCE\xB1", "\xC3\xA5", "\xCF\x89"};  // é ü ñ α å ω
  std::string out;
  out.reserve(html.size() + html.size() / 40);
  bool inTag = false;
  int letters = 0;
  for (char c : html) {
    if (c == '<') inTag = true;
    if (c == '>') inTag = false;
    if (!inTag && c >= 'a' && c <= 'z' && ++letters % 25 == 0) {
      out += letters % 500 == 0 ? "\xE6\x97\xA5" : kLetters[(letters / 25) % 6];  // 日
      continue;
    }
    out.push_back(c);
  }
  return out;
}

}  // namespace

const std::string& CachedUtf8Html(int lines) {
  static std::map<int, std::string> cache;
  auto it = cache.find(lines);
  if (it == cache.end()) it = cache.emplace(lines, MadeUtf8(CachedHtml(lines))).first;
  return it->second;
}

double NonAsciiShare(const std::string& text) {
  size_t high = 0;
  for (char c : text) high += static_cast<unsigned char>(c) >= 0x80;
  return text.empty() ? 0 : static_cast<double>(high) / static_cast<double>(text.size());
}

}  // namespace quorel::bench
