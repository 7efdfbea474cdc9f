// Starting programs and the desktop's services through Qt.
#pragma once

#include "platform/processes.h"

namespace quorel::platform {

class TQtProcesses : public IProcesses {
 public:
  std::string ProgramPath() override;
  bool Launch(const std::string& program, const std::vector<std::string>& arguments) override;
  bool LaunchSimple(const std::string& program, const std::vector<std::string>& arguments) override;
  std::string ShortPath(const std::string& path) override { return path; }
  std::string FindProgram(const std::string& name) override;
};

class TQtShell : public IShell {
 public:
  // Linux desktops keep no list the program could add to.
  void AddToRecentDocuments(const std::string&) override {}
  bool CtrlDown() override;
  bool Open(const std::string& target) override;
  std::string DocumentsFolder() override;
  std::string UserDataFolder() override;
  std::string UserStateFolder() override;
  std::string SendToFolder() override;
};

}  // namespace quorel::platform
