// Attribute documents: the style table of the attribute parser, the attributes object, and
// imported pieces entering a store with their formatting.
#include <gtest/gtest.h>

#include <memory>

#include "engine/memosource.h"
#include "richtext/attributeparser.h"
#include "richtext/importinsert.h"
#include "support/testparser.h"

namespace quorel {
namespace {

TAttributeValues Colored(TColor color, std::string name = "Arial") {
  TAttributeValues v;
  v.Name = std::move(name);
  v.Color = color;
  return v;
}

TAttributeValues Base() { return Colored(clBlack, "Courier New"); }
TAttributeValues Url() {
  TAttributeValues url = Colored(clBlue, "Courier New");
  url.Style = {fsUnderline};
  return url;
}

TEST(AttributeParser, StylesAreFoundOrAddedWithTwelveKeptForAddresses) {
  TAttributeParser parser(Base(), Url());
  EXPECT_EQ(parser.StyleFor(Base()), 0);
  for (int i = 1; i <= 11; ++i) EXPECT_EQ(parser.StyleFor(Colored(TColor(i))), i);
  // The 13th formatting: 12 goes to the address style first.
  EXPECT_EQ(parser.StyleFor(Colored(TColor(12))), 13);
  EXPECT_EQ(parser.Style(12), Url());
  EXPECT_EQ(parser.StyleFor(Colored(TColor(5))), 5) << "the same formatting again";
  EXPECT_EQ(parser.StyleFor(Url()), 12);
  EXPECT_EQ(parser.StyleCount(), 14);
  // Fonts and backgrounds come from the table; outside it the view's own (12: none).
  EXPECT_EQ(parser.GetFont(13)->Color, TColor(12));
  EXPECT_EQ(parser.GetFont(200)->Name, "Courier New");
  TAttributeParser fresh(Base(), Url());
  EXPECT_EQ(fresh.GetFont(12), nullptr);
  TColor back = 0;
  EXPECT_FALSE(fresh.GetBackColor(12, back));
  EXPECT_TRUE(fresh.GetBackColor(7, back));
  EXPECT_EQ(back, clWindow);
}

struct FullTable : ::testing::Test {
  TMemoSource store;
  TAttributeParser parser{Base(), Url(), &store};
  void SetUp() override {
    store.SetSyntaxParser(&parser);
    store.LoadFromBuffer("abc");
    for (int i = 1; parser.StyleCount() < 256; ++i) parser.StyleFor(Colored(TColor(i)));
    // The text uses styles 1 and 2 only.
    store.GetLineColors(0);
    store.ReplaceColors(0, 1, std::string{char(1), char(2), char(1)});
  }
  void TearDown() override { store.SetSyntaxParser(nullptr); }
};

TEST_F(FullTable, WithUndoOnANewFormattingFallsBackToPlain) {
  ASSERT_TRUE(store.AllowUndo());
  EXPECT_EQ(parser.StyleFor(Colored(0x123456)), 0);
}

TEST_F(FullTable, ReusingTakesTheLowestStyleTheTextDoesNotUse) {
  parser.ResetOnOverFlow = true;
  EXPECT_EQ(parser.StyleFor(Colored(0x123456)), 3);
  EXPECT_EQ(parser.Style(3).Color, TColor(0x123456));
  EXPECT_EQ(parser.StyleFor(Colored(0x123456)), 3);
  EXPECT_EQ(parser.StyleFor(Colored(0x654321)), 4);
  EXPECT_EQ(parser.StyleFor(Colored(TColor(3))), 5) << "the overwritten look is new again";
  store.SetAllowUndo(false);  // without undo reuse needs no permission
  parser.ResetOnOverFlow = false;
  EXPECT_EQ(parser.StyleFor(Colored(0x111111)), 6);
}

TEST_F(FullTable, ResetLeavesStyleZeroAndPlainText) {
  parser.ResetStyles();
  EXPECT_EQ(parser.StyleCount(), 1);
  EXPECT_EQ(store.GetLineColors(0), std::string(3, '\0'));
  EXPECT_EQ(parser.StyleFor(Colored(0x123456)), 1);
  EXPECT_TRUE(parser.HasAttributes());
}

TEST(MemoAttributes, ChangesAreReportedOnceOutsideAnUpdate) {
  TMemoAttributes attributes;
  std::vector<unsigned> masks;
  attributes.OnChanged = [&](const TAttributeValues&, unsigned mask) { masks.push_back(mask); };
  attributes.SetBold(true);
  attributes.BeginUpdate();
  attributes.SetColor(clRed);
  attributes.SetSize(20);
  attributes.EndUpdate();
  attributes.SetSize(20);  // unchanged: nothing
  EXPECT_EQ(masks, (std::vector<unsigned>{abBold, abColor | abSize}));
  // With a mixed selection an unchanged value is applied all the same.
  attributes.IsUniform = [](unsigned, const TAttributeValues&) { return false; };
  attributes.SetSize(20);
  EXPECT_EQ(masks.back(), unsigned{abSize});

  TAttributeValues bold = Colored(clRed);
  bold.Style = {fsBold, fsItalic};
  TAttributeValues plain = Colored(clBlue, "Times");
  TAttributeValues merged = plain.Merged(bold, abBold | abColor);
  EXPECT_EQ(merged.Color, clRed);
  EXPECT_EQ(merged.Name, "Times");
  EXPECT_EQ(merged.Style, TFontStyles{fsBold});
  EXPECT_EQ(plain.Merged(bold, abStyle).Style, (TFontStyles{fsBold, fsItalic}));
}

// An importer that hands over scripted pieces.
class TScriptedImporter : public TVrelImporter {
 public:
  struct TPiece {
    TImportPieceKind Kind;
    std::string Text;
    TImportAttributes Attributes;
  };
  std::vector<TPiece> Pieces;
  bool Known = true;
  bool Recognises(std::string_view) const override { return Known; }
  void Import(std::string_view) override {
    for (const TPiece& p : Pieces) OnPiece(p.Kind, p.Text, p.Attributes);
  }
};

TImportAttributes ViewLook() {
  TImportAttributes a;
  a.FontName = "Courier New";
  a.Size = 10;
  a.Color = 0;
  return a;
}

struct Import : ::testing::Test {
  TMemoSource store;
  std::unique_ptr<TAttributeParser> parser;
  TImportTarget target;
  TScriptedImporter importer;
  int attached = 0;
  void SetUp() override {
    target.Store = &store;
    target.Font.Name = "Courier New";
    target.Font.SetSize(10);
    target.Font.Color = clBlack;
    target.Color = clWhite;
    target.AttachParser = [this]() -> TAttributeParser& {
      ++attached;
      parser = std::make_unique<TAttributeParser>(
          TAttributeValues::FromFont(target.Font, target.Color), Url(), &store);
      store.SetSyntaxParser(parser.get());
      return *parser;
    };
  }
  void TearDown() override { store.SetSyntaxParser(nullptr); }
};

TEST_F(Import, PiecesBecomeTextLinesTabsAndStyles) {
  store.LoadFromBuffer("[]");
  store.SetCaretPos(1, 0);
  TImportAttributes red = ViewLook();
  red.Color = clRed;
  TImportAttributes marked = ViewLook();
  marked.HasBack = true;
  marked.Back = clYellow;
  importer.Pieces = {{ipText, "plain ", ViewLook()},
                     {ipText, "red", red},
                     {ipLineBreak, "", red},
                     {ipTab, "", ViewLook()},
                     {ipText, "hi", marked}};
  ImportInto(target, importer, "data");
  EXPECT_EQ(attached, 1) << "a store without a parser becomes an attribute document";
  ASSERT_EQ(store.LineCount(), 2);
  EXPECT_EQ(store.Line(0), "[plain red");
  EXPECT_EQ(store.RawLine(1).substr(store.RawLine(1).size() - 3), "hi]");
  EXPECT_EQ(store.CaretPos().Y, 1);
  const std::string first = store.GetLineColors(0).str();
  int redStyle = static_cast<unsigned char>(first[7]);
  EXPECT_EQ(first.substr(0, 7), std::string(7, '\0')) << "the view's look is style 0";
  EXPECT_EQ(first.substr(7), std::string(3, char(redStyle)));
  EXPECT_EQ(parser->Style(redStyle).Color, clRed);
  std::string second = store.GetLineColors(1).str();
  int markedStyle = static_cast<unsigned char>(second[second.size() - 3]);
  EXPECT_EQ(parser->Style(markedStyle).BackColor, clYellow);
  EXPECT_EQ(second.back(), '\0') << "the bracket after the caret keeps its style";
  // One undo step takes it all back.
  store.Undo();
  EXPECT_EQ(store.LineCount(), 1);
  EXPECT_EQ(store.RawLine(0), "[]");
}

TEST_F(Import, TypingAfterFormattedTextContinuesIt) {
  TImportAttributes bold = ViewLook();
  bold.Style = {fsBold};
  importer.Pieces = {{ipText, "bold", bold}};
  ImportInto(target, importer, "data");
  store.SetCaretPos(4, 0);
  store.InsertText("er");
  EXPECT_EQ(store.GetLineColors(0), std::string(6, store.GetLineColors(0)[0]));
  EXPECT_TRUE(parser->Style(store.GetLineColors(0)[0]).Style.Contains(fsBold));
}

TEST_F(Import, AFullTableNeverTakesAStyleTheImportedTextUses) {
  store.SetAllowUndo(false);  // styles may be reused
  for (int i = 1; i <= 300; ++i) {
    TImportAttributes a = ViewLook();
    a.Color = TColor(i);
    importer.Pieces.push_back({ipText, "x", a});
  }
  ImportInto(target, importer, "data");
  const TLineColors& colors = store.GetLineColors(0);
  ASSERT_EQ(colors.size(), 300u);
  // The first 254 colours (12 is the address style) keep their own styles; the rest are plain.
  for (int i = 0; i < 300; ++i) {
    int style = static_cast<unsigned char>(colors[static_cast<size_t>(i)]);
    if (style != 0) {
      EXPECT_EQ(parser->Style(style).Color, TColor(i + 1)) << i;
    }
  }
  EXPECT_EQ(colors.back(), '\0');
}

TEST_F(Import, AHighlightedDocumentTakesOnlyTheText) {
  test::TTestParser highlighter;
  store.SetSyntaxParser(&highlighter);
  TImportAttributes red = ViewLook();
  red.Color = clRed;
  importer.Pieces = {{ipText, "<b>", red}, {ipText, " x", ViewLook()}};
  ImportInto(target, importer, "data");
  EXPECT_EQ(attached, 0);
  EXPECT_EQ(store.RawLine(0), "<b> x");
  EXPECT_EQ(store.GetLineColors(0), std::string("\1\1\1\0\0", 5)) << "the parser colours it";
}

TEST_F(Import, UnrecognisedDataArrivesAsPlainLines) {
  importer.Known = false;
  ImportInto(target, importer, "one\r\ntwo\nthree");
  EXPECT_EQ(store.LineCount(), 3);
  EXPECT_EQ(store.RawLine(2), "three");
  EXPECT_EQ(attached, 0);
  ImportInto(target, importer, "");  // nothing at all
  EXPECT_EQ(store.LineCount(), 3);
}

TEST_F(Import, AColumnBlockImportKeepsItsColumn) {
  store.LoadFromBuffer("ab\r\ncd");
  store.SetBlockOption(bkBlockSel);
  store.SetCaretPos(1, 0);
  importer.Pieces = {{ipText, "X", ViewLook()},
                     {ipLineBreak, "", ViewLook()},
                     {ipText, "Y", ViewLook()},
                     {ipLineBreak, "", ViewLook()},
                     {ipText, "Z", ViewLook()}};
  ImportInto(target, importer, "data");
  ASSERT_EQ(store.LineCount(), 3);
  EXPECT_EQ(store.RawLine(0), "aXb");
  EXPECT_EQ(store.RawLine(1), "cYd");
  EXPECT_EQ(store.Line(2), " Z");
}

}  // namespace
}  // namespace quorel
