// Colour scheme files.
#include "syntax/textstylefile.h"

#include <charconv>

#include "engine/strings.h"
#include "engine/vrelerror.h"

namespace quorel {

namespace {

std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

bool Number(const std::string& s, long long& value) {
  auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size() && !s.empty();
}

}  // namespace

std::string TextStylesToText(const TTextStyles& styles) {
  std::string out;
  for (const TTextStyle& s : styles.Items) {
    out += s.Name + "=" + s.Font.Name + "," + std::to_string(s.Font.Height) + "," +
           std::to_string(s.Font.Color) + "," + std::to_string(s.Font.Style.Bits()) + "," +
           std::to_string(s.Color) + "," + (s.UseMemoColor ? "1" : "0") + "," +
           (s.UpperCase ? "1" : "0") + "\r\n";
  }
  return out;
}

TTextStyles TextStylesFromText(const std::string& text) {
  TTextStyles styles;
  std::vector<std::string> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    auto bad = [&] {
      return EVrelError("Not a colour scheme file: line " + std::to_string(i + 1) +
                        " is not a style");
    };
    size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) throw bad();
    std::vector<std::string> f = Fields(line.substr(equals + 1));
    long long height, color, style, back, memo, upper;
    if (f.size() != 7 || f[0].empty() || !Number(f[1], height) || !Number(f[2], color) ||
        !Number(f[3], style) || !Number(f[4], back) || !Number(f[5], memo) ||
        !Number(f[6], upper) || height < -1000 || height > 1000 || color < 0 ||
        color > 0xFFFFFFFFLL || back < 0 || back > 0xFFFFFFFFLL || style < 0 || style > 15)
      throw bad();
    TTextStyle s;
    s.Name = line.substr(0, equals);
    s.Font.Name = f[0];
    s.Font.Height = static_cast<int>(height);
    s.Font.Color = static_cast<TColor>(color);
    s.Font.Style = TFontStyles::FromBits(static_cast<uint32_t>(style));
    s.Color = static_cast<TColor>(back);
    s.UseMemoColor = memo != 0;
    s.UpperCase = upper != 0;
    styles.Items.push_back(s);
  }
  if (styles.Items.empty()) throw EVrelError("Not a colour scheme file: it holds no styles");
  return styles;
}

}  // namespace quorel
