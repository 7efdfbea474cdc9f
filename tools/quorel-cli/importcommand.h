// quorel-cli import: an RTF or HTML file read into an empty document, as the editor's import
// commands read it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorel::cli {

int Import(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// With --styles the output is every run of equal style with its formatting, one per line:
// `<line>:<column> "<text>" <font> <size> [bold] [italic] [underline] [strike] <#RRGGBB>
// [on <#RRGGBB>]`; without, the document's text.

}  // namespace quorel::cli
