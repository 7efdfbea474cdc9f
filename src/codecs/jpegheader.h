// The size of a JPEG from its header, through libjpeg.
#pragma once

#include <optional>
#include <string_view>
#include <utility>

namespace quorel {

// Width and height from libjpeg's header reader; nothing for a damaged or cut-off header.
std::optional<std::pair<int, int>> JpegHeaderSize(std::string_view bytes);

}  // namespace quorel
