// Processes that are recorded instead of started, and a desktop whose Ctrl key a test holds.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace quorel::test {

class TRecordingProcesses : public platform::IProcesses {
 public:
  struct TLaunch {
    std::string Program;
    std::vector<std::string> Arguments;
    bool Simple;
  };
  std::vector<TLaunch> Launches;
  bool FailLaunch = false;
  bool FailSimple = false;

  std::string Program = "/opt/quorel/quorel";
  std::string ProgramPath() override { return Program; }
  bool Launch(const std::string& program, const std::vector<std::string>& arguments) override {
    Launches.push_back({program, arguments, false});
    return !FailLaunch;
  }
  bool LaunchSimple(const std::string& program,
                    const std::vector<std::string>& arguments) override {
    Launches.push_back({program, arguments, true});
    return !FailSimple;
  }
  std::string ShortPath(const std::string& path) override { return path; }
  // What FindProgram answers, by name; missing names are not on the PATH.
  std::map<std::string, std::string> OnPath;
  std::string FindProgram(const std::string& name) override {
    auto found = OnPath.find(name);
    return found == OnPath.end() ? "" : found->second;
  }
};

class TFakeShell : public platform::IShell {
 public:
  bool Ctrl = false;
  std::vector<std::string> RecentDocuments;
  void AddToRecentDocuments(const std::string& path) override { RecentDocuments.push_back(path); }
  bool CtrlDown() override { return Ctrl; }
  std::string Documents;
  std::string DocumentsFolder() override { return Documents; }
  std::string DataFolder;
  std::string UserDataFolder() override { return DataFolder; }
  // No state folder unless a test gives one: no recovery journals are kept then.
  std::string StateFolder;
  std::string UserStateFolder() override { return StateFolder; }
  std::string SendTo;
  std::string SendToFolder() override { return SendTo; }
  std::vector<std::string> Opened;
  bool FailOpen = false;  // no program is associated with anything
  bool Open(const std::string& target) override {
    Opened.push_back(target);
    return !FailOpen;
  }
};

}  // namespace quorel::test
