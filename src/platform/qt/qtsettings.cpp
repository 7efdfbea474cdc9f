// The settings store as an INI file through QSettings. Each value is kept as bytes with its type
// in front ("dword:350", "sz:Courier New"), so that strings keep every byte and a value of the
// wrong type is recognised and treated as absent.
#include "platform/qt/qtsettings.h"

#include <QFile>

namespace quorel::platform {

TQtSettings::TQtSettings()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quorel",
                                            "Quorel")) {}

TQtSettings::TQtSettings(const std::string& path)
    : settings_(
          std::make_unique<QSettings>(QFile::decodeName(path.c_str()), QSettings::IniFormat)) {}

std::optional<std::string> TQtSettings::Raw(const std::string& name) const {
  QVariant value = settings_->value(QString::fromStdString(name));
  if (!value.isValid()) return std::nullopt;
  // Written as bytes; a hand-edited plain value reads back as text.
  if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
  if (value.typeId() == QMetaType::QString) return value.toString().toStdString();
  return std::nullopt;
}

void TQtSettings::Put(const std::string& name, const std::string& text) {
  settings_->setValue(QString::fromStdString(name), QByteArray::fromStdString(text));
}

std::optional<int32_t> TQtSettings::ReadInteger(const std::string& name) {
  std::optional<std::string> raw = Raw(name);
  return raw ? DecodeIntegerSetting(*raw) : std::nullopt;
}

std::optional<std::string> TQtSettings::ReadString(const std::string& name) {
  std::optional<std::string> raw = Raw(name);
  return raw ? DecodeStringSetting(*raw) : std::nullopt;
}

void TQtSettings::WriteInteger(const std::string& name, int32_t value) {
  Put(name, EncodeSetting(value));
}

void TQtSettings::WriteString(const std::string& name, const std::string& value) {
  Put(name, EncodeSetting(value));
}

bool TQtSettings::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace quorel::platform
