// The 16x16 chip tab through its real controls, pictures compared with the chip sheet read
// straight from the image's bytes.
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "app/tab_page_controls.h"
#include "app/tests/main_form_fixture.h"
#include "core/address_data.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/radio_group.h"
#include "editors/two_digit_hex.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using testing::NesColor;
using testing::ReferenceChip16Pixel;
using Kind = testing::ScriptedDialogs::Kind;

constexpr std::uint32_t kMagenta = 0xFF00FF;

class Chip16x16Tab : public testing::TabTest<EditTab::Chip16x16> {
 protected:
  // Whether chip c's cell of the chip table shows the chip as the image's bytes give it, once
  // the pointer has left the table.
  bool TableCellMatches(int chip) {
    Leave("ImgEdit16x16ChipView");
    const DisplayPicture& table = *Image("ImgEdit16x16ChipView")->Picture();
    for (int y = chip / 16 * 16; y < chip / 16 * 16 + 16; ++y) {
      for (int x = chip % 16 * 16; x < chip % 16 * 16 + 16; ++x) {
        if (table.Pixel(x, y) != Shown(ReferenceChip16Pixel(Stage(), x, y))) return false;
      }
    }
    return true;
  }
  bool WholeTableMatches() {
    for (int chip = 0; chip < 256; ++chip) {
      if (!TableCellMatches(chip)) return false;
    }
    return true;
  }
  void ClickItem(const char* group, int item) {
    QRadioButton* button = Find<RadioGroup>(group)->Button(item);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, {6, button->height() / 2});
  }
  void SelectChip(int chip) {
    Click("ImgEdit16x16ChipView", Qt::LeftButton, {chip % 16 * 16 + 8, chip / 16 * 16 + 8});
  }
  void SelectTile(int tile) {
    Click("ImgBGBankTable", Qt::LeftButton, {tile % 16 * 16 + 8, tile / 16 * 16 + 8});
  }
  int Entries() {
    int count = 0;
    while (Stage().CanUndo()) Stage().Undo(), ++count;
    return count;
  }
};

TEST_F(Chip16x16Tab, ControlsCarryTheirNamesCaptionsSizesAndTags) {
  EXPECT_EQ(Image("ImgEdit16x16ChipView")->size(), QSize(256, 256));
  EXPECT_EQ(Image("ImgBGBankTable")->size(), QSize(256, 256));
  EXPECT_EQ(Image("ImgEdit16x16Chip")->size(), QSize(64, 64));
  EXPECT_EQ(Image("ImgSelectTile")->size(), QSize(32, 32));
  EXPECT_EQ(Find<QGroupBox>("GBEdit16x16Chip")->title(), QStringLiteral("編集対象チップ"));
  EXPECT_EQ(Find<RadioGroup>("RGPaletteSelect")->ItemCaption(3), QStringLiteral("x3"));
  EXPECT_EQ(Find<QLineEdit>("EditSelectChipProperty")->maxLength(), 2);
  EXPECT_EQ(TagOf(*Find<QScrollBar>("ScrBarBGBank1")), 1);
  EXPECT_EQ(Find<QPushButton>("Button1")->text(), QStringLiteral("再読み込み"));
  EXPECT_EQ(Find<QPushButton>("BtnUnusedTileChk")->text(), QStringLiteral("未使用タイル番号表示"));
  EXPECT_NE(Find<QWidget>("PanelPaletteColor15"), nullptr);
  EXPECT_TRUE(WholeTableMatches());
}

TEST_F(Chip16x16Tab, ClicksPickTilesFromTheBankTableTheChipTableAndTheEditedChip) {
  Click("ImgBGBankTable", Qt::LeftButton, {40, 200});
  EXPECT_EQ(Label("LblSelectBGBankTileIndex"), QStringLiteral("C2"));
  const auto tiles = Stage().Chip16x16();
  const std::pair<QPoint, int> picks[] = {
      {{27, 5}, tiles[256 + 0x01]}, {{27, 13}, tiles[768 + 0x01]}, {{27, 21}, tiles[256 + 0x11]}};
  for (const auto& [at, tile] : picks) {
    Click("ImgEdit16x16ChipView", Qt::RightButton, at);
    EXPECT_EQ(form->findChild<QLabel*>("LblSelectBGBankTileIndex")->text(), TwoDigitHex(tile));
  }
  SelectChip(0xC3);
  Click("ImgEdit16x16Chip", Qt::RightButton, {40, 40});
  EXPECT_EQ(Label("LblSelectBGBankTileIndex"), TwoDigitHex(tiles[768 + 0xC3]));
  EXPECT_EQ(Label("LblSelectChipIndex"), QStringLiteral("C3"));
  EXPECT_FALSE(Stage().CanUndo());
}

// Each edit of the tab: one entry of its kind, group 0 of the current stage only, and an
// edit to the value already stored records nothing and flags nothing.
TEST_F(Chip16x16Tab, EveryEditRecordsOneEntryAndFlagsTheChipsOnlyWhenSomethingChanges) {
  struct Edit {
    const char* name;
    std::function<void()> run;
    std::string undoName;
  };
  const std::vector<Edit> edits = {
      {"paint",
       [&] {
         SelectChip(0xC5);
         SelectTile(0x21);
         Click("ImgEdit16x16Chip", Qt::LeftButton, {40, 8});
       },
       "16x16チップの編集"},
      {"attribute", [&] { ClickItem("RGChipPropertySelect", 0xD); },
       "16x16チップの編集(属性・パレット)"},
      {"palette",
       [&, other = (Stage().ChipProperty()[0xC5] & 3) ^ 1] { ClickItem("RGPaletteSelect", other); },
       "16x16チップの編集(属性・パレット)"},
      {"property text", [&] { Type(Find<QLineEdit>("EditSelectChipProperty"), "3c"); },
       "16x16チップの編集(属性・パレット)"},
      {"paste",
       [&] {
         Click("ImgEdit16x16ChipView", Qt::LeftButton, {24, 200}, Qt::ControlModifier);
       },
       "16x16チップの編集(貼り付け)"},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    form->Flags().ClearAll();
    Stage().ClearHistory();
    edit.run();
    ASSERT_TRUE(Stage().CanUndo());
    EXPECT_EQ(Stage().UndoName(), edit.undoName);
    EXPECT_TRUE(form->Flags().IsChip16x16Modified(0));
    EXPECT_FALSE(form->Flags().IsChip16x16Modified(1));
    EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));
    form->Flags().ClearAll();
    edit.run();  // the same again: nothing to change
    EXPECT_FALSE(form->Flags().IsModified());
    EXPECT_EQ(Entries(), 1);
  }
}

TEST_F(Chip16x16Tab, PropertyAttributeAndPaletteKeepEachOthersBits) {
  SelectChip(0x40);
  auto* edit = Find<QLineEdit>("EditSelectChipProperty");
  Type(edit, "1E");
  EXPECT_EQ(Label("LblSelectChipProperty"), QStringLiteral("(1C + 2)"));
  // Palette 2: background entries 8..11.
  EXPECT_TRUE(TableCellMatches(0x40));
  EXPECT_EQ(Image("ImgEdit16x16Chip")->Picture()->Pixel(0, 0),
            Shown(ReferenceChip16Pixel(Stage(), 0, 64)));
  const auto before = Image("ImgEdit16x16ChipView")->Picture()->Pixel(0, 64);
  ClickItem("RGChipPropertySelect", 3);
  EXPECT_EQ(Stage().ChipProperty()[0x40], 0x3E);
  EXPECT_EQ(edit->text(), QStringLiteral("3E"));
  EXPECT_EQ(Image("ImgEdit16x16ChipView")->Picture()->Pixel(0, 64), before);

  Type(edit, "g1");
  EXPECT_EQ(edit->text(), QStringLiteral("3E"));
  Type(edit, "3");
  EXPECT_EQ(Stage().ChipProperty()[0x40], 0x3E);
  Type(edit, "3c");
  EXPECT_EQ(Stage().ChipProperty()[0x40], 0x3C);
  EXPECT_EQ(edit->text(), QStringLiteral("3C"));
  EXPECT_EQ(Find<RadioGroup>("RGChipPropertySelect")->ItemIndex(), 3);
  EXPECT_EQ(Find<RadioGroup>("RGPaletteSelect")->ItemIndex(), 0);
  EXPECT_TRUE(TableCellMatches(0x40));
}

TEST_F(Chip16x16Tab, CopyInOneStagePasteInAnotherAndIntoTheEditedChip) {
  const auto tiles = Stage().Chip16x16();
  const std::array<int, 5> copied{tiles[0xC7], tiles[256 + 0xC7], tiles[512 + 0xC7],
                                  tiles[768 + 0xC7], Stage().ChipProperty()[0xC7]};
  Click("ImgEdit16x16ChipView", Qt::RightButton, {7 * 16 + 3, 12 * 16 + 3}, Qt::ControlModifier);
  form->SelectStage(3);
  Find<QTimer>("FrameTimer")->stop();
  SelectChip(0x22);
  Click("ImgEdit16x16ChipView", Qt::LeftButton, {2 * 16 + 3, 2 * 16 + 3}, Qt::ControlModifier);
  for (int q = 0; q < 4; ++q) EXPECT_EQ(Stage().Chip16x16()[q * 256 + 0x22], copied[q]);
  EXPECT_EQ(Stage().ChipProperty()[0x22], copied[4]);
  // The edited chip shows the pasted chip at once: picture, tiles, property and radios.
  EXPECT_EQ(Label("LblSelectChipTile3"), TwoDigitHex(copied[3]));
  EXPECT_EQ(Find<QLineEdit>("EditSelectChipProperty")->text(), TwoDigitHex(copied[4]));
  EXPECT_EQ(Find<RadioGroup>("RGPaletteSelect")->ItemIndex(), copied[4] & 3);
  EXPECT_EQ(Image("ImgEdit16x16Chip")->Picture()->Pixel(63, 63),
            Shown(ReferenceChip16Pixel(Stage(), 2 * 16 + 15, 2 * 16 + 15)));
  EXPECT_TRUE(TableCellMatches(0x22));
}

TEST_F(Chip16x16Tab, UndoAndRedoByKeyBringLabelsBarsAndPicturesBack) {
  ActivateWindow();
  SelectChip(0xC5);
  const QString oldTile = Label("LblSelectChipTile1");
  SelectTile(0x30);
  Click("ImgEdit16x16Chip", Qt::LeftButton, {40, 8});
  auto* bar = Find<QScrollBar>("ScrBarBGBank1");
  const int oldBank = bar->value();
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Stage().BGBank()[1], oldBank + 1);
  EXPECT_TRUE(WholeTableMatches());
  const int palette = Find<RadioGroup>("RGPaletteSelect")->ItemIndex();
  ClickItem("RGPaletteSelect", palette ^ 1);
  Click("ImgEdit16x16ChipView", Qt::LeftButton, {5 * 16 + 2, 12 * 16 + 2}, Qt::ControlModifier);
  EXPECT_EQ(Label("LblSelectChipTile1"), QStringLiteral("00"));  // the pasted zeros

  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Label("LblSelectChipTile1"), QStringLiteral("30"));
  EXPECT_EQ(Find<RadioGroup>("RGPaletteSelect")->ItemIndex(), palette ^ 1);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Find<RadioGroup>("RGPaletteSelect")->ItemIndex(), palette);
  EXPECT_TRUE(TableCellMatches(0xC5));
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(bar->value(), oldBank);
  EXPECT_EQ(Label("LblBGBank1"), TwoDigitHex(oldBank));
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Label("LblSelectChipTile1"), oldTile);
  EXPECT_TRUE(WholeTableMatches());
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Label("LblSelectChipTile1"), QStringLiteral("30"));
  EXPECT_TRUE(TableCellMatches(0xC5));
  EXPECT_TRUE(form->Flags().IsChip16x16Modified(0));
}

TEST_F(Chip16x16Tab, BanksStayWhereTheyAreUnlessTheUserMovesABar) {
  // Bar 1 of the last stage stands at the top of the demo's range.
  form->SelectStage(15);
  ASSERT_EQ(Find<QScrollBar>("ScrBarBGBank1")->value(), kDemoChrBankCount - 2);
  auto image = BuildDemoImage();
  const AddressData& addresses = form->Rom().Addresses();
  image[addresses.BGBank(0) + 1] = 0x70;  // past the CHR data
  image[5] = 1;                           // 8 banks
  WriteImage("small.nes", image);
  ASSERT_TRUE(form->OpenImage(PathOf("small.nes")));
  EXPECT_EQ(Find<QScrollBar>("ScrBarBGBank1")->maximum(), 6);
  EXPECT_EQ(Label("LblBGBank1"), QStringLiteral("70"));
  form->SelectStage(1);
  form->SelectStage(0);
  dialogs.confirms.push_back(true);
  Find<QPushButton>("Button1")->click();
  form->Undo1Click();
  EXPECT_EQ(Stage().BGBank()[1], 0x70);
  EXPECT_EQ(form->Rom().Stage(15).BGBank()[1], kDemoBGBanks[15][1]);
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_FALSE(Stage().CanUndo());

  image[5] = 64;  // 512 banks: the bars still name bytes only
  WriteImage("large.nes", image);
  ASSERT_TRUE(form->OpenImage(PathOf("large.nes")));
  EXPECT_EQ(Find<QScrollBar>("ScrBarBGBank0")->maximum(), 255);
}

TEST_F(Chip16x16Tab, DragsEndingOutsideThePicturesFrameNothingAndSayNothing) {
  for (const char* name : {"ImgBGBankTable", "ImgEdit16x16ChipView", "ImgEdit16x16Chip"}) {
    SCOPED_TRACE(name);
    const int side = Image(name)->width();
    const auto before = Image(name)->Picture()->Pixel(side / 2, side / 2);
    for (const QPoint at : {QPoint(-5, 10), QPoint(10, -5), QPoint(side + 3, 10),
                            QPoint(10, side + 3), QPoint(side + 20, side - 1)}) {
      Move(name, at, Qt::LeftButton);
      EXPECT_EQ(StatusPanel(1), QString());
      for (int x = 0; x < side; ++x) {
        ASSERT_NE(Image(name)->Picture()->Pixel(x, 0), kMagenta) << x;
        ASSERT_NE(Image(name)->Picture()->Pixel(x, side - 1), kMagenta) << x;
      }
    }
    EXPECT_EQ(Image(name)->Picture()->Pixel(side / 2, side / 2), before);
  }
  Move("ImgBGBankTable", {40, 200});
  EXPECT_EQ(StatusPanel(1), QStringLiteral("タイルNo:C2"));
  Leave("ImgBGBankTable");
  EXPECT_EQ(StatusPanel(1), QString());
}

TEST_F(Chip16x16Tab, EditsAndTicksRedrawOneChipAtATimeAndKeepTheFrameUnderThePointer) {
  // Changed behind the editor's back, in sub-palette 0, which the ticks leave alone.
  Stage().SetChipTile(0x10, static_cast<std::uint8_t>(Stage().Chip16x16()[0x10] ^ 0x41));
  Stage().SetChipProperty(0x10, 0x00);
  SelectChip(0xC5);
  SelectTile(0x21);
  Move("ImgEdit16x16Chip", {40, 8});
  Click("ImgEdit16x16Chip", Qt::LeftButton, {40, 8});
  EXPECT_EQ(Image("ImgEdit16x16Chip")->Picture()->Pixel(32, 0), kMagenta);
  Click("ImgEdit16x16ChipView", Qt::LeftButton, {24, 200}, Qt::ControlModifier);
  EXPECT_FALSE(TableCellMatches(0x10));
  Move("ImgEdit16x16ChipView", {0x30 % 16 * 16 + 4, 0x30 / 16 * 16 + 4});
  for (int tick = 0; tick < 4 * (kDemoCycleDelay + 1); ++tick) form->FrameTimerTimer();
  EXPECT_EQ(Image("ImgEdit16x16ChipView")->Picture()->Pixel(0x30 % 16 * 16, 48), kMagenta);
  EXPECT_EQ(Image("ImgEdit16x16Chip")->Picture()->Pixel(32, 0), kMagenta);
  EXPECT_FALSE(TableCellMatches(0x10));
  // The stored colours again, then the tab shown anew: every chip as the data says.
  form->ShowTab(EditTab::Palette);
  emit Find<QComboBox>("CBSelectPaletteSet")->activated(0);
  form->ShowTab(EditTab::Chip16x16);
  EXPECT_TRUE(WholeTableMatches());
}

TEST_F(Chip16x16Tab, TheRightClickCycleRecoloursTheBankTableAndTheSelectedTileOnly) {
  SelectTile(0x02);  // colour 2 throughout
  const auto chips = Image("ImgEdit16x16ChipView")->Picture()->Pixel(100, 100);
  for (const int palette : {1, 2, 3, 0}) {
    Click("ImgBGBankTable", Qt::RightButton, {3, 3});
    EXPECT_EQ(Image("ImgSelectTile")->Picture()->Pixel(5, 5), Shown(palette * 4 + 2)) << palette;
    EXPECT_EQ(Image("ImgBGBankTable")->Picture()->Pixel(2 * 16 + 8, 8), Shown(palette * 4 + 2));
  }
  EXPECT_EQ(Image("ImgEdit16x16ChipView")->Picture()->Pixel(100, 100), chips);
}

TEST_F(Chip16x16Tab, ReloadAsksAndOnYesReadsTheChipsAgainAndEmptiesTheHistory) {
  SelectChip(0xC5);
  SelectTile(0x21);
  Click("ImgEdit16x16Chip", Qt::LeftButton, {8, 8});
  Stage().SetMapRoom(0, 9);
  const std::uint8_t painted = Stage().Chip16x16()[0xC5];
  dialogs.confirms.push_back(false);
  Find<QPushButton>("Button1")->click();
  EXPECT_EQ(Stage().Chip16x16()[0xC5], painted);
  EXPECT_TRUE(Stage().CanUndo());
  dialogs.confirms.push_back(true);
  Find<QPushButton>("Button1")->click();
  EXPECT_EQ(dialogs.Texts(Kind::Confirm).back(),
            QStringLiteral("このステージのチップ・BGバンクを読み込み直します。よろしいですか？"));
  EXPECT_NE(Stage().Chip16x16()[0xC5], painted);
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_TRUE(form->Flags().IsChip16x16Modified(0));
  EXPECT_TRUE(WholeTableMatches());
}

TEST_F(Chip16x16Tab, ReportsShowTheUnusedNumbersOfTheStage) {
  QString caption, message, memo;
  const auto read = [&](QDialog& dialog) {
    caption = dialog.windowTitle();
    message = dialog.findChild<QLabel*>("LblMessage")->text();
    memo = dialog.findChild<QPlainTextEdit*>("MemoUnusedChipNum")->toPlainText();
    EXPECT_FALSE(dialog.findChild<QPushButton*>("BtnReplaceMapSetChips")->isVisibleTo(&dialog));
    return QDialog::Rejected;
  };
  // Every tile used but 03, 07 and 1F.
  for (int chip = 0; chip < 256; ++chip) {
    for (int q = 0; q < 4; ++q) {
      const int tile = (chip * 4 + q) % 256;
      Stage().SetChipTile(
          q * 256 + chip,
          static_cast<std::uint8_t>(tile == 0x03 || tile == 0x07 || tile == 0x1F ? 0 : tile));
    }
  }
  dialogs.modals.push_back(read);
  Find<QPushButton>("BtnUnusedTileChk")->click();
  EXPECT_EQ(caption, QStringLiteral("未使用タイル番号"));
  EXPECT_EQ(message, QStringLiteral("16x16チップに使用されてないタイル番号は"));
  EXPECT_EQ(memo, QStringLiteral("03 07 \n1F \n"));

  // Every 16x16 chip used by some 32x32 chip.
  for (int part = 0; part < 1024; ++part) {
    Stage().SetChip32x32Part(part, static_cast<std::uint8_t>(part % 256));
  }
  dialogs.modals.push_back(read);
  Find<QPushButton>("BtnUnused16x16ChipChk")->click();
  EXPECT_EQ(caption, QStringLiteral("未使用16x16チップ番号"));
  EXPECT_EQ(message, QStringLiteral("32x32チップに使用されてない16x16チップ番号は"));
  EXPECT_EQ(memo, QString());
}

}  // namespace
}  // namespace zantor
