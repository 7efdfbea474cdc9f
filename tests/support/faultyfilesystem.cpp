// A fault-injecting file system for tests.
#include "support/faultyfilesystem.h"

#include <fstream>

#include "platform/fileerror.h"

namespace quorel::test {

std::string TFaultyFileSystem::CreateTempFile(const std::string& folder,
                                              const std::string& prefix) {
  if (FailCreateTemp) return {};
  return TStdFileSystem::CreateTempFile(folder, prefix);
}

void TFaultyFileSystem::WriteFile(const std::string& path, std::string_view data) {
  if (FailWriteAfter < 0 || static_cast<size_t>(FailWriteAfter) >= data.size()) {
    TStdFileSystem::WriteFile(path, data);
    return;
  }
  // Leave a half-written file behind, as a full disk would.
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), FailWriteAfter);
  throw platform::EFileError("Cannot write file \"" + path + "\". No space left on device");
}

void TFaultyFileSystem::WriteFilePieces(const std::string& path,
                                        const std::function<void(const TPieceWriter&)>& produce) {
  if (FailWriteAfter < 0) {
    TStdFileSystem::WriteFilePieces(path, produce);
    return;
  }
  IFileSystem::WriteFilePieces(path, produce);  // collects the pieces and calls WriteFile
}

void TFaultyFileSystem::ReadFileChunks(const std::string& path,
                                       const std::function<bool(std::string_view)>& consume) {
  if (FailRead) throw platform::EFileError("Cannot open file \"" + path + "\". Permission denied");
  TStdFileSystem::ReadFileChunks(path, consume);
}

bool TFaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  ++Renames;
  if (FailRename || Renames == FailRenameNumber) return false;
  return TStdFileSystem::Rename(from, to);
}

bool TFaultyFileSystem::Replace(const std::string& from, const std::string& to) {
  if (FailReplace) return false;
  return TStdFileSystem::Replace(from, to);
}

bool TFaultyFileSystem::Remove(const std::string& path) {
  if (FailRemove) return false;
  return TStdFileSystem::Remove(path);
}

}  // namespace quorel::test
