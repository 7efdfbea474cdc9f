// The in-memory clipboard and its watchers.
#include "platform/memoryclipboard.h"

#include <gtest/gtest.h>

namespace quorel::platform {
namespace {

TEST(MemoryClipboard, TextOwnerAndWatchers) {
  TMemoryClipboard clipboard;
  EXPECT_FALSE(clipboard.HasText());
  int changes = 0;
  int id = clipboard.Watch([&] { ++changes; });
  clipboard.SetText("ours");
  EXPECT_TRUE(clipboard.OwnedByThisApplication());
  clipboard.SetForeignText("theirs");
  EXPECT_FALSE(clipboard.OwnedByThisApplication());
  EXPECT_EQ(clipboard.GetText(), "theirs");
  clipboard.SetForeignNonText();
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(changes, 3);
  clipboard.Unwatch(id);
  clipboard.SetText("again");
  EXPECT_EQ(changes, 3);
}

TEST(MemoryClipboard, WatcherMayUnwatchAnotherWhileBeingTold) {
  TMemoryClipboard clipboard;
  int second = 0, calls = 0;
  clipboard.Watch([&] {
    ++calls;
    clipboard.Unwatch(second);
  });
  second = clipboard.Watch([&] { ++calls; });
  clipboard.SetText("x");
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace quorel::platform
