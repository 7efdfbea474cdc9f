// Taking a document's text in steps while it is edited: whatever the edits between the steps,
// the finished copy is the text a save would write at the end.
#include "recovery/documentsnapshot.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/memosource.h"

namespace quorel {
namespace {

std::string RandomLine(std::mt19937& random) {
  static const char* pieces[] = {"<p>", "text ", "caf\xC3\xA9 ", "</p>", "  ", "<a href=x>"};
  std::string line;
  for (int n = static_cast<int>(random() % 6); n > 0; --n) line += pieces[random() % 6];
  return line;
}

// One random edit somewhere in the document, through the store's own commands.
void RandomEdit(TMemoSource& store, std::mt19937& random) {
  int y = store.LineCount() == 0 ? 0 : static_cast<int>(random() % store.LineCount());
  store.SetCaretPos(static_cast<int>(random() % 8), y);
  switch (random() % 4) {
    case 0:
      store.InsertText(RandomLine(random));
      break;
    case 1:
      store.NewLine();
      break;
    case 2:
      store.DeleteLine();
      break;
    default:
      store.DeleteChars(1 + static_cast<int>(random() % 20));
      break;
  }
}

TEST(DocumentSnapshot, EditsBetweenStepsEndUpInTheCopy) {
  for (TOutFormatType format : {ofWindows, ofMac, ofUnix}) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
      SCOPED_TRACE("format " + std::to_string(format) + " seed " + std::to_string(seed));
      std::mt19937 random(seed);
      TMemoSource store;
      std::string text;
      for (int i = 0; i < 3000; ++i) text += RandomLine(random) + "\n";
      store.LoadFromBuffer(text);
      store.SetOutFormat(format);
      store.SetByteOrderMark(seed % 3 == 0);
      TDocumentSnapshot snapshot;
      // The window tells the copy of each change, with the first changed line.
      store.AddListener(
          [&](TCustomMemoSource& s, int first, int) {
            if (s.ChangeFlags().Contains(msTextChanged)) snapshot.TextChanged(first);
          },
          &snapshot, false);
      snapshot.Start(store, "HEAD\n");
      int steps = 0;
      while (!snapshot.Step(512 + random() % 4096)) {
        for (int e = static_cast<int>(random() % 3); e > 0; --e) RandomEdit(store, random);
        ASSERT_LT(++steps, 100000);
      }
      EXPECT_GT(steps, 5);  // the copy really was taken in pieces
      EXPECT_EQ(snapshot.Take(), "HEAD\n" + store.SaveToString());
      store.RemoveListener(&snapshot);
    }
  }
}

TEST(DocumentSnapshot, ChangedLineEndsOrMarkStartTheCopyAnew) {
  TMemoSource store;
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "line " + std::to_string(i) + "\r\n";
  store.LoadFromBuffer(text);
  TDocumentSnapshot snapshot;
  snapshot.Start(store, "H");
  ASSERT_FALSE(snapshot.Step(1000));
  store.SetOutFormat(ofUnix);
  while (!snapshot.Step(1000)) {
  }
  std::string copy = snapshot.Take();
  EXPECT_EQ(copy, "H" + store.SaveToString());
  EXPECT_EQ(copy.find('\r'), std::string::npos);

  snapshot.Start(store, "H");
  ASSERT_FALSE(snapshot.Step(1000));
  store.SetByteOrderMark(true);
  while (!snapshot.Step(1000)) {
  }
  EXPECT_EQ(snapshot.Take(), "H\xEF\xBB\xBF" + store.SaveToString().substr(3));
  EXPECT_FALSE(snapshot.Active());
}

TEST(DocumentSnapshot, AnUnfinishedCopyIsNeverHandedOut) {
  TMemoSource store;
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "line\n";
  store.LoadFromBuffer(text);
  TDocumentSnapshot snapshot;
  snapshot.Start(store, "H");
  ASSERT_FALSE(snapshot.Step(10));
  EXPECT_EQ(snapshot.Take(), "");
  // An emptied document gives the header alone.
  store.ClearText();
  snapshot.Start(store, "H");
  int steps = 1;
  while (!snapshot.Step(10)) ASSERT_LT(++steps, 3);
  EXPECT_EQ(snapshot.Take(), "H");
}

}  // namespace
}  // namespace quorel
