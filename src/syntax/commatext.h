// Comma text: a word list kept in one string, items separated by commas or blanks; an item that
// holds a blank, a comma or a double quote is written in double quotes (quotes doubled inside).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorel {

std::vector<std::string> SplitCommaText(std::string_view text);
std::string JoinCommaText(const std::vector<std::string>& items);

}  // namespace quorel
