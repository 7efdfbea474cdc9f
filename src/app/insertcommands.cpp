// Putting ready text at the caret: the custom text of "Custom.txt" and the IMG tags of the
// Images menu's pictures.
#include "app/insertcommands.h"

#include <QAction>
#include <QMenu>

#include "app/recentfiles.h"
#include "codecs/imagetag.h"
#include "engine/utf8.h"
#include "imagemap/ui/picturefilters.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/services.h"
#include "view/vrelmemo.h"

namespace quorel {

TInsertCommands::TInsertCommands(TMainParts& parts, TSyntaxParser& parser)
    : parts_(parts), parser_(parser) {}

TInsertCommands::~TInsertCommands() = default;

void TInsertCommands::AddCommands() {
  TCommandTable& c = parts_.Commands;
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
  c.Add({.Name = "none2", .Run = [this] { OpenFolder(false); }});
  c.Add({.Name = "none3", .Run = [this] { OpenFolder(true); }});
}

void TInsertCommands::ToolButton8Click() {
  std::string file = parts_.SideFiles.ReadPath("Custom.txt");
  if (!parts_.Services.Files->IsFile(file)) {
    // Where the user's own copy belongs.
    parts_.Warn(FolderOf(parts_.SideFiles.WritePath("Custom.txt")) + "Custom.txt" + "\r\r" +
                "File does not exist you must create one first!");
    return;
  }
  InsertCustomText(file);
}

void TInsertCommands::InsertCustomText(const std::string& fileName) {
  std::string text;
  try {
    text = parts_.Services.Files->ReadWholeFile(fileName);
  } catch (const std::exception&) {
    parts_.Warn("Unable to open the File - \r\r" + fileName);
    return;
  }
  // The text ends at its first NUL; it is the program's own UTF-8, stored as the document is.
  text = text.substr(0, text.find('\0'));
  parts_.View.InsertText(FromUtf8(text, parts_.Store.IsUtf8()));
}

TImageTagOptions TInsertCommands::ImageTagOptions() const {
  return {parts_.Settings.FileNameSpaces, parts_.Settings.SpaceReplacement};
}

void TInsertCommands::InsertImageTag(const std::string& path, const std::string& alt) {
  std::string tag = ImageTag(path, alt, ImageTagOptions(), MeasurePictureFile(path));
  parts_.View.InsertText(FromUtf8(tag, parts_.Store.IsUtf8()));
}

void TInsertCommands::ImageItemClick(QAction* item, bool imagesFolder) {
  if (item == parts_.Commands["none2"] || item == parts_.Commands["none3"] || item->isSeparator())
    return;  // folders open themselves
  std::string name = item->data().toByteArray().toStdString();
  std::string folder =
      imagesFolder ? parts_.CurrentFolder() + "images" + kPathSeparator : parts_.CurrentFolder();
  std::string file = folder + name;
  if (parts_.Services.Shell->CtrlDown()) {
    if (!parts_.Services.Shell->Open(file)) parts_.Warn("Unable to launch associated program!!");
    return;
  }
  InsertImageTag(file, imagesFolder ? "/images/" + name : name);
}

void TInsertCommands::InsertOther1Click() {
  platform::TFileDialog dialog;
  dialog.Title = "Open";
  dialog.Filters = PictureFilters();
  dialog.InitialDir = parts_.CurrentFolder();
  if (!parts_.Services.Dialogs->OpenFileDialog(dialog)) return;
  const std::string& path = dialog.FileName;
  parts_.View.InsertText(
      FromUtf8(ImageTag(path, BareFileName(path), ImageTagOptions(), MeasurePictureFile(path)),
               parts_.Store.IsUtf8()));
}

TCustomForm1& TInsertCommands::CustomForm() {
  if (!CustomForm1)
    CustomForm1 =
        std::make_unique<TCustomForm1>(&parts_.Window, parts_.Services, parts_.SideFiles, parser_);
  return *CustomForm1;
}

void TInsertCommands::ToolButton12Click() {
  TCustomForm1& custom = CustomForm();
  custom.FormShow(parts_.Store, parts_.View, parts_.Settings.ToolBarAlignment);
  custom.exec();
}

void TInsertCommands::OpenFolder(bool imagesFolder) {
  std::string folder = parts_.CurrentFolder();
  if (imagesFolder) folder += std::string("images") + kPathSeparator;
  parts_.Services.Shell->Open(folder);
}

}  // namespace quorel
