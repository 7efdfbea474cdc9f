// The Qt platform services: Windows-1252 conversion and the system clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtfilesystem.h"
#include "platform/qt/qtsettings.h"
#include "support/filesystemcontract.h"
#include "support/tempdir.h"

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
  clipboard.SetText("caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5");  // UTF-8 both ways
  EXPECT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), "caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5");
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5"));
  EXPECT_GE(changes, 1);
  clipboard.Unwatch(id);
}

}  // namespace
}  // namespace quorel::platform

namespace quorel::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, FileSystemContract, platform::TQtFileSystem);

// ---- Settings ----

// A settings file in a temporary folder.
struct TFileSettings {
  test::TTempDir dir;
  std::string Path() const { return dir.File("Quorel.ini"); }
  platform::TQtSettings Open() const { return platform::TQtSettings(Path()); }
};

TEST(QtSettings, ValuesKeepTheirTypeAndBytesAcrossInstances) {
  TFileSettings file;
  {
    platform::TQtSettings settings(file.Path());
    settings.WriteInteger("Height", 350);
    settings.WriteInteger("Left", -20);
    settings.WriteBool("Maximized", true);
    settings.WriteString("Font", "Courier New");
    settings.WriteString("FileName1", "/home/u/caf\xE9 & [x]=y;z.htm");
    settings.WriteString("CustomColorName1", "");
    settings.WriteString("Odd", "line\nbreak\\\"quoted\"");
    EXPECT_TRUE(settings.Flush());
  }
  platform::TQtSettings settings(file.Path());
  EXPECT_EQ(settings.ReadInteger("Height"), 350);
  EXPECT_EQ(settings.ReadInteger("Left"), -20);
  EXPECT_EQ(settings.ReadBool("Maximized"), true);
  EXPECT_EQ(settings.ReadString("Font"), "Courier New");
  EXPECT_EQ(settings.ReadString("FileName1"), "/home/u/caf\xE9 & [x]=y;z.htm");
  EXPECT_EQ(settings.ReadString("CustomColorName1"), "");
  EXPECT_EQ(settings.ReadString("Odd"), "line\nbreak\\\"quoted\"");
  // Another type than written, or nothing written: absent.
  EXPECT_EQ(settings.ReadString("Height"), std::nullopt);
  EXPECT_EQ(settings.ReadInteger("Font"), std::nullopt);
  EXPECT_EQ(settings.ReadBool("Font"), std::nullopt);
  EXPECT_EQ(settings.ReadInteger("Width"), std::nullopt);
  // A value written again takes the new type.
  settings.WriteString("Height", "tall");
  EXPECT_EQ(settings.ReadInteger("Height"), std::nullopt);
  EXPECT_EQ(settings.ReadString("Height"), "tall");
}

TEST(QtSettings, HandEditedAndDamagedFilesGiveAbsentValues) {
  TFileSettings file;
  test::WriteBytes(
      file.Path(),
      "[General]\nHeight=350\nWidth=dword:abc\nFont=sz:Arial\nGarbage\n\x01\x02=\xff\n");
  platform::TQtSettings settings(file.Path());
  EXPECT_EQ(settings.ReadInteger("Height"), std::nullopt);  // no type: not trusted
  EXPECT_EQ(settings.ReadInteger("Width"), std::nullopt);
  EXPECT_EQ(settings.ReadString("Font"), "Arial");  // typed by hand is fine
  TFileSettings binary;
  test::WriteBytes(binary.Path(), std::string("\0\xff\xfe[[[=\n\0", 9));
  EXPECT_EQ(binary.Open().ReadInteger("Height"), std::nullopt);
}

TEST(QtSettings, MemoryAndFileStoresAgree) {
  TFileSettings file;
  platform::TQtSettings onDisk(file.Path());
  platform::TMemorySettings inMemory;
  for (platform::ISettings* settings :
       {static_cast<platform::ISettings*>(&onDisk), static_cast<platform::ISettings*>(&inMemory)}) {
    settings->WriteBool("On", false);
    settings->WriteInteger("Count", 7);
    settings->WriteString("Name", "x");
    EXPECT_EQ(settings->ReadBool("On"), false);
    EXPECT_EQ(settings->ReadBool("Count"), true);  // any integer but 0 reads as true
    EXPECT_EQ(settings->ReadInteger("Name"), std::nullopt);
    EXPECT_EQ(settings->ReadString("Count"), std::nullopt);
  }
}

TEST(QtSettings, AStoreThatCannotBeWrittenSaysSo) {
  test::TTempDir dir;
  test::WriteBytes(dir.File("plain"), "x");  // a file where the store's folder would be
  platform::TQtSettings settings(dir.File("plain/Quorel.ini"));
  settings.WriteInteger("Height", 1);
  EXPECT_FALSE(settings.Flush());
  EXPECT_EQ(test::ReadBytes(dir.File("plain")), "x");
}

}  // namespace quorel::test
