// A deterministic source of hand-written-looking HTML for benchmarks and manual runs.
#pragma once

#include <string>

namespace quorel::bench {

// Returns exactly `lines` lines of HTML, each ending in CR LF: a doctype, a head with style and
// script blocks, then a body of sections, lists, tables, forms and comments, closed by </body>
// and </html>. Lines average about 50 bytes, so a million lines come to about 50 MB. The same
// count always gives the same bytes. Below about 120 lines the text is a cut-off prefix of a
// page rather than a complete one.
std::string GenerateHtml(int lines);

// GenerateHtml(lines), made once per count and kept for the rest of the program.
const std::string& CachedHtml(int lines);

// The same page as UTF-8 text in other languages: about every 25th letter between tags becomes
// an accented Latin, Greek or (every 500th) Japanese character, so that about 2% of the bytes
// are beyond ASCII. Made once per count.
const std::string& CachedUtf8Html(int lines);
// The share of bytes beyond ASCII in `text`.
double NonAsciiShare(const std::string& text);

}  // namespace quorel::bench
