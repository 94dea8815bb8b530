#pragma once

#include <array>

#include "core/stage_count.h"
#include "core/user_notifier.h"

namespace zantor {

// Which kinds of data of which stages changed since the image was opened or last saved.
// Save stores only the flagged groups; the status bar shows "変更あり" while anything is
// flagged. Callers only ever raise flags; ClearAll lowers them all at once.
class EditFlagManagement {
 public:
  enum Group { Chip16x16, Chip32x32, MapSet, Map, Object, Palette, kGroupCount };

  explicit EditFlagManagement(StatusTextSink& statusText);

  void SetModified(bool value);
  bool IsModified() const { return modified_; }

  void SetChip16x16Modified(int stage, bool value) { SetGroup(Chip16x16, stage, value); }
  void SetChip32x32Modified(int stage, bool value) { SetGroup(Chip32x32, stage, value); }
  void SetMapSetModified(int stage, bool value) { SetGroup(MapSet, stage, value); }
  void SetMapModified(int stage, bool value) { SetGroup(Map, stage, value); }
  void SetObjectModified(int stage, bool value) { SetGroup(Object, stage, value); }
  void SetPaletteModified(int stage, bool value) { SetGroup(Palette, stage, value); }

  bool IsChip16x16Modified(int stage) const { return IsGroupModified(Chip16x16, stage); }
  bool IsChip32x32Modified(int stage) const { return IsGroupModified(Chip32x32, stage); }
  bool IsMapSetModified(int stage) const { return IsGroupModified(MapSet, stage); }
  bool IsMapModified(int stage) const { return IsGroupModified(Map, stage); }
  bool IsObjectModified(int stage) const { return IsGroupModified(Object, stage); }
  bool IsPaletteModified(int stage) const { return IsGroupModified(Palette, stage); }

  // A stage number outside 0..15 is ignored by the setter and reads as unmodified.
  void SetGroup(Group group, int stage, bool value);
  bool IsGroupModified(Group group, int stage) const;

  void ClearAll();

 private:
  StatusTextSink& statusText_;
  bool modified_ = false;
  std::array<std::array<bool, kStageCount>, kGroupCount> groups_{};
};

}  // namespace zantor
