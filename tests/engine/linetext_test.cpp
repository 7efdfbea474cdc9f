// A line's text and the line list's text store: loaded lines share the store, and whatever is
// done to one line must never touch its neighbours' bytes there, nor outlive the list.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/stringitem.h"

namespace quorel {
namespace {

// Repeatable random numbers below n, so that a failure names the same step on every run.
struct TRandom {
  uint64_t state;
  size_t operator()(size_t n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<size_t>((state >> 33) % n);
  }
};

// Lines loaded side by side, each with a NUL after it in the store.
std::vector<std::string> Loaded(TInternalStrings& lines, int count) {
  std::vector<std::string> model;
  for (int i = 0; i < count; ++i) {
    model.push_back("line " + std::to_string(i) + std::string(static_cast<size_t>(i % 7), 'x'));
    lines.AddStored(model.back());
  }
  return model;
}

void ExpectSame(const TInternalStrings& lines, const std::vector<std::string>& model) {
  ASSERT_EQ(lines.Count(), static_cast<int>(model.size()));
  for (int i = 0; i < lines.Count(); ++i) {
    const TLineText& text = lines[i].Text;
    ASSERT_EQ(text.view(), model[static_cast<size_t>(i)]) << "line " << i;
    ASSERT_EQ(text.c_str()[text.size()], '\0') << "line " << i << " lost its NUL";
  }
}

TEST(LineText, EveryChangeToAStoredLineLeavesItsNeighboursAlone) {
  TInternalStrings lines;
  std::vector<std::string> model = Loaded(lines, 60);
  ASSERT_FALSE(lines[5].Text.Owned());
  // Each change on its own line, with the lines around it still pointing into the store.
  lines[1].Text.insert(3, "INSERTED");
  model[1].insert(3, "INSERTED");
  lines[4].Text.erase(0, 2);
  model[4].erase(0, 2);
  lines[7].Text.append(40, 'z');
  model[7].append(40, 'z');
  lines[10].Text.resize(3);
  model[10].resize(3);
  lines[13].Text.MutableData()[0] = 'L';
  model[13][0] = 'L';
  lines[16].Text.erase(1, 2).insert(1, "--");
  model[16].replace(1, 2, "--");
  lines[19].Text.push_back('!');
  model[19].push_back('!');
  lines[22].Text.clear();
  model[22].clear();
  lines[25].Text = std::string_view(model[24]);
  model[25] = model[24];
  lines[28].Text.insert(0, 3, ' ');
  model[28].insert(0, 3, ' ');
  ExpectSame(lines, model);
  EXPECT_TRUE(lines[1].Text.Owned());
  EXPECT_FALSE(lines[2].Text.Owned()) << "an untouched line stays in the store";
}

TEST(LineText, RandomChangesAgreeWithAStdString) {
  TRandom next{20261210};
  TInternalStrings lines;
  std::vector<std::string> model = Loaded(lines, 200);
  for (int step = 0; step < 20000; ++step) {
    const size_t y = next(model.size());
    TLineText& text = lines[static_cast<int>(y)].Text;
    std::string& expected = model[y];
    const size_t at = next(expected.size() + 1);
    switch (next(6)) {
      case 0: {
        const std::string piece(next(20), static_cast<char>('a' + next(26)));
        text.insert(at, piece);
        expected.insert(at, piece);
        break;
      }
      case 1: {
        const size_t count = next(10);
        text.erase(at, count);
        expected.erase(at, count);
        break;
      }
      case 2: {
        const size_t size = at + next(30);
        text.resize(size, '.');
        expected.resize(size, '.');
        break;
      }
      case 3:
        // Its own middle as the new text: the bytes it reads are the bytes it replaces.
        text = text.view().substr(at / 2, at - at / 2);
        expected = expected.substr(at / 2, at - at / 2);
        break;
      case 4:
        text.insert(at, text.view().substr(0, at));
        expected.insert(at, expected.substr(0, at));
        break;
      default:
        text += "#";
        expected += "#";
        break;
    }
    if (step % 500 == 0) ExpectSame(lines, model);
  }
  ExpectSame(lines, model);
}

TEST(LineText, CopiesAndMovesOfAStoredLineOwnTheirBytes) {
  std::vector<TLineText> kept;
  {
    TInternalStrings lines;
    Loaded(lines, 3);
    kept.push_back(lines[1].Text);             // a copy
    kept.push_back(std::move(lines[2].Text));  // a move
    TLineText assigned;
    assigned = lines[0].Text;
    kept.push_back(std::move(assigned));
    for (const TLineText& text : kept) EXPECT_TRUE(text.Owned());
    lines.Clear();  // the store goes: nothing kept may point into it
  }
  EXPECT_EQ(kept[0].view(), "line 1x");
  EXPECT_EQ(kept[1].view(), "line 2xx");
  EXPECT_EQ(kept[2].view(), "line 0");
}

TEST(LineText, TheStoreHoldsLinesLongerThanItsBlocksAndManyBlocks) {
  TInternalStrings lines;
  std::vector<std::string> model;
  // Lines of up to 200 KB and a 9 MB one among a few thousand short ones: blocks grow from
  // 64 KB, and a line longer than a block gets a block of its own.
  for (int i = 0; i < 3000; ++i) {
    size_t size = i % 500 == 7 ? 200'000 : static_cast<size_t>(i % 90);
    if (i == 1500) size = 9'000'000;
    model.emplace_back(size, static_cast<char>('A' + i % 26));
    lines.AddStored(model.back());
  }
  ExpectSame(lines, model);
  TInternalStrings moved = std::move(lines);
  ExpectSame(moved, model);
}

// The size shares its 32 bits with the owned flag: a length that would reach the flag is refused
// before anything is touched, so a line never reads as owned bytes it only borrows.
TEST(LineText, ALengthThatReachesTheOwnedFlagIsRefused) {
  TLineText text("kept");
  static const char kOne[] = "x";
  EXPECT_THROW(text.Borrow(kOne, size_t{0x80000000}), std::length_error);
  EXPECT_THROW(text.resize(size_t{0x7FFFFFFF}), std::length_error);
  EXPECT_EQ(text.view(), "kept");
  EXPECT_TRUE(text.Owned());
  text.Borrow(kOne, 1);
  EXPECT_FALSE(text.Owned());
  EXPECT_EQ(text.size(), 1u);
  text.push_back('y');
  EXPECT_TRUE(text.Owned());
  EXPECT_EQ(text.view(), "xy");
  text.clear();  // keeps the room, and stays owned
  EXPECT_TRUE(text.Owned());
  EXPECT_TRUE(text.empty());
  text.append(100, 'z');
  EXPECT_EQ(text.size(), 100u);
}

// A million-line page carries a million records: what one weighs is the document's overhead.
TEST(LineText, ALineRecordStaysSmall) {
  EXPECT_LE(sizeof(TLineText), sizeof(void*) + sizeof(uint32_t));
  EXPECT_EQ(sizeof(TLineColors), sizeof(void*));
  EXPECT_LE(sizeof(TStringItem), 4 * sizeof(void*));
}

TEST(LineColors, RandomChangesAgreeWithAStdString) {
  TRandom next{77};
  std::vector<TLineColors> colors(20);
  std::vector<std::string> model(20);
  for (int step = 0; step < 20000; ++step) {
    const size_t y = next(colors.size());
    TLineColors& c = colors[y];
    std::string& expected = model[y];
    const size_t at = next(expected.size() + 1);
    const char style = static_cast<char>(next(256));
    switch (next(8)) {
      case 0: {
        const size_t count = next(12);
        c.insert(at, count, style);
        expected.insert(at, count, style);
        break;
      }
      case 1: {
        const size_t count = next(8);
        c.erase(at, count);
        expected.erase(at, count);
        break;
      }
      case 2: {
        const size_t size = next(40);
        c.resize(size, style);
        expected.resize(size, style);
        break;
      }
      case 3:
        // Its own bytes, as a line's colours joined with themselves.
        c.replace(at / 2, 3, c.view().substr(at / 2));
        expected.replace(at / 2, 3, expected.substr(at / 2));
        break;
      case 4:
        c += colors[(y + 1) % colors.size()];
        expected += model[(y + 1) % model.size()];
        break;
      case 5:
        c.assign(next(30), style);
        expected.assign(c.size(), style);
        break;
      case 6:
        if (next(4) == 0) {
          c.Reset();
        } else {
          c.clear();
        }
        expected.clear();
        break;
      default:
        colors[(y + 3) % colors.size()] = c;
        model[(y + 3) % model.size()] = expected;
        break;
    }
    ASSERT_EQ(c.view(), expected) << "step " << step;
    ASSERT_EQ(c.data()[c.size()], '\0') << "step " << step;
  }
  for (size_t y = 0; y < colors.size(); ++y) EXPECT_EQ(colors[y].view(), model[y]);
}

}  // namespace
}  // namespace quorel
