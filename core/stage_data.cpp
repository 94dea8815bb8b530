#include "core/stage_data.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace zantor {

namespace {

constexpr int kPaletteRunStride = 20;
constexpr int kPaletteSets = 4;

// Pointers to block[first .. first + count - 1], or none when that run does not lie
// inside the block.
template <std::size_t N>
std::vector<std::uint8_t*> Run(std::array<std::uint8_t, N>& block, int first, int count) {
  if (first < 0 || first > static_cast<int>(N) - count) return {};
  std::vector<std::uint8_t*> run(count);
  for (int i = 0; i < count; ++i) run[i] = &block[first + i];
  return run;
}

// The same for the run of a whole 32x32 chip or map set, which must begin where one does.
template <std::size_t N>
std::vector<std::uint8_t*> WholeRun(std::array<std::uint8_t, N>& block, int first, int count) {
  if (first % count != 0) return {};
  return Run(block, first, count);
}

// Every room's list drawing its nodes from pool.
template <std::size_t... Room>
std::array<StageData::ObjectList, sizeof...(Room)> RoomsIn(std::pmr::memory_resource& pool,
                                                           std::index_sequence<Room...>) {
  return {{((void)Room, StageData::ObjectList(&pool))...}};
}

}  // namespace

StageData::StageData(int stageNumber, const AddressData& addresses, ImageBytes& image,
                     const bool& undoEnabled)
    : stage_(stageNumber),
      addresses_(addresses),
      image_(image),
      undoEnabled_(undoEnabled),
      chip16x16_(std::make_shared<Chip16x16Block>()),
      chipProperty_(std::make_shared<ChipPropertyBlock>()),
      chip32x32_(std::make_shared<Chip32x32Block>()),
      mapSet_(std::make_shared<MapSetBlock>()),
      rooms_(RoomsIn(objectPool_, std::make_index_sequence<kRoomCount>{})) {}

void StageData::ShareBlocksWith(const StageData& source) {
  chip16x16_ = source.chip16x16_;
  chipProperty_ = source.chipProperty_;
  chip32x32_ = source.chip32x32_;
  mapSet_ = source.mapSet_;
}

// ---- Loads and stores ----

void StageData::LoadBlock(LevelBlock block, std::span<std::uint8_t> out) {
  image_.ReadBlock(Address(block), out);
}

void StageData::StoreBlock(LevelBlock block, std::span<const std::uint8_t> in,
                           ImageBytes& target) const {
  target.WriteBlock(Address(block), in);
}

void StageData::LoadPaletteRuns(LevelBlock block, std::span<std::uint8_t> out, int width) {
  for (int set = 0; set < kPaletteSets; ++set) {
    image_.ReadBlock(Address(block) + set * kPaletteRunStride, out.subspan(set * width, width));
  }
}

void StageData::StorePaletteRuns(LevelBlock block, std::span<const std::uint8_t> in, int width,
                                 ImageBytes& target) const {
  for (int set = 0; set < kPaletteSets; ++set) {
    target.WriteBlock(Address(block) + set * kPaletteRunStride, in.subspan(set * width, width));
  }
}

void StageData::LoadBGBank() { LoadBlock(LevelBlock::BGBank, bgBank_); }
void StageData::StoreBGBank(ImageBytes& target) const {
  StoreBlock(LevelBlock::BGBank, bgBank_, target);
}
void StageData::LoadChip16x16() { LoadBlock(LevelBlock::Chip16x16, *chip16x16_); }
void StageData::StoreChip16x16(ImageBytes& target) const {
  StoreBlock(LevelBlock::Chip16x16, *chip16x16_, target);
}
void StageData::LoadChipProperty() { LoadBlock(LevelBlock::ChipProperty, *chipProperty_); }
void StageData::StoreChipProperty(ImageBytes& target) const {
  StoreBlock(LevelBlock::ChipProperty, *chipProperty_, target);
}
void StageData::LoadChip32x32() { LoadBlock(LevelBlock::Chip32x32, *chip32x32_); }
void StageData::StoreChip32x32(ImageBytes& target) const {
  StoreBlock(LevelBlock::Chip32x32, *chip32x32_, target);
}
void StageData::LoadMapSet() { LoadBlock(LevelBlock::MapSet, *mapSet_); }
void StageData::StoreMapSet(ImageBytes& target) const {
  StoreBlock(LevelBlock::MapSet, *mapSet_, target);
}
void StageData::LoadMap() { LoadBlock(LevelBlock::Map, map_); }
void StageData::StoreMap(ImageBytes& target) const { StoreBlock(LevelBlock::Map, map_, target); }
void StageData::LoadBGPalette() { LoadPaletteRuns(LevelBlock::BGPalette, bgPalette_, 16); }
void StageData::StoreBGPalette(ImageBytes& target) const {
  StorePaletteRuns(LevelBlock::BGPalette, bgPalette_, 16, target);
}
void StageData::LoadBGPaletteAnime() {
  LoadPaletteRuns(LevelBlock::BGPaletteAnime, bgPaletteAnime_, 4);
}
void StageData::StoreBGPaletteAnime(ImageBytes& target) const {
  StorePaletteRuns(LevelBlock::BGPaletteAnime, bgPaletteAnime_, 4, target);
}

void StageData::LoadObjects() {
  ObjectTables& t = objectTables_;
  LoadBlock(LevelBlock::ObjectScreen, t.room);
  LoadBlock(LevelBlock::ObjectX, t.x);
  LoadBlock(LevelBlock::ObjectY, t.y);
  LoadBlock(LevelBlock::ObjectKind, t.kind);

  ObjectsChanged();
  for (auto& room : rooms_) room.clear();
  // Rooms ascend through the table; the first slot that breaks the order (the 0xFF
  // terminator, a room past the last, a lower room) ends it. A table without one is
  // decoded whole.
  int i = 0;
  for (int room = 0; room < kRoomCount; ++room) {
    for (; i < kObjectSlots && t.room[i] == room; ++i) {
      rooms_[room].push_back({t.x[i], t.y[i], t.kind[i]});
    }
  }
}

void StageData::StoreObjects(ImageBytes& target) {
  ObjectTables t = objectTables_;
  std::array<std::uint8_t, kRoomCount> first_of_room{};
  int i = 0;
  for (int room = 0; room < kRoomCount; ++room) {
    first_of_room[room] = static_cast<std::uint8_t>(i);
    for (const ObjectEntry& entry : rooms_[room]) {
      // The tables hold 128 slots; objects past them cannot be stored.
      if (i == kObjectSlots) break;
      t.room[i] = static_cast<std::uint8_t>(room);
      t.x[i] = static_cast<std::uint8_t>(entry.X);
      t.y[i] = static_cast<std::uint8_t>(entry.Y);
      t.kind[i] = static_cast<std::uint8_t>(entry.Kind);
      ++i;
    }
  }
  // The rest of the slots keep what the image held, so only used slots and the
  // terminator change.
  if (i < kObjectSlots) t.room[i] = 0xFF;

  StoreBlock(LevelBlock::ObjectOffset, first_of_room, target);
  StoreBlock(LevelBlock::ObjectScreen, t.room, target);
  StoreBlock(LevelBlock::ObjectX, t.x, target);
  StoreBlock(LevelBlock::ObjectY, t.y, target);
  StoreBlock(LevelBlock::ObjectKind, t.kind, target);
  if (&target == &image_) objectTables_ = t;
}

void StageData::LoadAll() {
  ClearHistory();
  LoadBGBank();
  LoadChip16x16();
  LoadChip32x32();
  LoadChipProperty();
  LoadMapSet();
  LoadMap();
  LoadBGPalette();
  LoadBGPaletteAnime();
  LoadObjects();
}

// ---- Object lists ----

void StageData::ObjectsChanged() {
  // One count for every stage, so that two stages never show the same revision.
  static std::atomic<std::uint64_t> changes{0};
  objectsRevision_ = ++changes;
}

ObjectEntry* StageData::AddObject(int room, int x, int y, int kind) {
  if (!IsRoom(room)) return nullptr;
  ObjectsChanged();
  return &rooms_[room].emplace_back(ObjectEntry{x, y, kind});
}

void StageData::MoveObject(ObjectEntry& entry, int x, int y) {
  ObjectsChanged();
  entry.X = x;
  entry.Y = y;
}

void StageData::SetObjectKind(ObjectEntry& entry, int kind) {
  ObjectsChanged();
  entry.Kind = kind;
}

bool StageData::RemoveObject(int room, const ObjectEntry* entry) {
  if (!IsRoom(room)) return false;
  ObjectList& list = rooms_[room];
  const auto it =
      std::find_if(list.begin(), list.end(), [entry](const ObjectEntry& e) { return &e == entry; });
  if (it == list.end()) return false;
  ObjectsChanged();
  list.erase(it);
  return true;
}

void StageData::ClearRoom(int room) {
  if (!IsRoom(room)) return;
  ObjectsChanged();
  rooms_[room].clear();
}

ObjectEntry* StageData::LastObject(int room) {
  if (!IsRoom(room) || rooms_[room].empty()) return nullptr;
  return &rooms_[room].back();
}

int StageData::RoomObjectCount(int room) const {
  return IsRoom(room) ? static_cast<int>(rooms_[room].size()) : 0;
}

int StageData::ObjectCount() const {
  int count = 0;
  for (const ObjectList& room : rooms_) count += static_cast<int>(room.size());
  return count;
}

int StageData::ObjectIndex(const ObjectEntry* entry, int room) const {
  if (!IsRoom(room)) return -1;
  int index = 0;
  for (int r = 0; r < room; ++r) index += static_cast<int>(rooms_[r].size());
  for (const ObjectEntry& e : rooms_[room]) {
    if (&e == entry) return index;
    ++index;
  }
  return -1;
}

void StageData::SortRoom(int room) {
  // list::sort is stable and relinks the nodes, so pointers to entries stay valid.
  if (!IsRoom(room)) return;
  ObjectsChanged();
  rooms_[room].sort([](const ObjectEntry& a, const ObjectEntry& b) { return a.X < b.X; });
}

// ---- Recorded edits ----

std::vector<std::uint8_t*> StageData::Targets(int kind, int index) {
  switch (kind) {
    case UndoKindChipTile: return Run(*chip16x16_, index, 1);
    case UndoKindChipProperty: return Run(*chipProperty_, index, 1);
    case UndoKindChip16x16Paste: {
      if (index < 0 || index >= 256) return {};
      std::vector<std::uint8_t*> bytes;
      for (int plane = 0; plane < 4; ++plane) bytes.push_back(&(*chip16x16_)[plane * 256 + index]);
      bytes.push_back(&(*chipProperty_)[index]);
      return bytes;
    }
    case UndoKindBGBank: return Run(bgBank_, index, 1);
    case UndoKindChip32x32: return Run(*chip32x32_, index, 1);
    case UndoKindChip32x32Paste: return WholeRun(*chip32x32_, index, 4);
    case UndoKindMapSet: return Run(*mapSet_, index, 1);
    case UndoKindMapSetPaste:
    case UndoKindMapSetGrid: return WholeRun(*mapSet_, index, 64);
    case UndoKindMap: return Run(map_, index, 1);
    case UndoKindPalette: return Run(bgPalette_, index, 1);
    case UndoKindPaletteAnime: return Run(bgPaletteAnime_, index, 1);
    default: return {};
  }
}

UndoData StageData::Capture(int kind, int index, const std::vector<std::uint8_t*>& targets) {
  UndoData entry;
  entry.kind = static_cast<std::uint8_t>(kind);
  entry.index = index;
  if (targets.size() == 1) {
    entry.value = *targets[0];
  } else {
    for (const std::uint8_t* byte : targets) entry.bytes.push_back(*byte);
  }
  return entry;
}

bool StageData::RecordedEdit(int kind, int index, std::span<const std::uint8_t> values) {
  const std::vector<std::uint8_t*> targets = Targets(kind, index);
  if (targets.empty()) return false;
  if (targets.size() == 1 && *targets[0] == values[0]) return false;
  // The values may be a view of this very block: take them before any byte is overwritten.
  const std::vector<std::uint8_t> source(values.begin(), values.end());
  if (undoEnabled_) PushUndo(Capture(kind, index, targets));
  for (std::size_t i = 0; i < targets.size(); ++i) *targets[i] = source[i];
  return true;
}

bool StageData::SetChipTile(int index, std::uint8_t value) {
  return RecordedEdit(UndoKindChipTile, index, {&value, 1});
}
bool StageData::SetChipProperty(int chip, std::uint8_t value) {
  return RecordedEdit(UndoKindChipProperty, chip, {&value, 1});
}
bool StageData::PasteChip16x16(int chip, std::span<const std::uint8_t, 5> bytes) {
  return RecordedEdit(UndoKindChip16x16Paste, chip, bytes);
}
bool StageData::SetBGBank(int slot, std::uint8_t value) {
  return RecordedEdit(UndoKindBGBank, slot, {&value, 1});
}
bool StageData::SetChip32x32Part(int index, std::uint8_t value) {
  return RecordedEdit(UndoKindChip32x32, index, {&value, 1});
}
bool StageData::PasteChip32x32(int index, std::span<const std::uint8_t, 4> bytes) {
  return RecordedEdit(UndoKindChip32x32Paste, index, bytes);
}
bool StageData::SetMapSetCell(int index, std::uint8_t value) {
  return RecordedEdit(UndoKindMapSet, index, {&value, 1});
}
bool StageData::PasteMapSet(int index, std::span<const std::uint8_t, 64> bytes) {
  return RecordedEdit(UndoKindMapSetPaste, index, bytes);
}
bool StageData::GridEditMapSet(int index, std::span<const std::uint8_t, 64> bytes) {
  return RecordedEdit(UndoKindMapSetGrid, index, bytes);
}
bool StageData::SetMapRoom(int room, std::uint8_t value) {
  return RecordedEdit(UndoKindMap, room, {&value, 1});
}
bool StageData::SetBGPaletteEntry(int index, std::uint8_t value) {
  return RecordedEdit(UndoKindPalette, index, {&value, 1});
}
bool StageData::SetBGPaletteAnimeEntry(int index, std::uint8_t value) {
  return RecordedEdit(UndoKindPaletteAnime, index, {&value, 1});
}

bool StageData::OverwriteMapSetCell(int index, std::uint8_t value) {
  if (index < 0 || index >= static_cast<int>(mapSet_->size())) return false;
  (*mapSet_)[index] = value;
  return true;
}

// ---- History ----

void StageData::PushUndo(UndoData entry) {
  undoStack_.push_back(std::move(entry));
  redoStack_.clear();
}

std::string StageData::UndoName() const {
  return CanUndo() ? UndoKindName(undoStack_.back().kind) : std::string();
}

std::string StageData::RedoName() const {
  return CanRedo() ? UndoKindName(redoStack_.back().kind) : std::string();
}

int StageData::Step(std::vector<UndoData>& from, std::vector<UndoData>& to) {
  if (from.empty()) return UndoKindUnknown;
  const UndoData entry = std::move(from.back());
  from.pop_back();
  if (entry.kind == UndoKindObject) return StepObjects(entry, to);
  if (entry.kind > UndoKindPaletteAnime) return UndoKindUnknown;

  const std::vector<std::uint8_t*> targets = Targets(entry.kind, entry.index);
  const bool single = targets.size() == 1;
  // Only the recorded edits build entries, but PushUndo is open: an entry that does not
  // fit its kind is dropped rather than written somewhere it does not belong.
  if (targets.empty() || (!single && entry.bytes.size() != targets.size())) {
    return UndoKindUnknown;
  }
  to.push_back(Capture(entry.kind, entry.index, targets));
  for (std::size_t i = 0; i < targets.size(); ++i) {
    *targets[i] = single ? entry.value : entry.bytes[i];
  }
  return entry.kind;
}

std::vector<std::uint8_t> StageData::RoomObjectBytes(int room) const {
  std::vector<std::uint8_t> bytes;
  if (!IsRoom(room)) return bytes;
  for (const ObjectEntry& object : rooms_[room]) {
    for (const int value : {object.X, object.Y, object.Kind}) {
      bytes.push_back(static_cast<std::uint8_t>(value));
    }
  }
  return bytes;
}

bool StageData::RecordObjectEdit(int room, std::vector<std::uint8_t> before) {
  if (!undoEnabled_ || !IsRoom(room) || before == RoomObjectBytes(room)) return false;
  PushUndo({UndoKindObject, room, 0, std::move(before)});
  return true;
}

int StageData::StepObjects(const UndoData& entry, std::vector<UndoData>& to) {
  const std::vector<std::uint8_t>& bytes = entry.bytes;
  if (!IsRoom(entry.index) || bytes.size() % 3 != 0 || bytes.size() > 3 * kObjectSlots) {
    return UndoKindUnknown;
  }
  to.push_back({UndoKindObject, entry.index, 0, RoomObjectBytes(entry.index)});
  ClearRoom(entry.index);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    AddObject(entry.index, bytes[i], bytes[i + 1], bytes[i + 2]);
  }
  return UndoKindObject;
}

std::optional<int> StageData::ObjectRoomOf(const std::vector<UndoData>& stack) {
  if (stack.empty() || stack.back().kind != UndoKindObject) return std::nullopt;
  return stack.back().index;
}

void StageData::DropObjectEntries() {
  for (std::vector<UndoData>* stack : {&undoStack_, &redoStack_}) {
    std::erase_if(*stack, [](const UndoData& entry) { return entry.kind == UndoKindObject; });
  }
}

int StageData::Undo() { return Step(undoStack_, redoStack_); }
int StageData::Redo() { return Step(redoStack_, undoStack_); }

void StageData::ClearHistory() {
  undoStack_.clear();
  redoStack_.clear();
}

}  // namespace zantor
