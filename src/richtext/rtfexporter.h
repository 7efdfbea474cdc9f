// The RTF exporter: groups for fonts, sizes, colours and styles, collected in the writer list
// and written with their font and colour tables at the end.
#pragma once

#include "richtext/exporter.h"
#include "richtext/rtfwriterlist.h"

namespace quorel {

class TVrelRTFExporter : public TVrelExporter {
 public:
  using TVrelExporter::TVrelExporter;

  void WriteText(std::string_view s) override { list_.Append(s); }
  void WriteEscaped(std::string_view s) override { EscapeText(s, list_.Text()); }
  // Tabs become \tab, backslashes and braces are escaped; in UTF-8 text every other character
  // beyond ASCII becomes \uN? (N a signed 16-bit number, two for a character beyond U+FFFF).
  void EscapeText(std::string_view s, std::string& escaped) override;
  void NewLine() override;
  void BeginFontName(const std::string& name, int charset) override;
  void EndFontName() override { list_.CloseGroup(); }
  void BeginFontSize(int points) override;
  void EndFontSize() override { list_.CloseGroup(); }
  void BeginItalic() override { list_.OpenGroup("i"); }
  void EndItalic() override { list_.CloseGroup(); }
  void BeginBold() override { list_.OpenGroup("b"); }
  void EndBold() override { list_.CloseGroup(); }
  void BeginUnderline() override { list_.OpenGroup("ul"); }
  void EndUnderline() override { list_.CloseGroup(); }
  void BeginStrikeOut() override { list_.OpenGroup("strike"); }
  void EndStrikeOut() override { list_.CloseGroup(); }
  void BeginColor(TColor color) override { list_.ColorGroup("cf", color); }
  void EndColor() override { list_.CloseGroup(); }
  void BeginBody(TColor) override {}
  void EndBody() override {}
  void BeginBackColor(TColor color) override { list_.ColorGroup("highlight", color); }
  void EndBackColor() override { list_.CloseGroup(); }
  void BeginDocument(const std::string& title) override;
  void EndDocument() override;
  bool UsesRawText() const override { return true; }

  const TRTFWriterList& WriterList() const { return list_; }
  // Room for about `bytes` of document, so collecting it does not copy it as it grows.
  void Reserve(size_t bytes) { list_.Reserve(bytes); }

 private:
  TRTFWriterList list_;
};

}  // namespace quorel
