// The import half of File > Import and Export, and RTF documents: an ".rtf" file opens with its
// formatting (an attribute document) and is saved as RTF again.
#include "app/form1.h"
#include "platform/dialogs.h"
#include "richtext/importinsert.h"

namespace quorel {

void TForm1::AddImportCommands() {
  Commands.Add({.Name = "ImportfromRTF1", .Caption = "&Import text from RTF", .Run = [this] {
                  ImportfromRTF1Click();
                }});
  Commands.Add({.Name = "ImportHTML1", .Caption = "I&mport text from HTML", .Run = [this] {
                  ImportHTML1Click();
                }});
  OpenDialog4.Title = "Import from a RTF File";
  OpenDialog4.Filters = {{"Rich Text Files (*.rtf)", "*.rtf"}};
  OpenDialog3.Title = "Import from a HTML File";
  OpenDialog3.Filters = {
      {"HTML Files (*.html; *.htm; *.asp; *.htx)", "*.html; *.htm; *.asp; *.htx"}};
}

void TForm1::ImportWith(platform::TFileDialog& dialog,
                        void (TCustomVrelMemo::*import)(const std::string&)) {
  dialog.FileName.clear();
  dialog.InitialDir = CurrentFolder;
  if (!services_.Dialogs->OpenFileDialog(dialog) || dialog.FileName.empty()) return;
  try {
    (VrelMemo1->*import)(dialog.FileName);
  } catch (const std::exception&) {
    Warn("An error has occured and import aborted!");
  }
}

void TForm1::ImportfromRTF1Click() { ImportWith(OpenDialog4, &TCustomVrelMemo::InsertRtfFile); }

void TForm1::ImportHTML1Click() { ImportWith(OpenDialog3, &TCustomVrelMemo::ImportHtmlFile); }

bool TForm1::IsRtfDocument() const {
  return MemoSource1.SyntaxParser() && MemoSource1.SyntaxParser() == VrelMemo1->AttributeParser();
}

void TForm1::LoadRtfDocument(const std::string& fileName) {
  // Read first: a file that cannot be read leaves the document shown as it was.
  LoadRtfData(ReadImportFile(MemoSource1, fileName));
}

void TForm1::LoadRtfData(std::string_view data) {
  if (!IsRtfDocument()) {
    SchemeBeforeRtf = Settings.CurrentSyntaxScheme;
    VrelMemo1->CreateAttributeParser();
  }
  // RTF holds Unicode text, which a UTF-8 document keeps whole.
  MemoSource1.SetEncoding(enUtf8);
  TImportTarget target = VrelMemo1->ImportTarget();
  LoadRtfInto(target, data);
  for (QAction* item : Commands.Menu("Parser1")->actions()) item->setChecked(false);
  Settings.CurrentSyntaxScheme = "RTF";
  Commands["RichTextFormat1"]->setChecked(true);
}

void TForm1::LeaveRtfDocument() {
  if (!IsRtfDocument()) return;
  MemoSource1.SetSyntaxParser(Settings.Highlighting ? &SyntaxParser1 : nullptr);
  if (Settings.CurrentSyntaxScheme == "RTF") Settings.CurrentSyntaxScheme = SchemeBeforeRtf;
}

}  // namespace quorel
