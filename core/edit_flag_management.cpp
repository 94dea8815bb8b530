#include "core/edit_flag_management.h"

namespace zantor {

namespace {

bool IsStage(int stage) { return stage >= 0 && stage < kStageCount; }

}  // namespace

EditFlagManagement::EditFlagManagement(StatusTextSink& statusText) : statusText_(statusText) {
  ClearAll();
}

void EditFlagManagement::SetModified(bool value) {
  modified_ = value;
  if (value) statusText_.SetStatusText("変更あり");
}

void EditFlagManagement::SetGroup(Group group, int stage, bool value) {
  if (!IsStage(stage)) return;
  groups_[group][stage] = value;
  if (value) SetModified(true);
}

bool EditFlagManagement::IsGroupModified(Group group, int stage) const {
  return IsStage(stage) && groups_[group][stage];
}

void EditFlagManagement::ClearAll() {
  modified_ = false;
  for (auto& group : groups_) group.fill(false);
  statusText_.SetStatusText("");
}

}  // namespace zantor
