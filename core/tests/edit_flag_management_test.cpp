#include "core/edit_flag_management.h"

#include <gtest/gtest.h>

#include "core/testing/recording_sinks.h"

namespace zantor {
namespace {

using Setter = void (EditFlagManagement::*)(int, bool);
using Getter = bool (EditFlagManagement::*)(int) const;

struct GroupAccess {
  Setter set;
  Getter get;
};

const GroupAccess kGroups[] = {
    {&EditFlagManagement::SetChip16x16Modified, &EditFlagManagement::IsChip16x16Modified},
    {&EditFlagManagement::SetChip32x32Modified, &EditFlagManagement::IsChip32x32Modified},
    {&EditFlagManagement::SetMapSetModified, &EditFlagManagement::IsMapSetModified},
    {&EditFlagManagement::SetMapModified, &EditFlagManagement::IsMapModified},
    {&EditFlagManagement::SetObjectModified, &EditFlagManagement::IsObjectModified},
    {&EditFlagManagement::SetPaletteModified, &EditFlagManagement::IsPaletteModified},
};

TEST(ModifiedFlags, ConstructionClearsTheStatusText) {
  testing::RecordingStatusText status;
  status.text = "old";
  EditFlagManagement flags(status);
  EXPECT_EQ(status.text, "");
  EXPECT_FALSE(flags.IsModified());
}

TEST(ModifiedFlags, EachGroupSetterRaisesOnlyItsOwnFlagAndTheMark) {
  for (const GroupAccess& group : kGroups) {
    testing::RecordingStatusText status;
    EditFlagManagement flags(status);
    (flags.*group.set)(2, true);
    EXPECT_TRUE((flags.*group.get)(2));
    EXPECT_TRUE(flags.IsModified());
    EXPECT_EQ(status.text, "変更あり");
    int raised = 0;
    for (const GroupAccess& other : kGroups) {
      for (int stage = 0; stage < kStageCount; ++stage) raised += (flags.*other.get)(stage);
    }
    EXPECT_EQ(raised, 1);
  }
}

TEST(ModifiedFlags, AFalseValueLowersTheGroupButNotTheMark) {
  testing::RecordingStatusText status;
  EditFlagManagement flags(status);
  flags.SetMapModified(3, true);
  flags.SetMapModified(3, false);
  EXPECT_FALSE(flags.IsMapModified(3));
  EXPECT_TRUE(flags.IsModified());
  EXPECT_EQ(status.text, "変更あり");

  flags.SetModified(false);
  EXPECT_FALSE(flags.IsModified());
  EXPECT_EQ(status.text, "変更あり");  // only ClearAll empties the panel
}

TEST(ModifiedFlags, ClearAllLowersEveryFlagAndEmptiesTheText) {
  testing::RecordingStatusText status;
  EditFlagManagement flags(status);
  for (const GroupAccess& group : kGroups) {
    for (int stage = 0; stage < kStageCount; ++stage) (flags.*group.set)(stage, true);
  }
  flags.ClearAll();
  EXPECT_FALSE(flags.IsModified());
  EXPECT_EQ(status.text, "");
  for (const GroupAccess& group : kGroups) {
    for (int stage = 0; stage < kStageCount; ++stage) EXPECT_FALSE((flags.*group.get)(stage));
  }
}

TEST(ModifiedFlags, StageNumbersOutsideTheGameAreIgnored) {
  testing::RecordingStatusText status;
  EditFlagManagement flags(status);
  flags.SetObjectModified(16, true);
  flags.SetObjectModified(-1, true);
  EXPECT_FALSE(flags.IsModified());
  EXPECT_FALSE(flags.IsObjectModified(16));
  EXPECT_FALSE(flags.IsObjectModified(-1));
}

}  // namespace
}  // namespace zantor
