// quorel-cli import: the readers of "Import text from RTF/HTML" from the command line.
#include "importcommand.h"

#include <exception>
#include <fstream>
#include <memory>
#include <ostream>

#include "commands.h"
#include "engine/memosource.h"
#include "platform/safewrite.h"
#include "platform/services.h"
#include "richtext/attributeparser.h"
#include "richtext/htmlexporter.h"
#include "richtext/htmlimporter.h"
#include "richtext/importinsert.h"
#include "richtext/rtfimporter.h"

namespace quorel::cli {

namespace {

// The runs of equal style of every line with the formatting each style stands for.
std::string StyleDump(TCustomMemoSource& store, const TAttributeParser& styles, TColor viewBack) {
  std::string dump;
  for (int y = 0; y < store.LineCount(); ++y) {
    const TLineText& text = store.LineRecord(y)->Text;
    const std::string colors = store.GetLineColors(y).str();
    if (text.empty()) dump += std::to_string(y + 1) + ":1 \"\"\n";
    for (size_t i = 0; i < text.size();) {
      size_t end = i + 1;
      while (end < text.size() && colors[end] == colors[i]) ++end;
      int style = i < colors.size() ? static_cast<unsigned char>(colors[i]) : 0;
      const TAttributeValues& v =
          style < styles.StyleCount() ? styles.Style(style) : styles.Style(0);
      dump += std::to_string(y + 1) + ":" + std::to_string(i + 1) + " \"" +
              text.substr(i, end - i) + "\" " + v.Name + " " + std::to_string(v.Size);
      for (auto [flag, name] :
           {std::pair{fsBold, "bold"}, std::pair{fsItalic, "italic"},
            std::pair{fsUnderline, "underline"}, std::pair{fsStrikeOut, "strike"}})
        if (v.Style.Contains(flag)) dump += std::string(" ") + name;
      dump += " " + HtmlColor(v.Color);
      if (ColorToRgb(v.BackColor) != ColorToRgb(viewBack)) dump += " on " + HtmlColor(v.BackColor);
      dump += "\n";
      i = end;
    }
  }
  return dump;
}

}  // namespace

int Import(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  std::string format;
  bool styles = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (arg == "--rtf" || arg == "--html")
      format = arg;
    else if (arg == "--styles")
      styles = true;
    else
      files.push_back(arg);
  }
  if (format.empty() || files.size() != 2) {
    err << "quorel-cli: import needs --rtf or --html, an input and an output file\n";
    return 2;
  }
  TMemoSource store;
  TImportTarget target;
  target.Store = &store;
  target.Font = MainViewFont();
  target.Color = clWindow;
  TAttributeValues url = TAttributeValues::FromFont(target.Font, clWindow);
  url.Color = clBlue;
  url.Style = {fsUnderline};
  std::unique_ptr<TAttributeParser> parser;
  if (styles) target.AttachParser = OwnedParser(target, parser, url);
  int code = 0;
  try {
    std::string data = ReadImportFile(store, files[0]);
    std::unique_ptr<TVrelImporter> importer;
    if (format == "--rtf")
      importer = std::make_unique<TVrelRtfImporter>();
    else
      importer = std::make_unique<TVrelHTMLImporter>();
    ImportInto(target, *importer, data);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot import " << files[0] << ": " << e.what() << "\n";
    code = 1;
  }
  if (code == 0) {
    try {
      if (parser)
        platform::SafeWriteFile(*store.Services().Files, files[1],
                                StyleDump(store, *parser, target.Color));
      else
        store.SaveToFile(files[1]);
    } catch (const std::exception& e) {
      err << "quorel-cli: cannot write " << files[1] << ": " << e.what() << "\n";
      code = 1;
    }
  }
  store.SetSyntaxParser(nullptr);
  return code;
}

}  // namespace quorel::cli
