// The Qt platform services: Windows-1252 conversion and the system clipboard.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtfilesystem.h"
#include "support/filesystemcontract.h"

namespace quorel::platform {
namespace {

TEST(Cp1252, EveryByteRoundTrips) {
  std::string all;
  for (int i = 1; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(QStringToCp1252(Cp1252ToQString(all)), all);
  EXPECT_EQ(Cp1252ToChar(0x80), QChar(0x20AC));
  EXPECT_EQ(Cp1252ToChar(0xE9), QChar(0xE9));
  EXPECT_EQ(QStringToCp1252(QString::fromUtf8("\u4e2d")), "?");
}

TEST(QtClipboard, CopiesTextAndTellsWatchers) {
  int argc = 1;
  char name[] = "test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  TQtClipboard clipboard;
  int changes = 0;
  int id = clipboard.Watch([&] { ++changes; });
  clipboard.SetText("caf\xe9 \x80");
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), "caf\xe9 \x80");
  EXPECT_GE(changes, 1);
  clipboard.Unwatch(id);
}

}  // namespace
}  // namespace quorel::platform

namespace quorel::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, FileSystemContract, platform::TQtFileSystem);

}  // namespace quorel::test
