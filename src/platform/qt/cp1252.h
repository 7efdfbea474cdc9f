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

}  // namespace quorel::platform
