// Where the engine finds the platform's services. The program wires the real ones at start-up;
// tests put fakes in with TServicesOverride.
#pragma once

namespace quorel::platform {

class IClipboard;
class IDialogs;
class IFileSystem;
class IProcesses;
class IShell;
class ISettings;

struct TServices {
  IClipboard* Clipboard = nullptr;
  IDialogs* Dialogs = nullptr;
  IFileSystem* Files = nullptr;
  IProcesses* Processes = nullptr;
  IShell* Shell = nullptr;
  ISettings* Settings = nullptr;
};

// The services in force. Without wiring: an in-memory clipboard, dialogs that answer Cancel, the
// standard file system and processes, no desktop and settings kept in memory, so the engine works
// without windows.
TServices& Services();

// Replaces some services for its lifetime (null members keep the current service).
class TServicesOverride {
 public:
  explicit TServicesOverride(const TServices& replacement);
  ~TServicesOverride();
  TServicesOverride(const TServicesOverride&) = delete;
  TServicesOverride& operator=(const TServicesOverride&) = delete;

 private:
  TServices saved_;
};

}  // namespace quorel::platform
