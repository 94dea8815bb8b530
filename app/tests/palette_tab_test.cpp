#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/tests/main_form_fixture.h"
#include "core/address_data.h"
#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "editors/palette_edit_class.h"
#include "editors/two_digit_hex.h"
#include "editors/up_down_buttons.h"
#include "graphics/editor_graphics.h"
#include "graphics/image_ex.h"
#include "tools/demo_palettes.h"
#include "tools/ntsc_palette.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using Kind = testing::ScriptedDialogs::Kind;

std::uint32_t NesColor(int number) {
  const auto rgb = NtscPalette::Color(number & 0x3F);
  return rgb.r | (rgb.g << 8) | (rgb.b << 16);
}

class PaletteTab : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    form->ShowTab(EditTab::Palette);
  }

  StageData& Stage() { return form->Rom().CurrentStageData(); }
  QLineEdit* PalEdit(int entry) {
    return Find<QLineEdit>(QStringLiteral("EditPal%1").arg(entry).toLatin1().constData());
  }
  QLineEdit* AnimeEdit(int slot) {
    return Find<QLineEdit>(QStringLiteral("EditAnimePal%1").arg(slot).toLatin1().constData());
  }
  TImageEx* Image(const QString& name) { return Find<TImageEx>(name.toLatin1().constData()); }
  // The colour shown in the middle of cell `cell` of an image control.
  std::uint32_t CellColor(const QString& image, int cell, int row = 0) {
    return Image(image)->Picture()->Pixel(cell * 24 + 12, row * 24 + 12);
  }
  void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void Click(const QString& image, Qt::MouseButton button, QPoint at) {
    QTest::mouseClick(Image(image), button, Qt::NoModifier, at);
  }
  void Move(const QString& image, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, Image(image)->mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(Image(image), &move);
  }
  void Leave(const QString& image) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Image(image), &leave);
  }
  void ChooseDefinition(int definition) {
    auto* combo = Find<QComboBox>("CBSelectPaletteSet");
    combo->setCurrentIndex(definition);
    emit combo->activated(definition);  // what the user's choice sends
  }
  int UndoCount() {
    int count = 0;
    while (Stage().CanUndo()) {
      Stage().Undo();
      ++count;
    }
    return count;
  }
};

TEST_F(PaletteTab, ShowsTheDefinitionInEditsAndViews) {
  const auto palette = Stage().BGPalette();
  for (int entry = 0; entry < 16; ++entry) {
    EXPECT_EQ(PalEdit(entry)->text(), TwoDigitHex(palette[entry]));
    EXPECT_EQ(CellColor(QStringLiteral("ImgPalView%1").arg(entry / 4), entry % 4),
              NesColor(palette[entry]));
  }
  EXPECT_EQ(CellColor("ImgColorTable", 0x16 % 16, 0x16 / 16), NesColor(0x16));
  EXPECT_EQ(AnimeEdit(kDemoCycleSlot.slot)->text(), QStringLiteral("80"));
}

TEST_F(PaletteTab, TwoCharacterRuleOfTheColourEdits) {
  const int stored = Stage().BGPalette()[0];
  Type(PalEdit(0), "3");
  EXPECT_EQ(Stage().BGPalette()[0], stored);
  EXPECT_FALSE(form->Flags().IsModified());

  Type(PalEdit(0), "3F");
  EXPECT_EQ(Stage().BGPalette()[0], 0x3F);
  EXPECT_EQ(form->Rom().Bytes().Read(0x998), stored);  // stored only on save
  EXPECT_TRUE(form->Flags().IsPaletteModified(0));
  EXPECT_EQ(StatusPanel(0), QStringLiteral("変更あり"));
  EXPECT_EQ(CellColor("ImgPalView0", 0), NesColor(0x3F));

  for (const char* refused : {"40", "FF", "G1"}) {
    Type(PalEdit(0), refused);
    EXPECT_EQ(PalEdit(0)->text(), QStringLiteral("3F")) << refused;
    EXPECT_EQ(Stage().BGPalette()[0], 0x3F) << refused;
  }
  EXPECT_EQ(UndoCount(), 1);
}

TEST_F(PaletteTab, LowerCaseIsStoredAndShownInUpperCaseAsOneUndoEntry) {
  Type(PalEdit(5), "0a");
  EXPECT_EQ(Stage().BGPalette()[5], 0x0A);
  EXPECT_EQ(PalEdit(5)->text(), QStringLiteral("0A"));
  ASSERT_TRUE(Stage().CanUndo());
  EXPECT_EQ(Stage().UndoName(), "パレットの編集");
  EXPECT_EQ(UndoCount(), 1);
}

TEST_F(PaletteTab, RetypingTheStoredValueRecordsNothing) {
  Type(PalEdit(3), PalEdit(3)->text().toLower());
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_FALSE(form->Flags().IsModified());
}

TEST_F(PaletteTab, ClicksOnAPaletteCellPutInOrPickTheColour) {
  Click("ImgColorTable", Qt::LeftButton, {1 * 24 + 3, 2 * 24 + 3});
  EXPECT_EQ(Find<QLabel>("LblSelectColor")->text(), QStringLiteral("21"));
  EXPECT_EQ(Image("ImgSelectColor")->Picture()->Pixel(16, 16), NesColor(0x21));

  Click("ImgPalView2", Qt::LeftButton, {2 * 24 + 5, 5});
  EXPECT_EQ(PalEdit(10)->text(), QStringLiteral("21"));
  EXPECT_EQ(Stage().BGPalette()[10], 0x21);

  const int other = Stage().BGPalette()[4];
  Click("ImgPalView1", Qt::RightButton, {5, 5});
  EXPECT_EQ(Find<QLabel>("LblSelectColor")->text(),
            TwoDigitHex(other));
  EXPECT_EQ(Stage().BGPalette()[4], other);
}

TEST_F(PaletteTab, HoverFramesFollowThePointerAndLeaveWithIt) {
  constexpr std::uint32_t kMagenta = 0xFF00FF;
  DisplayPicture& table = *Image("ImgColorTable")->Picture();
  Move("ImgColorTable", {3 * 24 + 5, 24 + 5});  // colour 13
  EXPECT_EQ(table.Pixel(3 * 24, 24), kMagenta);
  EXPECT_EQ(table.Pixel(3 * 24 + 23, 24 + 23), kMagenta);
  EXPECT_EQ(table.Pixel(3 * 24 + 12, 24 + 12), NesColor(0x13));
  Move("ImgColorTable", {5, 5});
  EXPECT_EQ(table.Pixel(3 * 24, 24), NesColor(0x13));
  EXPECT_EQ(table.Pixel(0, 0), kMagenta);
  Leave("ImgColorTable");
  EXPECT_EQ(table.Pixel(0, 0), NesColor(0x00));

  // A click under the pointer stores the colour and keeps the frame.
  DisplayPicture& view = *Image("ImgPalView3")->Picture();
  Move("ImgPalView3", {24 + 3, 3});
  Click("ImgPalView3", Qt::LeftButton, {24 + 3, 3});
  EXPECT_EQ(view.Pixel(24, 0), kMagenta);
  EXPECT_EQ(view.Pixel(24 + 12, 12), NesColor(0x00));
  Leave("ImgPalView3");
  EXPECT_EQ(view.Pixel(24, 0), NesColor(0x00));
}

TEST_F(PaletteTab, DraggingOutOfAViewFramesNothingElse) {
  constexpr std::uint32_t kMagenta = 0xFF00FF;
  const std::uint32_t selected = Image("ImgSelectColor")->Picture()->Pixel(0, 0);
  for (int x : {5 * 24 + 3, 700, -60, 4 * 24}) {
    Move("ImgPalView3", {x, 5}, Qt::LeftButton);
    Move("ImgColorTable", {x, 5}, Qt::LeftButton);
  }
  Move("ImgColorTable", {5, 4 * 24 + 1}, Qt::LeftButton);
  EXPECT_EQ(Image("ImgSelectColor")->Picture()->Pixel(0, 0), selected);
  for (int slot = 0; slot < 4; ++slot) {
    EXPECT_NE(Image(QStringLiteral("ImgAnimePal%1").arg(slot))->Picture()->Pixel(0, 0), kMagenta);
  }
  EXPECT_NE(Image("ImgColorTable")->Picture()->Pixel(0, 4 * 24 - 1), kMagenta);
  Leave("ImgPalView3");
  Leave("ImgColorTable");
}

TEST_F(PaletteTab, TheColourTableOnlyAnswersTheLeftButton) {
  Click("ImgColorTable", Qt::RightButton, {5 * 24, 24});
  EXPECT_EQ(Find<QLabel>("LblSelectColor")->text(), QStringLiteral("00"));
}

TEST_F(PaletteTab, AStoredColourOfFortyOrAboveShowsMaskedAndIsPickedAsBlack) {
  std::vector<std::uint8_t> image = BuildDemoImage();
  image[0x998 + 6] = 0x4A;
  WriteImage("odd.nes", image);
  ASSERT_TRUE(form->OpenImage(PathOf("odd.nes")));
  form->ShowTab(EditTab::Palette);
  EXPECT_EQ(PalEdit(6)->text(), QStringLiteral("4A"));
  EXPECT_EQ(CellColor("ImgPalView1", 2), NesColor(0x0A));
  EXPECT_EQ(form->Rom().CurrentStageData().BGPalette()[6], 0x4A);
  Click("ImgPalView1", Qt::RightButton, {2 * 24 + 1, 1});
  EXPECT_EQ(Find<QLabel>("LblSelectColor")->text(), QStringLiteral("0F"));
}

TEST_F(PaletteTab, AnimationEditsRefuseBytesThatNameNoAnimation) {
  QLineEdit* edit = AnimeEdit(1);
  const int index = 0 * 4 + 1;
  Type(edit, "05");
  EXPECT_EQ(edit->text(), QStringLiteral("80"));
  EXPECT_EQ(Stage().BGPaletteAnime()[index], 0x80);

  Type(edit, "00");
  EXPECT_EQ(Stage().BGPaletteAnime()[index], 0x00);
  EXPECT_TRUE(form->Flags().IsPaletteModified(0));

  Type(edit, "85");
  EXPECT_EQ(Stage().BGPaletteAnime()[index], 0x85);
  EXPECT_EQ(Stage().UndoName(), "パレットアニメの編集");
  EXPECT_TRUE(Find<QTimer>("FrameTimer")->isActive());
}

TEST_F(PaletteTab, UpDownButtonsWalkAroundTheInvalidBytes) {
  auto* buttons = Find<UpDownButtons>("UDAnimePal0");
  const auto stepFrom = [&](const char* start, QToolButton* button) {
    Type(AnimeEdit(0), start);
    button->click();
    return AnimeEdit(0)->text();
  };
  EXPECT_EQ(stepFrom("00", buttons->UpButton()), QStringLiteral("80"));
  EXPECT_EQ(stepFrom("FF", buttons->UpButton()), QStringLiteral("00"));
  EXPECT_EQ(stepFrom("80", buttons->DownButton()), QStringLiteral("00"));
  EXPECT_EQ(stepFrom("00", buttons->DownButton()), QStringLiteral("FF"));
  EXPECT_EQ(stepFrom("81", buttons->DownButton()), QStringLiteral("80"));
  EXPECT_EQ(Stage().BGPaletteAnime()[0], 0x80);
  EXPECT_EQ(SteppedAnimeByte(0x05, +1), 0x80);
  EXPECT_EQ(SteppedAnimeByte(0x05, -1), 0x00);
}

TEST_F(PaletteTab, ReloadAnsweredYesRereadsAndEmptiesTheHistory) {
  const int stored = Stage().BGPalette()[2];
  Type(PalEdit(2), "2A");
  Stage().SetMapRoom(0, 39);
  dialogs.confirms = {true};
  Find<QPushButton>("BtnPaletteReload")->click();
  EXPECT_EQ(dialogs.Texts(Kind::Confirm),
            std::vector<QString>{"このステージのパレットを読み込み直します。よろしいですか？"});
  EXPECT_EQ(Stage().BGPalette()[2], stored);
  EXPECT_EQ(PalEdit(2)->text(), TwoDigitHex(stored));
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_TRUE(form->Flags().IsPaletteModified(0));
}

TEST_F(PaletteTab, ReloadAnsweredNoChangesNothing) {
  Type(AnimeEdit(0), "83");
  dialogs.confirms = {false};
  Find<QPushButton>("BtnAnimationPaletteReload")->click();
  EXPECT_EQ(dialogs.Texts(Kind::Confirm),
            std::vector<QString>{
                "このステージのアニメーションパレットを読み込み直します。よろしいですか？"});
  EXPECT_EQ(Stage().BGPaletteAnime()[0], 0x83);
  EXPECT_TRUE(Stage().CanUndo());
}

TEST_F(PaletteTab, AStageChangeShowsDefinitionZeroWhileAReloadKeepsTheChoice) {
  ChooseDefinition(2);
  EXPECT_EQ(PalEdit(0)->text(), TwoDigitHex(Stage().BGPalette()[32]));
  dialogs.confirms = {true};
  Find<QPushButton>("BtnPaletteReload")->click();
  EXPECT_EQ(Find<QComboBox>("CBSelectPaletteSet")->currentText(), QStringLiteral("定義2"));

  form->SelectStage(3);
  EXPECT_EQ(Find<QComboBox>("CBSelectPaletteSet")->currentText(), QStringLiteral("定義0"));
  EXPECT_EQ(PalEdit(0)->text(), TwoDigitHex(Stage().BGPalette()[0]));
}

TEST_F(PaletteTab, TheChosenDefinitionColoursTheRenderer) {
  ChooseDefinition(1);
  // The animation views show the renderer's stage colours: definition 1 now.
  EXPECT_EQ(CellColor("ImgAnimePal0", 3), NesColor(Stage().BGPalette()[16 + 3]));
}

TEST_F(PaletteTab, ChoosingADefinitionFromCodeRunsNothing) {
  Find<QComboBox>("CBSelectPaletteSet")->setCurrentIndex(2);
  EXPECT_EQ(PalEdit(1)->text(), TwoDigitHex(Stage().BGPalette()[1]));
}

TEST_F(PaletteTab, UndoOfAPaletteEditRestoresEditViewsAndRendererColour) {
  const int stored = Stage().BGPalette()[9];
  Type(PalEdit(9), "27");
  EXPECT_EQ(CellColor("ImgAnimePal2", 1), NesColor(0x27));
  form->Undo1Click();
  EXPECT_EQ(Stage().BGPalette()[9], stored);
  EXPECT_EQ(PalEdit(9)->text(), TwoDigitHex(stored));
  EXPECT_EQ(CellColor("ImgPalView2", 1), NesColor(stored));
  EXPECT_EQ(CellColor("ImgAnimePal2", 1), NesColor(stored));
  form->Redo1Click();
  EXPECT_EQ(PalEdit(9)->text(), QStringLiteral("27"));
  EXPECT_EQ(CellColor("ImgPalView2", 1), NesColor(0x27));
}

// --- The frame timer --------------------------------------------------------------------

class PaletteAnimationTicks : public PaletteTab {
 protected:
  // Counts the drawings on one animation view.
  int* CountDrawings(const QString& image) {
    auto counter = std::make_shared<int>(0);
    Image(image)->Picture()->SetChangeHandler([counter] { ++*counter; });
    counters.push_back(counter);
    return counter.get();
  }
  std::vector<std::shared_ptr<int>> counters;
};

TEST_F(PaletteAnimationTicks, DelayThreeChangesColoursOnEveryFourthTick) {
  const int slot = kDemoCycleSlot.slot;
  int* drawings = CountDrawings(QStringLiteral("ImgAnimePal%1").arg(slot));
  std::vector<int> drawnAt;
  std::vector<std::uint32_t> colours{CellColor(QStringLiteral("ImgAnimePal%1").arg(slot), 1)};
  for (int tick = 1; tick <= 12; ++tick) {
    const int before = *drawings;
    form->FrameTimerTimer();
    if (*drawings == before) continue;
    drawnAt.push_back(tick);
    colours.push_back(CellColor(QStringLiteral("ImgAnimePal%1").arg(slot), 1));
  }
  EXPECT_EQ(drawnAt, (std::vector<int>{4, 8, 12}));
  // Frames 0, 1, 2 show colour sets 1, 2, 3, each different from the stored colour.
  ASSERT_EQ(colours.size(), 4u);
  EXPECT_NE(colours[1], colours[0]);
  EXPECT_NE(colours[2], colours[1]);
  EXPECT_NE(colours[3], colours[2]);
}

TEST_F(PaletteAnimationTicks, AnimationViewsMoveWhilePaletteViewsKeepTheStoredColours) {
  const int slot = kDemoCycleSlot.slot;
  for (int tick = 0; tick < 4; ++tick) form->FrameTimerTimer();
  const int stored = Stage().BGPalette()[slot * 4 + 1];
  EXPECT_EQ(CellColor(QStringLiteral("ImgPalView%1").arg(slot), 1), NesColor(stored));
  EXPECT_NE(CellColor(QStringLiteral("ImgAnimePal%1").arg(slot), 1), NesColor(stored));
  EXPECT_EQ(PalEdit(slot * 4 + 1)->text(),
            TwoDigitHex(stored));
  // Colour 0 of the sub-palette never animates.
  EXPECT_EQ(CellColor(QStringLiteral("ImgAnimePal%1").arg(slot), 0),
            NesColor(Stage().BGPalette()[slot * 4]));
}

TEST_F(PaletteAnimationTicks, OnlyTheShownTabIsRefreshed) {
  form->ShowTab(EditTab::Chip16x16);
  int* drawings = CountDrawings(QStringLiteral("ImgAnimePal%1").arg(kDemoCycleSlot.slot));
  for (int tick = 0; tick < 8; ++tick) form->FrameTimerTimer();
  EXPECT_EQ(*drawings, 0);
}

TEST_F(PaletteAnimationTicks, AStillDefinitionDrawsNothing) {
  ChooseDefinition(kDemoStillDefinition);
  std::vector<int*> drawings;
  for (int slot = 0; slot < 4; ++slot) {
    drawings.push_back(CountDrawings(QStringLiteral("ImgAnimePal%1").arg(slot)));
  }
  for (int tick = 0; tick < 20; ++tick) form->FrameTimerTimer();
  for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(*drawings[slot], 0) << slot;
}

// --- The timer setting -----------------------------------------------------------------

class FrameTimerSetting : public MainFormTest {};

TEST_F(FrameTimerSetting, AnIntervalOfZeroOrLessRunsAtSixteenAndIsWrittenBackAsStored) {
  for (const char* stored : {"0", "-5"}) {
    SCOPED_TRACE(stored);
    folder.Write("zantor5editor.ini", QByteArray("[Timer]\nInterval=") + stored + "\n");
    Start();
    EXPECT_EQ(Find<QTimer>("FrameTimer")->interval(), 16);
    form->close();
    const TMyMemIniFile written(folder / "zantor5editor.ini");
    EXPECT_EQ(written.ReadString("Timer", "Interval", ""), stored);
  }
}

}  // namespace
}  // namespace zantor
