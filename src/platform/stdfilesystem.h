// The file services on top of the C++ library and POSIX calls (no toolkit needed).
#pragma once

#include <ctime>

#include "platform/filesystem.h"

namespace quorel::platform {

// A time as packed DOS date (high word) and time (low word) in local time; -1 before 1980.
int32_t DosDateTime(time_t time);

class TStdFileSystem : public IFileSystem {
 public:
  void ReadFileChunks(const std::string& path,
                      const std::function<bool(std::string_view)>& consume) override;
  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;
  void WriteFile(const std::string& path, std::string_view data) override;
  void WriteFilePieces(const std::string& path,
                       const std::function<void(const TPieceWriter&)>& produce) override;
  bool Exists(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
  void ListFiles(const std::string& folder,
                 const std::function<void(const std::string& name)>& each) override;
  int32_t FileAge(const std::string& path) override;
  bool IsReadOnly(const std::string& path) override;
  bool Remove(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& from, const std::string& to) override;
  void CopyPermissions(const std::string& from, const std::string& to) override;
};

}  // namespace quorel::platform
