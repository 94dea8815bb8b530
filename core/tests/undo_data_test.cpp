#include "core/undo_data.h"

#include <gtest/gtest.h>

namespace zantor {
namespace {

TEST(UndoKindNames, EveryRecordedKindHasItsMenuName) {
  EXPECT_EQ(UndoKindName(UndoKindChipTile), "16x16チップの編集");
  EXPECT_EQ(UndoKindName(UndoKindChipProperty), "16x16チップの編集(属性・パレット)");
  EXPECT_EQ(UndoKindName(UndoKindChip16x16Paste), "16x16チップの編集(貼り付け)");
  EXPECT_EQ(UndoKindName(UndoKindBGBank), "BGバンクの変更");
  EXPECT_EQ(UndoKindName(UndoKindChip32x32), "32x32チップの編集");
  EXPECT_EQ(UndoKindName(UndoKindChip32x32Paste), "32x32チップの編集(貼り付け)");
  EXPECT_EQ(UndoKindName(UndoKindMapSet), "マップセットの編集");
  EXPECT_EQ(UndoKindName(UndoKindMapSetPaste), "マップセットの編集(貼り付け)");
  EXPECT_EQ(UndoKindName(UndoKindMapSetGrid), "マップセットの編集(グリッド編集)");
  EXPECT_EQ(UndoKindName(UndoKindMap), "マップの編集");
  EXPECT_EQ(UndoKindName(UndoKindPalette), "パレットの編集");
  EXPECT_EQ(UndoKindName(UndoKindPaletteAnime), "パレットアニメの編集");
}

TEST(UndoKindNames, ObjectAndUnknownKinds) {
  EXPECT_EQ(UndoKindName(12), "オブジェクトの編集");
  EXPECT_EQ(UndoKindName(13), "オブジェクトの編集");
  EXPECT_EQ(UndoKindName(UndoKindUnknown), "不明な編集");
  EXPECT_EQ(UndoKindName(127), "不明な編集");
}

TEST(UndoKindNames, OnlyTheLowSevenBitsCount) {
  EXPECT_EQ(UndoKindName(0x80 | UndoKindMap), "マップの編集");
  EXPECT_EQ(UndoKindName(0x80 | 12), "オブジェクトの編集");
  EXPECT_EQ(UndoKindName(0xFF), "不明な編集");
  EXPECT_EQ(UndoKindName(0x100 | UndoKindBGBank), "BGバンクの変更");
}

}  // namespace
}  // namespace zantor
