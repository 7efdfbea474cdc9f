// HTML output: tags, escaped text and colours.
#include "richtext/htmlexporter.h"

#include <array>

namespace quorel {

int HtmlFontSize(int points) {
  if (points >= 1 && points <= 8) return 1;
  if (points >= 9 && points <= 11) return 2;
  if (points >= 12 && points <= 13) return 3;
  if (points >= 14 && points <= 17) return 4;
  if (points >= 18 && points <= 23) return 5;
  if (points >= 24 && points <= 35) return 6;
  return 7;
}

namespace {

// "#RRGGBB" for the colour, in the 7 characters at `out`.
void HtmlColorText(TColor color, char* out) {
  static const char digits[] = "0123456789ABCDEF";
  TColor rgb = ColorToRgb(color);
  *out++ = '#';
  for (int part : {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)}) {
    *out++ = digits[part >> 4];
    *out++ = digits[part & 15];
  }
}

// The entity for each byte that needs one, else null.
constexpr std::array<const char*, 256> EntityTable() {
  std::array<const char*, 256> table{};
  table[' '] = "&nbsp;";
  table['"'] = "&quot;";
  table['&'] = "&amp;";
  table['<'] = "&lt;";
  table['>'] = "&gt;";
  return table;
}
constexpr std::array<const char*, 256> kEntities = EntityTable();

}  // namespace

std::string HtmlColor(TColor color) {
  std::string text(7, '#');
  HtmlColorText(color, text.data());
  return text;
}

void TVrelHTMLExporter::EscapeText(std::string_view s, std::string& escaped) {
  // Bytes that need nothing are copied a stretch at a time.
  size_t plain = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const char* entity = kEntities[static_cast<unsigned char>(s[i])];
    if (!entity) continue;
    escaped.append(s.data() + plain, i - plain);
    escaped.append(entity);
    plain = i + 1;
  }
  escaped.append(s.data() + plain, s.size() - plain);
}

void TVrelHTMLExporter::AttributeTag(std::string_view name, std::string_view attribute,
                                     std::string_view value) {
  if (!lastTag_.empty() && lastTag_ != name) out_.append("\r\n");
  lastTag_ = name;
  out_ += '<';
  out_.append(name);
  if (!value.empty()) {
    out_ += ' ';
    out_.append(attribute);
    out_.append("=\"");
    out_.append(value);
    out_ += '"';
  }
  out_ += '>';
}

void TVrelHTMLExporter::BeginFontName(const std::string& name, int) {
  AttributeTag("font", "face", name);
}

void TVrelHTMLExporter::BeginFontSize(int points) {
  const char size = static_cast<char>('0' + HtmlFontSize(points));  // 1 to 7
  AttributeTag("font", "SIZE", std::string_view(&size, 1));
}

void TVrelHTMLExporter::ColorTag(std::string_view name, std::string_view attribute, TColor color) {
  char text[7];
  HtmlColorText(color, text);
  AttributeTag(name, attribute, std::string_view(text, sizeof text));
}

void TVrelHTMLExporter::BeginColor(TColor color) { ColorTag("font", "color", color); }

void TVrelHTMLExporter::BeginBody(TColor color) { ColorTag("Body", "BGCOLOR", color); }

void TVrelHTMLExporter::BeginDocument(const std::string& title) {
  // A UTF-8 page says so, or a browser would read its bytes in the reader's own code page.
  out_.append(Utf8 ? "<Html><Head><meta charset=\"utf-8\"></Head><Title>"
                   : "<Html><Head></Head><Title>");
  out_.append(title);
  out_.append("</Title><Body>");
  BeginFontName("Times New Roman", DEFAULT_CHARSET);
}

}  // namespace quorel
