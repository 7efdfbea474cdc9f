// The clipboard history store.
#include "engine/clipboardsource.h"

#include "engine/strings.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"
#include "platform/clipboard.h"
#include "platform/services.h"

namespace quorel {

TClipBoardSource::TClipBoardSource(const platform::TServices& services)
    : TMemoSource(services), clipboard_(services.Clipboard) {
  TCustomMemoSource::ChangeFileName("Clipboard");
  watchId_ = clipboard_->Watch([this] { ClipboardChanged(); });
  // A new watcher is shown what the clipboard holds already, as its starting text.
  ClipboardChanged();
  ClearUndo();
  SetModified(false);
}

TClipBoardSource::~TClipBoardSource() { clipboard_->Unwatch(watchId_); }

void TClipBoardSource::CopyToClipboard(const std::function<std::string()>& rtf) {
  // Our own copy must not be appended to ourselves.
  copying_ = true;
  try {
    TMemoSource::CopyToClipboard(rtf);
  } catch (...) {
    copying_ = false;
    throw;
  }
  copying_ = false;
}

void TClipBoardSource::ClipboardChanged() {
  if (copying_ || ReadOnly() || !clipboard_->HasText()) return;
  std::string text = FromUtf8(clipboard_->GetText(), IsUtf8());
  if (text.empty()) return;
  std::vector<std::string> lines = SplitLines(text);

  TUpdateGuard update(*this, urInsertText);
  int last = LineCount() - 1;
  if (last >= 0) {
    SetCaretPos(LineLength(last), last);
    SplitLine();
    SetCaretPos(0, last + 1);
  } else {
    SetCaretPos(0, 0);
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      SetCaretPos(LineLength(CaretY()), CaretY());
      SplitLine();
      SetCaretPos(0, CaretY() + 1);
    }
    InsertText(lines[i]);
  }
}

}  // namespace quorel
