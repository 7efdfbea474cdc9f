// The About window.
#include "app/aboutform.h"

#include "app/recentfiles.h"
#include "platform/filesystem.h"
#include "platform/qt/placement.h"

namespace quorel {

TAboutForm1::TAboutForm1(QWidget* parent, const platform::TServices& services,
                         const platform::TSideFiles& sideFiles)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint),
      store_(services),
      sideFiles_(sideFiles) {
  setWindowTitle("About");
  setFixedSize(431, 348);
  VrelMemo1 = new TVrelMemo(this);
  VrelMemo1->setGeometry(8, 8, 417, 305);
  VrelMemo1->setFrameShape(QFrame::NoFrame);
  VrelMemo1->SetMemoSource(&store_);
  store_.SetAllowUndo(false);
  store_.SetHighlightUrls(true);
  store_.SetBlockOption(bkStreamSel);
  VrelMemo1->SetOptions({moThumbTracking, moColorSyntax});
  VrelMemo1->SetWordWrap(true);
  VrelMemo1->HideSelection = true;
  VrelMemo1->UseDefaultMenu = false;
  VrelMemo1->HideScrollBars = true;
  VrelMemo1->SelColor = clWhite;
  VrelMemo1->SelBackColor = clNavy;
  TFont font;
  font.Name = "Courier New";
  font.SetSize(10);
  font.Color = clBlack;
  VrelMemo1->SetFont(font);
  Button1 = new QPushButton("Close", this);
  Button1->setGeometry(344, 320, 81, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm1::FormShow() {
  std::string path = sideFiles_.ReadPath("Readme.txt");
  store_.SetReadOnly(false);
  bool loaded = false;
  if (store_.Services().Files->IsFile(path)) {
    try {
      store_.LoadFromFile(path);
      loaded = true;
    } catch (const std::exception&) {
      loaded = false;
    }
  }
  if (!loaded)
    store_.Lines().SetText("Unable to Find Readme Document,\r\r" + FolderOf(path) + "Readme.txt" +
                           "please reinstall software");
  store_.SetReadOnly(true);
  platform::CentreOnScreen(*this);
  Button1->setFocus();
}

}  // namespace quorel
