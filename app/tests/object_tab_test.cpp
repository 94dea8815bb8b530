// The object tab through its real controls: rooms drawn from the 32x32 chip sheet read
// straight from the image's bytes, objects as white squares with their kind.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/two_digit_hex.h"
#include "editors/up_down_buttons.h"
#include "graphics/hex_digit_font.h"
#include "graphics/testing/reference_pixels.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using testing::NesColor;
using testing::ReferenceMapSetPixel;
using Kind = testing::ScriptedDialogs::Kind;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

class ObjectTab : public testing::TabTest<EditTab::Object> {
 protected:
  // Rooms 00 and 01 of the current stage hold exactly these objects, nothing selected.
  void Place(const std::vector<std::pair<int, ObjectEntry>>& objects) {
    Stage().ClearRoom(0);
    Stage().ClearRoom(1);
    for (const auto& [room, o] : objects) Stage().AddObject(room, o.X, o.Y, o.Kind);
    Show();
  }

  static QString Room(int page) { return QStringLiteral("ImgObjectMapPage%1").arg(page); }
  DisplayPicture& Picture(int page) { return *Image(Room(page))->Picture(); }
  std::vector<std::array<int, 3>> Objects(int room) {
    std::vector<std::array<int, 3>> list;
    for (const ObjectEntry& o : Stage().Room(room)) list.push_back({o.X, o.Y, o.Kind});
    return list;
  }
  // A press at (x, y), then moves there and to `to` with the button held, then the release.
  void Drag(int page, QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
    Click(Room(page), Qt::LeftButton, from);
    Move(Room(page), to, Qt::LeftButton, keys);
  }
  QMenu* Menu() { return Find<QMenu>("PopupMenuObjectEdit"); }
  QAction* Item(const char* name) { return Find<QAction>(name); }
  void RightClick(int page, QPoint at) {
    Click(Room(page), Qt::RightButton, at);
    Menu()->hide();
  }
};

TEST_F(ObjectTab, TheObjectUnderThePointerIsTheEarliestWithinNinePixels) {
  Place({{0, {40, 40, 1}}, {0, {45, 45, 2}}, {1, {100, 100, 3}}});
  Click(Room(0), Qt::LeftButton, {49, 49});  // 9 and 4 away: the earlier one
  EXPECT_EQ(Label("LblObjectIndex"), QStringLiteral("00"));
  EXPECT_EQ(Find<QComboBox>("CBSelectObject")->currentIndex(), 1);
  EXPECT_FALSE(Find<QPushButton>("BtnObjectCreate")->isEnabled());
  Click(Room(0), Qt::LeftButton, {55, 45});  // 10 away from the second
  EXPECT_EQ(Label("LblObjectIndex"), QStringLiteral("--"));
  EXPECT_FALSE(Find<QPushButton>("BtnObjectRemove")->isEnabled());
  Click(Room(1), Qt::LeftButton, {91, 109});
  EXPECT_EQ(Label("LblObjectIndex"), QStringLiteral("02"));
  EXPECT_EQ(Label("LblObjectScreen"), QStringLiteral("01"));
}

TEST_F(ObjectTab, DragsMoveTheObjectPressedOnRoundedByCtrlOrShift) {
  Place({{0, {50, 50, 1}}});
  struct Case {
    Qt::KeyboardModifiers keys;
    int x;
    int expected;
  };
  for (const Case& c : {Case{Qt::ControlModifier, 37, 32}, Case{Qt::ShiftModifier, 37, 36},
                        Case{Qt::NoModifier, 300, 255}}) {
    const int from = Stage().Room(0).front().X;
    Drag(0, {from, 50}, {c.x, 50}, c.keys);
    EXPECT_EQ(Stage().Room(0).front().X, c.expected) << c.x;
  }
  EXPECT_TRUE(form->Flags().IsObjectModified(0));
  form->Flags().ClearAll();
  Drag(0, {255, 50}, {100, 60}, Qt::ControlModifier | Qt::ShiftModifier);
  Drag(0, {150, 150}, {255, 50});  // from empty space
  EXPECT_EQ(Objects(0), (std::vector<std::array<int, 3>>{{255, 50, 1}}));
  EXPECT_FALSE(form->Flags().IsModified());
}

TEST_F(ObjectTab, SortingOnlyWhenChosenDecidesThePlacementNumberAfterADrag) {
  for (const bool sort : {true, false}) {
    SCOPED_TRACE(sort);
    Find<QCheckBox>("ChkSortObjectList")->setChecked(sort);
    Place({{0, {40, 40, 1}}, {0, {80, 40, 2}}});
    Drag(0, {80, 40}, {20, 40});
    Click(Room(0), Qt::LeftButton, {20, 40});
    EXPECT_EQ(Label("LblObjectIndex"), sort ? QStringLiteral("00") : QStringLiteral("01"));
  }
}

TEST_F(ObjectTab, TheBarShowsAnyPairAndTheSelectionFrameOnlyWithItsRoom) {
  Place({{1, {100, 100, 7}}});
  Click(Room(1), Qt::LeftButton, {100, 100});
  EXPECT_EQ(Picture(1).Pixel(100 - 16, 100), kWhite);  // the selection frame
  auto* bar = Find<QScrollBar>("ScrBarObjectMap");
  bar->setSliderDown(true);
  bar->setSliderPosition(78);
  bar->setSliderDown(false);
  EXPECT_EQ(Label("LblObjectRoom"), QStringLiteral("4E-4F"));
  EXPECT_EQ(Label("LblObjectNum"), QStringLiteral("%1-%2")
                                       .arg(Stage().RoomObjectCount(0x4E))
                                       .arg(Stage().RoomObjectCount(0x4F)));
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(Picture(0).Pixel(100 - 16, 100) == kWhite, false);
  EXPECT_EQ(Picture(1).Pixel(100 - 16, 100), kWhite);
}

TEST_F(ObjectTab, CreatingStopsAtTheStageLimitWhicheverWayItIsAsked) {
  Place({{0, {60, 60, 0x1A}}});
  RightClick(0, {60, 60});
  Item("MenuCopyObject")->trigger();
  form->SelectStage(2);  // 125 objects
  Show();
  Click(Room(0), Qt::LeftButton, {200, 200});
  Find<QPushButton>("BtnObjectCreate")->click();
  Click(Room(0), Qt::LeftButton, {210, 30});
  Find<QPushButton>("BtnObjectCreate")->click();
  EXPECT_EQ(Label("LblObjectSum"), QStringLiteral("127 / 127"));
  Click(Room(0), Qt::LeftButton, {230, 230});
  Find<QPushButton>("BtnObjectCreate")->click();
  RightClick(0, {230, 230});
  Item("MenuCreateObject")->trigger();
  RightClick(0, {230, 230});
  Item("MenuPasteObject")->trigger();
  EXPECT_EQ(Stage().ObjectCount(), 127);

  // A damaged table without its terminator decodes as 128 objects: more than the limit.
  auto image = BuildDemoImage();
  for (int slot = 0; slot < 128; ++slot) image[form->Rom().Addresses().ObjectScreen(0) + slot] = 0;
  WriteImage("full.nes", image);
  ASSERT_TRUE(form->OpenImage(PathOf("full.nes")));
  Show();
  EXPECT_EQ(Label("LblObjectSum"), QStringLiteral("128 / 127"));
  Click(Room(0), Qt::LeftButton, {250, 250});
  Find<QPushButton>("BtnObjectCreate")->click();
  EXPECT_EQ(Stage().ObjectCount(), 128);
  EXPECT_EQ(dialogs.Texts(Kind::Message),
            std::vector<QString>(4, QStringLiteral("オブジェクトの総数を越えるため、オブジェクトを"
                                                   "作成できませんでした")));
}

TEST_F(ObjectTab, TheClipboardHoldsAKindAcrossStagesAndCutRemovesTheObject) {
  Place({{0, {60, 60, 0x1A}}});
  RightClick(0, {10, 10});
  EXPECT_FALSE(Item("MenuPasteObject")->isEnabled());
  EXPECT_FALSE(Item("MenuCopyObject")->isEnabled());
  RightClick(0, {60, 60});
  Item("MenuCutObject")->trigger();
  EXPECT_TRUE(Stage().Room(0).empty());
  EXPECT_TRUE(form->Flags().IsObjectModified(0));
  form->SelectStage(5);
  Show();
  RightClick(1, {300, 20});  // the point is kept inside the room
  EXPECT_EQ(Item("MenuPasteObject")->text(), QStringLiteral("オブジェクト(1A)を貼り付け"));
  Item("MenuPasteObject")->trigger();
  EXPECT_EQ(Objects(1).back(), (std::array<int, 3>{255, 20, 0x1A}));
}

TEST_F(ObjectTab, StepsStopAtTheEdgesAndStillFlag) {
  Place({{0, {255, 0, 2}}});
  Click(Room(0), Qt::LeftButton, {250, 3});
  form->Flags().ClearAll();
  Find<UpDownButtons>("UDObjectX")->UpButton()->click();  // the right arrow
  Find<UpDownButtons>("UDObjectY")->UpButton()->click();  // up the room
  EXPECT_EQ(Objects(0), (std::vector<std::array<int, 3>>{{255, 0, 2}}));
  EXPECT_TRUE(form->Flags().IsObjectModified(0));
  Find<UpDownButtons>("UDObjectY")->DownButton()->click();
  EXPECT_EQ(Label("LblObjectY"), QStringLiteral("01"));
}

TEST_F(ObjectTab, TheHintNamesTheHoveredObjectInFiveLines) {
  Place({{0, {1, 1, 0}}, {0, {200, 2, 1}}, {1, {10, 20, 5}}});
  Move(Room(1), {12, 22});
  // The object list names kinds 00 and 01 only: a kind past it is named by its number.
  EXPECT_EQ(Image(Room(1))->toolTip(),
            QStringLiteral("設置番号:02\r\nX座標:0A\r\nY座標:14\r\n種類:\r\n05"));
  Move(Room(0), {200, 2});
  EXPECT_TRUE(Image(Room(0))->toolTip().endsWith(QStringLiteral("種類:\r\n01 テスト")));
  Find<QCheckBox>("ChkPopupHint")->setChecked(false);
  Move(Room(1), {11, 21});
  EXPECT_EQ(Image(Room(1))->toolTip(), QString());
}

TEST_F(ObjectTab, ShiftOnEmptySpaceOpensTheRoomsListAndOkReplacesItsObjects) {
  Find<QScrollBar>("ScrBarObjectMap")->setValue(3);
  Find<QScrollBar>("ScrBarObjectMap")->triggerAction(QAbstractSlider::SliderMove);
  Stage().ClearRoom(4);
  Stage().AddObject(4, 10, 20, 5);
  Stage().AddObject(4, 80, 80, 0x1A);
  QString caption, memo;
  dialogs.modals.push_back([&](QDialog& dialog) {
    caption = dialog.windowTitle();
    auto* text = dialog.findChild<QPlainTextEdit*>("MemoObjectEdit");
    memo = text->toPlainText();
    text->setPlainText(memo + QStringLiteral("\n30 40 02"));
    return QDialog::Accepted;
  });
  Click(Room(1), Qt::LeftButton, {200, 200}, Qt::ShiftModifier);
  EXPECT_EQ(caption, QStringLiteral("部屋番号04のオブジェクトの編集"));
  EXPECT_EQ(memo, QStringLiteral("0A 14 05\n50 50 1A\n"));
  EXPECT_EQ(Objects(4),
            (std::vector<std::array<int, 3>>{{10, 20, 5}, {80, 80, 0x1A}, {0x30, 0x40, 2}}));
  EXPECT_EQ(Label("LblObjectNum").split(u'-').back(), QStringLiteral("3"));
  EXPECT_TRUE(form->Flags().IsObjectModified(0));

  // OK without an edit rebuilds the same list, flagged; OK on an empty text empties the room.
  form->Flags().ClearAll();
  dialogs.modals.push_back([](QDialog&) { return QDialog::Accepted; });
  Click(Room(1), Qt::LeftButton, {200, 200}, Qt::ShiftModifier);
  EXPECT_EQ(Objects(4),
            (std::vector<std::array<int, 3>>{{10, 20, 5}, {80, 80, 0x1A}, {0x30, 0x40, 2}}));
  EXPECT_TRUE(form->Flags().IsObjectModified(0));
  form->Flags().ClearAll();
  dialogs.modals.push_back([](QDialog&) { return QDialog::Rejected; });
  Click(Room(1), Qt::LeftButton, {200, 200}, Qt::ShiftModifier);
  Click(Room(1), Qt::LeftButton, {80, 80}, Qt::ShiftModifier);  // an object: selected only
  EXPECT_EQ(Label("LblObjectIndex"),
            TwoDigitHex(Stage().ObjectIndex(&*std::next(Stage().Room(4).begin()), 4)));
  EXPECT_FALSE(form->Flags().IsModified());
  EXPECT_EQ(Objects(4).size(), 3u);
}

TEST_F(ObjectTab, ObjectEditsAreNotUndoneAndReloadKeepsTheHistory) {
  Place({{0, {50, 50, 1}}});
  Stage().SetMapRoom(9, 3);
  Drag(0, {50, 50}, {70, 50});
  form->Undo1Click();
  EXPECT_EQ(Objects(0), (std::vector<std::array<int, 3>>{{70, 50, 1}}));
  Stage().SetMapRoom(9, 4);
  dialogs.confirms.push_back(false);
  Find<QPushButton>("BtnObjectEditReload")->click();
  EXPECT_EQ(Objects(0).size(), 1u);
  dialogs.confirms.push_back(true);
  Find<QPushButton>("BtnObjectEditReload")->click();
  EXPECT_EQ(dialogs.Texts(Kind::Confirm).back(),
            QStringLiteral("このステージのオブジェクトデータを読み込み直します。よろしいですか？"));
  EXPECT_EQ(Stage().ObjectCount(), kDemoObjectCounts[0]);
  EXPECT_TRUE(Stage().CanUndo());
  EXPECT_EQ(Label("LblObjectRoom"), QStringLiteral("00-01"));
}

TEST_F(ObjectTab, SaveWritesTheTablesOfTheEditedStageOnly) {
  Place({{0, {50, 50, 1}}, {1, {9, 9, 2}}});
  Click(Room(0), Qt::LeftButton, {200, 100});
  Find<QPushButton>("BtnObjectCreate")->click();  // room 0 at (200, 100), kind 00
  Drag(1, {9, 9}, {30, 31});
  Click(Room(0), Qt::LeftButton, {50, 50});
  Find<QPushButton>("BtnObjectRemove")->click();
  ASSERT_TRUE(form->Rom().Save(folder / "saved.nes"));
  // The expectation: the stage's four tables and room offsets rebuilt from its lists.
  auto expected = testing::ReadFile(folder / "demo.nes");
  const AddressData& a = form->Rom().Addresses();
  int slot = 0;
  for (int room = 0; room < kRoomCount; ++room) {
    expected[a.ObjectOffset(0) + room] = static_cast<std::uint8_t>(slot);
    for (const ObjectEntry& o : Stage().Room(room)) {
      expected[a.ObjectScreen(0) + slot] = static_cast<std::uint8_t>(room);
      expected[a.ObjectX(0) + slot] = static_cast<std::uint8_t>(o.X);
      expected[a.ObjectY(0) + slot] = static_cast<std::uint8_t>(o.Y);
      expected[a.ObjectKind(0) + slot] = static_cast<std::uint8_t>(o.Kind);
      ++slot;
    }
  }
  expected[a.ObjectScreen(0) + slot] = 0xFF;
  EXPECT_TRUE(testing::ReadFile(folder / "saved.nes") == expected);
  ASSERT_TRUE(form->OpenImage(PathOf("saved.nes")));
  EXPECT_EQ(Objects(0), (std::vector<std::array<int, 3>>{{200, 100, 0}}));
  EXPECT_EQ(Objects(1), (std::vector<std::array<int, 3>>{{30, 31, 2}}));
}

TEST_F(ObjectTab, RoomsShowTheirMapSetWithMarkersClippedAtTheEdges) {
  Place({{0, {40, 60, 0x0A}}, {0, {2, 250, 0x3C}}});
  const int mapSet = Stage().Map()[0];
  const auto shown = [&](int x, int y) {
    return NesColor(Stage().BGPalette()[ReferenceMapSetPixel(Stage(), mapSet, x, y)]);
  };
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const bool square = x >= 32 && x <= 47 && y >= 52 && y <= 67;
      const bool outline = square && (x == 32 || x == 47 || y == 52 || y == 67);
      const bool box = x >= 34 && x < 34 + HexDigitFont::TextWidth(2) && y >= 54 &&
                       y < 54 + HexDigitFont::TextHeight();
      const bool edge = x <= 9 && y >= 242;  // the marker at the corner, clipped
      const std::uint32_t pixel = Picture(0).Pixel(x, y);
      if (outline) {
        ASSERT_EQ(pixel, kWhite) << x << "," << y;
      } else if (box) {
        ASSERT_TRUE(pixel == kWhite || pixel == kBlack) << x << "," << y;
      } else if (!edge) {
        ASSERT_EQ(pixel, shown(x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(Picture(0).Pixel(0, 242), kWhite);             // the top edge of the clipped square
  EXPECT_EQ(Picture(0).Pixel(255, 242), shown(255, 242));  // nothing wrapped round
}

TEST_F(ObjectTab, HoverRedrawsOnlyWhenTheHoveredObjectChanges) {
  Place({{0, {40, 40, 1}}, {0, {120, 40, 2}}});
  Move(Room(0), {40, 40});
  EXPECT_EQ(Picture(0).Pixel(40 - 12, 40), kWhite);  // the hover frame
  Picture(0).FillRect({200, 200, 201, 201}, 0x16);   // a sentinel only a redraw removes
  const auto sentinel = Picture(0).Pixel(200, 200);
  Move(Room(0), {42, 41});
  EXPECT_EQ(Picture(0).Pixel(200, 200), sentinel);
  Move(Room(0), {121, 41});
  EXPECT_NE(Picture(0).Pixel(200, 200), sentinel);
  EXPECT_NE(Picture(0).Pixel(40 - 12, 40), kWhite);
  EXPECT_EQ(Picture(0).Pixel(120 - 12, 40), kWhite);
}

TEST_F(ObjectTab, ARoomNamingNoMapSetDrawsTheMapTabsPictureAndKeepsItsByte) {
  auto image = BuildDemoImage();
  image[form->Rom().Addresses().Map(0) + 1] = 0x28;  // room 01
  WriteImage("odd.nes", image);
  ASSERT_TRUE(form->OpenImage(PathOf("odd.nes")));
  form->ShowTab(EditTab::Map);
  const auto mapPicture =
      std::vector<std::uint32_t>(Image("ImgEditMapPage1")->Picture()->Words(),
                                 Image("ImgEditMapPage1")->Picture()->Words() + 256 * 256);
  Show();
  Stage().ClearRoom(1);
  Show();
  EXPECT_TRUE(std::equal(mapPicture.begin(), mapPicture.end(), Picture(1).Words()));
  Stage().AddObject(1, 5, 5, 1);  // an object edit stores the tables, not the map
  form->Flags().SetObjectModified(0, true);
  ASSERT_TRUE(form->Rom().Save(folder / "odd2.nes"));
  EXPECT_EQ(testing::ReadFile(folder / "odd2.nes")[form->Rom().Addresses().Map(0) + 1], 0x28);
}

TEST_F(ObjectTab, ALeftPressTakesTheObjectUnderItsOwnPosition) {
  Place({{0, {40, 40, 1}}});
  Stage().AddObject(2, 40, 40, 9);
  Move(Room(0), {40, 40});  // hovering room 00's object
  Find<QScrollBar>("ScrBarObjectMap")->setValue(2);
  Find<QScrollBar>("ScrBarObjectMap")->triggerAction(QAbstractSlider::SliderMove);
  Click(Room(0), Qt::LeftButton, {40, 40});  // the rooms moved under the resting pointer
  EXPECT_EQ(Label("LblObjectScreen"), QStringLiteral("02"));
}

}  // namespace
}  // namespace zantor
