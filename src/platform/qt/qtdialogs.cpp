// The modal dialogs as Qt dialogs.
#include "platform/qt/qtdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/qt/cp1252.h"

namespace quorel::platform {

namespace {

// Messages mark line breaks with carriage returns.
QString Text(const std::string& s) { return TextToQString(s).replace('\r', '\n'); }

QStringList Filters(const TFileDialog& dialog) {
  QStringList filters;
  for (const TFileFilter& f : dialog.Filters) {
    QString description = TextToQString(f.Description);
    // Qt reads the patterns from a trailing "(...)", space separated.
    int paren = description.lastIndexOf(" (");
    if (paren > 0 && description.endsWith(')')) description.truncate(paren);
    QString patterns = TextToQString(f.Pattern).replace(';', ' ').simplified();
    filters << description + " (" + patterns + ")";
  }
  return filters;
}

bool Run(TFileDialog& dialog, QFileDialog::AcceptMode mode) {
  QFileDialog box(QApplication::activeWindow(), Text(dialog.Title));
  box.setAcceptMode(mode);
  box.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
  QStringList filters = Filters(dialog);
  box.setNameFilters(filters);
  if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size())
    box.selectNameFilter(filters[dialog.FilterIndex - 1]);
  QString ext = TextToQString(dialog.DefaultExt);
  ext.remove(QChar('*')).remove(QChar('.'));
  if (!ext.isEmpty()) box.setDefaultSuffix(ext);
  if (!dialog.InitialDir.empty()) box.setDirectory(TextToQString(dialog.InitialDir));
  if (!dialog.FileName.empty()) box.selectFile(TextToQString(dialog.FileName));
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  dialog.FileName = QFile::encodeName(box.selectedFiles().first()).toStdString();
  dialog.FilterIndex = static_cast<int>(filters.indexOf(box.selectedNameFilter())) + 1;
  return true;
}

}  // namespace

TMsgResult TQtDialogs::MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
  QMessageBox::Icon icon = kind == mkWarning        ? QMessageBox::Warning
                           : kind == mkConfirmation ? QMessageBox::Question
                           : kind == mkError        ? QMessageBox::Critical
                                                    : QMessageBox::Information;
  QMessageBox::StandardButtons standard =
      buttons == mbOKCancel      ? QMessageBox::Ok | QMessageBox::Cancel
      : buttons == mbYesNo       ? QMessageBox::Yes | QMessageBox::No
      : buttons == mbYesNoCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
      : buttons == mbYesNoCancelAll
          ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll
          : QMessageBox::StandardButtons(QMessageBox::Ok);
  QMessageBox box(icon, MessageTitle(kind), Text(text), standard, QApplication::activeWindow());
  if (QAbstractButton* all = box.button(QMessageBox::YesToAll)) all->setText("All");
  switch (box.exec()) {
    case QMessageBox::YesToAll:
      return mrAll;
    case QMessageBox::Ok:
      return mrOk;
    case QMessageBox::Yes:
      return mrYes;
    case QMessageBox::No:
      return mrNo;
    default:
      return mrCancel;
  }
}

bool TQtDialogs::OpenFileDialog(TFileDialog& dialog) {
  return Run(dialog, QFileDialog::AcceptOpen);
}

bool TQtDialogs::SaveFileDialog(TFileDialog& dialog) {
  return Run(dialog, QFileDialog::AcceptSave);
}

bool TQtDialogs::SelectFolder(const std::string& title, std::string& folder) {
  QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), Text(title),
                                                     TextToQString(folder));
  if (chosen.isEmpty()) return false;
  folder = QStringToText(chosen);
  return true;
}

bool TQtDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                            std::string& value) {
  bool ok = false;
  QString answer =
      QInputDialog::getText(QApplication::activeWindow(), Text(caption), Text(prompt).remove('&'),
                            QLineEdit::Normal, TextToQString(value), &ok);
  if (ok) value = QStringToText(answer);
  return ok;
}

// The font dialog has no colour of its own here: after a font is chosen, the colour dialog
// offers the text colour, and cancelling it keeps the colour the font had.
bool TQtDialogs::FontDialog(TFontChoice& font) {
  QFont start(TextToQString(font.Name), font.Size);
  start.setBold(font.Bold);
  start.setItalic(font.Italic);
  start.setUnderline(font.Underline);
  start.setStrikeOut(font.StrikeOut);
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, start, QApplication::activeWindow(), "Font");
  if (!ok) return false;
  font.Name = QStringToText(chosen.family());
  font.Size = chosen.pointSize() > 0 ? chosen.pointSize() : font.Size;
  font.Bold = chosen.bold();
  font.Italic = chosen.italic();
  font.Underline = chosen.underline();
  font.StrikeOut = chosen.strikeOut();
  QColor colour = QColorDialog::getColor(
      QColor(font.Color & 0xFF, (font.Color >> 8) & 0xFF, (font.Color >> 16) & 0xFF),
      QApplication::activeWindow(), "Font Colour");
  if (colour.isValid())
    font.Color = static_cast<unsigned>(colour.red()) | static_cast<unsigned>(colour.green()) << 8 |
                 static_cast<unsigned>(colour.blue()) << 16;
  return true;
}

namespace {

QColor FromBgr(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

unsigned ToBgr(const QColor& c) {
  return static_cast<unsigned>(c.red()) | static_cast<unsigned>(c.green()) << 8 |
         static_cast<unsigned>(c.blue()) << 16;
}

// Box k counts along the top row of eight, then the bottom row; Qt counts down the columns.
int QtBoxIndex(int k) { return k / 8 + (k % 8) * 2; }

// Qt's empty custom boxes are white.
constexpr unsigned kEmptyBox = 0xFFFFFF;

}  // namespace

// Qt's boxes cannot be unset: an unset box goes in white, and comes out unset unless the user
// put another colour into it (so white itself cannot be put into an unset box).
bool TQtDialogs::ColorDialog(TColorChoice& colors) {
  for (int k = 0; k < 16; ++k) {
    unsigned box = colors.CustomColors[static_cast<size_t>(k)];
    QColorDialog::setCustomColor(QtBoxIndex(k), FromBgr(box == kNoColor ? kEmptyBox : box));
  }
  QColorDialog dialog(FromBgr(colors.Color), QApplication::activeWindow());
  dialog.setWindowTitle("Color");
  if (dialog.exec() != QDialog::Accepted) return false;
  colors.Color = ToBgr(dialog.selectedColor());
  for (int k = 0; k < 16; ++k) {
    unsigned& box = colors.CustomColors[static_cast<size_t>(k)];
    unsigned now = ToBgr(QColorDialog::customColor(QtBoxIndex(k)));
    if (box != kNoColor || now != kEmptyBox) box = now;
  }
  return true;
}

}  // namespace quorel::platform
