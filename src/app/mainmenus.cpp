// The main window's command rows and the menus and toolbar built from them. A new command is
// one row here (or in its controller) and one function.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/form1.h"
#include "search/memosearch.h"

namespace quorel {

namespace {

// "8pt" .. "14pt" and their keys; the item's tag is the size.
const char* const kFontSizeKeys[7] = {"Shift+F8",  "Shift+F9", "Ctrl+F10", "Ctrl+F11",
                                      "Shift+F12", "",         ""};

}  // namespace

QString MenuText(const std::string& text);

bool TForm1::HasText() const { return MemoSource1.LineCount() > 0; }

void TForm1::AddFileCommands() {
  TCommandTable& c = Commands;
  auto modified = [this] { return MemoSource1.Modified(); };
  auto hasText = [this] { return HasText(); };
  c.Add({.Name = "New1", .Caption = "&New", .Shortcut = "Ctrl+N", .Run = [this] { New1Click(); }});
  c.Add({.Name = "Open1",
         .Caption = "&Open...",
         .Shortcut = "Ctrl+O",
         .Hint = "Open a File",
         .Run = [this] { Open1Click(); }});
  c.Add({.Name = "none1"});  // the folder itself; the menu's own handler opens it
  c.Add({.Name = "Save1",
         .Caption = "&Save",
         .Shortcut = "Ctrl+S",
         .Run = [this] { Save1Click(); },
         .Enabled = modified});
  c.Add({.Name = "SaveAs1",
         .Caption = "Save &As...",
         .Shortcut = "Ctrl+Alt+S",
         .Run = [this] { SaveAs1Click(); },
         .Enabled = hasText});
  c.Add({.Name = "ReverttoSaved1",
         .Caption = "&Revert to Saved",
         .Shortcut = "Ctrl+Alt+R",
         .Run = [this] { ReverttoSaved1Click(); },
         .Enabled =
             [this] {
               return (HasDocumentName() && MemoSource1.Modified()) || Document.ReadOnlyOrigin();
             }});
  c.Add({.Name = "SaveaCopy1",
         .Caption = "Sa&ve a Copy",
         .Run = [this] { SaveaCopy1Click(); },
         .Enabled = hasText});
  // The document's encoding and line ends (beyond the original menus).
  const char* encodings[2] = {"Windows-1252", "UTF-8"};
  const char* encodingNames[2] = {"Windows12521", "UTF81"};
  for (int i = 0; i < 2; ++i) {
    auto encoding = static_cast<TEncoding>(i);
    c.Add({.Name = encodingNames[i],
           .Caption = encodings[i],
           .Checkable = true,
           .Run = [this, encoding] { Encodings1Click(encoding); },
           .Checked = [this, encoding] { return MemoSource1.Encoding() == encoding; }});
  }
  c.Add(
      {.Name = "ConverttoUtf81",
       .Caption = "Convert to UTF-8",
       .Run = [this] { ConverttoUtf81Click(); },
       .Enabled = [this] { return MemoSource1.Encoding() != enUtf8 && !MemoSource1.ReadOnly(); }});
  const char* lineEnds[3] = {"CR LF (Windows)", "CR (classic Mac)", "LF (Unix)"};
  const char* lineEndNames[3] = {"CRLF1", "CR1", "LF1"};
  for (int i = 0; i < 3; ++i) {
    auto format = static_cast<TOutFormatType>(i);
    c.Add({.Name = lineEndNames[i],
           .Caption = lineEnds[i],
           .Checkable = true,
           .Run = [this, format] { LineEnds1Click(format); },
           .Checked = [this, format] { return MemoSource1.OutFormat() == format; }});
  }
  c.Add({.Name = "Preferences1", .Caption = "Pr&eferences", .Shortcut = "F8", .Run = [this] {
           Preferences1Click();
         }});
  c.Add({.Name = "Exit1", .Caption = "E&xit", .Shortcut = "Ctrl+Q", .Run = [this] { close(); }});
  for (int n = 1; n <= kRecentSlots; ++n) {
    std::string name = "FileName" + std::to_string(n);
    c.Add({.Name = name, .Visible = false, .Data = n, .Run = [this, name] {
             FileName1Click(Commands[name]);
           }});
  }
}

void TForm1::AddEditCommands() {
  TCommandTable& c = Commands;
  auto selection = [this] { return MemoSource1.HasSelection(); };
  auto canPaste = [this] { return MemoSource1.CanPaste(); };
  auto hasText = [this] { return HasText(); };
  c.Add({.Name = "Undo1",
         .Caption = "&Undo",
         .Shortcut = "Ctrl+Z",
         .Run = [this] { MemoSource1.Undo(); },
         .Enabled = [this] { return MemoSource1.CanUndo(); }});
  c.Add({.Name = "Redo1",
         .Caption = "&Redo",
         .Shortcut = "Ctrl+R",
         .Run = [this] { MemoSource1.Redo(); },
         .Enabled = [this] { return MemoSource1.CanRedo(); }});
  c.Add({.Name = "Cut1",
         .Caption = "Cu&t",
         .Shortcut = "Ctrl+X",
         .Run = [this] { VrelMemo1->CutToClipboard(); },
         .Enabled = selection});
  c.Add({.Name = "Copy1",
         .Caption = "&Copy",
         .Shortcut = "Ctrl+C",
         .Run = [this] { VrelMemo1->CopyToClipboard(); },
         .Enabled = selection});
  c.Add({.Name = "Paste1",
         .Caption = "&Paste",
         .Shortcut = "Ctrl+V",
         .Run = [this] { VrelMemo1->PasteFromClipboard(); },
         .Enabled = canPaste});
  c.Add({.Name = "SelectAll1",
         .Caption = "&Select All",
         .Shortcut = "Ctrl+A",
         .Run = [this] { MemoSource1.SelectAll(); },
         .Enabled = hasText});
  c.Add({.Name = "ViewClipboard1", .Caption = "&View Clipboard", .Run = [this] {
           ViewClipboard1Click();
         }});
  c.Add({.Name = "GotoLine1",
         .Caption = "Goto Line",
         .Shortcut = "Ctrl+J",
         .Run = [this] { GotoLine1Click(); },
         .Enabled = hasText});
  c.Add({.Name = "Wrap1",
         .Caption = "&Wrap",
         .Shortcut = "Ctrl+W",
         .Checkable = true,
         .Run = [this] { Wrap1Click(); },
         .Checked = [this] { return VrelMemo1->WordWrap(); }});
  for (int i = 0; i < 7; ++i) {
    int size = 8 + i;
    c.Add({.Name = "N" + std::to_string(size) + "pt1",
           .Caption = QString("%1pt").arg(size),
           .Shortcut = kFontSizeKeys[i],
           .Checkable = true,
           .Data = size,
           .Run = [this, size] { N8pt1Click(size); },
           .Checked = [this, size] { return VrelMemo1->Font().Size() == size; }});
  }
  c.Add(
      {.Name = "ProgramFont1", .Caption = "Pr&ogram Font", .Run = [this] { ProgramFont1Click(); }});
  // The toolbar's clipboard buttons.
  c.Add({.Name = "ToolButton5",
         .Caption = "Cut",
         .Hint = "Cut",
         .Image = 4,
         .Run = [this] { VrelMemo1->CutToClipboard(); },
         .Enabled = selection});
  c.Add({.Name = "ToolButton6",
         .Caption = "Copy",
         .Hint = "Copy",
         .Image = 5,
         .Run = [this] { VrelMemo1->CopyToClipboard(); },
         .Enabled = selection});
  c.Add({.Name = "ToolButton7",
         .Caption = "Paste",
         .Hint = "Paste",
         .Image = 6,
         .Run = [this] { VrelMemo1->PasteFromClipboard(); },
         .Enabled = canPaste});
}

void TForm1::AddViewCommands() {
  TCommandTable& c = Commands;
  auto gutter = [this] { return VrelMemo1->Options().Contains(moDrawGutter); };
  c.Add({.Name = "HighlightUrls1",
         .Caption = "&Clickable Urls",
         .Checkable = true,
         .Run = [this] { MemoSource1.SetHighlightUrls(!MemoSource1.HighlightUrls()); },
         .Checked = [this] { return MemoSource1.HighlightUrls(); }});
  c.Add({.Name = "None4", .Caption = "&None", .Checkable = true, .Run = [this] { None4Click(); }});
  c.Add({.Name = "Default1", .Caption = "Default", .Checkable = true, .Run = [this] {
           Default1Click();
         }});
  // Only its check mark tells that an RTF file is loaded.
  c.Add(
      {.Name = "RichTextFormat1", .Caption = "Rich Text Format", .Checkable = true, .Enabled = [] {
         return false;
       }});
  c.Add({.Name = "SchemeEditor1", .Caption = "Scheme &Editor...", .Run = [this] {
           SchemeEditor1Click();
         }});
  c.Add({.Name = "SplitView1",
         .Caption = "Split View",
         .Checkable = true,
         .Run = [this] { SplitView1Click(); },
         .Checked = [this] { return SplitMemo != nullptr; }});
  c.Add({.Name = "ShowGutter1",
         .Caption = "&Gutter",
         .Checkable = true,
         .Run = [this] { ShowGutter1Click(); },
         .Checked = gutter});
  c.Add({.Name = "ShowLineNumbers1",
         .Caption = "    &Line Numbers",
         .Checkable = true,
         .Run = [this] { ShowLineNumbers1Click(); },
         .Enabled = gutter,
         .Checked = [this] { return VrelMemo1->Options().Contains(moLineNumbers); }});
  c.Add({.Name = "Toolbar2",
         .Caption = "&Toolbar",
         .Checkable = true,
         .Run = [this] { Hide1Click(); },
         .Checked = [this] { return !ToolBar1->isHidden(); }});
  c.Add({.Name = "About1", .Caption = "&About", .Shortcut = "Ctrl+I", .Run = [this] {
           About1Click();
         }});
  // The toolbar's placement menu; an item's tag is its edge.
  const char* edges[4] = {"Top1", "Bottom1", "Left1", "Right1"};
  const char* captions[4] = {"Top", "Bottom", "Left", "Right"};
  for (int tag = 0; tag < 4; ++tag)
    c.Add({.Name = edges[tag],
           .Caption = captions[tag],
           .Checkable = true,
           .Data = tag,
           .Run = [this, tag] { Bottom1Click(tag); },
           .Checked = [this, tag] { return Settings.ToolBarAlignment == tag; }});
  c.Add({.Name = "Hide1", .Caption = "Hide", .Run = [this] { Hide1Click(); }});
  c.Add({.Name = "ToolButton14",
         .Caption = "Exit",
         .Hint = "Exit Program",
         .Image = 9,
         .Run = [this] { close(); }});
}

void TForm1::AddDocumentButtons() {
  TCommandTable& c = Commands;
  c.Add({.Name = "ToolButton1", .Caption = "New", .Hint = "New", .Image = 0, .Run = [this] {
           New1Click();
         }});
  c.Add({.Name = "ToolButton2", .Caption = "Open", .Hint = "Open", .Image = 1, .Run = [this] {
           Open1Click();
         }});
  c.Add({.Name = "ToolButton3",
         .Caption = "Save",
         .Hint = "Save",
         .Image = 2,
         .Run = [this] { Save1Click(); },
         .Enabled = [this] { return MemoSource1.Modified(); }});
  c.Add({.Name = "ToolButton4",
         .Caption = "Save As",
         .Hint = "Save As",
         .Image = 3,
         .Run = [this] { SaveAs1Click(); },
         .Enabled = [this] { return HasText(); }});
}

// The menus, from the inside out, then the menu bar and the toolbar.
void TForm1::CreateMenus() {
  TCommandTable& c = Commands;
  c.AddMenu({"SameFolder1", "Sa&me Folder", {"none1", "-N10"}});
  c.AddMenu({"Encoding1",
             "Encoding",
             {"Windows12521", "UTF81", "ConverttoUtf81", "-", "CRLF1", "CR1", "LF1"}});
  c.AddMenu({"ImportandExport1",
             "&Import and Export",
             {"ImportfromRTF1", "ImportHTML1", "ExportasRTF1", "ExportasHTML1"}});
  std::vector<std::string> file = {
      "New1",       "Open1",      ">SameFolder1",      "Save1",     "SaveAs1", "ReverttoSaved1",
      "SaveaCopy1", ">Encoding1", ">ImportandExport1", "-Filesep1", "Print1",  "Preferences1",
      "-Filesep2",  "Exit1",      "-FileSep3"};
  for (int n = 1; n <= kRecentSlots; ++n) file.push_back("FileName" + std::to_string(n));
  c.AddMenu({"File1", "&File", file});
  c.AddMenu({"ProgramFontSize1",
             "&Program Font Size",
             {"N8pt1", "N9pt1", "N10pt1", "N11pt1", "N12pt1", "N13pt1", "N14pt1"}});
  c.AddMenu({"Edit1",
             "&Edit",
             {"Undo1", "Redo1", "-", "Cut1", "Copy1", "Paste1", "SelectAll1", "ViewClipboard1", "-",
              "Find1", "FindNext1", "Replace1", "GotoLine1", "-", "Wrap1", ">ProgramFontSize1",
              "ProgramFont1"}});
  std::vector<std::string> colors, popColors;
  for (int n = 1; n <= 16; ++n) {
    colors.push_back("MenuColor" + std::to_string(n));
    popColors.push_back("MenuColorPop" + std::to_string(n));
  }
  colors.insert(colors.end(), {"-MenuColorSep1", "EditColors1"});
  popColors.insert(popColors.end(), {"-ColorMenuPopSep1", "EditColors2"});
  c.AddMenu({"Color1", "&Colors", colors}, [this] { Palettes->Color1Click(); });
  c.AddMenu({"PopupMenu1", "", popColors}, [this] { Palettes->Color1Click(); });
  c.AddMenu({"Parser1", "&Parser", {"None4", "-N6", "Default1", "RichTextFormat1", "-N7"}},
            [this] { Parser1Click(); });
  c.AddMenu(
      {"HighLighting1", "&Highlighting", {"HighlightUrls1", ">Parser1", "-", "SchemeEditor1"}});
  c.AddMenu({"View1",
             "&View",
             {"ItemsPalatte1", "EditColors3", "ImageMap1", "-", "SplitView1", "ShowGutter1",
              "ShowLineNumbers1", "Toolbar2"}});
  c.AddMenu({"CurrentFolder1", "Insert &Current Folder", {"none2", "-N11"}});
  c.AddMenu({"images2", "I&nsert \\images\\", {"none3", "-N12"}});
  c.AddMenu({"Images1",
             "&Images",
             {">CurrentFolder1", ">images2", "InsertOther1", "-N9", "ImageMapCreator1"}});
  c.AddMenu({"Window1", "&Window", {"Help1", "About1"}});
  c.AddMenu({"PopupMenu2",
             "",
             {"DefaultSystemBrowser1", "Name1", "Name2", "Name3", "-N1", "DefineBrowsers1",
              "Warnings1", "AutoSave1"}},
            [this] { Preview->PopupMenu2Popup(); });
  c.AddMenu({"PopupMenu3", "", {"Top1", "Bottom1", "Left1", "Right1", "-", "Hide1"}});
  c.FillMenuBar(*menuBar(),
                {"File1", "Edit1", "Color1", "HighLighting1", "View1", "Images1", "Window1"});
  for (const char* hidden :
       {"FileSep3", "N10", "N11", "N12", "N7", "MenuColorSep1", "ColorMenuPopSep1"})
    c[hidden]->setVisible(false);

  // The folder menus: their items are the files listed when the folder changes.
  connect(c.Menu("SameFolder1"), &QMenu::triggered, this,
          [this](QAction* item) { none1Click(item); });
  connect(c.Menu("CurrentFolder1"), &QMenu::triggered, this,
          [this](QAction* item) { Insert->ImageItemClick(item, false); });
  connect(c.Menu("images2"), &QMenu::triggered, this,
          [this](QAction* item) { Insert->ImageItemClick(item, true); });
}

void TForm1::CreateToolBar() {
  ToolBar1 = addToolBar("ToolBar1");
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  ToolBar1->setIconSize(QSize(16, 16));
  Commands.FillToolBar(*ToolBar1, {"ToolButton1",
                                   "-",
                                   "ToolButton2",
                                   "ToolButton3",
                                   "ToolButton4",
                                   "-",
                                   "ToolButton5",
                                   "ToolButton6",
                                   "ToolButton7",
                                   "-",
                                   "ToolButton8",
                                   "ToolButton12",
                                   "-",
                                   "ToolButton18",
                                   "ToolButton24",
                                   "ToolButton20",
                                   "-",
                                   "ToolButton16",
                                   "-",
                                   "ToolButton22",
                                   "ToolButton23",
                                   "-",
                                   "ToolButton14"});
  Commands.SetDropDown(*ToolBar1, "ToolButton20", "PopupMenu1");
  Commands.SetDropDown(*ToolBar1, "ToolButton16", "PopupMenu2");
  // Its context menu places it at an edge or hides it.
  ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ToolBar1, &QToolBar::customContextMenuRequested, this, [this](const QPoint& at) {
    Commands.Menu("PopupMenu3")->popup(ToolBar1->mapToGlobal(at));
  });
}

}  // namespace quorel
