// The export walk over the store's lines and their colours.
#include "richtext/exportwalk.h"

#include <algorithm>
#include <array>

#include "engine/memosource.h"
#include "engine/simpleparser.h"
#include "engine/stylenumbers.h"
#include "platform/fileerror.h"
#include "platform/filesystem.h"
#include "platform/safewrite.h"
#include "richtext/htmlexporter.h"
#include "richtext/rtfexporter.h"
#include "syntax/stylelooks.h"

namespace quorel {

namespace {

// One export: the store, the looks of its styles and the buffers reused from line to line.
class TExportWalk {
 public:
  TExportWalk(const TExportSource& source, TVrelExporter& exporter, bool selectionOnly)
      : source_(source),
        store_(*source.Store),
        ex_(exporter),
        selectionOnly_(selectionOnly),
        raw_(exporter.UsesRawText()),
        utf8_(store_.IsUtf8()),
        parser_(store_.SyntaxParser()),
        colorSyntax_(parser_ && (source.ColorSyntax || parser_->HasAttributes())),
        // An attribute document counts as highlighted: its styles are the parser's.
        highlight_(colorSyntax_ || store_.HighlightUrls()),
        urlsOnly_(highlight_ && !colorSyntax_),
        looks_(parser_, *source.TextStyles, source.Font, source.Color, colorSyntax_,
               store_.HighlightUrls()) {}

  void Run();

 private:
  // The exported part of line y: its text (raw or as shown) and colours, and the byte range.
  struct TPart {
    std::string_view Text;
    std::string_view Colors;
    size_t From = 0;
    size_t To = 0;
    bool Empty() const { return From >= To; }
  };
  TPart Part(int y);
  // Whether the exported part of line y is empty (cheaper than Part).
  bool PartEmpty(int y) const;
  void Emit(std::string_view text);
  void OpenBaseFont();
  void CloseBaseFont();
  void PlainLines(int first, int last);
  void HighlightedLines(int first, int last);
  // What a run of one style needs, worked out the first time the style is met: a page has
  // millions of runs and a handful of styles.
  struct TRunLook {
    const TFont* Font = nullptr;
    int Size = 0;
    TColor Color = 0;       // the font's colour as RGB
    TColor Back = 0;        // the background as RGB
    bool BaseFace = false;  // the face is the base font's
  };
  const TRunLook& RunLook(int style);
  const TFont& FontOf(int style) const {
    // With only addresses marked, the rest of the text keeps the view's font.
    return style == tsPlain && urlsOnly_ ? source_.Font : looks_.Font(style);
  }

  const TExportSource& source_;
  TCustomMemoSource& store_;
  TVrelExporter& ex_;
  const bool selectionOnly_;
  const bool raw_;
  const bool utf8_;
  TSimpleParser* const parser_;
  const bool colorSyntax_;
  const bool highlight_;
  const bool urlsOnly_;
  TStyleLooks looks_;
  TFontStyles baseStyles_;
  std::array<TRunLook, 256> runLooks_;  // by effective style byte; Font null until met
  std::string text_, colors_, escaped_;
};

const TExportWalk::TRunLook& TExportWalk::RunLook(int style) {
  TRunLook& look = runLooks_[static_cast<size_t>(style)];
  if (!look.Font) {
    look.Font = &FontOf(style);
    look.Size = look.Font->Size();
    look.Color = ColorToRgb(look.Font->Color);
    look.Back = ColorToRgb(looks_.Back(style));
    look.BaseFace = look.Font->Name == source_.Font.Name;
  }
  return look;
}

TExportWalk::TPart TExportWalk::Part(int y) {
  TPart part;
  // Colours first: asking for them may parse, which must not move the text under our feet.
  std::string_view colors = highlight_ ? std::string_view(store_.GetLineColors(y)) : "";
  std::string_view raw = store_.LineRecord(y)->Text;
  TCellLayout layout = store_.Cells();
  if (raw_ || layout.IsPlain(raw)) {
    part.Text = raw;
    part.Colors = colors;
  } else {
    text_ = ExpandTabs(raw, layout);
    part.Text = text_;
    if (highlight_) {
      colors_ = ExpandColors(raw, colors, layout);
      part.Colors = colors_;
    }
  }
  part.To = part.Text.size();
  if (selectionOnly_) {
    auto [from, to] = store_.SelectedColumns(y);
    auto byteOf = [&](int column) {
      if (column <= 0) return size_t{0};
      if (column == MaxInt) return part.Text.size();
      return std::min(static_cast<size_t>(VisualToRaw(part.Text, column, layout)),
                      part.Text.size());
    };
    part.From = byteOf(from);
    part.To = std::max(part.From, byteOf(to));
  }
  return part;
}

bool TExportWalk::PartEmpty(int y) const {
  if (store_.LineRecord(y)->Text.empty()) return true;
  if (!selectionOnly_) return false;
  auto [from, to] = store_.SelectedColumns(y);
  return from >= to || from >= store_.LineLength(y);
}

void TExportWalk::Emit(std::string_view text) {
  if (!source_.OnExportString) {
    ex_.WriteEscaped(text);
    return;
  }
  escaped_.clear();
  ex_.EscapeText(text, escaped_);
  source_.OnExportString(ex_, escaped_);
  ex_.WriteText(escaped_);
}

void TExportWalk::OpenBaseFont() {
  const TFont& base = source_.Font;
  // Highlighted text takes its styles from its runs, not from the view's font.
  baseStyles_ = highlight_ ? TFontStyles{} : base.Style;
  ex_.BeginFontName(base.Name, base.Charset);
  ex_.BeginFontSize(base.Size());
  if (baseStyles_.Contains(fsBold)) ex_.BeginBold();
  if (baseStyles_.Contains(fsItalic)) ex_.BeginItalic();
  if (baseStyles_.Contains(fsUnderline)) ex_.BeginUnderline();
  if (baseStyles_.Contains(fsStrikeOut)) ex_.BeginStrikeOut();
  ex_.BeginColor(base.Color);
}

void TExportWalk::CloseBaseFont() {
  ex_.EndColor();
  if (baseStyles_.Contains(fsStrikeOut)) ex_.EndStrikeOut();
  if (baseStyles_.Contains(fsUnderline)) ex_.EndUnderline();
  if (baseStyles_.Contains(fsItalic)) ex_.EndItalic();
  if (baseStyles_.Contains(fsBold)) ex_.EndBold();
  ex_.EndFontSize();
  ex_.EndFontName();
}

void TExportWalk::PlainLines(int first, int last) {
  for (int y = first; y <= last; ++y) {
    if (y > first) {
      ex_.NewLine();
      ex_.LineDone();
    }
    TPart part = Part(y);
    if (!part.Empty()) Emit(part.Text.substr(part.From, part.To - part.From));
  }
}

void TExportWalk::HighlightedLines(int first, int last) {
  const TFont& base = source_.Font;
  const TColor baseBack = ColorToRgb(source_.Color);
  // Worked out once: a run compares its size and colour with these and with the run before.
  const int baseSize = base.Size();
  const TColor baseColor = ColorToRgb(base.Color);
  for (int y = first; y <= last; ++y) {
    if (y > first) {
      ex_.NewLine();
      ex_.LineDone();
    }
    TPart part = Part(y);
    const TRunLook* previous = nullptr;  // the run before, on this line
    for (size_t i = part.From; i < part.To;) {
      size_t end = RunEnd(part.Text, part.Colors, i, part.To, utf8_, looks_);
      const TRunLook& look = RunLook(looks_.Effective(
          i < part.Colors.size() ? static_cast<int>(static_cast<unsigned char>(part.Colors[i]))
                                 : static_cast<int>(tsPlain)));
      const TFont& font = *look.Font;
      // A tag is left out only where the run before had the same and that is the base's.
      const bool face = !previous || !look.BaseFace ||
                        (previous->Font != look.Font && previous->Font->Name != font.Name);
      const bool size = !previous || look.Size != previous->Size || look.Size != baseSize;
      const bool colored = !previous || look.Color != previous->Color || look.Color != baseColor;
      const bool backed = look.Back != baseBack;
      const TFontStyles styles = font.Style;
      if (face) ex_.BeginFontName(font.Name, font.Charset);
      if (size) ex_.BeginFontSize(look.Size);
      if (styles.Contains(fsBold)) ex_.BeginBold();
      if (styles.Contains(fsItalic)) ex_.BeginItalic();
      if (styles.Contains(fsUnderline)) ex_.BeginUnderline();
      if (styles.Contains(fsStrikeOut)) ex_.BeginStrikeOut();
      if (colored) ex_.BeginColor(font.Color);
      if (backed) ex_.BeginBackColor(look.Back);
      Emit(part.Text.substr(i, end - i));
      if (end >= part.To) {
        // Empty lines after the line's last run break inside its tags.
        while (y < last && PartEmpty(y + 1)) {
          ex_.NewLine();
          ++y;
        }
      }
      if (backed) ex_.EndBackColor();
      if (colored) ex_.EndColor();
      if (styles.Contains(fsStrikeOut)) ex_.EndStrikeOut();
      if (styles.Contains(fsUnderline)) ex_.EndUnderline();
      if (styles.Contains(fsItalic)) ex_.EndItalic();
      if (styles.Contains(fsBold)) ex_.EndBold();
      if (size) ex_.EndFontSize();
      if (face) ex_.EndFontName();
      previous = &look;
      i = end;
    }
  }
}

void TExportWalk::Run() {
  ex_.Utf8 = utf8_;
  int first = 0, last = store_.LineCount() - 1;
  if (selectionOnly_) {
    if (store_.HasSelection()) {
      TRect r = store_.TextSelectionRect();
      first = std::max(r.Top, 0);
      last = std::min(r.Bottom, last);
    } else {
      last = -1;  // only the frame
    }
  }
  ex_.BeginDocument(source_.Title);
  ex_.BeginBody(source_.Color);
  OpenBaseFont();
  if (highlight_)
    HighlightedLines(first, last);
  else
    PlainLines(first, last);
  CloseBaseFont();
  ex_.EndBody();
  ex_.EndDocument();
}

void ExportFile(const TExportSource& source, const std::string& fileName, bool rtf) {
  platform::IFileSystem& files = *source.Store->Services().Files;
  if (files.IsFile(fileName) && files.IsReadOnly(fileName))
    throw platform::EFileError("Cannot create file " + fileName + ": it is read only");
  if (rtf) {
    // The font and colour tables come first and are known at the end: collected whole.
    platform::SafeWriteFile(files, fileName, ExportRtf(source));
    return;
  }
  platform::SafeWriteFilePieces(files, fileName,
                                [&](const platform::IFileSystem::TPieceWriter& write) {
                                  std::string out;
                                  out.reserve(2 * TVrelExporter::kDrainBytes);
                                  TVrelHTMLExporter exporter(out);
                                  exporter.Drain = write;
                                  RunExport(source, exporter, false);
                                  write(out);
                                });
}

}  // namespace

void RunExport(const TExportSource& source, TVrelExporter& exporter, bool selectionOnly) {
  TExportWalk(source, exporter, selectionOnly).Run();
}

// The bytes of text the export will walk: its output is reserved from it up front, as growing a
// string of a hundred megabytes by doubling copies it again and again.
size_t TextBytes(const TExportSource& source, bool selectionOnly) {
  if (selectionOnly) return 0;
  size_t bytes = 0;
  const TCustomMemoSource& store = *source.Store;
  for (int y = 0; y < store.LineCount(); ++y) bytes += store.LineRecord(y)->Text.size() + 2;
  return bytes;
}

std::string ExportHtml(const TExportSource& source, bool selectionOnly) {
  std::string out;
  // Tags and "&nbsp;" make a page several times its text; unused reserve is never touched.
  out.reserve(TextBytes(source, selectionOnly) * 8 + 4096);
  TVrelHTMLExporter exporter(out);
  RunExport(source, exporter, selectionOnly);
  return out;
}

std::string ExportRtf(const TExportSource& source, bool selectionOnly) {
  std::string out;
  TVrelRTFExporter exporter(out);
  exporter.Reserve(TextBytes(source, selectionOnly) * 3 + 4096);
  RunExport(source, exporter, selectionOnly);
  return out;
}

void ExportHtmlFile(const TExportSource& source, const std::string& fileName) {
  ExportFile(source, fileName, false);
}

void ExportRtfFile(const TExportSource& source, const std::string& fileName) {
  ExportFile(source, fileName, true);
}

}  // namespace quorel
