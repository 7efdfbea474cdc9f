// The commands of quorel-cli, callable from tests without starting a process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "engine/fonttypes.h"

namespace quorel::cli {

// Set by the program's main: the process ends as soon as the command returns, so a command may
// leave its large objects for the system to take back instead of freeing them piece by piece.
extern bool EndsAfterCommand;

// Runs one command line (without the program name). Returns the exit code; messages go to `err`.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The font of the main window's view as it starts: Courier New 8 point, black (on the window
// colour). Exports and imports from the command line see the document as that view shows it.
TFont MainViewFont();

}  // namespace quorel::cli
