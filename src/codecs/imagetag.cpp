// Building IMG tags.
#include "codecs/imagetag.h"

#include "engine/pathtext.h"

namespace quorel {

std::string PictureSource(const std::string& path, const TImageTagOptions& options) {
  std::string p = path;
  if (!options.FileNameSpaces) p = ReplaceSeparator(p, ' ', options.SpaceReplacement);
  p = ReplaceSeparator(p, '\\', "/");
  return (!p.empty() && p[0] == '/' ? "file://" : "file:///") + p;
}

std::string ImageTag(const std::string& path, const std::string& alt,
                     const TImageTagOptions& options, const std::optional<TPictureSize>& size) {
  std::string tag = "<IMG SRC=\"" + PictureSource(path, options) + "\"";
  if (size)
    tag += " Width=\"" + std::to_string(size->Width) + "\" Height=\"" +
           std::to_string(size->Height) + "\"";
  return tag + " Alt=\"" + alt + "\">";
}

std::string BareFileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace quorel
