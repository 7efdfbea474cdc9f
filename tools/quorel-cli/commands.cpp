// The commands of quorel-cli.
#include "commands.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>

#include "codecs/imagetag.h"
#include "engine/memosource.h"
#include "grepcommand.h"
#include "importcommand.h"
#include "richtext/exportwalk.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"
#include "syntax/tokendump.h"

namespace quorel::cli {

bool EndsAfterCommand = false;
// What a command left for the end of the process (see EndsAfterCommand).
TMemoSource* LeftStore = nullptr;
TSyntaxParser* LeftParser = nullptr;

namespace {

const char* kUsage =
    "usage: quorel-cli <command> [arguments]\n"
    "commands:\n"
    "  resave IN OUT [--out-format windows|mac|unix]\n"
    "      load IN as the editor does and save it to OUT\n"
    "  tokens [--scheme SCHEME.sch] [--text] [--urls] FILE\n"
    "      colour FILE with the built-in HTML scheme or the scheme file; print each line's end\n"
    "      state and style runs (with --text: each run's text instead of its length; with\n"
    "      --urls: web and mail addresses marked with style 12, as the editor marks them)\n"
    "  scheme IN.sch OUT.sch\n"
    "      read a scheme file and write it again as the editor writes schemes\n"
    "  imgtag [--alt TEXT] [--spaces REPLACEMENT] PATH\n"
    "      print the IMG tag Insert Other would insert for the picture PATH (Alt: its file\n"
    "      name; with --spaces: spaces in the path replaced)\n"
    "  export --html|--rtf [--scheme SCHEME.sch] IN OUT\n"
    "      write IN as an HTML page or an RTF document with the colours and fonts the editor\n"
    "      shows it with (the built-in HTML scheme or the scheme file)\n"
    "  import --rtf|--html [--styles] IN OUT\n"
    "      read IN as the editor's import does into an empty document and write its text; with\n"
    "      --styles keep the formatting and write each run with its font, size, styles and "
    "colours\n"
    "  grep [--regex] [--case] [--words] PATTERN FILE\n"
    "      print every match as line:column:length (from 1); exit 1 when none, 2 on a bad "
    "pattern\n";

// The built-in HTML scheme, or the scheme file when one is named; false after saying why when
// the file cannot be read.
bool PrepareParser(TSyntaxParser& parser, const std::string& schemeFile, std::ostream& err) {
  BuildHtmlScheme(parser.SyntaxScheme());
  parser.SetDefaultAttr(HtmlDefaultAttr());
  try {
    if (!schemeFile.empty()) parser.SyntaxScheme().LoadFromFile(schemeFile);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot read the scheme " << schemeFile << ": " << e.what() << "\n";
    return false;
  }
  return true;
}

bool ParseOutFormat(const std::string& name, TOutFormatType& format) {
  static const std::map<std::string, TOutFormatType> formats = {
      {"windows", ofWindows}, {"mac", ofMac}, {"unix", ofUnix}};
  auto it = formats.find(name);
  if (it == formats.end()) return false;
  format = it->second;
  return true;
}

int Resave(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  std::vector<std::string> files;
  std::optional<TOutFormatType> format;  // the file's own line ends unless one is asked for
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--out-format") {
      format.emplace();
      if (i + 1 >= args.size() || !ParseOutFormat(args[i + 1], *format)) {
        err << "quorel-cli: --out-format needs one of windows, mac, unix\n";
        return 2;
      }
      ++i;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) {
    err << "quorel-cli: resave needs an input and an output file\n" << kUsage;
    return 2;
  }
  TMemoSource store;
  try {
    store.LoadFromFile(files[0]);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot load " << files[0] << ": " << e.what() << "\n";
    return 1;
  }
  if (format) store.SetOutFormat(*format);
  try {
    store.SaveToFile(files[1]);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot save " << files[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int Tokens(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string schemeFile;
  bool withText = false, urls = false;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--scheme" && i + 1 < args.size())
      schemeFile = args[++i];
    else if (args[i] == "--text")
      withText = true;
    else if (args[i] == "--urls")
      urls = true;
    else
      files.push_back(args[i]);
  }
  if (files.size() != 1) {
    err << "quorel-cli: tokens needs one file\n" << kUsage;
    return 2;
  }
  TSyntaxParser parser;
  if (!PrepareParser(parser, schemeFile, err)) return 1;
  TMemoSource store;
  try {
    store.LoadFromFile(files[0]);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot load " << files[0] << ": " << e.what() << "\n";
    return 1;
  }
  store.SetSyntaxParser(&parser);
  store.SetHighlightUrls(urls);
  WriteTokenDump(store, out, withText);
  store.SetSyntaxParser(nullptr);
  return out ? 0 : 1;
}

int Export(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  std::string schemeFile, format;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--scheme" && i + 1 < args.size())
      schemeFile = args[++i];
    else if (args[i] == "--html" || args[i] == "--rtf")
      format = args[i];
    else
      files.push_back(args[i]);
  }
  if (format.empty() || files.size() != 2) {
    err << "quorel-cli: export needs --html or --rtf, an input and an output file\n" << kUsage;
    return 2;
  }
  auto ownParser = std::make_unique<TSyntaxParser>();
  TSyntaxParser& parser = *ownParser;
  if (!PrepareParser(parser, schemeFile, err)) return 1;
  auto ownStore = std::make_unique<TMemoSource>();
  TMemoSource& store = *ownStore;
  store.SetName("MemoSource1");
  try {
    store.LoadFromFile(files[0]);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot load " << files[0] << ": " << e.what() << "\n";
    return 1;
  }
  store.SetSyntaxParser(&parser);
  // The main window's view, syntax colours on.
  TTextStyles named;
  TExportSource source;
  source.Store = &store;
  source.Font = MainViewFont();
  source.Color = clWindow;
  source.TextStyles = &named;
  source.Title = store.Name();
  int code = 0;
  try {
    if (format == "--html")
      ExportHtmlFile(source, files[1]);
    else
      ExportRtfFile(source, files[1]);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot export to " << files[1] << ": " << e.what() << "\n";
    code = 1;
  }
  if (EndsAfterCommand) {
    // Freeing every line and its colours one by one took longer than writing the export; kept
    // where a static can reach them, they go with the process.
    LeftStore = ownStore.release();
    LeftParser = ownParser.release();
    return code;
  }
  store.SetSyntaxParser(nullptr);
  return code;
}

int ImgTag(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TImageTagOptions options;
  std::optional<std::string> alt;
  std::vector<std::string> paths;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--alt" && i + 1 < args.size()) {
      alt = args[++i];
    } else if (args[i] == "--spaces" && i + 1 < args.size()) {
      options.FileNameSpaces = false;
      options.SpaceReplacement = args[++i];
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.size() != 1) {
    err << "quorel-cli: imgtag needs one picture\n" << kUsage;
    return 2;
  }
  const std::string& path = paths[0];
  out << ImageTag(path, alt.value_or(BareFileName(path)), options, MeasurePictureFile(path))
      << "\n";
  return out ? 0 : 1;
}

int Scheme(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  if (args.size() != 2) {
    err << "quorel-cli: scheme needs an input and an output file\n" << kUsage;
    return 2;
  }
  TSyntaxScheme scheme;
  try {
    scheme.LoadFromFile(args[0]);
    scheme.SaveToFile(args[1]);
  } catch (const std::exception& e) {
    err << "quorel-cli: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

TFont MainViewFont() {
  TFont font;
  font.Name = "Courier New";
  font.SetSize(8);
  font.Color = clBlack;
  return font;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  using TCommand =
      std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;
  static const std::map<std::string, TCommand> commands = {
      {"resave", Resave}, {"scheme", Scheme}, {"tokens", Tokens}, {"grep", Grep},
      {"export", Export}, {"import", Import}, {"imgtag", ImgTag}};
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? err : out) << kUsage;
    return args.empty() ? 2 : 0;
  }
  auto it = commands.find(args[0]);
  if (it == commands.end()) {
    err << "quorel-cli: unknown command '" << args[0] << "'\n" << kUsage;
    return 2;
  }
  return it->second(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
}

}  // namespace quorel::cli
