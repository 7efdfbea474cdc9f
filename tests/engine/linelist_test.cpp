// The raw line list: random inserts and deletes anywhere agree with a plain vector.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/stringitem.h"

namespace quorel {
namespace {

// Tags ride along: the list keeps them beside the records, and a deleted line's slot, which the
// next insert reuses, must not hand its old tag to the new line.
TEST(LineList, RandomEditsMatchAPlainVector) {
  struct TLine {
    std::string Text, Tag;
  };
  TInternalStrings lines;
  std::vector<TLine> model;
  uint64_t state = 12345;
  auto next = [&](int n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state >> 33) % static_cast<uint64_t>(n));
  };
  for (int step = 0; step < 6000; ++step) {
    int count = static_cast<int>(model.size());
    int action = count == 0 ? 0 : next(6);
    if (action <= 2) {
      // Runs of inserts at one place, as a paste makes them, and some anywhere.
      int at = next(count + 1);
      int run = 1 + next(5);
      for (int k = 0; k < run; ++k) {
        std::string text = std::to_string(step) + "." + std::to_string(k);
        lines.Insert(at + k, text);
        model.insert(model.begin() + at + k, {text, ""});
      }
    } else if (action <= 4) {
      int at = next(count);
      lines.Delete(at);
      model.erase(model.begin() + at);
    } else if (next(3) != 0) {
      int at = next(count);
      std::string tag = next(4) == 0 ? "" : "tag " + std::to_string(step);
      lines.SetTag(at, tag);
      model[static_cast<size_t>(at)].Tag = tag;
    } else {
      int from = next(count), to = next(count);
      lines.MoveExtras(from, to);
      if (from != to) {
        model[static_cast<size_t>(to)].Tag = model[static_cast<size_t>(from)].Tag;
        model[static_cast<size_t>(from)].Tag.clear();
      }
    }
    ASSERT_EQ(lines.Count(), static_cast<int>(model.size()));
    if (step % 250 == 0 || step > 5900) {
      for (int i = 0; i < lines.Count(); ++i) {
        const TLine& want = model[static_cast<size_t>(i)];
        ASSERT_EQ(lines[i].Text, want.Text) << "step " << step;
        ASSERT_EQ(lines.Tag(i), want.Tag) << "step " << step << ", line " << i;
      }
    }
  }
  EXPECT_EQ(lines.At(-1), nullptr);
  EXPECT_EQ(lines.At(lines.Count()), nullptr);
  EXPECT_EQ(lines.Tag(lines.Count()), "");
}

TEST(LineList, AnObjectStaysWithItsLineAndGoesWithIt) {
  TInternalStrings lines;
  int object = 0;
  lines.Add("a");
  lines.Add("b");
  lines.SetObject(1, &object);
  lines.Insert(0, "before");
  EXPECT_EQ(lines.Object(2), &object);
  EXPECT_EQ(lines.Object(1), nullptr);
  lines.Delete(2);
  lines.Add("reuses the slot");
  EXPECT_EQ(lines.Object(2), nullptr);
  lines.SetObject(0, &object);
  TInternalStrings moved = std::move(lines);
  EXPECT_EQ(moved.Object(0), &object);
  moved.Clear();
  moved.Add("again");
  EXPECT_EQ(moved.Object(0), nullptr);
}

TEST(LineList, RecordsKeepTheirAddressWhileLinesMove) {
  TInternalStrings lines;
  TStringItem& first = lines.Add("first");
  for (int i = 0; i < 10000; ++i) lines.Insert(0, "x");
  EXPECT_EQ(&lines[10000], &first);
  EXPECT_EQ(first.Text, "first");
}

TEST(LineList, GrowsByHalfItsCapacityOrSixtyFour) {
  TInternalStrings lines;
  lines.Add("a");
  EXPECT_EQ(lines.Capacity(), 64u);
  for (int i = 1; i < 65; ++i) lines.Add("a");
  EXPECT_EQ(lines.Capacity(), 128u);
  for (int i = 65; i < 129; ++i) lines.Add("a");
  EXPECT_EQ(lines.Capacity(), 192u);
}

TEST(LineList, MovingTheListTakesEverything) {
  TInternalStrings a;
  a.Add("one");
  a.Insert(0, "zero");
  TInternalStrings b = std::move(a);
  EXPECT_EQ(a.Count(), 0);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(b[0].Text, "zero");
  b.Clear();
  EXPECT_EQ(b.Count(), 0);
  b.Add("again");
  EXPECT_EQ(b[0].Text, "again");
}

}  // namespace
}  // namespace quorel
