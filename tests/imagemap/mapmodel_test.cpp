// The image map creator's model: drawing, moving and stretching areas with the mouse, pointing at
// them, deleting them, and the map code they make.
#include "imagemap/mapmodel.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quorel {
namespace {

// An area put in place by hand, as the window's dialogs and tests do.
TMapShape Area(const std::string& name, int left, int top, int width, int height) {
  TMapShape shape;
  shape.Name = name;
  shape.Left = left;
  shape.Top = top;
  shape.Width = width;
  shape.Height = height;
  return shape;
}

class MapModelTest : public ::testing::Test {
 protected:
  void SetUp() override { model.SetPicture(200, 100); }

  // A whole left-button gesture on the picture: press, one move, release.
  void Draw(int x0, int y0, int x1, int y1) {
    model.MouseDown(x0, y0, mbtnLeft);
    model.MouseMove(x1, y1, true);
    model.MouseUp(x1, y1, mbtnLeft);
  }

  // Hovers over (x, y) first, as a real mouse does, so the press sees the cursor that point sets.
  void PressAt(int x, int y, TMapButton button = mbtnLeft) {
    model.MouseMove(x, y, false);
    model.MouseDown(x, y, button);
  }

  const TMapShape& Shape(size_t i) const { return model.Shapes().at(i); }

  TImageMapModel model;
};

// Left 20, top 30, width 40, height 20 on the 200 by 100 picture.
constexpr int kLeft = 20, kTop = 30, kWidth = 40, kHeight = 20;

TEST_F(MapModelTest, AClickLeavesASmallAreaAndAMoveBackLeavesAnEmptyOne) {
  model.MouseDown(5, 6, mbtnLeft);
  EXPECT_TRUE(model.Drawing());
  EXPECT_EQ(model.Readouts(), (TMapReadouts{5, 6, 1, 1}));
  model.MouseUp(5, 6, mbtnLeft);
  ASSERT_EQ(model.Shapes().size(), 1u);
  EXPECT_EQ(Shape(0).Name, "MyShape0");
  EXPECT_EQ((std::tuple{Shape(0).Left, Shape(0).Top, Shape(0).Width, Shape(0).Height}),
            (std::tuple{5, 6, 3, 3}));
  EXPECT_TRUE(model.HasShapes());
  EXPECT_FALSE(model.Drawing());

  model.MouseDown(50, 60, mbtnLeft);
  model.MouseMove(80, 90, true);
  model.MouseMove(50, 60, true);
  model.MouseUp(50, 60, mbtnLeft);
  ASSERT_EQ(model.Shapes().size(), 2u);
  EXPECT_EQ((std::tuple{Shape(1).Left, Shape(1).Top, Shape(1).Width, Shape(1).Height}),
            (std::tuple{50, 60, 0, 0}));
  EXPECT_EQ(model.Readouts(), (TMapReadouts{50, 60, 0, 0}));
  // An empty area is never under the mouse.
  EXPECT_EQ(model.ShapeAt(50, 60), std::nullopt);
}

TEST_F(MapModelTest, DrawingIsTheSameInEitherDirectionAndNotClipped) {
  Draw(10, 10, 50, 40);
  Draw(50, 40, 10, 10);
  for (size_t i : {0u, 1u})
    EXPECT_EQ((std::tuple{Shape(i).Left, Shape(i).Top, Shape(i).Width, Shape(i).Height}),
              (std::tuple{10, 10, 40, 30}))
        << i;
  EXPECT_EQ(model.Readouts(), (TMapReadouts{10, 10, 40, 30}));

  Draw(190, 90, 260, 130);
  EXPECT_EQ((std::tuple{Shape(2).Left, Shape(2).Top, Shape(2).Width, Shape(2).Height}),
            (std::tuple{190, 90, 70, 40}));
  Draw(100, 60, -20, -5);
  EXPECT_EQ((std::tuple{Shape(3).Left, Shape(3).Top, Shape(3).Width, Shape(3).Height}),
            (std::tuple{-20, -5, 120, 65}));
}

TEST_F(MapModelTest, NothingIsDrawnBeforeThereIsAPicture) {
  TImageMapModel bare;
  EXPECT_FALSE(bare.MouseDown(5, 5, mbtnLeft));
  bare.MouseMove(20, 20, true);
  bare.MouseUp(20, 20, mbtnLeft);
  EXPECT_TRUE(bare.Shapes().empty());
  EXPECT_FALSE(bare.HasShapes());
  EXPECT_EQ(bare.ShapeCount(), 0);
}

// Moving grabs the area 5 pixels right of and below its corner, at (25, 35).
TEST_F(MapModelTest, MovingFollowsTheMouseAndStopsAtTheEdges) {
  struct Case {
    int toX, toY, left, top;
  };
  const Case cases[] = {
      {35, 47, 30, 42},    // by the mouse's delta
      {-50, 35, 1, 30},    // past the left edge
      {250, 35, 161, 30},  // past the right edge: 200 - 40 + 1
      {25, -10, 20, 1},    // past the top
      {25, 150, 20, 81},   // past the bottom: 100 - 20 + 1
      {-50, -50, 1, 1},    // past the corner
  };
  for (const Case& c : cases) {
    model.Reset();
    Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
    PressAt(25, 35);
    ASSERT_TRUE(model.Moving());
    EXPECT_EQ(model.Readouts().X, kLeft);
    EXPECT_EQ(model.Readouts().Y, kTop);
    model.MouseMove(c.toX, c.toY, true);
    EXPECT_EQ(Shape(0).Left, c.left) << c.toX << "," << c.toY;
    EXPECT_EQ(Shape(0).Top, c.top) << c.toX << "," << c.toY;
    EXPECT_EQ(model.Readouts().X, c.left);
    EXPECT_EQ(model.Readouts().Y, c.top);
    EXPECT_EQ(Shape(0).Width, kWidth);
    EXPECT_EQ(Shape(0).Height, kHeight);
    model.MouseUp(c.toX, c.toY, mbtnLeft);
    EXPECT_FALSE(model.Moving());
  }
}

TEST_F(MapModelTest, SuccessiveMovesKeepTheGrabPoint) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  PressAt(25, 35);
  model.MouseMove(35, 47, true);
  model.MouseMove(45, 57, true);
  EXPECT_EQ(Shape(0).Left, 40);
  EXPECT_EQ(Shape(0).Top, 52);
  // Without the left button the area stays put, and so do the read-outs of its place.
  model.MouseMove(90, 70, false);
  EXPECT_EQ(Shape(0).Left, 40);
  EXPECT_EQ(Shape(0).Top, 52);
  EXPECT_EQ(model.Readouts().X, 40);
  EXPECT_EQ(model.Readouts().Y, 52);
  model.MouseUp(90, 70, mbtnLeft);
  // The next press grabs afresh.
  PressAt(41, 53);
  model.MouseMove(51, 53, true);
  EXPECT_EQ(Shape(0).Left, 50);
}

TEST_F(MapModelTest, AnAreaTallerThanThePictureIsPushedToTheTop) {
  // The bottom rule puts the top at 100 - 120 + 1 = -19, then the top rule, read with that top,
  // puts it at 1.
  Draw(kLeft, kTop, kLeft + kWidth, kTop + 120);
  PressAt(25, 35);
  model.MouseMove(25, 40, true);
  EXPECT_EQ(Shape(0).Top, 1);
  model.MouseUp(25, 40, mbtnLeft);
  // Wider than the picture: the left rule gives 1, then the right rule 200 - 250 + 1.
  model.Reset();
  Draw(kLeft, kTop, kLeft + 250, kTop + kHeight);
  PressAt(25, 35);
  model.MouseMove(0, 35, true);
  EXPECT_EQ(Shape(0).Left, -49);
}

TEST_F(MapModelTest, TheEdgesUnderTheMouseOfferStretching) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  struct Case {
    int x, y;
    TMapCursor cursor;
  };
  const Case cases[] = {
      {25, kTop + kHeight - 1, mcVerticalSplit},                  // the last row
      {kLeft + kWidth - 1, 35, mcHorizontalSplit},                // the last column
      {kLeft + kWidth - 1, kTop + kHeight - 1, mcVerticalSplit},  // the bottom wins the corner
      {25, kTop + kHeight - 2, mcDefault},
      {kLeft + kWidth - 2, 35, mcDefault},
      {25, 35, mcDefault},
      {150, 80, mcDefault},  // the picture
  };
  for (const Case& c : cases) {
    model.MouseMove(c.x, c.y, false);
    EXPECT_EQ(model.Cursor(), c.cursor) << c.x << "," << c.y;
  }
}

TEST_F(MapModelTest, StretchingTheBottomEdge) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  PressAt(25, kTop + kHeight - 1);
  EXPECT_TRUE(model.Resizing());
  EXPECT_FALSE(model.Moving());
  EXPECT_EQ(Shape(0).Height, kHeight + 1);  // 2 * 20 - 19
  EXPECT_EQ(model.Readouts().Height, kHeight + 1);

  model.MouseMove(25, 70, true);
  EXPECT_EQ(Shape(0).Height, 40);  // 70 - the top at 30
  EXPECT_EQ(model.Readouts().Height, 40);
  // Stretching changes nothing else: the place, the width, the position read-outs.
  EXPECT_EQ(Shape(0).Top, kTop);
  EXPECT_EQ(Shape(0).Width, kWidth);
  EXPECT_EQ(model.Readouts().X, 25);
  EXPECT_EQ(model.Readouts().Y, kTop + kHeight - 1);

  model.MouseMove(25, kTop + 2, true);
  EXPECT_EQ(Shape(0).Height, 40);  // two pixels are too few
  model.MouseMove(25, kTop + 3, true);
  EXPECT_EQ(Shape(0).Height, 3);

  model.MouseUp(25, kTop + 3, mbtnLeft);
  EXPECT_EQ(model.Cursor(), mcDefault);
  EXPECT_FALSE(model.Resizing());
}

TEST_F(MapModelTest, StretchingTheRightEdge) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  PressAt(kLeft + kWidth - 1, 35);
  EXPECT_TRUE(model.Resizing());
  EXPECT_EQ(Shape(0).Width, kWidth + 1);
  EXPECT_EQ(model.Readouts().Width, kWidth + 1);
  model.MouseMove(120, 35, true);
  EXPECT_EQ(Shape(0).Width, 100);
  EXPECT_EQ(model.Readouts().Width, 100);
  EXPECT_EQ(Shape(0).Height, kHeight);
  model.MouseMove(kLeft + 1, 35, true);
  EXPECT_EQ(Shape(0).Width, 100);
  model.MouseUp(kLeft + 1, 35, mbtnLeft);
  // Only the vertical split cursor is put back by the release.
  EXPECT_EQ(model.Cursor(), mcHorizontalSplit);
  EXPECT_FALSE(model.Resizing());
}

TEST_F(MapModelTest, ARightPressOnAnAreaAsksForThePopUpMenu) {
  // An area put in place by hand, before anything was drawn: the press grabs it instead.
  model.Shapes().push_back(Area("MyShape0", 20, 30, 40, 20));
  EXPECT_FALSE(model.MouseDown(25, 35, mbtnRight));
  EXPECT_TRUE(model.Moving());
  model.MouseUp(25, 35, mbtnRight);
  model.Reset();

  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  model.MouseMove(150, 80, false);
  const std::vector<TMapShape> shapes = model.Shapes();
  const TMapReadouts readouts = model.Readouts();
  EXPECT_TRUE(model.MouseDown(25, 35, mbtnRight));
  EXPECT_FALSE(model.Moving());
  EXPECT_FALSE(model.Drawing());
  EXPECT_EQ(model.Shapes(), shapes);
  EXPECT_EQ(model.Readouts(), readouts);
  model.MouseUp(25, 35, mbtnRight);

  EXPECT_FALSE(model.MouseDown(150, 80, mbtnRight));
  EXPECT_FALSE(model.MouseDown(150, 80, mbtnMiddle));
  EXPECT_FALSE(model.Drawing());
  EXPECT_EQ(model.Shapes(), shapes);
  EXPECT_EQ(model.ShapeCount(), 1);
  EXPECT_EQ(model.Readouts(), readouts);
}

TEST_F(MapModelTest, DeletedNamesAreNotUsedAgainUntilReset) {
  Draw(10, 10, 30, 30);
  Draw(40, 10, 60, 30);
  Draw(70, 10, 90, 30);
  model.HighlightOnly("MyShape1");
  model.DeleteHighlighted();
  Draw(100, 10, 120, 30);
  EXPECT_EQ(model.ShapeCount(), 4);

  std::vector<std::string> names;
  for (const TMapListRow& row : model.ListRows()) names.push_back(row.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"MyShape0", "MyShape2", "MyShape3"}));
  EXPECT_EQ(MapCode(model.Shapes(), "M", "", 200, 100),
            (std::vector<std::string>{
                "<MAP NAME=\"M\">",
                "<AREA SHAPE=\"RECT\" COORDS=\"10,10,30,30\" HREF=\"\">",
                "<AREA SHAPE=\"RECT\" COORDS=\"70,10,90,30\" HREF=\"\">",
                "<AREA SHAPE=\"RECT\" COORDS=\"100,10,120,30\" HREF=\"\">",
                "</MAP>",
                "<img src=\"file:///\" width=\"200\" height=\"100\" Border=\"0\" usemap=\"#M\">",
            }));

  model.Reset();
  EXPECT_TRUE(model.Shapes().empty());
  EXPECT_EQ(model.ShapeCount(), 0);
  EXPECT_FALSE(model.HasShapes());
  Draw(10, 10, 30, 30);
  EXPECT_EQ(Shape(0).Name, "MyShape0");
}

TEST_F(MapModelTest, OnlyNumberedAreasAreDeleted) {
  Draw(10, 10, 30, 30);  // MyShape0; the counter is at 1
  for (const char* name : {"Logo", "MyShape01", "MyShape2", "MyShape1"})
    model.Shapes().push_back(Area(name, 0, 0, 5, 5));
  for (TMapShape& s : model.Shapes()) s.Highlighted = true;
  model.DeleteHighlighted();
  std::vector<std::string> names;
  for (const TMapShape& s : model.Shapes()) names.push_back(s.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Logo", "MyShape01", "MyShape2"}));
}

TEST_F(MapModelTest, DeletingAMovedAreaEndsTheGesture) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  PressAt(25, 35);
  ASSERT_TRUE(model.Moving());
  model.DeleteHighlighted();
  EXPECT_TRUE(model.Shapes().empty());
  EXPECT_FALSE(model.Moving());
}

TEST_F(MapModelTest, LookingUpAreas) {
  Draw(10, 10, 30, 30);
  Draw(40, 10, 60, 30);
  Draw(70, 10, 90, 30);
  EXPECT_EQ(model.HighlightedShape(), nullptr);
  model.Shapes()[0].Highlighted = model.Shapes()[2].Highlighted = true;
  EXPECT_EQ(model.HighlightedShape(), &model.Shapes()[2]);
  model.HighlightOnly("MyShape1");
  EXPECT_EQ(model.HighlightedShape(), &model.Shapes()[1]);
  EXPECT_FALSE(Shape(0).Highlighted || Shape(2).Highlighted);
  model.HighlightOnly("Nothing");
  EXPECT_EQ(model.HighlightedShape(), nullptr);
  EXPECT_EQ(model.ShapeNamed("MyShape2"), &model.Shapes()[2]);
  EXPECT_EQ(model.ShapeNamed("MyShape3"), nullptr);
}

TEST_F(MapModelTest, ListRowsShowEachAreasFields) {
  Draw(10, 20, 40, 60);
  model.Shapes()[0].Hint = "page.htm";
  model.Shapes()[0].Text = "Home";
  EXPECT_EQ(model.ListRows(), (std::vector<TMapListRow>{{"page.htm", 10, 20, 30, 40, "MyShape0"}}));
}

TEST_F(MapModelTest, TheLaterAreaIsInFront) {
  // Placed by hand: a press on the first area would grab it rather than draw the second.
  model.Shapes().push_back(Area("MyShape0", kLeft, kTop, kWidth, kHeight));
  model.Shapes().push_back(Area("MyShape1", 50, 40, 40, 30));
  EXPECT_EQ(model.ShapeAt(55, 45), 1u);
  EXPECT_EQ(model.ShapeAt(kLeft, kTop), 0u);
  EXPECT_EQ(model.ShapeAt(kLeft + kWidth, kTop), std::nullopt);  // right of the last column
  EXPECT_EQ(model.ShapeAt(kLeft, kTop + kHeight - 1), 0u);
  EXPECT_EQ(model.ShapeAt(kLeft - 1, kTop), std::nullopt);
}

TEST_F(MapModelTest, PointingHighlightsOneAreaAndSelectsItsRow) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  Draw(100, 30, 140, 50);
  model.TakeSelectedRow();
  model.HighlightOnly("MyShape1");

  model.MouseMove(25, 35, false);
  EXPECT_TRUE(Shape(0).Highlighted);
  EXPECT_FALSE(Shape(1).Highlighted);
  EXPECT_EQ(model.TakeSelectedRow(), 0u);
  EXPECT_EQ(model.TakeSelectedRow(), std::nullopt);  // reported once
  // The read-outs show the picture point, not the point within the area.
  EXPECT_EQ(model.Readouts().X, 25);
  EXPECT_EQ(model.Readouts().Y, 35);

  model.MouseMove(110, 40, false);
  EXPECT_FALSE(Shape(0).Highlighted);
  EXPECT_TRUE(Shape(1).Highlighted);
  EXPECT_EQ(model.TakeSelectedRow(), 1u);

  model.MouseMove(150, 80, false);
  EXPECT_FALSE(Shape(0).Highlighted || Shape(1).Highlighted);
  EXPECT_EQ(model.TakeSelectedRow(), std::nullopt);
  EXPECT_EQ(model.Readouts().X, 150);
  EXPECT_EQ(model.Readouts().Y, 80);
}

TEST_F(MapModelTest, TheReleaseUnhighlightsOnlyTheAreaJustDrawn) {
  model.MouseDown(5, 6, mbtnLeft);
  EXPECT_TRUE(Shape(0).Highlighted);
  model.MouseUp(5, 6, mbtnLeft);
  EXPECT_FALSE(Shape(0).Highlighted);

  // A moved area keeps its highlight, even the one just drawn.
  PressAt(6, 7);
  ASSERT_TRUE(model.Moving());
  model.MouseUp(6, 7, mbtnLeft);
  EXPECT_TRUE(Shape(0).Highlighted);
}

TEST_F(MapModelTest, AnAreaBeingMovedKeepsTheMouse) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  Draw(100, 30, 140, 50);
  PressAt(25, 35);
  model.TakeSelectedRow();
  // Over the other area: the first still gets the mouse and follows it.
  model.MouseMove(110, 35, true);
  EXPECT_EQ(Shape(0).Left, 105);
  EXPECT_TRUE(Shape(0).Highlighted);
  EXPECT_FALSE(Shape(1).Highlighted);
  EXPECT_EQ(model.TakeSelectedRow(), 0u);
  // Out over the bare picture, still the first.
  model.MouseMove(30, 75, true);
  EXPECT_EQ(Shape(0).Left, 25);
  EXPECT_EQ(Shape(0).Top, 70);
  EXPECT_TRUE(Shape(0).Highlighted);
  model.MouseUp(30, 75, mbtnLeft);
  // Without a held button the mouse goes to what is under it again.
  model.MouseMove(110, 35, false);
  EXPECT_TRUE(Shape(1).Highlighted);
  EXPECT_FALSE(Shape(0).Highlighted);
}

TEST_F(MapModelTest, DrawingKeepsGoingOverOtherAreas) {
  Draw(kLeft, kTop, kLeft + kWidth, kTop + kHeight);
  model.MouseMove(150, 80, false);
  model.TakeSelectedRow();
  model.MouseDown(5, 5, mbtnLeft);
  model.MouseMove(kLeft + kWidth - 1, kTop + kHeight - 1, true);  // A's stretching corner
  ASSERT_EQ(model.Shapes().size(), 2u);
  EXPECT_EQ((std::tuple{Shape(1).Left, Shape(1).Top, Shape(1).Width, Shape(1).Height}),
            (std::tuple{5, 5, 54, 44}));
  EXPECT_FALSE(Shape(0).Highlighted);
  EXPECT_EQ(model.Cursor(), mcDefault);
  EXPECT_EQ(model.TakeSelectedRow(), std::nullopt);
  model.MouseMove(100, 80, true);
  EXPECT_EQ(Shape(1).Width, 95);
  EXPECT_EQ(Shape(1).Height, 75);
  EXPECT_EQ(model.Readouts(), (TMapReadouts{100, 80, 95, 75}));
  model.MouseUp(100, 80, mbtnLeft);
  EXPECT_EQ(Shape(0).Width, kWidth);  // A was neither moved nor stretched
  EXPECT_EQ(Shape(0).Left, kLeft);
}

TEST_F(MapModelTest, ResetKeepsThePictureAndTheReadouts) {
  Draw(10, 20, 40, 60);
  PressAt(15, 25);
  model.Reset();
  EXPECT_FALSE(model.Moving());
  EXPECT_EQ(model.Cursor(), mcDefault);
  EXPECT_TRUE(model.HasPicture());
  EXPECT_EQ(model.PictureWidth(), 200);
  EXPECT_EQ(model.PictureHeight(), 100);
  EXPECT_EQ(model.Readouts(), (TMapReadouts{10, 20, 30, 40}));
  Draw(50, 50, 60, 60);
  EXPECT_EQ(Shape(0).Name, "MyShape0");
}

TEST(MapCode, TheWorkedExample) {
  TMapShape shape = Area("MyShape0", 10, 20, 30, 40);
  shape.Hint = "page.htm";
  shape.Text = "Home";
  const std::string path = "C:\\My Pictures\\nav bar.gif";

  EXPECT_EQ(MapCode({shape}, "Nav", MapPicturePath(path, {false, "%20"}), 200, 50),
            (std::vector<std::string>{
                "<MAP NAME=\"Nav\">",
                "<AREA SHAPE=\"RECT\" COORDS=\"10,20,40,60\" HREF=\"page.htm\" Alt=\"Home\">",
                "</MAP>",
                "<img src=\"file:///C:/My%20Pictures/nav%20bar.gif\" width=\"200\" height=\"50\" "
                "Border=\"0\" usemap=\"#Nav\">",
            }));
  EXPECT_EQ(MapCode({shape}, "Nav", MapPicturePath(path, {true, "%20"}), 200, 50).back(),
            "<img src=\"file:///C:/My Pictures/nav bar.gif\" width=\"200\" height=\"50\" "
            "Border=\"0\" usemap=\"#Nav\">");
  EXPECT_EQ(MapCode({shape}, "Nav", MapPicturePath("/home/me/nav bar.gif", {true, "%20"}), 200, 50)
                .back(),
            "<img src=\"file:///home/me/nav bar.gif\" width=\"200\" height=\"50\" Border=\"0\" "
            "usemap=\"#Nav\">");
}

TEST(MapCode, AreasWithoutTextOrHyperlink) {
  TMapShape linked = Area("MyShape0", 1, 2, 3, 4);
  linked.Hint = "page.htm";
  const TMapShape blank = Area("MyShape1", 0, 0, 5, 5);
  const std::vector<std::string> lines = MapCode({linked, blank}, "Nav", "", 0, 0);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "<AREA SHAPE=\"RECT\" COORDS=\"1,2,4,6\" HREF=\"page.htm\">");
  EXPECT_EQ(lines[2], "<AREA SHAPE=\"RECT\" COORDS=\"0,0,5,5\" HREF=\"\">");
}

TEST(MapCode, BeforeAnyPicture) {
  EXPECT_EQ(MapPicturePath("", {false, "%20"}), "");
  EXPECT_EQ(MapCode({}, "Map", MapPicturePath("", {false, "%20"}), 0, 0),
            (std::vector<std::string>{
                "<MAP NAME=\"Map\">",
                "</MAP>",
                "<img src=\"file:///\" width=\"0\" height=\"0\" Border=\"0\" usemap=\"#Map\">",
            }));
}

TEST(MapPicturePath, SeparatorsAndSpaces) {
  EXPECT_EQ(MapPicturePath("\\\\server\\share\\a.gif", {true, "%20"}), "//server/share/a.gif");
  EXPECT_EQ(MapPicturePath("C:\\a  b\\c.gif", {false, "_"}), "C:/a_b/c.gif");
  EXPECT_EQ(MapPicturePath("C:\\a b\\c.gif", {true, "_"}), "C:/a b/c.gif");
  EXPECT_EQ(MapPicturePath("/home/me/a.gif", {true, "%20"}), "/home/me/a.gif");
}

}  // namespace
}  // namespace quorel
