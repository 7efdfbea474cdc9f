// The desktop entry through which file managers offer the program under "Open With": written
// for a program path, and read back for the program it starts.
#pragma once

#include <string>

namespace quorel {

// The entry named `name` that opens files with `program` (a full path), run from the program's
// folder. Every character of the path survives the entry's quoting and escaping rules.
std::string DesktopEntryText(const std::string& name, const std::string& program);

// The program the entry's "Exec" line starts (its first word, unquoted and unescaped); empty when
// the text has no "[Desktop Entry]" group with an "Exec" key.
std::string DesktopEntryProgram(const std::string& text);

}  // namespace quorel
