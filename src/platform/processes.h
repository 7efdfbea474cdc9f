// Starting other programs (and new instances of this one) without waiting for them.
#pragma once

#include <string>
#include <vector>

namespace quorel::platform {

class IProcesses {
 public:
  virtual ~IProcesses() = default;

  // The full path of this program.
  virtual std::string ProgramPath() = 0;
  // Starts `program` with `arguments`; nothing is kept of the new process. False when it cannot
  // be started.
  virtual bool Launch(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // A second, simpler way to start a program, tried when Launch fails.
  virtual bool LaunchSimple(const std::string& program,
                            const std::vector<std::string>& arguments) = 0;
  // A path without blanks for a command line where the platform has such a form; else the path.
  virtual std::string ShortPath(const std::string& path) = 0;
  // The full path of the program `name` as the PATH finds it; "" when it is not there.
  virtual std::string FindProgram(const std::string& name) = 0;
};

// The desktop around the program.
class IShell {
 public:
  virtual ~IShell() = default;
  // Adds a file to the system's list of recently used documents (nothing where there is none).
  virtual void AddToRecentDocuments(const std::string& path) = 0;
  // Whether the Ctrl key is held down at this moment.
  virtual bool CtrlDown() = 0;
  // The user's documents folder ("" when there is none).
  virtual std::string DocumentsFolder() = 0;
  // The user's own folder for the files the program writes for itself, such as
  // ~/.local/share/Quorel; it need not exist yet.
  virtual std::string UserDataFolder() = 0;
  // The user's folder for what the program keeps between its runs but is no document or
  // setting, such as the recovery journals in ~/.local/state/Quorel; it need not exist yet.
  // "" when there is none (nothing is kept then).
  virtual std::string UserStateFolder() = 0;
  // Opens a document, folder or address with the desktop's default handler.
  virtual bool Open(const std::string& target) = 0;
  // The folder of the entries through which the desktop offers programs for opening files (the
  // user's applications folder, such as ~/.local/share/applications; it need not exist yet); ""
  // when there is none.
  virtual std::string SendToFolder() = 0;
};

}  // namespace quorel::platform
