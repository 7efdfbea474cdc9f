// The platform's services as one bundle. The program makes the real ones when it starts and hands
// them to its windows, which hand them on to the objects they own; tests hand in fakes.
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

// Services that need no window system: an in-memory clipboard, dialogs that answer Cancel, the
// standard file system and processes, no desktop and settings kept in memory. An object whose
// owner hands it no services uses these, so the engine works without windows; the program hands
// its windows the real ones when it starts.
const TServices& DefaultServices();

// `partial` with its null members taken from DefaultServices().
TServices WithDefaults(const TServices& partial);

}  // namespace quorel::platform
