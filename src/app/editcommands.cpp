// What the Edit, Colors, Highlighting and View menus do, the rules that enable them as they
// open, and the custom-colour items.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

#include "app/form1.h"
#include "platform/services.h"
#include "search/memosearch.h"

namespace quorel {

void TForm1::UpdateCaretPanels() {
  SetPanelText(0, QString("Char: %1").arg(MemoSource1.CaretCharColumn()));
  SetPanelText(1, QString("Line: %1").arg(MemoSource1.CaretY() + 1));
}

// ---- Edit menu ----

void TForm1::GotoLine1Click() {
  Parts->ShowingErrors([this] { MemoSource1.GotoLineDialog(); });
}

// The check mark was refreshed when the menu opened (also for the shortcut), so it tells the
// state before this command.
void TForm1::Wrap1Click() { VrelMemo1->SetWordWrap(!VrelMemo1->WordWrap()); }

void TForm1::N8pt1Click(int size) {
  TAttrItem attr = SyntaxParser1.DefaultAttr();
  attr.Font.SetSize(size);
  SyntaxParser1.SetDefaultAttr(attr);
  TFont font = VrelMemo1->Font();
  font.SetSize(size);
  VrelMemo1->SetFont(font);
}

// ---- Highlighting menu ----

void TForm1::Parser1Click() {
  Commands["None4"]->setChecked(!Settings.Highlighting);
  if (!Settings.Highlighting) Settings.CurrentSyntaxScheme = "None";
  Commands["Default1"]->setChecked(Settings.CurrentSyntaxScheme == "Default");
  Commands["RichTextFormat1"]->setChecked(Settings.CurrentSyntaxScheme == "RTF");
  QList<QAction*> items = Commands.Menu("Parser1")->actions();
  for (qsizetype i = 5; i < items.size(); ++i) {
    QAction* scheme = items[i];
    scheme->setChecked(Settings.Highlighting && !Commands["Default1"]->isChecked() &&
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
  Palettes->FormShow();
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
