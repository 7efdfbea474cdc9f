// Loading and saving scheme files.
#include "syntax/schemefile.h"

#include "engine/vrelerror.h"
#include "platform/dialogs.h"
#include "platform/fileerror.h"
#include "platform/filesystem.h"
#include "platform/safewrite.h"
#include "platform/services.h"
#include "syntax/syntaxscheme.h"

namespace quorel {

std::string ReadSchemeFileText(const std::string& fileName, platform::IFileSystem& files) {
  try {
    return files.ReadWholeFile(fileName);
  } catch (const platform::EFileError&) {
    throw EVrelError("Cannot open file " + fileName);
  }
}

void TSyntaxScheme::LoadFromFile(const std::string& fileName, const platform::TServices& services) {
  std::string text = ReadSchemeFileText(fileName, *services.Files);
  try {
    SchemeFromText(text, *this);
  } catch (const EVrelError&) {
    if (services.Dialogs)
      services.Dialogs->MessageBox(platform::mkError, CantReadSchemeMessage(fileName),
                                   platform::mbOK);
    throw;
  }
}

void TSyntaxScheme::SaveToFile(const std::string& fileName,
                               const platform::TServices& services) const {
  try {
    platform::SafeWriteFile(*services.Files, fileName, SchemeToText(*this));
  } catch (const platform::EFileError&) {
    throw EVrelError("Cannot create file " + fileName);
  }
}

}  // namespace quorel
