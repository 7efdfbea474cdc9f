// Splitting and joining the parts of paths and lists: the recent-file captions, image paths and
// map code use them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// Parts of `text` between separators: blanks before a part are dropped, a part in double quotes
// may hold the separator (doubled quotes stand for one), the text ends at its first NUL.
std::vector<std::string> SplitString(std::string_view text, char separator);

// The parts of SplitString(text, separator) joined with `replacement`: with a space every run of
// blanks becomes one replacement and blanks at either end go; with a backslash every backslash
// becomes the replacement and blanks right after one go. A text without parts stays as it is.
std::string ReplaceSeparator(std::string_view text, char separator, std::string_view replacement);

}  // namespace quorel
