// Side files: read from the user's folder first, written only there.
#include "platform/sidefiles.h"

#include "platform/fileerror.h"
#include "platform/safewrite.h"

namespace quorel::platform {

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

TSideFiles::TSideFiles(IFileSystem& files, std::string userFolder, std::string programFolder)
    : files_(files), userFolder_(std::move(userFolder)), programFolder_(std::move(programFolder)) {}

std::string TSideFiles::ReadPath(const std::string& name) const {
  std::string own = WritePath(name);
  if (!userFolder_.empty() && files_.IsFile(own)) return own;
  return Join(programFolder_, name);
}

std::string TSideFiles::WritePath(const std::string& name) const { return Join(userFolder_, name); }

std::string TSideFiles::Write(const std::string& name, std::string_view data) {
  std::string path = WritePath(name);
  if (userFolder_.empty() || !files_.CreateFolders(userFolder_))
    throw EFileError("Can't create folder " + userFolder_ + " for " + path);
  try {
    SafeWriteFile(files_, path, data);
  } catch (const EFileError& e) {
    throw EFileError("Can't write " + path + ": " + e.what());
  }
  return path;
}

}  // namespace quorel::platform
