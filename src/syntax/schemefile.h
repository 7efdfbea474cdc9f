// Scheme files (".sch"): a syntax scheme as object text, under a wrapper object "TPersHolder"
// whose property "P" is the scheme.
//
// TSyntaxScheme::LoadFromFile and SaveToFile (declared with the scheme) work on files; the
// functions here work on the text, for callers that already hold it.
#pragma once

#include <string>
#include <string_view>

#include "platform/filesystem.h"

namespace quorel {

class TSyntaxScheme;

// The whole file's text, lines ended by CR LF.
std::string SchemeToText(const TSyntaxScheme& scheme);

// Reads a scheme from its text into a fresh scheme and, when the whole text has been read, puts
// it in place of `scheme`'s content (Clear, then Assign, so the owning parser prepares it anew).
// Properties that are unknown or carry a value of the wrong kind are passed over. Throws
// EVrelError "<what> on line <n>" when the text does not follow the notation; `scheme` is then
// left as it was.
void SchemeFromText(std::string_view text, TSyntaxScheme& scheme);

// The whole content of a scheme or keyword file; EVrelError "Cannot open file <name>" when it
// cannot be read.
std::string ReadSchemeFileText(const std::string& fileName, platform::IFileSystem& files);

// The text of the error box shown when a file cannot be read as a scheme.
std::string CantReadSchemeMessage(const std::string& fileName);

}  // namespace quorel
