// The view-side commands of the main window: the program font, the split view, the clipboard
// viewer, the status bar's press, and what clicks and key releases in the view refresh.
#include <QAction>
#include <QDropEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "app/form1.h"
#include "engine/clipboardsource.h"
#include "platform/services.h"
#include "view/editwindow.h"

namespace quorel {

namespace {

platform::TFontChoice ToChoice(const TFont& font) {
  platform::TFontChoice choice;
  choice.Name = font.Name;
  choice.Size = font.Size();
  choice.Bold = font.Style.Contains(fsBold);
  choice.Italic = font.Style.Contains(fsItalic);
  choice.Underline = font.Style.Contains(fsUnderline);
  choice.StrikeOut = font.Style.Contains(fsStrikeOut);
  choice.Color = font.Color;
  return choice;
}

void FromChoice(const platform::TFontChoice& choice, TFont& font) {
  font.Name = choice.Name;
  font.SetSize(choice.Size);
  font.Style = {};
  font.Style.Set(fsBold, choice.Bold);
  font.Style.Set(fsItalic, choice.Italic);
  font.Style.Set(fsUnderline, choice.Underline);
  font.Style.Set(fsStrikeOut, choice.StrikeOut);
  font.Color = choice.Color;
}

// What a second view takes over from the first.
void CopyViewSettings(const TCustomVrelMemo& from, TCustomVrelMemo& to) {
  to.SetFont(from.Font());
  to.SetOptions(from.Options());
  to.UseMonoFont = false;
  to.HideScrollBars = from.HideScrollBars;
  to.SetUseGlobalOptions(from.UseGlobalOptions());
  to.GutterBackground = from.GutterBackground;
  to.SetWordWrap(from.WordWrap());
  to.WantReturns = from.WantReturns;
  to.WantTabs = from.WantTabs;
  to.UseDefaultMenu = from.UseDefaultMenu;
}

}  // namespace

// The parser's default font and the view's font both become the chosen one.
void TForm1::ProgramFont1Click() {
  TAttrItem attr = SyntaxParser1.DefaultAttr();
  platform::TFontChoice choice = ToChoice(attr.Font);
  if (!services_.Dialogs->FontDialog(choice)) return;
  FromChoice(choice, attr.Font);
  SyntaxParser1.SetDefaultAttr(attr);
  TFont font = VrelMemo1->Font();
  FromChoice(choice, font);
  VrelMemo1->SetFont(font);
}

// Two views over the one store, one above the other, each with its own scroll position.
void TForm1::SplitView1Click() {
  if (!SplitMemo) {
    int height = VrelMemo1->height();
    takeCentralWidget();
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->addWidget(VrelMemo1);
    SplitMemo = new TVrelMemo(Splitter1);
    SplitMemo->setObjectName("SplitMemo");
    SplitMemo->SetMemoSource(&MemoSource1);
    SplitMemo->OnMenuShortcut = VrelMemo1->OnMenuShortcut;
    CopyViewSettings(*VrelMemo1, *SplitMemo);
    SplitMemo->TextStyles = VrelMemo1->TextStyles;
    Splitter1->addWidget(SplitMemo);
    setCentralWidget(Splitter1);
    int half = (height + 1) / 2;
    Splitter1->setSizes({half, std::max(height - half, 1)});
    SplitMemo->viewport()->installEventFilter(this);
    SplitMemo->installEventFilter(this);
    return;
  }
  // Back to one view filling the window.
  VrelMemo1->setParent(nullptr);
  takeCentralWidget();
  delete Splitter1;  // takes SplitMemo with it
  Splitter1 = nullptr;
  SplitMemo = nullptr;
  setCentralWidget(VrelMemo1);
  VrelMemo1->show();
  VrelMemo1->setFocus();
}

// The clipboard's history in the separate edit window, coloured like the document.
void TForm1::ViewClipboard1Click() {
  if (!ClipboardStore) ClipboardStore = std::make_unique<TClipBoardSource>(services_);
  ClipboardStore->SetSyntaxParser(MemoSource1.SyntaxParser());
  if (!EditWindow) EditWindow = std::make_unique<TEditWindow>();
  EditWindow->ShowStore(*ClipboardStore);
  TVrelMemo* view = EditWindow->Memo();
  CopyViewSettings(*VrelMemo1, *view);
  view->TextStyles = VrelMemo1->TextStyles;
}

// Pressing on the status bar shows a complaint until the button is released.
void TForm1::StatusBar1MouseDown(bool pressed) {
  if (pressed)
    statusBar()->showMessage("Ouch - Do you mind!!");
  else
    statusBar()->clearMessage();
}

// Clicks and key releases in a view refresh the commands (the clipboard buttons follow the
// selection) and the caret read-out.
void TForm1::VrelMemo1Click() {
  Commands.Refresh();
  UpdateCaretPanels();
}

void TForm1::VrelMemo1KeyUp() { VrelMemo1Click(); }

// ---- Drags over the view and the About window ----

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
