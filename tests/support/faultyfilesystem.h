// The real file system with faults that tests switch on: a write that stops halfway, a temporary
// name that cannot be made, renames and removals that fail, reads that fail.
#pragma once

#include <string>

#include "platform/stdfilesystem.h"

namespace quorel::test {

class TFaultyFileSystem : public platform::TStdFileSystem {
 public:
  // Writes stop with an error after this many bytes (negative: never).
  long FailWriteAfter = -1;
  bool FailCreateTemp = false;
  bool FailRename = false;
  bool FailReplace = false;
  bool FailRemove = false;
  // Counts renames; with FailRenameNumber > 0 only that rename (1-based) fails.
  int Renames = 0;
  int FailRenameNumber = 0;
  // Reads fail as an unreadable file's would.
  bool FailRead = false;

  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;
  void WriteFile(const std::string& path, std::string_view data) override;
  // Without a fault, pieces are written as they come; with one, through WriteFile.
  void WriteFilePieces(const std::string& path,
                       const std::function<void(const TPieceWriter&)>& produce) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  void ReadFileChunks(const std::string& path,
                      const std::function<bool(std::string_view)>& consume) override;
};

}  // namespace quorel::test
