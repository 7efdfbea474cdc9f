// The program's links in the desktop's "Send To" place: on this platform desktop entries in the
// user's applications folder, through which file managers offer the program under "Open With".
// Every operation swallows its errors and answers "no" or does nothing.
#pragma once

#include <optional>
#include <string>

#include "platform/services.h"

namespace quorel {

// This version's link and the older version's.
inline constexpr const char* kSendToLinkName = "Quorel 1.5";
inline constexpr const char* kOldSendToLinkName = "Quorel 1.4";
inline constexpr const char* kSendToLinkExtension = ".desktop";

class TSendToLinks {
 public:
  explicit TSendToLinks(const platform::TServices& services);

  // The desktop folder called `name`: "SendTo" the folder of the links, "Personal" the user's
  // documents; "Error" when there is none.
  std::string ShellFolderPath(const std::string& name);
  // The file of the link called `name` ("" when there is no Send To folder).
  std::string LinkFile(const std::string& name);
  bool SendToLinkExists(const std::string& name);
  // Writes the link `name` starting `target` (a full path) in the target's folder. The folder of
  // the links is made when it is missing.
  void CreateSendToLink(const std::string& name, const std::string& target);
  void DeleteSendToLink(const std::string& name);
  // The program the link file starts, its path expanded part by part; "" when the file cannot
  // be read as a link.
  std::string LinkTarget(const std::string& linkFile);

  // Whether "Repair Existing Link" is to be enabled: when this version's link is missing, points
  // nowhere, or points at a program that is not version 1.5. Nothing when the Send To folder
  // does not exist (the button keeps its state).
  std::optional<bool> CheckSendToLink();

 private:
  platform::TServices services_;
};

}  // namespace quorel
