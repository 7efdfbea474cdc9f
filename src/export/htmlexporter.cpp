// HTML output: tags, escaped text and colours.
#include "export/htmlexporter.h"

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

std::string HtmlColor(TColor color) {
  static const char digits[] = "0123456789ABCDEF";
  TColor rgb = ColorToRgb(color);
  std::string text = "#";
  for (int part : {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)}) {
    text += digits[part >> 4];
    text += digits[part & 15];
  }
  return text;
}

void TVrelHTMLExporter::EscapeText(std::string_view s, std::string& escaped) {
  // Bytes that need nothing are copied a stretch at a time.
  size_t plain = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c != ' ' && c != '"' && c != '&' && c != '<' && c != '>') continue;
    escaped.append(s.data() + plain, i - plain);
    plain = i + 1;
    switch (c) {
      case ' ':
        escaped.append("&nbsp;");
        break;
      case '"':
        escaped.append("&quot;");
        break;
      case '&':
        escaped.append("&amp;");
        break;
      case '<':
        escaped.append("&lt;");
        break;
      default:
        escaped.append("&gt;");
        break;
    }
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
  AttributeTag("font", "SIZE", std::to_string(HtmlFontSize(points)));
}

void TVrelHTMLExporter::BeginColor(TColor color) {
  AttributeTag("font", "color", HtmlColor(color));
}

void TVrelHTMLExporter::BeginBody(TColor color) {
  AttributeTag("Body", "BGCOLOR", HtmlColor(color));
}

void TVrelHTMLExporter::BeginDocument(const std::string& title) {
  // A UTF-8 page says so, or a browser would read its bytes in the reader's own code page.
  out_.append(Utf8 ? "<Html><Head><meta charset=\"utf-8\"></Head><Title>"
                   : "<Html><Head></Head><Title>");
  out_.append(title);
  out_.append("</Title><Body>");
  BeginFontName("Times New Roman", DEFAULT_CHARSET);
}

}  // namespace quorel
