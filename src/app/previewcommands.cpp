// Showing the document in a browser (the desktop's default one or one of three the user named),
// compiling a Java source in a terminal that stays open, showing a compiled applet through a
// small page, and the help page.
#include "app/previewcommands.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QToolButton>

#include "app/recentfiles.h"
#include "platform/dialogs.h"
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

TPreviewCommands::TPreviewCommands(TMainParts& parts) : parts_(parts) {}

bool TPreviewCommands::DocumentIsEmpty() const {
  const TMemoSource& store = parts_.Store;
  return store.LineCount() == 0 || (store.LineCount() == 1 && store.RawLine(0).empty());
}

void TPreviewCommands::AddCommands() {
  TCommandTable& c = parts_.Commands;
  TMainSettings& settings = parts_.Settings;
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
         .Enabled = [this] { return textChangedOnce_; }});
  c.Add({.Name = "ToolButton23",
         .Caption = "Run Java",
         .Hint = "Run Compiled Applet in Browser",
         .Image = 14,
         .Run = [this] { ToolButton23Click(); },
         .Enabled = [this] { return textChangedOnce_; }});
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
           if (OnDefineBrowsers) OnDefineBrowsers();
         }});
  c.Add({.Name = "Warnings1",
         .Caption = "Disable Warnings",
         .Checkable = true,
         .Run = [&settings] { settings.DisableWarning = !settings.DisableWarning; },
         .Checked = [&settings] { return settings.DisableWarning; }});
  c.Add({.Name = "AutoSave1",
         .Caption = "AutoSave",
         .Checkable = true,
         .Run = [&settings] { settings.AutoSave = !settings.AutoSave; },
         .Checked = [&settings] { return settings.AutoSave; }});
}

void TPreviewCommands::PopupMenu2Popup() {
  TCommandTable& c = parts_.Commands;
  QAction* items[] = {c["DefaultSystemBrowser1"], c["Name1"], c["Name2"], c["Name3"]};
  int primary = parts_.Settings.PrimaryBrowser >= 1 && parts_.Settings.PrimaryBrowser <= 4
                    ? parts_.Settings.PrimaryBrowser
                    : 1;
  c.Menu("PopupMenu2")->setDefaultAction(items[primary - 1]);
  for (size_t i = 0; i < 3; ++i) {
    QAction* item = items[i + 1];
    item->setText(QString::fromStdString(parts_.Settings.BrowserNames[i]));
    item->setVisible(!parts_.Settings.BrowserNames[i].empty());
  }
  c["N1"]->setVisible(true);
}

// The button itself: on an empty document a click would do nothing, so the menu drops down.
void TPreviewCommands::ToolButton16Triggered() {
  if (DocumentIsEmpty()) {
    parts_.Commands.Menu("PopupMenu2")->popup(QCursor::pos());
    return;
  }
  ToolButton16Click(0);
}

bool TPreviewCommands::WritePreviewFile() {
  try {
    std::string path = parts_.SideFiles.Write("Temp.html", parts_.Store.SaveToString());
    if (parts_.Services.Files->IsFile(path)) return true;
  } catch (const std::exception&) {
  }
  parts_.Warn("Failed to create temp file!!, preview in broswer failed");
  return false;
}

bool TPreviewCommands::PrepareModifiedPreview(bool& useTemp) {
  auto useCopy = [&] { return useTemp = WritePreviewFile(); };
  bool named = parts_.HasDocumentName();
  if (named && parts_.Settings.AutoSave) {
    parts_.Document.Save();  // whatever it gives, the browser shows the file on disk
    return true;
  }
  if (parts_.Settings.DisableWarning || (!named && parts_.Settings.AutoSave)) return useCopy();
  switch (parts_.Services.Dialogs->MessageBox(
      platform::mkConfirmation,
      "Do you wish to save this file first? - \rAnswering no will create a temporary file from "
      "which to preview\r\r" +
          parts_.Document.Name(),
      platform::mbYesNoCancel)) {
    case platform::mrYes:
      if (named) {
        parts_.Document.Save();
        return !parts_.Store.Modified();
      }
      if (!parts_.Document.SaveAs()) return false;
      parts_.Document.SetModified(false);
      return true;
    case platform::mrNo:
      return useCopy();
    default:
      return false;
  }
}

void TPreviewCommands::ToolButton16Click(int target) {
  if (DocumentIsEmpty()) return;
  if (target == 0) target = parts_.Settings.PrimaryBrowser;
  if (target < 1 || target > 4) return;
  bool useTemp = false;
  if (parts_.Store.Modified() && !PrepareModifiedPreview(useTemp)) return;
  std::string file = useTemp ? parts_.SideFiles.WritePath("Temp.html") : parts_.Document.Name();
  if (target == 1) {
    if (!parts_.Services.Shell->Open(file)) parts_.Warn("Failed to run ShellExecute call(1)");
    return;
  }
  // The browser's location is the program and the page one argument, so blanks need no quotes.
  const std::string& location = parts_.Settings.BrowserLocations[static_cast<size_t>(target - 2)];
  if (!parts_.Services.Processes->Launch(location, {file}))
    parts_.Warn("Failed to run CreateProcessSimple call(" + std::to_string(target) + ")");
}

// ---- Java ----

std::vector<platform::TFileFilter> CompilerFilters() {
  return {{"All Executables", "*"}, {"Java Compiler", "javac"}};
}

void TPreviewCommands::ToolButton22Click() {
  if (parts_.Store.Modified()) {
    if (parts_.Services.Dialogs->MessageBox(platform::mkConfirmation,
                                            "You must save your document first!!",
                                            platform::mbOKCancel) != platform::mrOk)
      return;
    parts_.Document.SetSaveFilter(8, "*.java");
    if (!parts_.Document.Save()) return;
  }
  if (parts_.Document.Extension() != ".java") {
    parts_.Warn("Your file must have the .java extension to compile!");
    return;
  }
  platform::ISettings& settings = *parts_.Services.Settings;
  std::string compiler = settings.ReadString("JavaCompiler").value_or("");
  while (compiler.empty() || !parts_.Services.Files->IsFile(compiler)) {
    parts_.Warn("You must specify the location of the Java Compiler!");
    platform::TFileDialog picker;
    picker.Title = "Open";
    picker.Filters = CompilerFilters();
    std::string onPath = parts_.Services.Processes->FindProgram("javac");
    picker.InitialDir = onPath.empty() ? "/usr/bin" : FolderOf(onPath);
    if (!parts_.Services.Dialogs->OpenFileDialog(picker)) return;
    compiler = picker.FileName;
    settings.WriteString("JavaCompiler", compiler);
  }
  // A terminal that shows the compiler's output and stays open until Enter is pressed.
  std::string script = ShellWord(compiler) + " " + ShellWord(parts_.Document.Name()) +
                       "; echo; echo Press Enter to close this window.; read line";
  std::string terminal = parts_.Services.Processes->FindProgram("x-terminal-emulator");
  if (terminal.empty()) terminal = parts_.Services.Processes->FindProgram("xterm");
  if (terminal.empty()) {
    parts_.Warn(
        "No terminal window program was found to run the Java compiler in (x-terminal-emulator "
        "or xterm)!");
    return;
  }
  std::vector<std::string> arguments = {"-e", "sh", "-c", script};
  std::string command = terminal + " -e sh -c " + ShellWord(script);
  parts_.Services.Dialogs->MessageBox(platform::mkInformation, command, platform::mbOK);
  if (!parts_.Services.Processes->LaunchSimple(terminal, arguments))
    parts_.Warn("Unable to start " + terminal + " to run the Java compiler!");
}

void TPreviewCommands::ToolButton23Click() {
  const std::string document = parts_.Document.Name();
  if (!parts_.HasDocumentName() || LowerExtension(document) != ".java") {
    parts_.Warn("You must have a java file open that you have compiled!");
    return;
  }
  std::string folder = FolderOf(document);
  std::string name = FilePart(document);
  // The name without its ".java" (checked above, so only the last five characters go).
  std::string base = name.substr(0, name.size() - 5);
  std::string page = folder + base + ".htm";
  std::string classFile = folder + base + ".class";
  platform::IFileSystem& files = *parts_.Services.Files;
  if (!files.IsFile(classFile)) {
    parts_.Warn(classFile + " file does not exist!\r\rPlease compile first!!");
    return;
  }
  if (!files.Exists(page) && !files.Exists(page + "l")) {
    try {
      platform::SafeWriteFile(
          files, page,
          "<html><applet code=\"" + base + ".class\" width=540 height=380></applet></html>\r\n");
    } catch (const std::exception&) {
      parts_.Warn("Unable to write temporary html file!");
      return;
    }
  }
  if (files.Exists(page + "l")) page += "l";
  parts_.Services.Shell->Open(page);
}

void TPreviewCommands::Help1Click() {
  std::string help = parts_.SideFiles.ReadPath("Help/index.html");
  if (parts_.Services.Files->IsFile(help)) {
    parts_.Services.Shell->Open(help);
    return;
  }
  parts_.Warn(
      "Help file does not exist please re-install!!\r\rInstall Quorel again from the package or "
      "the source folder it came from: in the source folder, ./run.sh builds it with its help "
      "page.");
}

}  // namespace quorel
