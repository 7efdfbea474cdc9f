// quorel-cli grep: every match of a text or pattern in a file, as the editor's search finds them.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorel::cli {

// grep [--regex] [--case] [--words] PATTERN FILE
int Grep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorel::cli
