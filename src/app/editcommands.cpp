// What the Edit, Colors, Highlighting and View menus do, the rules that enable them as they
// open, and the custom-colour items.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

#include "app/form1.h"
#include "engine/vrelerror.h"
#include "platform/services.h"
#include "search/memosearch.h"

namespace quorel {

void TForm1::UpdateCaretPanels() {
  SetPanelText(0, QString("Char: %1").arg(MemoSource1.CaretCharColumn()));
  SetPanelText(1, QString("Line: %1").arg(MemoSource1.CaretY() + 1));
}

// ---- Edit menu ----

void TForm1::Edit1Click() {
  bool selection = MemoSource1.HasSelection();
  ToolButton5->setEnabled(selection);
  Cut1->setEnabled(selection);
  ToolButton6->setEnabled(selection);
  Copy1->setEnabled(selection);
  bool canPaste = MemoSource1.CanPaste();
  ToolButton7->setEnabled(canPaste);
  Paste1->setEnabled(canPaste);
  Undo1->setEnabled(MemoSource1.CanUndo());
  Redo1->setEnabled(MemoSource1.CanRedo());
  bool hasText = MemoSource1.LineCount() > 0;
  SelectAll1->setEnabled(hasText);
  Find1->setEnabled(hasText);
  Replace1->setEnabled(hasText);
  FindNext1->setEnabled(!Search1->Options().TextToFind().empty() && Find1->isEnabled());
  GotoLine1->setEnabled(hasText);
  Wrap1->setChecked(VrelMemo1->WordWrap());
}

void TForm1::Cut1Click() {
  VrelMemo1->CutToClipboard();
  ToolButton7->setEnabled(MemoSource1.CanPaste());
}

void TForm1::Copy1Click() {
  VrelMemo1->CopyToClipboard();
  ToolButton7->setEnabled(MemoSource1.CanPaste());
}

void TForm1::SelectAll1Click() {
  MemoSource1.SelectAll();
  ToolButton5->setEnabled(MemoSource1.HasSelection());
  ToolButton6->setEnabled(MemoSource1.HasSelection());
  ToolButton7->setEnabled(MemoSource1.CanPaste());
}

namespace {

// Runs a command of the store or the search; its error becomes an error box.
template <typename F>
void ShowingErrors(platform::IDialogs& dialogs, F command) {
  try {
    command();
  } catch (const EVrelError& e) {
    dialogs.MessageBox(platform::mkError, e.what(), platform::mbOK);
  }
}

}  // namespace

void TForm1::GotoLine1Click() {
  ShowingErrors(*services_.Dialogs, [this] { MemoSource1.GotoLineDialog(); });
}

void TForm1::Find1Click() {
  ShowingErrors(*services_.Dialogs, [this] { Search1->FindDialog(); });
}

void TForm1::FindNext1Click() {
  ShowingErrors(*services_.Dialogs, [this] { Search1->SearchAgain(); });
}

void TForm1::Replace1Click() {
  ShowingErrors(*services_.Dialogs, [this] { Search1->ReplaceDialog(); });
}

// The check mark was refreshed when the menu opened (also for the shortcut), so it tells the
// state before this command.
void TForm1::Wrap1Click() { VrelMemo1->SetWordWrap(!VrelMemo1->WordWrap()); }

void TForm1::ProgramFontSize1Click() {
  for (QAction* item : FontSizeItems)
    item->setChecked(item->data().toInt() == VrelMemo1->Font().Size());
}

void TForm1::N8pt1Click(QAction* item) {
  int size = item->data().toInt();
  TAttrItem attr = SyntaxParser1.DefaultAttr();
  attr.Font.SetSize(size);
  SyntaxParser1.SetDefaultAttr(attr);
  TFont font = VrelMemo1->Font();
  font.SetSize(size);
  VrelMemo1->SetFont(font);
  for (QAction* other : FontSizeItems) other->setChecked(other == item);
}

// ---- Colors menu ----

void TForm1::RefreshColorMenus() {
  for (size_t i = 0; i < 16; ++i) {
    if (!MenuColorItems[i] || !PopupColorItems[i]) continue;
    QString name = QString::fromStdString(Settings.CustomColorName[i]);
    MenuColorItems[i]->setText(name);
    PopupColorItems[i]->setText(name);
    bool used = !Settings.CustomColorName[i].empty();
    PopupColorItems[i]->setVisible(used);
    MenuColorItems[i]->setVisible(used);
    // The separators are shown once a colour is in use and never hidden again here.
    if (used) MenuColorSep1->setVisible(true);
  }
  ColorMenuPopSep1->setVisible(MenuColorSep1->isVisible());
  if (Form2) Form2->RebuildCustomColorsBranch();
  ColorsChanged = false;
}

void TForm1::Color1Click() {
  if (ColorsChanged) RefreshColorMenus();
}

// Inserts the colour's code where the caret is, replacing a selection.
void TForm1::MenuColor1Click(int tag) {
  if (tag < 1 || tag > 16) return;
  VrelMemo1->InsertText(Settings.CustomHexValue[static_cast<size_t>(tag - 1)]);
}

// ---- Highlighting menu ----

void TForm1::HighLighting1Click() { HighlightUrls1->setChecked(MemoSource1.HighlightUrls()); }

void TForm1::HighlightUrls1Click() { MemoSource1.SetHighlightUrls(!MemoSource1.HighlightUrls()); }

void TForm1::Parser1Click() {
  None4->setChecked(!Settings.Highlighting);
  if (!Settings.Highlighting) Settings.CurrentSyntaxScheme = "None";
  Default1->setChecked(Settings.CurrentSyntaxScheme == "Default");
  RichTextFormat1->setChecked(Settings.CurrentSyntaxScheme == "RTF");
  QList<QAction*> items = Parser1->actions();
  for (qsizetype i = 5; i < items.size(); ++i) {
    QAction* scheme = items[i];
    scheme->setChecked(Settings.Highlighting && !Default1->isChecked() &&
                       SchemeCaption(scheme) == Settings.CurrentSyntaxScheme);
  }
}

void TForm1::None4Click() {
  MemoSource1.SetSyntaxParser(nullptr);
  Settings.CurrentSyntaxScheme = "None";
  Settings.SyntaxSchemeLocation = "None";
  Settings.Highlighting = false;
}

void TForm1::Default1Click() {
  Settings.Highlighting = true;
  SyntaxParser1.SyntaxScheme().Assign(DefaultParser.SyntaxScheme());
  MemoSource1.SetSyntaxParser(&SyntaxParser1);
  Settings.CurrentSyntaxScheme = "Default";
  Settings.SyntaxSchemeLocation = "Default";
}

// ---- View menu ----

void TForm1::View1Click() {
  TMemoOptions options = VrelMemo1->Options();
  ShowGutter1->setChecked(options.Contains(moDrawGutter));
  ShowLineNumbers1->setEnabled(ShowGutter1->isChecked());
  ShowLineNumbers1->setChecked(options.Contains(moLineNumbers));
  Toolbar2->setChecked(!ToolBar1->isHidden());
  ItemsPalatte1->setChecked(Form2->isVisible());
}

// Hiding the gutter hides its numbers too; showing it again brings back the gutter alone.
void TForm1::ShowGutter1Click() {
  TMemoOptions options = VrelMemo1->Options();
  if (options.Contains(moDrawGutter)) {
    options.Exclude(moDrawGutter);
    options.Exclude(moLineNumbers);
    options.Exclude(moLineNumbersOnGutter);
  } else {
    options.Include(moDrawGutter);
  }
  VrelMemo1->SetOptions(options);
}

void TForm1::ShowLineNumbers1Click() {
  TMemoOptions options = VrelMemo1->Options();
  if (options.Contains(moLineNumbers)) {
    options.Exclude(moLineNumbers);
    options.Exclude(moLineNumbersOnGutter);
  } else {
    options.Include(moLineNumbers);
    options.Include(moLineNumbersOnGutter);
  }
  VrelMemo1->SetOptions(options);
}

// ---- First showing ----

void TForm1::FormShow() {
  for (size_t i = 0; i < 16; ++i) {
    MenuColorItems[i] = MenuColor[i];
    PopupColorItems[i] = MenuColorPop[i];
  }
  ColorsChanged = true;
  RefreshColorMenus();
  if (Form2->VisibleAtStart) Form2->show();
  // Recent-file captions are measured in the font the menus are drawn with.
  Label1->setFont(QApplication::font("QMenu"));
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

}  // namespace quorel
