// The HTML exporter: font, colour and style tags around the text, written as they come.
#pragma once

#include "richtext/exporter.h"

namespace quorel {

// The SIZE of a font tag for a size in points.
int HtmlFontSize(int points);
// "#RRGGBB" in upper-case hexadecimal, system colours resolved.
std::string HtmlColor(TColor color);

class TVrelHTMLExporter : public TVrelExporter {
 public:
  using TVrelExporter::TVrelExporter;

  void WriteText(std::string_view s) override { out_.append(s); }
  void EscapeText(std::string_view s, std::string& escaped) override;
  void WriteEscaped(std::string_view s) override { EscapeText(s, out_); }
  void NewLine() override { out_.append("<BR>\r\n"); }
  void BeginFontName(const std::string& name, int charset) override;
  void EndFontName() override { out_.append("</font>"); }
  void BeginFontSize(int points) override;
  void EndFontSize() override { out_.append("</font>"); }
  void BeginItalic() override { out_.append("<I>"); }
  void EndItalic() override { out_.append("</I>"); }
  void BeginBold() override { out_.append("<B>"); }
  void EndBold() override { out_.append("</B>"); }
  void BeginUnderline() override { out_.append("<U>"); }
  void EndUnderline() override { out_.append("</U>"); }
  void BeginStrikeOut() override { out_.append("<S>"); }
  void EndStrikeOut() override { out_.append("</S>"); }
  void BeginColor(TColor color) override;
  void EndColor() override { out_.append("</font>"); }
  void BeginBody(TColor color) override;
  void EndBody() override { out_.append("</Body>"); }
  void BeginBackColor(TColor) override {}
  void EndBackColor() override {}
  void BeginDocument(const std::string& title) override;
  void EndDocument() override { out_.append("</font></Body></Html>"); }
  bool UsesRawText() const override { return false; }

 private:
  // <name attribute="value" ...>, on a new line when the previous attribute tag had another
  // name. Pairs with an empty value are left out. `name` is a literal: it is kept as the last.
  void AttributeTag(std::string_view name, std::string_view attribute, std::string_view value);
  // The attribute tag with the colour as "#RRGGBB".
  void ColorTag(std::string_view name, std::string_view attribute, TColor color);

  std::string_view lastTag_;
};

}  // namespace quorel
