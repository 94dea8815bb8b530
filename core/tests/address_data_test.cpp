#include "core/address_data.h"

#include <gtest/gtest.h>

namespace zantor {
namespace {

struct Fixture {
  explicit Fixture(const std::string& text) : ini("unused.ini", text), addresses(ini) {}
  TMyMemIniFile ini;
  AddressData addresses;
};

TEST(AddressTable, DefaultsAndStageStride) {
  Fixture f("");
  EXPECT_EQ(f.addresses.Map(5), 0x910 + 5 * 0x2000);
  EXPECT_EQ(f.addresses.BGBank(0), 0x990);
  EXPECT_EQ(f.addresses.ObjectOffset(15), 0xC10 + 15 * 0x2000);
  EXPECT_EQ(f.addresses.PaletteAnimationPointer(), 0x3DD11);
  EXPECT_EQ(f.addresses.PaletteAnimationData(), 0x3DD31);
  EXPECT_EQ(f.addresses.PaletteAnimationPalette(), 0x3DC36);
}

TEST(AddressTable, MalformedValuesFallBackAndAreRewritten) {
  Fixture f("[LevelDataAddress]\nMap=0x910\nObjectX=a90\nBGBank=zz\n");
  EXPECT_EQ(f.addresses.Map(0), 0x910);
  EXPECT_EQ(f.addresses.ObjectX(1), 0xA90 + 0x2000);
  EXPECT_EQ(f.ini.ReadString("LevelDataAddress", "Map", ""), "910");
  EXPECT_EQ(f.ini.ReadString("LevelDataAddress", "ObjectX", ""), "A90");
  EXPECT_EQ(f.ini.ReadString("LevelDataAddress", "BGBank", ""), "990");
}

TEST(AddressTable, WideAddressesDoNotOverflow) {
  Fixture f("[LevelDataAddress]\nMap=FFFFFFFF\n");
  EXPECT_EQ(f.addresses.Map(15), 0xFFFFFFFFLL + 15 * 0x2000);
}

TEST(AddressTable, AfterOneRunTheSettingsHoldEveryKeyAndOnlyTheDefaultShares) {
  Fixture f("");
  EXPECT_EQ(f.ini.Text(),
            "[LevelDataAddress]\nBGBank=990\nChip16x16=D10\nChipProperty=1110\n"
            "Chip32x32=1210\nMapSet=1610\nMap=910\nBGPalette=998\nBGPaletteAnime=9A8\n"
            "ObjectScreen=A10\nObjectX=A90\nObjectY=B10\nObjectKind=B90\nObjectOffset=C10\n\n"
            "[ShareData]\nlevel.11=8\nlevel.15=14\n\n"
            "[Address]\nPaletteAnimationPointer=3DD11\nPaletteAnimationData=3DD31\n"
            "PaletteAnimationPalette=3DC36\n\n");
}

TEST(StageSharing, DefaultsShareElevenWithEightAndFifteenWithFourteen) {
  Fixture f("");
  EXPECT_EQ(f.addresses.ShareSource(11), 8);
  EXPECT_EQ(f.addresses.Chip16x16(11), f.addresses.Chip16x16(8));
  EXPECT_EQ(f.addresses.MapSet(15), f.addresses.MapSet(14));
  // Only the four shared blocks move; the stage's own map stays its own.
  EXPECT_EQ(f.addresses.Map(11), 0x910 + 11 * 0x2000);
}

TEST(StageSharing, AnEntryEqualToItsStageRemovesTheDefaultAndIsNotWritten) {
  Fixture f("[ShareData]\nLEVEL.11=11\n");
  EXPECT_EQ(f.addresses.ShareSource(11), 11);
  EXPECT_EQ(f.addresses.Chip32x32(11), 0x1210 + 11 * 0x2000);
  EXPECT_EQ(f.ini.Text().find("level.11"), std::string::npos);
}

TEST(StageSharing, ChainsResolveThroughLowerStages) {
  Fixture f("[ShareData]\nlevel.3=2\nlevel.2=1\n");
  EXPECT_EQ(f.addresses.ChipProperty(3), 0x1110 + 1 * 0x2000);
  EXPECT_EQ(f.addresses.ChipProperty(2), 0x1110 + 1 * 0x2000);
}

TEST(StageSharing, ReverseReferencesTakeTheHigherStageOwnAddresses) {
  Fixture f("[ShareData]\nlevel.2=3\nlevel.3=1\n");
  EXPECT_EQ(f.addresses.MapSet(2), 0x1610 + 3 * 0x2000);
  EXPECT_EQ(f.addresses.MapSet(3), 0x1610 + 1 * 0x2000);
}

TEST(StageSharing, ValuesNamingNoStageAreIgnoredAndLeftAsTheyStand) {
  Fixture f("[ShareData]\nlevel.4=16\nlevel.5=-1\nlevel.6=x\n");
  EXPECT_EQ(f.addresses.ShareSource(4), 4);
  EXPECT_EQ(f.addresses.ShareSource(5), 5);
  EXPECT_EQ(f.addresses.ShareSource(6), 6);
  EXPECT_EQ(f.addresses.Chip16x16(4), 0xD10 + 4 * 0x2000);
  EXPECT_EQ(f.ini.ReadString("ShareData", "level.4", ""), "16");
  EXPECT_EQ(f.ini.ReadString("ShareData", "level.5", ""), "-1");
}

}  // namespace
}  // namespace zantor
