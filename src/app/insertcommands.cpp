// Putting ready text at the caret: the custom text of "Custom.txt" and the IMG tags of the
// Images menu's pictures.
#include <QAction>
#include <QDropEvent>
#include <QMenu>

#include "app/form1.h"
#include "codecs/imagetag.h"
#include "engine/utf8.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/services.h"

namespace quorel {

void TForm1::AddInsertCommands() {
  TCommandTable& c = Commands;
  c.Add({.Name = "ToolButton8",
         .Caption = "Insert Text",
         .Hint = "Insert Custom Text",
         .Image = 7,
         .Run = [this] { ToolButton8Click(); }});
  c.Add({.Name = "ToolButton12",
         .Caption = "Edit Text",
         .Hint = "Create/Edit Custom Text",
         .Image = 8,
         .Run = [this] { ToolButton12Click(); }});
  c.Add(
      {.Name = "InsertOther1", .Caption = "Insert &Other", .Run = [this] { InsertOther1Click(); }});
  // The folders of the picture menus open themselves.
  c.Add({.Name = "none2", .Run = [this] { none1Click(Commands["none2"]); }});
  c.Add({.Name = "none3", .Run = [this] { none1Click(Commands["none3"]); }});
}

void TForm1::ToolButton8Click() {
  std::string file = SideFiles.ReadPath("Custom.txt");
  if (!services_.Files->IsFile(file)) {
    // Where the user's own copy belongs.
    Warn(FolderOf(SideFiles.WritePath("Custom.txt")) + "Custom.txt" + "\r\r" +
         "File does not exist you must create one first!");
    return;
  }
  InsertCustomText(file);
}

void TForm1::InsertCustomText(const std::string& fileName) {
  std::string text;
  try {
    text = services_.Files->ReadWholeFile(fileName);
  } catch (const std::exception&) {
    Warn("Unable to open the File - \r\r" + fileName);
    return;
  }
  // The text ends at its first NUL; it is the program's own UTF-8, stored as the document is.
  text = text.substr(0, text.find('\0'));
  VrelMemo1->InsertText(FromUtf8(text, MemoSource1.IsUtf8()));
}

TImageTagOptions TForm1::ImageTagOptions() const {
  return {Settings.FileNameSpaces, Settings.SpaceReplacement};
}

void TForm1::InsertImageTag(const std::string& path, const std::string& alt) {
  std::string tag = ImageTag(path, alt, ImageTagOptions(), MeasurePictureFile(path));
  VrelMemo1->InsertText(FromUtf8(tag, MemoSource1.IsUtf8()));
}

void TForm1::ImageItemClick(QAction* item, bool imagesFolder) {
  if (item == Commands["none2"] || item == Commands["none3"] || item->isSeparator())
    return;  // folders open themselves
  std::string name = item->data().toByteArray().toStdString();
  std::string folder = imagesFolder ? CurrentFolder + "images" + kPathSeparator : CurrentFolder;
  std::string file = folder + name;
  if (services_.Shell->CtrlDown()) {
    if (!services_.Shell->Open(file)) Warn("Unable to launch associated program!!");
    return;
  }
  InsertImageTag(file, imagesFolder ? "/images/" + name : name);
}

void TForm1::InsertOther1Click() {
  platform::TFileDialog dialog;
  dialog.Title = "Open";
  dialog.Filters = PictureFilters();
  dialog.InitialDir = CurrentFolder;
  if (!services_.Dialogs->OpenFileDialog(dialog)) return;
  const std::string& path = dialog.FileName;
  VrelMemo1->InsertText(
      FromUtf8(ImageTag(path, BareFileName(path), ImageTagOptions(), MeasurePictureFile(path)),
               MemoSource1.IsUtf8()));
}

TCustomForm1& TForm1::CustomForm() {
  if (!CustomForm1)
    CustomForm1 = std::make_unique<TCustomForm1>(this, services_, SideFiles, SyntaxParser1);
  return *CustomForm1;
}

void TForm1::ToolButton12Click() {
  TCustomForm1& custom = CustomForm();
  custom.FormShow(MemoSource1, *VrelMemo1, Settings.ToolBarAlignment);
  custom.exec();
}

bool TForm1::VrelMemo1DragOver(QEvent* event) {
  auto* drag = static_cast<QDropEvent*>(event);
  // A drag from outside the program (files, text of another program) is the window's to take.
  if (!drag->source()) return false;
  drag->acceptProposedAction();
  return true;
}

TAboutForm1& TForm1::AboutForm() {
  if (!AboutForm1) AboutForm1 = std::make_unique<TAboutForm1>(this, services_, SideFiles);
  return *AboutForm1;
}

void TForm1::About1Click() {
  TAboutForm1& about = AboutForm();
  about.FormShow();
  about.exec();
}

}  // namespace quorel
