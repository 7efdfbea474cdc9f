// gen-html OUT [LINES]: writes the benchmark HTML (1,000,000 lines unless told otherwise) to OUT,
// for trying large documents by hand.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "htmlgen.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: gen-html OUT [LINES]\n");
    return 2;
  }
  int lines = 1'000'000;
  if (argc == 3) {
    const char* text = argv[2];
    const char* end = text + std::strlen(text);
    auto [stop, error] = std::from_chars(text, end, lines);
    if (error != std::errc() || stop != end || lines < 0) {
      std::fprintf(stderr, "gen-html: '%s' is not a line count\n", text);
      return 2;
    }
  }
  std::string html = quorel::bench::GenerateHtml(lines);
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  bool ok = std::fwrite(html.data(), 1, html.size(), out) == html.size();
  ok = std::fclose(out) == 0 && ok;
  if (!ok) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("%s: %d lines, %zu bytes\n", argv[1], lines, html.size());
  return 0;
}
