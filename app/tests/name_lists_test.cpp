#include "app/name_lists.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "app/name_list_file.h"
#include "app/tests/temp_folder.h"
#include "editors/radio_group.h"
#include "editors/testing/scripted_dialogs.h"

namespace zantor {
namespace {

using testing::ScriptedDialogs;
using testing::TempFolder;

QString NumberedLines(int count, const QString& end = QStringLiteral("\r\n")) {
  QString text;
  for (int i = 0; i < count; ++i) text += QStringLiteral("名前%1").arg(i) + end;
  return text;
}

TEST(NameLineRules, EveryLineEndGivesTheSameEntries) {
  const QStringList expected{QStringLiteral("背景"), QString(), QStringLiteral("ブロック ")};
  EXPECT_EQ(SplitNameLines(QStringLiteral("背景\r\n\r\nブロック \r\n")), expected);
  EXPECT_EQ(SplitNameLines(QStringLiteral("背景\n\nブロック \n")), expected);
  EXPECT_EQ(SplitNameLines(QStringLiteral("背景\r\rブロック \r")), expected);
  EXPECT_EQ(SplitNameLines(QStringLiteral("背景\r\n\nブロック ")), expected);
}

TEST(NameLineRules, EmptyTextLeadingEmptyLineAndNul) {
  EXPECT_TRUE(SplitNameLines(QString()).isEmpty());
  EXPECT_EQ(SplitNameLines(QStringLiteral("\r\nA")), (QStringList{QString(), "A"}));
  EXPECT_EQ(SplitNameLines(QStringLiteral("A\nB") + QChar(u'\0') + QStringLiteral("C\nD")),
            (QStringList{"A", "B"}));
  EXPECT_EQ(SplitNameLines(QStringLiteral("  spaced  \n;not a comment")),
            (QStringList{"  spaced  ", ";not a comment"}));
}

TEST(NameListFile, DecodesCodePage932AndReportsAMissingFile) {
  TempFolder folder;
  folder.WriteShiftJis("names.txt", QStringLiteral("はしご(頂点)\r\nダメージ床"));
  const auto lines = ReadNameListFile(folder / "names.txt");
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, (QStringList{QStringLiteral("はしご(頂点)"), QStringLiteral("ダメージ床")}));
  EXPECT_FALSE(ReadNameListFile(folder / "absent.txt").has_value());
}

TEST(NameListFile, ReadsShiftJisBytesAndStopsAtANulByte) {
  TempFolder folder;
  // 背景, then 表 (its second byte is a backslash in ASCII) and a half-width ｱ, then a NUL
  // that ends the text.
  folder.Write("names.txt", QByteArray("\x94\x77\x8C\x69\r\n\x95\x5C\xB1\nA\0B\r\nC", 16));
  const auto lines = ReadNameListFile(folder / "names.txt");
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, (QStringList{QStringLiteral("背景"), QStringLiteral("表ｱ"), "A"}));
}

class AttributeCaptions : public ::testing::Test {
 protected:
  TempFolder folder;
  RadioGroup captions{QStringLiteral("チップ属性"), BuiltInAttributeCaptions(), 2};
  std::vector<std::string> names;
};

TEST_F(AttributeCaptions, WithoutAFileTheBuiltInCaptionsStayAndNothingIsSaid) {
  LoadChipAttributeNames(folder / kChipAttributesFile, names, captions);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(captions.ItemCaption(0), QStringLiteral("0x 背景"));
  EXPECT_EQ(captions.ItemCaption(6), QStringLiteral("6x 背景裏に隠れる"));
  EXPECT_EQ(captions.ItemCaption(15), QStringLiteral("Fx トゲ"));
}

TEST_F(AttributeCaptions, AShortFileReplacesOnlyItsLines) {
  folder.WriteShiftJis(kChipAttributesFile, NumberedLines(3));
  LoadChipAttributeNames(folder / kChipAttributesFile, names, captions);
  EXPECT_EQ(names.size(), 3u);
  EXPECT_EQ(captions.ItemCaption(2), QStringLiteral("名前2"));
  EXPECT_EQ(captions.ItemCaption(3), QStringLiteral("3x 特殊ブロック"));
}

TEST_F(AttributeCaptions, SixteenAndSixtyFourLines) {
  folder.WriteShiftJis(kChipAttributesFile, NumberedLines(16, QStringLiteral("\n")));
  LoadChipAttributeNames(folder / kChipAttributesFile, names, captions);
  EXPECT_EQ(captions.ItemCaption(15), QStringLiteral("名前15"));

  folder.WriteShiftJis(kChipAttributesFile, NumberedLines(64, QStringLiteral("\r")));
  LoadChipAttributeNames(folder / kChipAttributesFile, names, captions);
  ASSERT_EQ(names.size(), 64u);
  EXPECT_EQ(names[49], "名前49");
  EXPECT_EQ(captions.ItemCaption(15), QStringLiteral("名前15"));
}

class ObjectKinds : public ::testing::Test {
 protected:
  TempFolder folder;
  QComboBox kinds;
  ScriptedDialogs dialogs;
  void SetUp() override { kinds.addItems(BuiltInObjectKindItems()); }
};

TEST_F(ObjectKinds, AMissingFileIsReportedAndTheHexItemsStay) {
  LoadObjectKindNames(folder / kObjectListFile, kinds, dialogs);
  EXPECT_EQ(dialogs.Texts(ScriptedDialogs::Kind::Message),
            std::vector<QString>{QStringLiteral("ObjectList.txtを読み込めませんでした。")});
  ASSERT_EQ(kinds.count(), 256);
  EXPECT_EQ(kinds.itemText(0), QStringLiteral("00"));
  EXPECT_EQ(kinds.itemText(0xAB), QStringLiteral("AB"));
  EXPECT_EQ(kinds.itemText(255), QStringLiteral("FF"));
}

TEST_F(ObjectKinds, TheFileReplacesTheItemsUpToOneItemPerKind) {
  folder.WriteShiftJis(kObjectListFile, QStringLiteral("\r\n") + NumberedLines(299));
  LoadObjectKindNames(folder / kObjectListFile, kinds, dialogs);
  EXPECT_TRUE(dialogs.log.empty());
  ASSERT_EQ(kinds.count(), 256);
  EXPECT_EQ(kinds.itemText(0), QString());
  EXPECT_EQ(kinds.itemText(1), QStringLiteral("名前0"));
  EXPECT_EQ(kinds.itemText(255), QStringLiteral("名前254"));
}

TEST_F(ObjectKinds, AShortFileOffersOnlyItsLines) {
  folder.WriteShiftJis(kObjectListFile, NumberedLines(10));
  LoadObjectKindNames(folder / kObjectListFile, kinds, dialogs);
  EXPECT_EQ(kinds.count(), 10);
}

}  // namespace
}  // namespace zantor
