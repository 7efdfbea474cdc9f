// The map code window.
#include "imagemap/ui/mapcodeform.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/utf8.h"
#include "platform/qt/placement.h"

namespace quorel {

TForm4::TForm4(QWidget* parent, const platform::TServices& services, TSyntaxParser* parser,
               TCustomVrelMemo& mainView, std::function<void()> clipboardFilled)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      MemoSource1(services),
      mainView_(mainView),
      clipboardFilled_(std::move(clipboardFilled)) {
  setWindowTitle("Image Map Code");
  setFixedSize(600, 300);
  MemoSource1.SetSyntaxParser(parser);
  VrelMemo1 = new TVrelMemo(this);
  VrelMemo1->SetMemoSource(&MemoSource1);
  VrelMemo1->SetOptions({moThumbTracking, moColorSyntax});
  TFont font;
  font.Name = "Courier New";
  font.Height = -13;
  VrelMemo1->SetFont(font);
  CloseButton = new QPushButton("Close", this);
  CopyButton = new QPushButton("Copy to clipboard", this);
  InsertButton = new QPushButton("Insert at cursor position", this);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
  connect(CopyButton, &QPushButton::clicked, this, [this] { CopyClick(); });
  connect(InsertButton, &QPushButton::clicked, this, [this] { InsertClick(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(CloseButton);
  buttons->addStretch(1);
  buttons->addWidget(CopyButton);
  buttons->addWidget(InsertButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(VrelMemo1, 1);
  layout->addLayout(buttons);
}

void TForm4::SetCode(const std::vector<std::string>& lines, const TFont& font) {
  VrelMemo1->SetFont(font);
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  MemoSource1.SetEncoding(enUtf8);
  MemoSource1.Lines().SetText(text);
  MemoSource1.SetCaretPos(0, 0);
  MemoSource1.ClearUndo();
  MemoSource1.SetModified(false);
  platform::CentreOnScreen(*this);
}

std::string TForm4::CodeText() {
  std::string text;
  for (int y = 0; y < MemoSource1.LineCount(); ++y) text += MemoSource1.RawLine(y) + "\r\n";
  return text;
}

void TForm4::CopyClick() {
  MemoSource1.SelectAll();
  MemoSource1.CopyToClipboard();
  if (clipboardFilled_) clipboardFilled_();
  close();
}

void TForm4::InsertClick() {
  mainView_.InsertText(FromUtf8(CodeText(), mainView_.MemoSource().IsUtf8()));
  close();
}

}  // namespace quorel
