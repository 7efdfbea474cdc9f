// The one way the program writes a file: the old file stays byte for byte as it was unless the
// whole new content has reached the disk.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/filesystem.h"

namespace quorel::platform {

// Writes `data` to a temporary file in the folder of `path`, flushes it, gives it the permissions
// of the old file and puts it in the old file's place in one step. With `backupName` the old file
// is kept under that name instead (an older backup there is removed first).
// On any failure the temporary file is removed, the old file is left as it was, and EFileError
// says what failed:
//   "Can't create temporary filename", "Can't delete file B", "Can't rename file A to file B",
//   or the file system's own message for a write that failed.
void SafeWriteFile(IFileSystem& files, const std::string& path, std::string_view data,
                   const std::string& backupName = {});
// The same for content made piece by piece (see IFileSystem::WriteFilePieces). Whatever
// `produce` throws also leaves the old file as it was.
void SafeWriteFilePieces(IFileSystem& files, const std::string& path,
                         const std::function<void(const IFileSystem::TPieceWriter&)>& produce,
                         const std::string& backupName = {});

}  // namespace quorel::platform
