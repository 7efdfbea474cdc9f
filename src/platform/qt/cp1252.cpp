// Conversion between Windows-1252 bytes and Qt's Unicode strings.
#include "platform/qt/cp1252.h"

#include <array>
#include <unordered_map>

namespace quorel::platform {

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1. Unassigned codes map to themselves.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

QChar Cp1252ToChar(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return QChar(kHigh[byte - 0x80]);
  return QChar(byte);
}

QString Cp1252ToQString(std::string_view bytes) {
  QString out;
  out.resize(static_cast<qsizetype>(bytes.size()));
  QChar* dst = out.data();
  for (unsigned char c : bytes) *dst++ = Cp1252ToChar(c);
  return out;
}

std::string QStringToCp1252(const QString& text) {
  static const std::unordered_map<char16_t, unsigned char> reverse = [] {
    std::unordered_map<char16_t, unsigned char> map;
    for (int i = 0; i < 32; ++i) map[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
    return map;
  }();
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) {
    char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.push_back(static_cast<char>(u));
    } else if (auto it = reverse.find(u); it != reverse.end()) {
      out.push_back(static_cast<char>(it->second));
    } else {
      out.push_back('?');
    }
  }
  return out;
}

}  // namespace quorel::platform
