// Conversion between Windows-1252 bytes and Qt's Unicode strings.
#include "platform/qt/cp1252.h"

#include <QStringDecoder>
#include <array>
#include <unordered_map>

#include "platform/cp1252table.h"

namespace quorel::platform {

namespace {

constexpr const auto& kHigh = kCp1252High;

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

QString TextToQString(std::string_view text) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString out = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return decoder.hasError() ? Cp1252ToQString(text) : out;
}

std::string QStringToText(const QString& text) { return text.toStdString(); }

}  // namespace quorel::platform
