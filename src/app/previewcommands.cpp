// Showing the document in a browser (the desktop's default one or one of three the user named),
// compiling a Java source in a terminal that stays open, showing a compiled applet through a
// small page, and the help page.
#include <QCursor>
#include <QMenu>
#include <QToolButton>

#include "app/form1.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/safewrite.h"
#include "platform/settings.h"

namespace quorel {

namespace {

// A word for a POSIX shell: as it is when it holds nothing the shell would read, else in single
// quotes with each quote inside closed, escaped and reopened.
std::string ShellWord(const std::string& text) {
  bool plain = !text.empty();
  for (char c : text)
    plain = plain && (std::isalnum(static_cast<unsigned char>(c)) ||
                      std::string_view("_./:@%+=,-").find(c) != std::string_view::npos);
  if (plain) return text;
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string FilePart(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool TForm1::DocumentIsEmpty() const {
  return MemoSource1.LineCount() == 0 ||
         (MemoSource1.LineCount() == 1 && MemoSource1.RawLine(0).empty());
}

void TForm1::AddPreviewCommands() {
  TCommandTable& c = Commands;
  auto hasText = [this] { return !DocumentIsEmpty(); };
  c.Add({.Name = "ToolButton16",
         .Caption = "Preview",
         .Hint = "Preview in Browser",
         .Image = 10,
         .Run = [this] { ToolButton16Triggered(); }});
  // The Java buttons come alive with the first change of the text.
  c.Add({.Name = "ToolButton22",
         .Caption = "Compile",
         .Hint = "Execute Java Compiler",
         .Image = 13,
         .Run = [this] { ToolButton22Click(); },
         .Enabled = [this] { return TextChangedOnce; }});
  c.Add({.Name = "ToolButton23",
         .Caption = "Run Java",
         .Hint = "Run Compiled Applet in Browser",
         .Image = 14,
         .Run = [this] { ToolButton23Click(); },
         .Enabled = [this] { return TextChangedOnce; }});
  c.Add(
      {.Name = "Help1", .Caption = "&Help", .Shortcut = "Ctrl+H", .Run = [this] { Help1Click(); }});
  // The Preview button's drop-down: the browsers, "Define Browsers" and the two switches.
  c.Add({.Name = "DefaultSystemBrowser1",
         .Caption = "Default System Browser",
         .Run = [this] { ToolButton16Click(1); },
         .Enabled = hasText});
  for (int n = 1; n <= 3; ++n)
    c.Add({.Name = "Name" + std::to_string(n),
           .Run = [this, n] { ToolButton16Click(n + 1); },
           .Enabled = hasText});
  c.Add({.Name = "DefineBrowsers1", .Caption = "Define Browsers", .Run = [this] {
           DefineBrowsers1Click();
         }});
  c.Add({.Name = "Warnings1",
         .Caption = "Disable Warnings",
         .Checkable = true,
         .Run = [this] { Settings.DisableWarning = !Settings.DisableWarning; },
         .Checked = [this] { return Settings.DisableWarning; }});
  c.Add({.Name = "AutoSave1",
         .Caption = "AutoSave",
         .Checkable = true,
         .Run = [this] { Settings.AutoSave = !Settings.AutoSave; },
         .Checked = [this] { return Settings.AutoSave; }});
}

void TForm1::PopupMenu2Popup() {
  TCommandTable& c = Commands;
  QAction* items[] = {c["DefaultSystemBrowser1"], c["Name1"], c["Name2"], c["Name3"]};
  int primary =
      Settings.PrimaryBrowser >= 1 && Settings.PrimaryBrowser <= 4 ? Settings.PrimaryBrowser : 1;
  c.Menu("PopupMenu2")->setDefaultAction(items[primary - 1]);
  for (size_t i = 0; i < 3; ++i) {
    QAction* item = items[i + 1];
    item->setText(QString::fromStdString(Settings.BrowserNames[i]));
    item->setVisible(!Settings.BrowserNames[i].empty());
  }
  c["N1"]->setVisible(true);
}

// The button itself: on an empty document a click would do nothing, so the menu drops down.
void TForm1::ToolButton16Triggered() {
  if (DocumentIsEmpty()) {
    Commands.Menu("PopupMenu2")->popup(QCursor::pos());
    return;
  }
  ToolButton16Click(0);
}

bool TForm1::WritePreviewFile() {
  try {
    std::string path = SideFiles.Write("Temp.html", MemoSource1.SaveToString());
    if (services_.Files->IsFile(path)) return true;
  } catch (const std::exception&) {
  }
  Warn("Failed to create temp file!!, preview in broswer failed");
  return false;
}

bool TForm1::PrepareModifiedPreview(bool& useTemp) {
  auto useCopy = [&] { return useTemp = WritePreviewFile(); };
  bool named = HasDocumentName();
  if (named && Settings.AutoSave) {
    SaveDocument();  // whatever it gives, the browser shows the file on disk
    return true;
  }
  if (Settings.DisableWarning || (!named && Settings.AutoSave)) return useCopy();
  switch (services_.Dialogs->MessageBox(
      platform::mkConfirmation,
      "Do you wish to save this file first? - \rAnswering no will create a temporary file from "
      "which to preview\r\r" +
          DocumentName,
      platform::mbYesNoCancel)) {
    case platform::mrYes:
      if (named) {
        SaveDocument();
        return !MemoSource1.Modified();
      }
      if (!SaveDocumentAs()) return false;
      SetDocumentModified(false);
      return true;
    case platform::mrNo:
      return useCopy();
    default:
      return false;
  }
}

void TForm1::ToolButton16Click(int target) {
  if (DocumentIsEmpty()) return;
  if (target == 0) target = Settings.PrimaryBrowser;
  if (target < 1 || target > 4) return;
  bool useTemp = false;
  if (MemoSource1.Modified() && !PrepareModifiedPreview(useTemp)) return;
  std::string file = useTemp ? SideFiles.WritePath("Temp.html") : DocumentName;
  if (target == 1) {
    if (!services_.Shell->Open(file)) Warn("Failed to run ShellExecute call(1)");
    return;
  }
  // The browser's location is the program and the page one argument, so blanks need no quotes.
  const std::string& location = Settings.BrowserLocations[static_cast<size_t>(target - 2)];
  if (!LaunchProcess(location, {file}))
    Warn("Failed to run CreateProcessSimple call(" + std::to_string(target) + ")");
}

// ---- Java ----

std::vector<platform::TFileFilter> CompilerFilters() {
  return {{"All Executables", "*"}, {"Java Compiler", "javac"}};
}

void TForm1::ToolButton22Click() {
  if (MemoSource1.Modified()) {
    if (services_.Dialogs->MessageBox(platform::mkConfirmation,
                                      "You must save your document first!!",
                                      platform::mbOKCancel) != platform::mrOk)
      return;
    SetSaveFilter(8, "*.java");
    if (!SaveDocument()) return;
  }
  if (CurrentExtension != ".java") {
    Warn("Your file must have the .java extension to compile!");
    return;
  }
  platform::ISettings& settings = *services_.Settings;
  std::string compiler = settings.ReadString("JavaCompiler").value_or("");
  while (compiler.empty() || !services_.Files->IsFile(compiler)) {
    Warn("You must specify the location of the Java Compiler!");
    platform::TFileDialog picker;
    picker.Title = "Open";
    picker.Filters = CompilerFilters();
    std::string onPath = services_.Processes->FindProgram("javac");
    picker.InitialDir = onPath.empty() ? "/usr/bin" : FolderOf(onPath);
    if (!services_.Dialogs->OpenFileDialog(picker)) return;
    compiler = picker.FileName;
    settings.WriteString("JavaCompiler", compiler);
  }
  // A terminal that shows the compiler's output and stays open until Enter is pressed.
  std::string script = ShellWord(compiler) + " " + ShellWord(DocumentName) +
                       "; echo; echo Press Enter to close this window.; read line";
  std::string terminal = services_.Processes->FindProgram("x-terminal-emulator");
  if (terminal.empty()) terminal = services_.Processes->FindProgram("xterm");
  if (terminal.empty()) {
    Warn(
        "No terminal window program was found to run the Java compiler in (x-terminal-emulator "
        "or xterm)!");
    return;
  }
  std::vector<std::string> arguments = {"-e", "sh", "-c", script};
  std::string command = terminal + " -e sh -c " + ShellWord(script);
  services_.Dialogs->MessageBox(platform::mkInformation, command, platform::mbOK);
  if (!services_.Processes->LaunchSimple(terminal, arguments))
    Warn("Unable to start " + terminal + " to run the Java compiler!");
}

void TForm1::ToolButton23Click() {
  if (!HasDocumentName() || LowerExtension(DocumentName) != ".java") {
    Warn("You must have a java file open that you have compiled!");
    return;
  }
  std::string folder = FolderOf(DocumentName);
  std::string name = FilePart(DocumentName);
  // The name without its ".java" (checked above, so only the last five characters go).
  std::string base = name.substr(0, name.size() - 5);
  std::string page = folder + base + ".htm";
  std::string classFile = folder + base + ".class";
  platform::IFileSystem& files = *services_.Files;
  if (!files.IsFile(classFile)) {
    Warn(classFile + " file does not exist!\r\rPlease compile first!!");
    return;
  }
  if (!files.Exists(page) && !files.Exists(page + "l")) {
    try {
      platform::SafeWriteFile(
          files, page,
          "<html><applet code=\"" + base + ".class\" width=540 height=380></applet></html>\r\n");
    } catch (const std::exception&) {
      Warn("Unable to write temporary html file!");
      return;
    }
  }
  if (files.Exists(page + "l")) page += "l";
  services_.Shell->Open(page);
}

void TForm1::Help1Click() {
  std::string help = SideFiles.ReadPath("Help/index.html");
  if (services_.Files->IsFile(help)) {
    services_.Shell->Open(help);
    return;
  }
  Warn(
      "Help file does not exist please re-install!!\r\rInstall Quorel again from the package or "
      "the source folder it came from: in the source folder, ./run.sh builds it with its help "
      "page.");
}

}  // namespace quorel
