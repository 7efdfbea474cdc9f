// History lists of the search text boxes: order, duplicates and their value in the settings.
#include "search/edithistory.h"

#include <gtest/gtest.h>

#include "platform/settings.h"

namespace quorel {
namespace {

TEST(EditHistory, NewestFirstWithoutDuplicatesOrEmptyText) {
  TEditHistory h;
  h.Add("one");
  h.Add("two");
  h.Add("");
  h.Add("one");
  EXPECT_EQ(h.Items(), (std::vector<std::string>{"one", "two"}));
}

TEST(EditHistory, ValueNames) {
  EXPECT_EQ(TEditHistory::ValueName("", "SrchDialog", "SearText"), "SrchDialogSearText");
  EXPECT_EQ(TEditHistory::ValueName("Mine", "ReplDialog", "ReplText"), "Mine");
  EXPECT_EQ(TEditHistory::ValueName("", "", ""), "Default");
}

TEST(EditHistory, KeptAsOneStringOneItemPerLine) {
  platform::TMemorySettings settings;
  TEditHistory h;
  h.Add("b c");
  h.Add("a");
  h.Save(settings, "ReplDialogReplText");
  EXPECT_EQ(settings.ReadString("Editor/EditHistory/ReplDialogReplText"), "a\r\nb c\r\n");
  TEditHistory back;
  back.Add("stale");
  back.Load(settings, "ReplDialogReplText");
  EXPECT_EQ(back.Items(), h.Items());
  settings.WriteString("Editor/EditHistory/X", "x\ny\r\rz");
  back.Load(settings, "X");
  EXPECT_EQ(back.Items(), (std::vector<std::string>{"x", "y", "z"}));
  back.Load(settings, "Missing");
  EXPECT_TRUE(back.Items().empty());
}

}  // namespace
}  // namespace quorel
