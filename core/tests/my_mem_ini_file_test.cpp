#include "core/my_mem_ini_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

using testing::TemporaryFolder;
using testing::WriteFile;

TMyMemIniFile FromText(const std::string& text) { return TMyMemIniFile("unused.ini", text); }

TEST(IniReading, SectionsAndKeysIgnoreCaseAndBlanks) {
  const auto ini = FromText(
      "leading=ignored\n"
      "[ leveldataaddress ]\r\n"
      "  map  =  a10 \r\n"
      "; comment=1\n"
      "\n"
      "no entry here\n");
  EXPECT_EQ(ini.ReadString("LevelDataAddress", "MAP", "x"), "a10");
  EXPECT_EQ(ini.ReadString("LEVELDATAADDRESS", "comment", "none"), "none");
  EXPECT_EQ(ini.ReadString("LevelDataAddress", "no entry here", "none"), "none");
  EXPECT_EQ(ini.ReadString("Other", "leading", "none"), "none");
}

TEST(IniReading, AByteOrderMarkBeforeTheFirstSectionIsSkipped) {
  const auto ini = FromText("\xEF\xBB\xBF[LevelDataAddress]\nMap=A10\n");
  EXPECT_EQ(ini.ReadHex("LevelDataAddress", "Map", 0x910), 0xA10);
  EXPECT_EQ(ini.Text(), "[LevelDataAddress]\nMap=A10\n\n");
}

TEST(IniReading, HexForm) {
  const auto ini =
      FromText("[A]\nlower=a10\nprefixed=0x910\nempty=\nbad=12G\nnine=100000000\neight=FFFFFFFF\n");
  EXPECT_EQ(ini.ReadHex("A", "lower", 1), 0xA10);
  EXPECT_EQ(ini.ReadHex("A", "prefixed", 0x910), 0x910);
  EXPECT_EQ(ini.ReadHex("A", "prefixed", 7), 7);
  EXPECT_EQ(ini.ReadHex("A", "empty", 5), 5);
  EXPECT_EQ(ini.ReadHex("A", "bad", 5), 5);
  EXPECT_EQ(ini.ReadHex("A", "nine", 5), 5);
  EXPECT_EQ(ini.ReadHex("A", "eight", 5), 0xFFFFFFFFLL);
  EXPECT_EQ(ini.ReadHex("A", "missing", 0x3DD11), 0x3DD11);
}

TEST(IniReading, IntegerAndBoolForms) {
  const auto ini =
      FromText("[T]\ndec=-12\nhex=0x1F\ndollar=$ff\nbad=12ms\nhuge=99999999999\nzero=0\nseven=7\n");
  EXPECT_EQ(ini.ReadInteger("T", "dec", 0), -12);
  EXPECT_EQ(ini.ReadInteger("T", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("T", "dollar", 0), 255);
  EXPECT_EQ(ini.ReadInteger("T", "bad", 16), 16);
  EXPECT_EQ(ini.ReadInteger("T", "huge", 16), 16);
  EXPECT_FALSE(ini.ReadBool("T", "zero", true));
  EXPECT_TRUE(ini.ReadBool("T", "seven", false));
  EXPECT_TRUE(ini.ReadBool("T", "bad", true));
  EXPECT_FALSE(ini.ReadBool("T", "missing", false));
}

TEST(IniWriting, ReplacesInPlaceAppendsNewKeysAndSectionsInCreationOrder) {
  auto ini = FromText("[b]\nx=1\ny=2\n[a]\nz=3\n");
  ini.WriteInteger("B", "X", 10);
  EXPECT_EQ(ini.ReadInteger("b", "x", 0), 10);
  ini.WriteBool("a", "new", true);
  ini.WriteHex("C", "Map", 2448);
  EXPECT_EQ(ini.Text(),
            "[b]\nx=10\ny=2\n\n"
            "[a]\nz=3\nnew=1\n\n"
            "[C]\nMap=990\n\n");
}

TEST(IniWriting, LinesThatAreNoEntryAreWrittenBackAsRead) {
  const auto ini = FromText("[A]\n  no entry here \n=value\n  =  spaced \nk=v\n");
  EXPECT_EQ(ini.ReadString("A", "", "none"), "none");
  EXPECT_EQ(ini.Text(), "[A]\nno entry here\n=value\n=  spaced\nk=v\n\n");
}

TEST(IniWriting, UpdateFileRoundTripsThroughDisk) {
  TemporaryFolder folder;
  const auto path = folder.File("settings.ini");
  {
    TMyMemIniFile ini(path);  // no file yet: everything reads as default
    EXPECT_EQ(ini.ReadInteger("Timer", "Interval", 16), 16);
    ini.WriteInteger("Timer", "Interval", 20);
    ini.WriteHex("Address", "PaletteAnimationData", 0x3DD31);
    ASSERT_EQ(ini.UpdateFile(), "");
  }
  TMyMemIniFile again(path);
  EXPECT_EQ(again.ReadInteger("timer", "interval", 16), 20);
  EXPECT_EQ(again.ReadString("Address", "PaletteAnimationData", ""), "3DD31");
}

TEST(IniWriting, UpdateFileReportsTheWritersReason) {
  // A path below a regular file cannot be created, whoever runs the test.
  TemporaryFolder folder;
  WriteFile(folder.File("blocker"), {'x'});
  TMyMemIniFile ini(folder.File("blocker") / "settings.ini");
  ini.WriteInteger("Timer", "Interval", 16);
  EXPECT_EQ(ini.UpdateFile(), std::system_category().message(ENOTDIR));
}

}  // namespace
}  // namespace zantor
