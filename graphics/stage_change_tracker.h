#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "core/stage_data.h"

namespace zantor {

// What of a stage's rooms shows differently since the last look.
struct StageChanges {
  static constexpr int kChips = 256;

  // Everything: another stage, other colours or tiles, or nothing seen before.
  bool everything = false;
  // Sheet cells to draw again: the 16x16 chips first, then the 32x32 chips built of them.
  std::bitset<kChips> chips16;
  std::bitset<kChips> chips32;
  // Rooms to draw whole: another map set named, or other objects on them.
  std::bitset<kRoomCount> rooms;
  // Per room not drawn whole: bit row * 8 + column for each map set cell showing another chip.
  std::array<std::uint64_t, kRoomCount> cells{};

  static StageChanges Everything() {
    StageChanges changes;
    changes.everything = true;
    return changes;
  }
  bool None() const;
};

// Knows which rooms of the shown stage changed: keeps a copy of everything the rooms are
// drawn from and, at each look, tells what differs from it. Whatever changed the data (an
// edit, an undo, a reload, a merge) is found the same way, and many changes between two
// looks are told once.
class StageChangeTracker {
 public:
  // The next look tells everything: the image was opened again, its tiles may differ.
  void Forget() { known_ = false; }
  // What differs from the last look at the stage in the stored colours of `definition`.
  StageChanges Take(const StageData& stage, int stageNumber, int definition);

 private:
  void Remember(const StageData& stage, int stageNumber, int definition);
  void RememberObjects(const StageData& stage);

  bool known_ = false;
  int stageNumber_ = 0;
  int definition_ = 0;
  std::array<std::uint8_t, 16> colours_{};
  std::array<std::uint8_t, 2> banks_{};
  std::array<std::uint8_t, 1024> chip16_{};
  std::array<std::uint8_t, 256> properties_{};
  std::array<std::uint8_t, 1024> chip32_{};
  std::array<std::uint8_t, kMapSetCount * 64> mapSets_{};
  std::array<std::uint8_t, kRoomCount> map_{};
  // Every room's objects in room order, and how many each room has: a look reads few lines.
  std::uint64_t objectsRevision_ = 0;
  std::vector<ObjectEntry> objects_;
  std::array<std::uint16_t, kRoomCount> objectCounts_{};
};

}  // namespace zantor
