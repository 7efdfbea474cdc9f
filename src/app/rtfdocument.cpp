// RTF documents: an ".rtf" file opens with its formatting (an attribute document) and is saved
// as RTF again.
#include "app/form1.h"
#include "platform/dialogs.h"
#include "richtext/importinsert.h"

namespace quorel {

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
