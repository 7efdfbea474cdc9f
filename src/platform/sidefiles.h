// Where the program's side files live: the shipped ones beside the program, the ones it writes in
// the user's data folder, so that an installed program works with a read-only program folder.
#pragma once

#include <string>
#include <string_view>

#include "platform/filesystem.h"

namespace quorel::platform {

class TSideFiles {
 public:
  TSideFiles(IFileSystem& files, std::string userFolder, std::string programFolder);

  const std::string& UserFolder() const { return userFolder_; }
  const std::string& ProgramFolder() const { return programFolder_; }
  // Where `name` is read from: the user's own copy when there is one, else the shipped one
  // beside the program (which need not exist either).
  std::string ReadPath(const std::string& name) const;
  // Where `name` is written: in the user's folder.
  std::string WritePath(const std::string& name) const;
  // Writes `name` in the user's folder through the safe write, making the folder on first use.
  // Returns the path written. Throws EFileError naming the real path when it fails.
  std::string Write(const std::string& name, std::string_view data);

 private:
  IFileSystem& files_;
  std::string userFolder_;
  std::string programFolder_;
};

}  // namespace quorel::platform
