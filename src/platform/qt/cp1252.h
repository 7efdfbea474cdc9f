// Conversion between the documents' 8-bit Windows-1252 bytes and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quorel::platform {

QChar Cp1252ToChar(unsigned char byte);
QString Cp1252ToQString(std::string_view bytes);
// Characters outside Windows-1252 become '?'.
std::string QStringToCp1252(const QString& text);

// The program's own texts (messages, file names, settings) are UTF-8; bytes that are not valid
// UTF-8 (texts written by older versions) are read as Windows-1252.
QString TextToQString(std::string_view text);
std::string QStringToText(const QString& text);

}  // namespace quorel::platform
