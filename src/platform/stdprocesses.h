// Starting programs through POSIX calls, and a desktop without recent documents or a keyboard.
#pragma once

#include "platform/processes.h"

namespace quorel::platform {

class TStdProcesses : public IProcesses {
 public:
  std::string ProgramPath() override;
  bool Launch(const std::string& program, const std::vector<std::string>& arguments) override;
  bool LaunchSimple(const std::string& program, const std::vector<std::string>& arguments) override;
  std::string ShortPath(const std::string& path) override { return path; }
  std::string FindProgram(const std::string& name) override;
};

class TNoShell : public IShell {
 public:
  void AddToRecentDocuments(const std::string&) override {}
  bool CtrlDown() override { return false; }
  bool Open(const std::string&) override { return false; }
  std::string DocumentsFolder() override { return ""; }
  std::string UserDataFolder() override;
  // Without windows nothing is typed that could be lost.
  std::string UserStateFolder() override { return ""; }
  std::string SendToFolder() override { return ""; }
};

// The XDG base folder for state, as desktops on Linux keep it: $XDG_STATE_HOME/Quorel, else
// ~/.local/state/Quorel; "" when neither names a folder.
std::string XdgStateFolder();

}  // namespace quorel::platform
