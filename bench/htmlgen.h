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

}  // namespace quorel::bench
