// Starting programs through POSIX calls.
#include "platform/stdprocesses.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

extern char** environ;

namespace quorel::platform {

// The XDG base folder for user data, as desktops on Linux keep it.
std::string TNoShell::UserDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data == '/') return std::string(data) + "/Quorel";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/share/Quorel";
}

std::string XdgStateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state == '/') return std::string(state) + "/Quorel";
  const char* home = std::getenv("HOME");
  if (!home || *home != '/') return "";
  return std::string(home) + "/.local/state/Quorel";
}

std::string TStdProcesses::ProgramPath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

bool TStdProcesses::Launch(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> all{program};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  // A child that starts the program and ends at once, so that nothing waits for the program and
  // no finished process is left behind.
  pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::setsid();
    pid_t grandchild = 0;
    int result =
        ::posix_spawn(&grandchild, program.c_str(), nullptr, nullptr, argv.data(), environ);
    ::_exit(result == 0 ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string TStdProcesses::FindProgram(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos)
    return ::access(name.c_str(), X_OK) == 0 ? name : "";
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = std::min(folders.find(':', start), folders.size());
    std::string folder = folders.substr(start, end - start);
    std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    struct stat st {};
    if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return "";
}

bool TStdProcesses::LaunchSimple(const std::string& program,
                                 const std::vector<std::string>& arguments) {
  return Launch(program, arguments);
}

}  // namespace quorel::platform
