// The Send To links as desktop entries, written through the safe write.
#include "prefs/sendtolinks.h"

#include "platform/filesystem.h"
#include "platform/longpath.h"
#include "platform/processes.h"
#include "platform/safewrite.h"
#include "prefs/desktopentry.h"
#include "prefs/versionstrings.h"

namespace quorel {

namespace {

// A link file is small; anything much larger is not one.
constexpr size_t kMaxLinkFile = 64 * 1024;

std::string FirstThreeLower(const std::string& s) {
  std::string out = s.substr(0, 3);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

}  // namespace

TSendToLinks::TSendToLinks(const platform::TServices& services)
    : services_(platform::WithDefaults(services)) {}

std::string TSendToLinks::ShellFolderPath(const std::string& name) {
  std::string folder;
  try {
    if (name == "SendTo") folder = services_.Shell->SendToFolder();
    if (name == "Personal") folder = services_.Shell->DocumentsFolder();
  } catch (const std::exception&) {
    folder.clear();
  }
  return folder.empty() ? "Error" : folder;
}

std::string TSendToLinks::LinkFile(const std::string& name) {
  std::string folder = ShellFolderPath("SendTo");
  if (folder == "Error") return {};
  if (folder.back() != '/') folder += '/';
  return folder + name + kSendToLinkExtension;
}

bool TSendToLinks::SendToLinkExists(const std::string& name) {
  std::string file = LinkFile(name);
  try {
    return !file.empty() && services_.Files->IsFile(file);
  } catch (const std::exception&) {
    return false;
  }
}

void TSendToLinks::CreateSendToLink(const std::string& name, const std::string& target) {
  std::string file = LinkFile(name);
  if (file.empty() || target.empty()) return;
  try {
    // A fresh account may have no applications folder yet; desktops make it the same way.
    if (!services_.Files->CreateFolders(ShellFolderPath("SendTo"))) return;
    platform::SafeWriteFile(*services_.Files, file, DesktopEntryText(name, target));
  } catch (const std::exception&) {
    // the buttons show what is on disk
  }
}

void TSendToLinks::DeleteSendToLink(const std::string& name) {
  std::string file = LinkFile(name);
  try {
    if (!file.empty() && services_.Files->IsFile(file)) services_.Files->Remove(file);
  } catch (const std::exception&) {
  }
}

std::string TSendToLinks::LinkTarget(const std::string& linkFile) {
  try {
    std::string program =
        DesktopEntryProgram(services_.Files->ReadWholeFile(linkFile, kMaxLinkFile));
    return program.empty() ? std::string() : platform::ExpandLongPath(program);
  } catch (const std::exception&) {
    return {};
  }
}

std::optional<bool> TSendToLinks::CheckSendToLink() {
  std::string folder = ShellFolderPath("SendTo");
  try {
    if (folder == "Error" || !services_.Files->IsFolder(folder)) return std::nullopt;
    std::string target = LinkTarget(LinkFile(kSendToLinkName));
    // A folder, a device or a pipe is no program (and reading one might never end).
    if (target.empty() || !services_.Files->IsFile(target)) return true;
    std::vector<std::string> strings = FileVersionStrings(*services_.Files, target);
    if (strings.size() <= 1 || strings[0] == "No File Info Available") return true;
    // The version is the third string; a program with only two has no version to trust.
    return strings.size() < 3 || FirstThreeLower(strings[2]) != "1.5";
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace quorel
