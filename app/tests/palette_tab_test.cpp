#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/tab_page_controls.h"
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
#include "tools/ntsc_palette.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using testing::NesColor;
using testing::SequenceColor;
using Kind = testing::ScriptedDialogs::Kind;

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
  // The colour shown in the middle of cell `cell` of an image control.
  std::uint32_t CellColor(const QString& image, int cell, int row = 0) {
    return Image(image)->Picture()->Pixel(cell * 24 + 12, row * 24 + 12);
  }
  void SelectFromTable(int color) {
    Click("ImgColorTable", Qt::LeftButton, {(color % 16) * 24 + 3, (color / 16) * 24 + 3});
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

// What a control of the tab carries; an empty caption or size, a tag of -1 and a length of
// 0 are not checked.
struct ControlFacts {
  QString name;
  QString caption{};
  QSize size{};
  int tag = -1;
  int maxLength = 0;
};

std::vector<ControlFacts> PaletteTabControls() {
  const QString reload = QStringLiteral("再読み込み");
  std::vector<ControlFacts> facts = {
      {.name = "GBPaletteView", .caption = QStringLiteral("パレット編集")},
      {.name = "BtnPaletteReload", .caption = reload},
      {.name = "GBColorTable", .caption = QStringLiteral("カラーテーブル")},
      {.name = "ImgColorTable", .size = {384, 96}},
      {.name = "GBSelectColor", .caption = QStringLiteral("選択カラー")},
      {.name = "ImgSelectColor", .size = {32, 32}},
      {.name = "GBAnimePaletteView", .caption = QStringLiteral("パレットアニメーション選択")},
      {.name = "BtnAnimationPaletteReload", .caption = reload},
  };
  for (int k = 0; k < 4; ++k) {
    const QString n = QString::number(k);
    facts.push_back({.name = "ImgPalView" + n, .size = {96, 24}, .tag = k});
    facts.push_back({.name = "ImgAnimePal" + n, .size = {96, 24}});
    facts.push_back({.name = "EditAnimePal" + n, .tag = k, .maxLength = 2});
    facts.push_back({.name = "UDAnimePal" + n, .tag = k});
  }
  for (int e = 0; e < 16; ++e) {
    facts.push_back({.name = "EditPal" + QString::number(e), .tag = e, .maxLength = 2});
  }
  return facts;
}

TEST_F(PaletteTab, ControlsCarryTheirCaptionsSizesTagsAndLengths) {
  for (const ControlFacts& facts : PaletteTabControls()) {
    SCOPED_TRACE(facts.name.toStdString());
    auto* control = Find<QWidget>(facts.name.toLatin1().constData());
    ASSERT_NE(control, nullptr);
    if (!facts.caption.isEmpty()) {
      auto* box = qobject_cast<QGroupBox*>(control);
      auto* button = qobject_cast<QAbstractButton*>(control);
      EXPECT_EQ(box != nullptr      ? box->title()
                : button != nullptr ? button->text()
                                    : QString(),
                facts.caption);
    }
    if (facts.size.isValid()) {
      EXPECT_EQ(control->size(), facts.size);
    }
    if (facts.tag >= 0) {
      EXPECT_EQ(TagOf(*control), facts.tag);
    }
    if (facts.maxLength > 0) {
      EXPECT_EQ(qobject_cast<QLineEdit*>(control)->maxLength(), facts.maxLength);
    }
  }
  auto* combo = Find<QComboBox>("CBSelectPaletteSet");
  ASSERT_EQ(combo->count(), 4);
  for (int item = 0; item < 4; ++item) {
    EXPECT_EQ(combo->itemText(item), QStringLiteral("定義%1").arg(item));
  }
  const auto labels = Find<QGroupBox>("GBSelectColor")->findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                          [](QLabel* label) { return label->text() == QStringLiteral("No:"); }));
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
  SelectFromTable(0x21);
  EXPECT_EQ(Find<QLabel>("LblSelectColor")->text(), QStringLiteral("21"));
  EXPECT_EQ(Image("ImgSelectColor")->Picture()->Pixel(16, 16), NesColor(0x21));

  // The third cell of the third view is entry 10.
  Click("ImgPalView2", Qt::LeftButton, {2 * 24 + 5, 5});
  EXPECT_EQ(PalEdit(10)->text(), QStringLiteral("21"));
  EXPECT_EQ(Stage().BGPalette()[10], 0x21);

  SelectFromTable(0x05);
  Click("ImgPalView2", Qt::RightButton, {2 * 24 + 5, 5});
  EXPECT_EQ(Find<QLabel>("LblSelectColor")->text(), QStringLiteral("21"));
  EXPECT_EQ(Image("ImgSelectColor")->Picture()->Pixel(16, 16), NesColor(0x21));
  EXPECT_EQ(Stage().BGPalette()[10], 0x21);
  EXPECT_EQ(UndoCount(), 1);
}

TEST_F(PaletteTab, TheSelectedColourSurvivesAStageChange) {
  SelectFromTable(0x2C);
  form->SelectStage(3);
  EXPECT_EQ(Find<QLabel>("LblSelectColor")->text(), QStringLiteral("2C"));
  EXPECT_EQ(Image("ImgSelectColor")->Picture()->Pixel(16, 16), NesColor(0x2C));
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
  EXPECT_EQ(CellColor("ImgAnimePal1", 2), NesColor(0x0A));
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
  Stage().SetMapRoom(0, 39);
  Type(PalEdit(2), "2A");
  Type(AnimeEdit(2), "81");
  form->Undo1Click();
  ASSERT_TRUE(Stage().CanRedo());
  dialogs.confirms = {true};
  Find<QPushButton>("BtnPaletteReload")->click();
  EXPECT_EQ(dialogs.Texts(Kind::Confirm),
            std::vector<QString>{"このステージのパレットを読み込み直します。よろしいですか？"});
  EXPECT_EQ(Stage().BGPalette()[2], stored);
  EXPECT_EQ(PalEdit(2)->text(), TwoDigitHex(stored));
  EXPECT_FALSE(Stage().CanUndo());
  EXPECT_FALSE(Stage().CanRedo());
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
  void Tick(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) form->FrameTimerTimer();
  }
  static QString AnimeView(int slot) { return QStringLiteral("ImgAnimePal%1").arg(slot); }
  // Colour `colour` of the demo's cycling sub-palette in its animation view.
  std::uint32_t CycleCell(int colour) { return CellColor(AnimeView(kDemoCycleSlot.slot), colour); }
  std::uint32_t StoredCycleColor(int colour) {
    return NesColor(Stage().BGPalette()[kDemoCycleSlot.slot * 4 + colour]);
  }
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
  EXPECT_EQ(PalEdit(slot * 4 + 1)->text(), TwoDigitHex(stored));
  // Colour 0 of the sub-palette never animates.
  EXPECT_EQ(CellColor(QStringLiteral("ImgAnimePal%1").arg(slot), 0),
            NesColor(Stage().BGPalette()[slot * 4]));
}

TEST_F(PaletteAnimationTicks, OnlyTheShownTabIsRefreshed) {
  int* drawings = CountDrawings(AnimeView(kDemoCycleSlot.slot));
  Tick(kDemoCycleDelay + 1);
  const int drawnWhileShown = *drawings;
  EXPECT_GT(drawnWhileShown, 0);
  form->ShowTab(EditTab::Chip16x16);
  Tick(2 * (kDemoCycleDelay + 1));
  EXPECT_EQ(*drawings, drawnWhileShown);
}

TEST_F(PaletteAnimationTicks, ShowingTheTabAgainShowsColoursThatChangedMeanwhile) {
  ChooseDefinition(kDemoFrozenSlot.definition);
  form->ShowTab(EditTab::Chip16x16);
  // The slot steps to its first colour set, then freezes: no later tick redraws it.
  Tick(3 * (kDemoFrozenDelay + 1));
  form->ShowTab(EditTab::Palette);
  for (int colour = 1; colour < 4; ++colour) {
    EXPECT_EQ(CellColor(AnimeView(kDemoFrozenSlot.slot), colour),
              SequenceColor(kDemoFrozenAnimation, 0, colour));
  }
}

TEST_F(PaletteAnimationTicks, StageAndDefinitionChangesRestartTheTimerAndTheAnimation) {
  auto* timer = Find<QTimer>("FrameTimer");
  const auto restartsAtFrameZero = [&](const char* change, const std::function<void()>& run) {
    SCOPED_TRACE(change);
    Tick(kDemoCycleDelay + 1);  // the animation is under way, a later frame next
    ASSERT_NE(CycleCell(1), StoredCycleColor(1));
    timer->stop();
    run();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(CycleCell(1), StoredCycleColor(1));
    Tick(kDemoCycleDelay + 1);
    EXPECT_EQ(CycleCell(1), SequenceColor(kDemoCycleAnimation, 0, 1));
  };
  restartsAtFrameZero("stage", [&] {
    form->SelectStage(kDemoCycleSlot.stage + 1);
    form->SelectStage(kDemoCycleSlot.stage);
  });
  restartsAtFrameZero("definition", [&] { ChooseDefinition(kDemoCycleSlot.definition); });
}

TEST_F(PaletteAnimationTicks, AnAnimationByteChangeRestartsTheTimerAndTheAnimation) {
  auto* timer = Find<QTimer>("FrameTimer");
  Tick(2 * (kDemoCycleDelay + 1));
  timer->stop();
  Type(AnimeEdit(3), "81");  // another slot: the whole animation starts again
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(CycleCell(1), StoredCycleColor(1));
  Tick(kDemoCycleDelay + 1);
  EXPECT_EQ(CycleCell(1), SequenceColor(kDemoCycleAnimation, 0, 1));
}

TEST_F(PaletteAnimationTicks, ByteZeroStopsTheSubPaletteAndEightyFiveRunsSequenceFive) {
  constexpr int kSequenceFiveDelay = 2;
  Type(AnimeEdit(kDemoCycleSlot.slot), "00");
  Tick(3 * (kDemoCycleDelay + 1));
  for (int colour = 1; colour < 4; ++colour) EXPECT_EQ(CycleCell(colour), StoredCycleColor(colour));

  Type(AnimeEdit(kDemoCycleSlot.slot), "85");
  Tick(kSequenceFiveDelay);
  EXPECT_EQ(CycleCell(1), StoredCycleColor(1));
  Tick(1);
  for (int colour = 1; colour < 4; ++colour) {
    EXPECT_EQ(CycleCell(colour), SequenceColor(5, 0, colour));
  }
}

TEST_F(PaletteAnimationTicks, UndoAndRedoOfAnAnimationByteRestoreTheEditAndTheAnimation) {
  QLineEdit* edit = AnimeEdit(kDemoCycleSlot.slot);
  Type(edit, "00");
  form->Undo1Click();
  EXPECT_EQ(edit->text(), QStringLiteral("80"));
  Tick(kDemoCycleDelay + 1);
  EXPECT_EQ(CycleCell(1), SequenceColor(kDemoCycleAnimation, 0, 1));

  form->Redo1Click();
  EXPECT_EQ(edit->text(), QStringLiteral("00"));
  EXPECT_EQ(CycleCell(1), StoredCycleColor(1));
  Tick(3 * (kDemoCycleDelay + 1));
  EXPECT_EQ(CycleCell(1), StoredCycleColor(1));
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

}  // namespace
}  // namespace zantor
