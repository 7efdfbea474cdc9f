// The command line's --print-to-pdf: a file printed the way the main window would, without
// showing a window.
#include "app/printcommandline.h"

#include <QFile>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/qt/qtprinter.h"
#include "print/pagelayout.h"
#include "print/ui/memoprint.h"

namespace quorel {

namespace {

constexpr const char* kUsage =
    "usage: quorel --print-to-pdf OUT.pdf [--header] [--line-numbers] [--no-color] "
    "[--no-syntax] [--no-wrap] [--margin N] FILE\n";

// Questions are not asked on the command line: every message goes to stderr, and a warning or
// an error makes the command fail.
class TConsoleDialogs : public platform::IDialogs {
 public:
  bool Failed = false;
  platform::TMsgResult MessageBox(platform::TMsgKind kind, const std::string& text,
                                  platform::TMsgButtons) override {
    std::string oneLine = text;
    for (char& c : oneLine)
      if (c == '\r' || c == '\n') c = ' ';
    std::cerr << "quorel: " << oneLine << "\n";
    if (kind == platform::mkWarning || kind == platform::mkError) Failed = true;
    return platform::mrNo;
  }
  bool OpenFileDialog(platform::TFileDialog&) override { return false; }
  bool SaveFileDialog(platform::TFileDialog&) override { return false; }
  bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
  bool FontDialog(platform::TFontChoice&) override { return false; }
  bool ColorDialog(platform::TColorChoice&) override { return false; }
};

int Fail(const std::string& text) {
  std::cerr << "quorel: " << text << "\n";
  return 1;
}

}  // namespace

bool IsPrintCommand(int argc, char** argv) {
  return argc > 1 && std::string(argv[1]) == "--print-to-pdf";
}

int PrintToPdfCommand(const QStringList& arguments) {
  // What the dialog would have ticked: wrapped, in colour, highlighted.
  TVrelPrintOptions options{poWrapLines, poInColor, poPrintSyntax};
  int margin = 0;
  std::string out, file;
  for (int i = 1; i < arguments.size(); ++i) {
    const std::string arg = QFile::encodeName(arguments[i]).toStdString();
    if (arg == "--header") {
      options.Include(poPrintHeader);
    } else if (arg == "--line-numbers") {
      options.Include(poLineNumbers);
    } else if (arg == "--no-color") {
      options.Exclude(poInColor);
    } else if (arg == "--no-syntax") {
      options.Exclude(poPrintSyntax);
    } else if (arg == "--no-wrap") {
      options.Exclude(poWrapLines);
    } else if (arg == "--margin") {
      if (i + 1 >= arguments.size())
        return Fail("--margin needs a number of pixels\n" + std::string(kUsage));
      const std::string value = arguments[++i].toStdString();
      margin = ReadPrintIndent(value);
      if (margin == 0 && value != "0")
        return Fail("--margin needs a number of pixels, not \"" + value + "\"");
    } else if (arg.starts_with("--")) {
      return Fail("unknown option " + arg + "\n" + kUsage);
    } else if (out.empty()) {
      out = arg;
    } else if (file.empty()) {
      file = arg;
    } else {
      return Fail("only one file can be printed at a time\n" + std::string(kUsage));
    }
  }
  if (out.empty() || file.empty())
    return Fail(std::string("a PDF file and a file to print are needed\n") + kUsage);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return Fail("cannot open " + file);

  // The main window, never shown, opens the file as it would, with settings of its own that
  // are neither read from nor written to the user's.
  TConsoleDialogs dialogs;
  platform::TServices partial;
  partial.Dialogs = &dialogs;
  platform::TServices services = platform::WithDefaults(partial);
  TForm1 form(services);
  form.OpenDocument(std::filesystem::absolute(file).string());
  if (dialogs.Failed) return 1;
  TVrelMemo& view = *form.VrelMemo1;
  if (form.MemoSource1.LineCount() == 0) {
    std::cerr << "quorel: " << file << " is empty; nothing was printed\n";
    return 0;
  }
  view.PrintOptions = options;
  view.PrintIndent = margin;
  std::unique_ptr<platform::IPrinter> printer = platform::MakePdfPrinter(*services.Files, out);
  TPrintResult result = PrintDocument(view, *printer);
  if (!result.Error.empty()) return Fail(result.Error);
  return 0;
}

}  // namespace quorel
