// The items tree and snippets the program carries for when there is no "Items.txt".
#include <array>
#include <cassert>
#include <cstddef>

#include "palettes/itemtree.h"

namespace quorel {

namespace {

// The built-in tree, one caption a line, two spaces of indent per level. Kept as text so that it
// reads like the items file it stands in for; it is parsed once, on first use.
constexpr std::string_view kBuiltInTable = R"tree(
Colours
  Aqua
  Black
  Blue
  Fuchsia
  Gray
  Green
  Lime
  Maroon
  Navy
  Olive
  Purple
  Red
  Silver
  Teal
  White
  Yellow
Insert Custom Text
  Edit Custom Text
JavaScripts
  HyperLink Colour Changer
  Image Replacement
  Open in New Window
  Open Info Window
Tags
  <A HREF=""></A>
    Name=""
    OnClick=""
    OnMouseOut=""
    OnMouseOver=""
    Target=""
  <APPLET></APPLET>
    Align=""
      Absbottom
      Absmiddle
      Baseline
      Bottom
      Left
      Middle
      Right
      TextTop
      Top
    Alt=""
    Archive=""
    Code=""
    CodeBase=""
    Height=""
    HSpace=""
    MayScript
    Name=""
    VSpace=""
    Width=""
  <AREA>
    ALT=""
    CoOrds=""
    HRef=""
    NoHRef
    Shape=""
      Circle
      Poly
      Rect
    Target=""
  <B></B>
  <BASEFONT>
    Color=""
    Face=""
    Size=""
  <BG SOUND>
    Loop=""
      Infinite
    SRC=""
  <BODY></BODY>
    Alink=""
      Center
      Left
      Right
    Background=""
    BGColor=""
    BGProperties=Fixed
    LeftMargin=""
    Link=""
    OnLoad=""
    OnUnLoad=""
    Text=""
    TopMargin=""
    Vlink=""
  <BR>
  <CENTER></CENTER>
  <DIV></DIV>
    Align=""
      Center
      Left
      Right
    NoWrap
  <EMBED>
    Align=""
      Bottom
      Left
      Right
      Top
    Border=""
    FrameBorder=no
    Height=""
    Hidden=""
      False
      True
    HSpace=""
    Name=""
    Palette=""
    SRC=""
    VSpace=""
    Width=""
  <FONT>
    Color=""
    Face=""
    Size=""
  <FORM></FORM>
    Action=""
    EncType=""
    Method=""
      Get
      Post
    Target=""
  <FRAME SRC="">
    Align=""
      Bottom
      Center
      Left
      Right
      Top
    BorderColor=""
    FrameBorder=1
    MarginHeight=""
    MarginWidth=""
    Name=""
    NoReSize=""
    Scrolling=""
      Auto
      No
      Yes
  <FRAMESET></FRAMESET>
    Border=1
    BorderColor=""
    Cols=""
    FrameBorder=1
    FrameSpacing=0
    Rows=""
  <HEAD></HEAD>
  <HTML></HTML>
  <I></I>
  <IMG SRC="">
    Align=""
      Bottom
      Center
      Left
      Middle
      Right
      Top
    Alt=""
    Border=0
    Height=""
    HSpace=""
    ISMap
    Loop=""
      Infinite
    LowSCR=""
    OnClick=""
    OnMouseOut=""
    OnMouseOver=""
    UseMap=""
    Vspace=""
    Width=""
  <INPUT>
    Align=""
      Bottom
      Left
      Middle
      Right
      Top
    Checked
    MaxLength=""
    Name=""
    OnClick=""
    Size=""
    SRC=""
    TabIndex=""
    Type=""
      CheckBox
      File
      Hidden
      Image
      Password
      Radio
      Reset
      Submit
      Text
    Value=""
  <MARQUEE></MARQUEE>
    Align=""
      Bottom
      Center
      Left
      Right
      Top
    Behavior=""
      Alternate
      Scroll
      Slide
    BGColor=""
    Direction=""
      Left
      Right
    Height=""
    HSpace=""
    Loop=""
      Infinite
    ScrollAmount=""
    ScrollDelay=""
    Vspace=""
    Width=""
  <META>
    Content=""
    HTTP-Equiv=""
    Name=""
  <OBJECT>
    Align=""
      Baseline
      Center
      Left
      Middle
      Right
      TextBottom
      TextMiddle
      TextTop
    Border=""
    ClassID=""
    CodeBase=""
    CodeType=""
    Data=""
    Declare
    Height=""
    HSpace=""
    Name=""
    NoTab
    ProgID=""
    RunAt=Server
    Scope=""
      Application
      Session
    Shapes
    Standby=""
    TabIndex=""
    Type=""
    UseMap=""
    VSpace=""
    Width=""
  <P></P>
  <SCRIPT></SCRIPT>
    Event=""
    For=""
    Language=""
      JavaScript
      JScript
      VBScript
    Runat=Server
    SRC=""
  <SMALL></SMALL>
  <STYLE></STYLE>
  <TABLE></TABLE>
    Align=""
      Center
      Left
      Right
    BGColor=""
    Border=1
    BorderColor=""
    BorderColorDark=""
    BorderColorLight=""
    CellPadding=1
    CellSpacing=""
    Cols=2
    Width="100%"
  <TD></TD>
    Align=""
      Center
      Left
      Right
    BGColor=""
    BorderColor=""
    BorderColorDark=""
    BorderColorLight=""
    ColSpan=2
    Height=""
    NoWrap
    RowSpan=2
    Valign=""
      Baseline
      Bottom
      Middle
      Top
    Width=""
  <TEXTAREA></TEXTAREA>
    Cols=""
    Name=""
    OnChange=""
    OnClick=""
    Rows=""
    Wrap=""
      Off
      Physical
      Virtual
  <TITLE></TITLE>
  <TR></TR>
    Align=""
      Center
      Left
      Right
    BGColor=""
    BorderColorDark=""
    BorderColorLight=""
    NoWrap
    Valign=""
      Baseline
      Bottom
      Middle
      Top
Custom Colors
)tree";

TItemTree ParseTable(std::string_view table) {
  TItemTree tree;
  // levels[d] is where the next node of depth d goes: the top level, then the children of the
  // last node added at each depth above it.
  std::vector<std::vector<TItemNode>*> levels{&tree};
  size_t start = 0;
  while (start < table.size()) {
    size_t end = table.find('\n', start);
    if (end == std::string_view::npos) end = table.size();
    std::string_view line = table.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    size_t indent = line.find_first_not_of(' ');
    size_t depth = indent / 2;
    assert(indent % 2 == 0 && depth < levels.size());
    levels.resize(depth + 1);
    levels[depth]->push_back({std::string(line.substr(indent)), {}});
    levels.push_back(&levels[depth]->back().Children);
  }
  return tree;
}

// The snippets are written with plain line feeds here; what the program inserts ends every
// line, the last one too, with CR LF. The line feed right after the opening quote is dropped.
std::string WithCrLf(std::string_view text) {
  if (!text.empty() && text.front() == '\n') text.remove_prefix(1);
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

struct TSnippet {
  std::string_view Caption;
  std::string Text;
};

const std::array<TSnippet, 4>& Snippets() {
  static const std::array<TSnippet, 4> snippets{{
      {"HyperLink Colour Changer", WithCrLf(R"js(
<SCRIPT LANGUAGE="JavaScript">
<!-- Comment to hide from old Browsers. Does Not Work With Netscape!!

function changecolor(TObject)
{TObject.style.color = "Yellow";}
// insert the call    OnMouseOver="changecolor(NAME);"    where NAME is the name of the hyperlink

function changecolorback(TObject)
{TObject.style.color = "Blue";}
// insert the call    OnMouseOut="changecolorback(NAME);"    where NAME is the name of the hyperlink

// -->
</SCRIPT>
)js")},
      {"Image Replacement", WithCrLf(R"js(
<SCRIPT LANGUAGE="JavaScript">
<!-- Comment to hide from old Browsers. Does Not Work With Netscape!!

images1 = new Image();  // add as many of these two lines as necessery for caching the images
images2 = new Image();  // set varible as image
images1.src = "1.bmp";  // insert the name of the image to be shown with the document
images2.src = "2.bmp";  // insert the name of the image to be shown on event

function imagechange(IMG_Name, IMG_Replacement)
{IMG_Name.src = IMG_Replacement.src;}
// insert the call    OnMouseOver="imagechange(name_of_the_image_tag, images1);"    into your IMG tag insert the info images1 as set above

function imagechangeback(IMG_Name, IMG_Replacement)
{IMG_Name.src = IMG_Replacement.src;}
// insert the call    OnMouseOut="imagechangeback(name_of_the_image_tag, images2);"    into your IMG tag insert the info images2 as set above

// so your image tag should look like this <IMG Name="img1" SRC="1.bmp" OnMouseOver="imagechange(img1, images2);" OnMouseOut="imagechangeback(img1, images1);">

// -->
</SCRIPT>
)js")},
      {"Open Info Window", WithCrLf(R"js(
<SCRIPT LANGUAGE="JavaScript">
<!-- Comment to hide from old Browsers. Does Not Work With Netscape!!

function open_window1()
{var w = window.open("", "Window_Name", "resizable,width=260,height=410");
var q = w.document;
q.write(add your code in here inside aposthes);
q.write(add as many of these lines as you need);
q.write();
q.write();
q.write(<INPUT TYPE="button" VALUE="Close" onClick="self.close()">);
q.close;} // the line above includes a button to close the window

// hyperlink should look like this <A HREF="about:" onClick="open_window1();">Hyperlink text here</A>
// insert the call    OnClick="open_window1;"
// -->
</SCRIPT>
)js")},
      {"Open in New Window", WithCrLf(R"js(
<a href="source.htm" target="_blank">Hyperlink text here</a>
)js")},
  }};
  return snippets;
}

}  // namespace

const TItemTree& BuiltInItemTree() {
  static const TItemTree tree = ParseTable(kBuiltInTable);
  return tree;
}

const std::string* SnippetText(std::string_view caption) {
  for (const TSnippet& snippet : Snippets())
    if (snippet.Caption == caption) return &snippet.Text;
  return nullptr;
}

}  // namespace quorel
