// Web and mail addresses in the text: the recognisers, and finding the runs of a line that hold
// addresses (the store marks them with the address style while it parses).
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace quorel {

// Begins with "WWW.", "HTTP://", "GOPHER://" or "FTP://", whatever the case.
bool IsWebUrl(std::string_view s);
// Begins with "MAILTO:" (any case), or holds exactly one "@" that is not the last character,
// has an identifier character right after it, and has the last "." after it.
bool IsMailAddress(std::string_view s);
bool IsUrl(std::string_view s);

// The [start, end) byte ranges of a line's addresses. A candidate starts at an identifier
// character (A-Z, a-z, 0-9, _) and runs on over identifier characters and - . / : = ? @ ~, so a
// full stop right after an address belongs to it and bytes beyond ASCII never do.
std::vector<std::pair<size_t, size_t>> FindUrls(std::string_view text);

}  // namespace quorel
