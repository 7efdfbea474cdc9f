// The exporter: the formatting calls the export walk makes, turned into a document format by
// each subclass (HTML, RTF). The output is collected in a string the caller writes out.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/fonttypes.h"

namespace quorel {

class TVrelExporter {
 public:
  // Output goes to `out` (appended to).
  explicit TVrelExporter(std::string& out) : out_(out) {}
  virtual ~TVrelExporter() = default;
  TVrelExporter(const TVrelExporter&) = delete;
  TVrelExporter& operator=(const TVrelExporter&) = delete;

  // The text's bytes are UTF-8 (else Windows-1252); set before BeginDocument.
  bool Utf8 = false;

  // Takes the output made so far at a line's end once it passes a megabyte, and the output
  // string starts again: an HTML page written to a file goes out in pieces instead of being held
  // whole. Unset, everything stays in the output string.
  std::function<void(std::string_view)> Drain;
  void LineDone() {
    if (Drain && out_.size() >= kDrainBytes) {
      Drain(out_);
      out_.clear();
    }
  }
  static constexpr size_t kDrainBytes = 1 << 20;

  virtual void WriteText(std::string_view s) = 0;
  // Appends `s` made safe for the format to `escaped`.
  virtual void EscapeText(std::string_view s, std::string& escaped) = 0;
  // Writes `s` made safe for the format: EscapeText then WriteText, which a format may do
  // without the copy in between.
  virtual void WriteEscaped(std::string_view s) {
    std::string escaped;
    EscapeText(s, escaped);
    WriteText(escaped);
  }
  virtual void NewLine() = 0;
  virtual void BeginFontName(const std::string& name, int charset) = 0;
  virtual void EndFontName() = 0;
  virtual void BeginFontSize(int points) = 0;
  virtual void EndFontSize() = 0;
  virtual void BeginItalic() = 0;
  virtual void EndItalic() = 0;
  virtual void BeginBold() = 0;
  virtual void EndBold() = 0;
  virtual void BeginUnderline() = 0;
  virtual void EndUnderline() = 0;
  virtual void BeginStrikeOut() = 0;
  virtual void EndStrikeOut() = 0;
  virtual void BeginColor(TColor color) = 0;
  virtual void EndColor() = 0;
  virtual void BeginBody(TColor color) = 0;
  virtual void EndBody() = 0;
  virtual void BeginBackColor(TColor color) = 0;
  virtual void EndBackColor() = 0;
  virtual void BeginDocument(const std::string& title) = 0;
  virtual void EndDocument() = 0;
  // Whether the export hands over the stored text (tabs kept) rather than the text as shown.
  virtual bool UsesRawText() const = 0;

 protected:
  std::string& out_;
};

}  // namespace quorel
