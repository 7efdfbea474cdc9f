// The view's import of RTF and HTML files, RTF documents, and pasting and dragging rich text.
#include "engine/stylenumbers.h"
#include "engine/updateguard.h"
#include "platform/clipboard.h"
#include "richtext/htmlimporter.h"
#include "richtext/importinsert.h"
#include "richtext/rtfimporter.h"
#include "view/vrelmemo.h"

namespace quorel {

TAttributeParser& TCustomVrelMemo::CreateAttributeParser() {
  TAttributeValues url = TAttributeValues::FromFont(font_, Color);
  if (tsUrl < TextStyles.Items.size()) {
    const TTextStyle& style = TextStyles.Items[tsUrl];
    url = TAttributeValues::FromFont(style.Font, style.UseMemoColor ? Color : style.Color);
  }
  store_->SetSyntaxParser(nullptr);  // the old one may be the one replaced here
  attributeParser_ =
      std::make_unique<TAttributeParser>(TAttributeValues::FromFont(font_, Color), url, store_);
  store_->SetSyntaxParser(attributeParser_.get());
  return *attributeParser_;
}

TImportTarget TCustomVrelMemo::ImportTarget() {
  TImportTarget target;
  target.Store = store_;
  target.Font = font_;
  target.Color = Color;
  target.AttachParser = [this]() -> TAttributeParser& { return CreateAttributeParser(); };
  return target;
}

void TCustomVrelMemo::InsertRtfFile(const std::string& fileName) {
  std::string data = ReadImportFile(*store_, fileName);
  TImportTarget target = ImportTarget();
  TVrelRtfImporter importer;
  ImportInto(target, importer, data);
}

void TCustomVrelMemo::ImportHtmlFile(const std::string& fileName) {
  std::string data = ReadImportFile(*store_, fileName);
  TImportTarget target = ImportTarget();
  TVrelHTMLImporter importer;
  ImportInto(target, importer, data);
}

void TCustomVrelMemo::LoadRtfFile(const std::string& fileName) {
  std::string data = ReadImportFile(*store_, fileName);
  TImportTarget target = ImportTarget();
  LoadRtfInto(target, data);
}

bool TCustomVrelMemo::TakesRichText() const {
  TSimpleParser* parser = store_->SyntaxParser();
  return ClipboardType == cbRtf && (!parser || parser->HasAttributes());
}

void TCustomVrelMemo::PasteFromClipboard() {
  if (store_->ReadOnly()) return;
  platform::IClipboard& clipboard = *store_->Services().Clipboard;
  if (!TakesRichText() || !clipboard.HasRtf()) return store_->PasteFromClipboard();
  TUpdateGuard update(*store_, urInsertLines);
  if (store_->Options().Contains(soOverwriteBlocks) &&
      !store_->Options().Contains(soPersistentBlocks))
    store_->DeleteSelection();
  TImportTarget target = ImportTarget();
  TVrelRtfImporter importer;
  ImportInto(target, importer, clipboard.GetRtf());
  if (!store_->Options().Contains(soPersistentBlocks)) store_->SetSelectionType(stNone);
}

bool TCustomVrelMemo::DropRichText(bool move) {
  TSimpleParser* parser = store_->SyntaxParser();
  if (ClipboardType != cbRtf || !parser || !parser->HasAttributes()) return false;
  // The selection travels as RTF, so its formatting goes with it.
  std::string rtf = ExportRtf(ExportSource(), true);
  TUpdateGuard update(*store_, urMoveBlock);
  TUndoGroupGuard group(*store_);
  if (move) store_->DeleteSelectionKeepCaret();
  store_->SetSelectionType(stNone);
  TImportTarget target = ImportTarget();
  TVrelRtfImporter importer;
  ImportInto(target, importer, rtf);
  return true;
}

}  // namespace quorel
