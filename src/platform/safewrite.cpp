// Writing through a temporary file in the same folder, so a failed write never damages a file.
#include "platform/safewrite.h"

#include <filesystem>

#include "platform/fileerror.h"

namespace quorel::platform {

namespace {

std::string RenameMessage(const std::string& from, const std::string& to) {
  return "Can't rename file " + from + " to file " + to;
}

// The temporary file sits beside the target (a rename across file systems is no single step) and
// is hidden, named after it so that a left-over one can be told apart.
std::string CreateTempBeside(IFileSystem& files, const std::filesystem::path& path) {
  std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
  std::string temp = files.CreateTempFile(folder, "." + path.filename().string() + ".");
  if (temp.empty()) throw EFileError("Can't create temporary filename");
  return temp;
}

}  // namespace

void SafeWriteFile(IFileSystem& files, const std::string& fileName, std::string_view data,
                   const std::string& backupName) {
  SafeWriteFilePieces(
      files, fileName, [data](const IFileSystem::TPieceWriter& write) { write(data); }, backupName);
}

void SafeWriteFilePieces(IFileSystem& files, const std::string& fileName,
                         const std::function<void(const IFileSystem::TPieceWriter&)>& produce,
                         const std::string& backupName) {
  std::filesystem::path path(fileName);
  std::string temp = CreateTempBeside(files, path);
  auto fail = [&](const std::string& message) {
    files.Remove(temp);
    throw EFileError(message);
  };
  try {
    files.WriteFilePieces(temp, produce);
  } catch (const EFileError& e) {
    fail(e.what());
  } catch (...) {
    files.Remove(temp);
    throw;
  }
  files.CopyPermissions(fileName, temp);

  // A backup named like the file itself would delete the file: write without one then.
  bool backup = !backupName.empty() &&
                std::filesystem::path(backupName).lexically_normal() != path.lexically_normal();
  if (!backup) {
    if (!files.Replace(temp, fileName)) fail(RenameMessage(temp, fileName));
    return;
  }
  if (files.Exists(backupName) && !files.Remove(backupName))
    fail("Can't delete file " + backupName);
  bool hadFile = files.Exists(fileName);
  if (hadFile && !files.Rename(fileName, backupName)) fail(RenameMessage(fileName, backupName));
  if (!files.Rename(temp, fileName)) {
    // Put the original back where it was before reporting.
    if (hadFile) files.Rename(backupName, fileName);
    fail(RenameMessage(temp, fileName));
  }
}

}  // namespace quorel::platform
