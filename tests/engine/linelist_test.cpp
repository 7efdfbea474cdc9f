// The raw line list: random inserts and deletes anywhere agree with a plain vector.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/stringitem.h"

namespace quorel {
namespace {

TEST(LineList, RandomEditsMatchAPlainVector) {
  TInternalStrings lines;
  std::vector<std::string> model;
  uint64_t state = 12345;
  auto next = [&](int n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state >> 33) % static_cast<uint64_t>(n));
  };
  for (int step = 0; step < 6000; ++step) {
    int count = static_cast<int>(model.size());
    if (count == 0 || next(3) != 0) {
      // Runs of inserts at one place, as a paste makes them, and some anywhere.
      int at = next(count + 1);
      int run = 1 + next(5);
      for (int k = 0; k < run; ++k) {
        std::string text = std::to_string(step) + "." + std::to_string(k);
        lines.Insert(at + k, text);
        model.insert(model.begin() + at + k, text);
      }
    } else {
      int at = next(count);
      lines.Delete(at);
      model.erase(model.begin() + at);
    }
    ASSERT_EQ(lines.Count(), static_cast<int>(model.size()));
    if (step % 250 == 0) {
      for (int i = 0; i < lines.Count(); ++i) ASSERT_EQ(lines[i].Text, model[i]) << "step " << step;
    }
  }
  EXPECT_EQ(lines.At(-1), nullptr);
  EXPECT_EQ(lines.At(lines.Count()), nullptr);
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
