// The commands of quorel-cli, callable from tests without starting a process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorel::cli {

// Runs one command line (without the program name). Returns the exit code; messages go to `err`.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorel::cli
