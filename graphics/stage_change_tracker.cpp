#include "graphics/stage_change_tracker.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "core/byte_lanes.h"

namespace zantor {

namespace {

constexpr int kColours = 16;
constexpr int kCellsPerMapSet = 64;
constexpr int kPartsPerChip = 4;
// Only the low two bits of a chip's property choose its palette; the rest is not drawn.
constexpr std::uint8_t kPaletteBits = 3;

template <std::size_t N>
bool Same(const std::array<std::uint8_t, N>& known, std::span<const std::uint8_t> now) {
  return std::memcmp(known.data(), now.data(), N) == 0;
}

template <std::size_t N>
void Copy(std::array<std::uint8_t, N>& known, std::span<const std::uint8_t> now) {
  std::copy_n(now.begin(), N, known.begin());
}

// Whether a room's objects are still the count known ones from `known` on.
bool SameObjects(const ObjectEntry* known, std::size_t count, const StageData::ObjectList& now) {
  if (now.size() != count) return false;
  for (const ObjectEntry& object : now) {
    if (object.X != known->X || object.Y != known->Y || object.Kind != known->Kind) return false;
    ++known;
  }
  return true;
}

// Bit cell set for each of a map set's 64 cells that differs, eight cells at a time.
std::uint64_t DifferingCells(const std::uint8_t* now, const std::uint8_t* known) {
  std::uint64_t cells = 0;
  for (int word = 0; word < kCellsPerMapSet / 8; ++word) {
    std::uint64_t a;
    std::uint64_t b;
    std::memcpy(&a, now + word * 8, 8);
    std::memcpy(&b, known + word * 8, 8);
    cells |= GatheredByteMarks(NonZeroByteMarks(a ^ b)) << (word * 8);
  }
  return cells;
}

std::span<const std::uint8_t> Colours(const StageData& stage, int definition) {
  return stage.BGPalette().subspan(static_cast<std::size_t>(definition) * kColours, kColours);
}

}  // namespace

bool StageChanges::None() const {
  return !everything && chips16.none() && chips32.none() && rooms.none() &&
         std::all_of(cells.begin(), cells.end(), [](std::uint64_t c) { return c == 0; });
}

void StageChangeTracker::Remember(const StageData& stage, int stageNumber, int definition) {
  known_ = true;
  stageNumber_ = stageNumber;
  definition_ = definition;
  Copy(colours_, Colours(stage, definition));
  Copy(banks_, stage.BGBank());
  Copy(chip16_, stage.Chip16x16());
  Copy(properties_, stage.ChipProperty());
  Copy(chip32_, stage.Chip32x32());
  Copy(mapSets_, stage.MapSet());
  Copy(map_, stage.Map());
  RememberObjects(stage);
}

void StageChangeTracker::RememberObjects(const StageData& stage) {
  objectsRevision_ = stage.ObjectsRevision();
  objects_.clear();
  for (int room = 0; room < kRoomCount; ++room) {
    const StageData::ObjectList& objects = stage.Room(room);
    objects_.insert(objects_.end(), objects.begin(), objects.end());
    objectCounts_[room] = static_cast<std::uint16_t>(objects.size());
  }
}

StageChanges StageChangeTracker::Take(const StageData& stage, int stageNumber, int definition) {
  // One object returned on every path, built in place.
  StageChanges changes;
  if (!known_ || stageNumber != stageNumber_ || definition != definition_ ||
      !Same(colours_, Colours(stage, definition)) || !Same(banks_, stage.BGBank())) {
    Remember(stage, stageNumber, definition);
    changes.everything = true;
    return changes;
  }
  // Only what differs is looked at closely and copied: a drag places a cell per move.
  const auto chip16 = stage.Chip16x16();
  const auto properties = stage.ChipProperty();
  if (!Same(chip16_, chip16) || !Same(properties_, properties)) {
    for (int chip = 0; chip < StageChanges::kChips; ++chip) {
      bool changed = ((properties[chip] ^ properties_[chip]) & kPaletteBits) != 0;
      for (int quarter = 0; quarter < kPartsPerChip; ++quarter) {
        const int at = quarter * StageChanges::kChips + chip;
        changed = changed || chip16[at] != chip16_[at];
      }
      changes.chips16[chip] = changed;
    }
    Copy(chip16_, chip16);
    Copy(properties_, properties);
  }
  const auto chip32 = stage.Chip32x32();
  if (changes.chips16.any() || !Same(chip32_, chip32)) {
    for (int chip = 0; chip < StageChanges::kChips; ++chip) {
      bool changed = false;
      for (int part = chip * kPartsPerChip; part < (chip + 1) * kPartsPerChip; ++part) {
        changed = changed || chip32[part] != chip32_[part] || changes.chips16[chip32[part]];
      }
      changes.chips32[chip] = changed;
    }
    Copy(chip32_, chip32);
  }
  std::array<std::uint64_t, kMapSetCount> mapSetCells{};
  const auto mapSets = stage.MapSet();
  const bool chipsChanged = changes.chips32.any();
  bool cellsChanged = false;
  for (int set = 0; set < kMapSetCount; ++set) {
    const auto now =
        mapSets.subspan(static_cast<std::size_t>(set) * kCellsPerMapSet, kCellsPerMapSet);
    std::uint8_t* known = mapSets_.data() + set * kCellsPerMapSet;
    if (!chipsChanged && std::memcmp(now.data(), known, kCellsPerMapSet) == 0) continue;
    std::uint64_t cells = DifferingCells(now.data(), known);
    if (chipsChanged) {
      for (int cell = 0; cell < kCellsPerMapSet; ++cell) {
        cells |= std::uint64_t{changes.chips32[now[cell]]} << cell;
      }
    }
    mapSetCells[set] = cells;
    cellsChanged = cellsChanged || cells != 0;
    std::copy(now.begin(), now.end(), known);
  }
  const auto map = stage.Map();
  const ObjectEntry* known = objects_.data();
  // Objects are compared only when the stage says some changed: the same revision is the
  // same objects.
  const bool objectsTouched = stage.ObjectsRevision() != objectsRevision_;
  // Stored without a test: which rooms use a changed map set is not foreseeable.
  const auto cellsOf = [&](std::uint8_t mapSet) {
    return mapSet < kMapSetCount ? mapSetCells[mapSet] : 0;
  };
  if (!objectsTouched && Same(map_, map)) {
    // The common look after a cell is placed: no room needs more than its cells.
    if (cellsChanged) {
      for (int room = 0; room < kRoomCount; ++room) changes.cells[room] = cellsOf(map[room]);
    }
    return changes;
  }
  for (int room = 0; room < kRoomCount; ++room) {
    const bool otherHere =
        objectsTouched && !SameObjects(known, objectCounts_[room], stage.Room(room));
    known += objectCounts_[room];
    if (map[room] != map_[room] || otherHere) {
      changes.rooms.set(room);
      map_[room] = map[room];
    } else {
      changes.cells[room] = cellsOf(map[room]);
    }
  }
  if (objectsTouched) RememberObjects(stage);
  return changes;
}

}  // namespace zantor
