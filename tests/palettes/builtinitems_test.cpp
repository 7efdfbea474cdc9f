// The items tree and snippets built into the program, and the items file shipped beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "palettes/itemtree.h"

namespace quorel {
namespace {

// The node among `nodes` captioned `caption`; a failure and an empty node when there is none.
const TItemNode& Find(const std::vector<TItemNode>& nodes, std::string_view caption) {
  static const TItemNode kNone;
  for (const TItemNode& node : nodes)
    if (node.Caption == caption) return node;
  ADD_FAILURE() << "no node \"" << caption << '"';
  return kNone;
}

const TItemNode& Child(const TItemNode& parent, std::string_view caption) {
  return Find(parent.Children, caption);
}

bool Has(const TItemNode& parent, std::string_view caption) {
  return std::any_of(parent.Children.begin(), parent.Children.end(),
                     [caption](const TItemNode& child) { return child.Caption == caption; });
}

std::vector<std::string> Captions(const std::vector<TItemNode>& nodes) {
  std::vector<std::string> out;
  for (const TItemNode& node : nodes) out.push_back(node.Caption);
  return out;
}

// The text split at CR LF. Every line, the last included, must end in CR LF, and no CR or LF
// may stand alone.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  EXPECT_TRUE(text.ends_with("\r\n")) << "the last line is not ended by CR LF";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos)
        << "line " << lines.size() + 1 << " holds a bare CR or LF";
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

TEST(BuiltInItems, FiveTopNodesInOrder) {
  std::vector<std::pair<std::string, size_t>> top;
  for (const TItemNode& node : BuiltInItemTree())
    top.emplace_back(node.Caption, node.Children.size());
  EXPECT_EQ(top, (std::vector<std::pair<std::string, size_t>>{{"Colours", 16},
                                                              {"Insert Custom Text", 1},
                                                              {"JavaScripts", 4},
                                                              {"Tags", 32},
                                                              {"Custom Colors", 0}}));
  EXPECT_EQ(BuiltInItemTree().back().Caption, kCustomColorsCaption);
}

TEST(BuiltInItems, ShallowGroupsHoldTheirEntriesInOrder) {
  const TItemTree& tree = BuiltInItemTree();
  const TItemNode& colours = Find(tree, "Colours");
  ASSERT_EQ(colours.Children.size(), 16u);
  EXPECT_EQ(colours.Children.front().Caption, "Aqua");
  EXPECT_EQ(colours.Children[4].Caption, "Gray");
  EXPECT_EQ(colours.Children.back().Caption, "Yellow");
  EXPECT_EQ(Captions(Find(tree, "Insert Custom Text").Children),
            std::vector<std::string>{"Edit Custom Text"});
  EXPECT_EQ(Captions(Find(tree, "JavaScripts").Children),
            (std::vector<std::string>{"HyperLink Colour Changer", "Image Replacement",
                                      "Open in New Window", "Open Info Window"}));
  // Each script entry is only useful if it finds its text.
  for (const TItemNode& script : Find(tree, "JavaScripts").Children)
    EXPECT_NE(SnippetText(script.Caption), nullptr) << script.Caption;
}

TEST(BuiltInItems, DeepTagCaptionsAreExact) {
  const TItemNode& tags = Find(BuiltInItemTree(), "Tags");
  ASSERT_EQ(tags.Children.size(), 32u);
  EXPECT_EQ(tags.Children.front().Caption, "<A HREF=\"\"></A>");
  EXPECT_EQ(tags.Children.back().Caption, "<TR></TR>");

  const TItemNode& appletAlign = Child(Child(tags, "<APPLET></APPLET>"), "Align=\"\"");
  ASSERT_EQ(appletAlign.Children.size(), 9u);
  EXPECT_EQ(appletAlign.Children.front().Caption, "Absbottom");
  EXPECT_EQ(appletAlign.Children[7].Caption, "TextTop");
  EXPECT_EQ(appletAlign.Children.back().Caption, "Top");

  EXPECT_TRUE(Has(Child(tags, "<BODY></BODY>"), "BGProperties=Fixed"));
  EXPECT_EQ(Child(tags, "<TABLE></TABLE>").Children.back().Caption, "Width=\"100%\"");
  EXPECT_EQ(Child(Child(tags, "<BG SOUND>"), "Loop=\"\"").Children.size(), 1u);

  const TItemNode& object = Child(tags, "<OBJECT>");
  EXPECT_EQ(object.Children.size(), 21u);
  EXPECT_EQ(Child(object, "Align=\"\"").Children.size(), 8u);
  EXPECT_EQ(Captions(Child(object, "Scope=\"\"").Children),
            (std::vector<std::string>{"Application", "Session"}));
  EXPECT_EQ(object.Children.back().Caption, "Width=\"\"");

  const TItemNode& inputType = Child(Child(tags, "<INPUT>"), "Type=\"\"");
  ASSERT_EQ(inputType.Children.size(), 9u);
  EXPECT_EQ(inputType.Children.front().Caption, "CheckBox");
  EXPECT_EQ(inputType.Children.back().Caption, "Text");
}

// A slip in one of the paired tags (say "<TD></TR>") would insert broken HTML.
TEST(BuiltInItems, EveryTagIsWholeAndClosesWhatItOpens) {
  for (const TItemNode& tag : Find(BuiltInItemTree(), "Tags").Children) {
    const std::string& c = tag.Caption;
    ASSERT_TRUE(c.starts_with('<') && c.ends_with('>')) << c;
    size_t close = c.find("</");
    if (close == std::string::npos) continue;
    std::string opened = c.substr(1, c.find_first_of(" >") - 1);
    EXPECT_EQ(c.substr(close), "</" + opened + ">") << c;
  }
}

// Only an attribute waiting for a value offers values, and values go no deeper.
TEST(BuiltInItems, OnlyEmptyAttributesOfferValues) {
  for (const TItemNode& tag : Find(BuiltInItemTree(), "Tags").Children)
    for (const TItemNode& attribute : tag.Children) {
      if (!attribute.Children.empty()) {
        EXPECT_TRUE(attribute.Caption.ends_with("=\"\""))
            << tag.Caption << ' ' << attribute.Caption;
      }
      for (const TItemNode& value : attribute.Children)
        EXPECT_TRUE(value.Children.empty()) << tag.Caption << ' ' << value.Caption;
    }
}

TEST(BuiltInSnippets, HyperLinkColourChanger) {
  const std::string* text = SnippetText("HyperLink Colour Changer");
  ASSERT_NE(text, nullptr);
  std::vector<std::string> lines = CrLfLines(*text);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "<SCRIPT LANGUAGE=\"JavaScript\">");
  EXPECT_EQ(lines[1], "<!-- Comment to hide from old Browsers. Does Not Work With Netscape!!");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[5],
            "// insert the call    OnMouseOver=\"changecolor(NAME);\"    where NAME is the name of "
            "the hyperlink");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11], "// -->");
  EXPECT_EQ(lines[12], "</SCRIPT>");
}

TEST(BuiltInSnippets, ImageReplacement) {
  const std::string* text = SnippetText("Image Replacement");
  ASSERT_NE(text, nullptr);
  std::vector<std::string> lines = CrLfLines(*text);
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "<SCRIPT LANGUAGE=\"JavaScript\">");
  EXPECT_EQ(lines[3],
            "images1 = new Image();  // add as many of these two lines as necessery for caching "
            "the images");
  EXPECT_EQ(lines[16],
            "// so your image tag should look like this <IMG Name=\"img1\" SRC=\"1.bmp\" "
            "OnMouseOver=\"imagechange(img1, images2);\" OnMouseOut=\"imagechangeback(img1, "
            "images1);\">");
  EXPECT_EQ(lines[17], "");
  EXPECT_EQ(lines[18], "// -->");
  EXPECT_EQ(lines[19], "</SCRIPT>");
}

TEST(BuiltInSnippets, OpenInfoWindow) {
  const std::string* text = SnippetText("Open Info Window");
  ASSERT_NE(text, nullptr);
  std::vector<std::string> lines = CrLfLines(*text);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "<SCRIPT LANGUAGE=\"JavaScript\">");
  EXPECT_EQ(lines[4],
            "{var w = window.open(\"\", \"Window_Name\", \"resizable,width=260,height=410\");");
  EXPECT_EQ(lines[10],
            "q.write(<INPUT TYPE=\"button\" VALUE=\"Close\" onClick=\"self.close()\">);");
  EXPECT_EQ(lines[12], "");
  EXPECT_EQ(lines[14], "// insert the call    OnClick=\"open_window1;\"");
  EXPECT_EQ(lines[15], "// -->");
  EXPECT_EQ(lines[16], "</SCRIPT>");
}

TEST(BuiltInSnippets, OpenInNewWindowIsOneLine) {
  const std::string* text = SnippetText("Open in New Window");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(*text, "<a href=\"source.htm\" target=\"_blank\">Hyperlink text here</a>\r\n");
}

TEST(BuiltInSnippets, OtherCaptionsHaveNone) {
  EXPECT_EQ(SnippetText("Tags"), nullptr);
  EXPECT_EQ(SnippetText("JavaScripts"), nullptr);
  EXPECT_EQ(SnippetText(""), nullptr);
}

// The shipped items file, as its lines without their CR LF, and as a tree.
struct TShippedLine {
  int Depth;
  std::string Caption;
};

std::string ShippedItemsBytes() {
  std::string path = std::string(QUOREL_TEST_DATA_DIR) + "/../../data/Items.txt";
  EXPECT_TRUE(std::filesystem::exists(path)) << path;
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<TShippedLine> ShippedItemsLines() {
  std::vector<TShippedLine> out;
  for (const std::string& line : CrLfLines(ShippedItemsBytes())) {
    size_t tabs = line.find_first_not_of('\t');
    if (tabs == std::string::npos) tabs = line.size();
    out.push_back({static_cast<int>(tabs), line.substr(tabs)});
  }
  return out;
}

TItemTree ShippedItemsTree() {
  TItemTree tree;
  for (const TShippedLine& line : ShippedItemsLines()) {
    std::vector<TItemNode>* level = &tree;
    for (int d = 0; d < line.Depth && !level->empty(); ++d) level = &level->back().Children;
    level->push_back({line.Caption, {}});
  }
  return tree;
}

// Each node as its depth in tabs and its caption, depth first, leaving out "Custom Colors".
void Flatten(const std::vector<TItemNode>& nodes, int depth, std::vector<std::string>& out) {
  for (const TItemNode& node : nodes) {
    if (node.Caption == kCustomColorsCaption) continue;
    out.push_back(std::string(depth, '\t') + node.Caption);
    Flatten(node.Children, depth + 1, out);
  }
}

TEST(ShippedItems, LinesEndInCrLfAndGoAtMostOneLevelDeeper) {
  std::vector<TShippedLine> lines = ShippedItemsLines();
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines[0].Depth, 0);
  for (size_t i = 1; i < lines.size(); ++i)
    EXPECT_LE(lines[i].Depth, lines[i - 1].Depth + 1)
        << "line " << i + 1 << ": " << lines[i].Caption;
}

TEST(ShippedItems, StartsWithTheBuiltInTreeButLeavesCustomColorsToTheProgram) {
  std::vector<std::string> builtIn;
  Flatten(BuiltInItemTree(), 0, builtIn);
  std::vector<std::string> shipped;
  for (const TShippedLine& line : ShippedItemsLines())
    shipped.push_back(std::string(line.Depth, '\t') + line.Caption);
  ASSERT_GT(shipped.size(), builtIn.size());
  EXPECT_EQ(std::vector<std::string>(shipped.begin(), shipped.begin() + builtIn.size()), builtIn);
  EXPECT_EQ(std::count(shipped.begin(), shipped.end(), std::string(kCustomColorsCaption)), 0);
}

// The caret is put back inside a tag by walking back from the end to the last ">", so a
// caption that holds a tag after its first character must end with that tag closed.
TEST(ShippedItems, CaptionsKeepTheRulesForInserting) {
  for (const TShippedLine& line : ShippedItemsLines()) {
    const std::string& c = line.Caption;
    ASSERT_FALSE(c.empty()) << "an empty line";
    EXPECT_NE(c.front(), ' ') << c;
    EXPECT_NE(c.back(), ' ') << c;
    EXPECT_NE(c.back(), '\t') << c;
    size_t lastOpen = c.rfind('<');
    if (lastOpen != std::string::npos && lastOpen > 0) {
      size_t lastClose = c.rfind('>');
      EXPECT_TRUE(lastClose != std::string::npos && lastClose > lastOpen) << c;
    }
  }
}

TEST(ShippedItems, AddsTodaysElementsAndAttributes) {
  TItemTree tree = ShippedItemsTree();
  const size_t builtInTop = BuiltInItemTree().size() - 1;  // without "Custom Colors"
  ASSERT_GT(tree.size(), builtInTop);
  std::vector<std::string> added;
  Flatten(std::vector<TItemNode>(tree.begin() + builtInTop, tree.end()), 0, added);
  for (std::string_view wanted :
       {"<header></header>", "<meta charset=\"utf-8\">", "data-=\"\"", "aria-label=\"\"",
        "<link rel=\"stylesheet\" href=\"\">", "rebeccapurple", "<!DOCTYPE html>"}) {
    bool found = std::any_of(added.begin(), added.end(), [wanted](const std::string& line) {
      return line.substr(line.find_first_not_of('\t')) == wanted;
    });
    EXPECT_TRUE(found) << wanted;
  }

  // Attributes sit under the element they belong to, values under their attribute.
  const TItemNode& elements = Find(tree, "HTML5 Elements");
  EXPECT_EQ(Captions(Child(Child(elements, "<video></video>"), "preload=\"\"").Children),
            (std::vector<std::string>{"none", "metadata", "auto"}));
  EXPECT_EQ(Captions(Child(Child(elements, "<button></button>"), "type=\"\"").Children),
            (std::vector<std::string>{"button", "submit", "reset"}));
  const TItemNode& inputType = Child(Child(elements, "<input>"), "type=\"\"");
  for (std::string_view type : {"email", "url", "tel", "number", "range", "date", "color"})
    EXPECT_TRUE(Has(inputType, type)) << type;
  EXPECT_TRUE(Has(Child(Child(elements, "<a href=\"\"></a>"), "target=\"\""), "_blank"));
  EXPECT_TRUE(Has(Find(tree, "Global Attributes"), "class=\"\""));
  EXPECT_TRUE(Has(Find(tree, "Head"),
                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"));
}

TEST(ShippedItems, CssColoursGroupHoldsAllNamedColours) {
  TItemTree tree = ShippedItemsTree();
  const TItemNode& colours = Find(tree, "CSS Colours");
  std::set<std::string> names;
  for (const TItemNode& colour : colours.Children) {
    EXPECT_TRUE(colour.Children.empty()) << colour.Caption;
    EXPECT_TRUE(std::all_of(colour.Caption.begin(), colour.Caption.end(), [](char c) {
      return c >= 'a' && c <= 'z';
    })) << colour.Caption;
    names.insert(colour.Caption);
  }
  EXPECT_EQ(colours.Children.size(), 148u);
  EXPECT_EQ(names.size(), colours.Children.size()) << "a name is listed twice";
  for (const char* name : {"aliceblue", "antiquewhite", "rebeccapurple", "grey", "gray",
                           "lightgoldenrodyellow", "yellowgreen"})
    EXPECT_EQ(names.count(name), 1u) << name;
}

}  // namespace
}  // namespace quorel
