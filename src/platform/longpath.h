// A path with each of its parts named as the file system reports them.
#pragma once

#include <string>

namespace quorel::platform {

// Each part of the path becomes the name the file system reports for it: the same name, or on a
// file system that ignores case, the name with the case it was created with. Parts that do not
// exist stay as given.
std::string ExpandLongPath(const std::string& path);

}  // namespace quorel::platform
