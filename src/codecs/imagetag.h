// The IMG tag the image commands insert for a picture file.
#pragma once

#include <optional>
#include <string>

#include "codecs/picturesize.h"

namespace quorel {

struct TImageTagOptions {
  bool FileNameSpaces = true;  // false: spaces in the path become SpaceReplacement
  std::string SpaceReplacement = "%20";
};

// The source address of a picture file: "file://" and the path with backslashes made "/"; an
// absolute path's own "/" makes the third slash, a path without one ("C:/...") gets "file:///".
std::string PictureSource(const std::string& path, const TImageTagOptions& options);

// <IMG SRC="..." Width="W" Height="H" Alt="...">, without the size when it is not known.
std::string ImageTag(const std::string& path, const std::string& alt,
                     const TImageTagOptions& options, const std::optional<TPictureSize>& size);

// The file name of a path without its folder.
std::string BareFileName(const std::string& path);

}  // namespace quorel
