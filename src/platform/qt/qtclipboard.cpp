// The system clipboard through Qt.
#include "platform/qt/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/cp1252.h"

namespace quorel::platform {

TQtClipboard::TQtClipboard() {
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          [this] { watchers_.Notify(); });
}

bool TQtClipboard::HasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

std::string TQtClipboard::GetText() const {
  return QGuiApplication::clipboard()->text().toStdString();
}

void TQtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

namespace {

// Desktop programs here read RTF as "text/rtf"; Windows names the format "Rich Text Format"
// and wants it NUL-terminated.
const char* const kRtfTypes[] = {"text/rtf", "application/rtf", "text/richtext"};
const char* const kWindowsRtf = "application/x-qt-windows-mime;value=\"Rich Text Format\"";

}  // namespace

void TQtClipboard::SetTextAndRtf(const std::string& text, const std::string& rtf) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(text));
  QByteArray bytes = QByteArray::fromStdString(rtf);
  for (const char* type : kRtfTypes) data->setData(type, bytes);
  data->setData(kWindowsRtf, bytes + '\0');
  QGuiApplication::clipboard()->setMimeData(data);
}

bool TQtClipboard::HasRtf() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return false;
  for (const char* type : kRtfTypes)
    if (data->hasFormat(type)) return true;
  return data->hasFormat(kWindowsRtf);
}

std::string TQtClipboard::GetRtf() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return {};
  for (const char* type : kRtfTypes)
    if (data->hasFormat(type)) return data->data(type).toStdString();
  QByteArray bytes = data->data(kWindowsRtf);
  if (bytes.endsWith('\0')) bytes.chop(1);
  return bytes.toStdString();
}

bool TQtClipboard::OwnedByThisApplication() const {
  return QGuiApplication::clipboard()->ownsClipboard();
}

}  // namespace quorel::platform
