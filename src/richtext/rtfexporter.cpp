// RTF output: escaped text and the groups the export opens and closes.
#include "richtext/rtfexporter.h"

#include <charconv>

#include "engine/utf8.h"

namespace quorel {

namespace {

void AppendUnicode(std::string& out, char32_t cp) {
  auto unit = [&](unsigned value) {
    // RTF numbers are signed 16-bit: units above 32767 are written negative.
    int n = value > 32767 ? static_cast<int>(value) - 65536 : static_cast<int>(value);
    out.append("\\u").append(std::to_string(n)).append("?");
  };
  if (cp > 0xFFFF) {
    cp -= 0x10000;
    unit(0xD800 + static_cast<unsigned>(cp >> 10));
    unit(0xDC00 + static_cast<unsigned>(cp & 0x3FF));
  } else {
    unit(static_cast<unsigned>(cp));
  }
}

}  // namespace

void TVrelRTFExporter::EscapeText(std::string_view s, std::string& escaped) {
  // Bytes that need nothing are copied a stretch at a time.
  size_t plain = 0;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const bool special = c >= 0x80 ? Utf8 : (c == '\t' || c == '\\' || c == '{' || c == '}');
    if (!special) {
      ++i;
      continue;
    }
    escaped.append(s.data() + plain, i - plain);
    if (c >= 0x80) {
      char32_t cp;
      i += static_cast<size_t>(DecodeUtf8(s, i, cp));
      AppendUnicode(escaped, cp);
    } else {
      if (c == '\t') {
        escaped.append("\\tab ");
      } else {
        escaped += '\\';
        escaped += static_cast<char>(c);
      }
      ++i;
    }
    plain = i;
  }
  escaped.append(s.data() + plain, s.size() - plain);
}

void TVrelRTFExporter::NewLine() {
  list_.OpenGroup("line");
  list_.CloseGroup();
}

void TVrelRTFExporter::BeginFontName(const std::string& name, int charset) {
  list_.FontGroup(name, charset);
}

void TVrelRTFExporter::BeginFontSize(int points) {
  char keyword[16] = "fs";  // half-points
  list_.OpenGroup({keyword, std::to_chars(keyword + 2, keyword + sizeof keyword, 2 * points).ptr});
}

void TVrelRTFExporter::BeginDocument(const std::string&) {
  list_.OpenGroup("rtf1\\ansi");
  list_.OpenGroup("plain");
}

void TVrelRTFExporter::EndDocument() {
  list_.CloseGroup();
  list_.CloseGroup();
  list_.WriteTo(out_);
}

}  // namespace quorel
