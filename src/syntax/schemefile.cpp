// Loading and saving scheme files.
#include "syntax/schemefile.h"

#include <filesystem>

#include "engine/vrelerror.h"
#include "platform/dialogs.h"
#include "platform/fileerror.h"
#include "platform/filesystem.h"
#include "platform/services.h"
#include "syntax/syntaxscheme.h"

namespace quorel {

std::string ReadSchemeFileText(const std::string& fileName) {
  try {
    return platform::Services().Files->ReadWholeFile(fileName);
  } catch (const platform::EFileError&) {
    throw EVrelError("Cannot open file " + fileName);
  }
}

void TSyntaxScheme::LoadFromFile(const std::string& fileName) {
  std::string text = ReadSchemeFileText(fileName);
  try {
    SchemeFromText(text, *this);
  } catch (const EVrelError&) {
    if (platform::IDialogs* dialogs = platform::Services().Dialogs)
      dialogs->MessageBox(platform::mkError, CantReadSchemeMessage(fileName), platform::mbOK);
    throw;
  }
}

void TSyntaxScheme::SaveToFile(const std::string& fileName) const {
  // Written beside the file first and then put in its place, so that a failed write never leaves
  // a scheme file half written.
  platform::IFileSystem& files = *platform::Services().Files;
  std::filesystem::path path(fileName);
  std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
  std::string temp = files.CreateTempFile(folder, "." + path.filename().string() + ".");
  if (temp.empty()) throw EVrelError("Cannot create file " + fileName);
  try {
    files.WriteFile(temp, SchemeToText(*this));
  } catch (const platform::EFileError&) {
    files.Remove(temp);
    throw EVrelError("Cannot create file " + fileName);
  }
  files.CopyPermissions(fileName, temp);
  if (!files.Replace(temp, fileName)) {
    files.Remove(temp);
    throw EVrelError("Cannot create file " + fileName);
  }
}

}  // namespace quorel
