// The file services through Qt's file classes, portable to every platform Qt runs on.
#pragma once

#include "platform/filesystem.h"

namespace quorel::platform {

class TQtFileSystem : public IFileSystem {
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
