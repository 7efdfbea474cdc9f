// File services the engine needs: whole-file reads and writes, temporary names, rename and replace.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorel::platform {

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Hands the file's bytes to `consume` piece by piece, in order, until the end or until
  // `consume` returns false. Throws EFileError when the file cannot be opened or read.
  virtual void ReadFileChunks(const std::string& path,
                              const std::function<bool(std::string_view)>& consume) = 0;
  // The whole file, or its first `limit` bytes or a little more (a reader of small side files
  // stops early on something that cannot be one). Throws EFileError like ReadFileChunks.
  std::string ReadWholeFile(const std::string& path, size_t limit = SIZE_MAX) {
    std::string text;
    ReadFileChunks(path, [&](std::string_view chunk) {
      text += chunk;
      return text.size() < limit;
    });
    return text;
  }
  // Creates a new, empty file with a unique name in `folder` whose name starts with `prefix`.
  // Returns its path, or an empty string when no such file can be made.
  virtual std::string CreateTempFile(const std::string& folder, const std::string& prefix) = 0;
  // Writes `data` as the whole content of `path` and flushes it to the disk.
  // Throws EFileError when any part of it fails.
  virtual void WriteFile(const std::string& path, std::string_view data) = 0;
  // The same for content made piece by piece: `produce` hands each piece, in order, to the
  // writer it is given. This base collects the pieces and calls WriteFile; a file system that
  // writes pieces as they come saves a large document without a copy of it in memory.
  using TPieceWriter = std::function<void(std::string_view)>;
  virtual void WriteFilePieces(const std::string& path,
                               const std::function<void(const TPieceWriter&)>& produce) {
    std::string data;
    produce([&data](std::string_view piece) { data += piece; });
    WriteFile(path, data);
  }

  virtual bool Exists(const std::string& path) = 0;
  // An existing file that is not a folder.
  virtual bool IsFile(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  // Makes the folder and the folders above it that are missing; true when it exists afterwards.
  virtual bool CreateFolders(const std::string& path) = 0;
  // Hands `each` the name (no folder) of every file in `folder` that is not a folder itself,
  // hidden ones included, in the order the file system keeps them. A folder that cannot be read
  // gives no names.
  virtual void ListFiles(const std::string& folder,
                         const std::function<void(const std::string& name)>& each) = 0;
  // Last-write time as packed DOS date and time (2-second resolution); -1 when there is no file.
  virtual int32_t FileAge(const std::string& path) = 0;
  // The file is marked read-only: its owner may not write it (whoever the current user is).
  virtual bool IsReadOnly(const std::string& path) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Renames `from` to `to`, which must not exist.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Puts `from` in place of `to` in one step: `to` is either the old or the new file, never
  // missing or half written.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Gives `to` the access permissions of `from`, or those of a newly created file when `from` is
  // missing (best effort).
  virtual void CopyPermissions(const std::string& from, const std::string& to) = 0;
};

}  // namespace quorel::platform
