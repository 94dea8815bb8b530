#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/address_data.h"
#include "core/image_bytes.h"
#include "core/undo_data.h"

namespace zantor {

inline constexpr int kRoomCount = 80;
inline constexpr int kMapSetCount = 40;
inline constexpr int kObjectSlots = 128;  // slots of each object table in the image
inline constexpr int kMaxObjects = 127;   // one slot stays for the terminator

// One placed object; the fields hold byte values 0..255.
struct ObjectEntry {
  int X = 0;
  int Y = 0;
  int Kind = 0;
};

// The decoded, editable form of one stage. Loads decode a block from the image buffer at
// the stage's address for it, stores encode it back. Every change other than objects goes
// through a recorded edit, which keeps the stage's own undo history; indices outside a
// block, and paste indices that are not the start of a 32x32 chip or map set, make a
// recorded edit do nothing and return false.
class StageData {
 public:
  using Chip16x16Block = std::array<std::uint8_t, 1024>;
  using ChipPropertyBlock = std::array<std::uint8_t, 256>;
  using Chip32x32Block = std::array<std::uint8_t, 1024>;
  using MapSetBlock = std::array<std::uint8_t, kMapSetCount * 64>;
  // Stable addresses: entries are known by pointer. Their nodes come from the stage's own
  // pool, so a decode of many objects costs a few allocations and the lists lie close.
  using ObjectList = std::pmr::list<ObjectEntry>;

  // undoEnabled is the program-wide switch; the stage reads it at every recorded edit.
  StageData(int stageNumber, const AddressData& addresses, ImageBytes& image,
            const bool& undoEnabled);
  StageData(const StageData&) = delete;
  StageData& operator=(const StageData&) = delete;

  int StageNumber() const { return stage_; }

  // Gives up this stage's 16x16 chips, chip properties, 32x32 chips and map sets and uses
  // the storage source holds now: an edit through either stage is seen by both.
  void ShareBlocksWith(const StageData& source);

  std::span<const std::uint8_t, 2> BGBank() const { return bgBank_; }
  std::span<const std::uint8_t, 1024> Chip16x16() const { return *chip16x16_; }
  std::span<const std::uint8_t, 256> ChipProperty() const { return *chipProperty_; }
  std::span<const std::uint8_t, 1024> Chip32x32() const { return *chip32x32_; }
  std::span<const std::uint8_t, kMapSetCount * 64> MapSet() const { return *mapSet_; }
  std::span<const std::uint8_t, kRoomCount> Map() const { return map_; }
  std::span<const std::uint8_t, 64> BGPalette() const { return bgPalette_; }
  std::span<const std::uint8_t, 16> BGPaletteAnime() const { return bgPaletteAnime_; }

  // Loads decode from the stage's image. Stores encode into target: the stage's image when
  // it is saved, or a copy of it that must show what a save would write while the image
  // stays as it is. Every access is checked against the buffer, so a block lying partly
  // outside decodes as 0 there and stores only its inside part.
  void LoadBGBank();
  void StoreBGBank(ImageBytes& target) const;
  void LoadChip16x16();
  void StoreChip16x16(ImageBytes& target) const;
  void LoadChipProperty();
  void StoreChipProperty(ImageBytes& target) const;
  void LoadChip32x32();
  void StoreChip32x32(ImageBytes& target) const;
  void LoadMapSet();
  void StoreMapSet(ImageBytes& target) const;
  void LoadMap();
  void StoreMap(ImageBytes& target) const;
  void LoadBGPalette();
  void StoreBGPalette(ImageBytes& target) const;
  void LoadBGPaletteAnime();
  void StoreBGPaletteAnime(ImageBytes& target) const;
  void LoadObjects();
  // Also writes the room offset table. The staging table follows the stage's own image
  // only: a store into a copy leaves it as it is.
  void StoreObjects(ImageBytes& target);
  // Clears the history, then decodes every block.
  void LoadAll();

  // Object lists. Rooms outside 0..79 hold nothing: the queries answer 0, -1 or nullptr
  // and the changes do nothing (Room() throws std::out_of_range). Entries change only
  // through the operations below, which count the revision.
  ObjectList& Room(int room) { return rooms_.at(room); }
  const ObjectList& Room(int room) const { return rooms_.at(room); }
  // Differs after every change to the objects from what it was before, and between any two
  // stages: a watcher tells whether any object changed without comparing them all.
  std::uint64_t ObjectsRevision() const { return objectsRevision_; }
  ObjectEntry* AddObject(int room, int x, int y, int kind);
  // An entry of this stage's lists moved or given another kind.
  void MoveObject(ObjectEntry& entry, int x, int y);
  void SetObjectKind(ObjectEntry& entry, int kind);
  // False when the entry is not in that room's list.
  bool RemoveObject(int room, const ObjectEntry* entry);
  void ClearRoom(int room);
  ObjectEntry* LastObject(int room);
  int RoomObjectCount(int room) const;
  int ObjectCount() const;
  // Stage-wide position: every object of the lower rooms, then the place within its room;
  // -1 when the entry is not in that room.
  int ObjectIndex(const ObjectEntry* entry, int room) const;
  // By X, ascending; entries of equal X keep their order.
  void SortRoom(int room);

  // Recorded edits: true when the data changed. Single-byte edits do nothing for an equal
  // value; paste-like edits always record.
  bool SetChipTile(int index, std::uint8_t value);  // index = plane * 256 + chip
  bool SetChipProperty(int chip, std::uint8_t value);
  // Tiles of planes 0..3, then the property.
  bool PasteChip16x16(int chip, std::span<const std::uint8_t, 5> bytes);
  bool SetBGBank(int slot, std::uint8_t value);
  bool SetChip32x32Part(int index, std::uint8_t value);  // index = chip * 4 + quarter
  bool PasteChip32x32(int index, std::span<const std::uint8_t, 4> bytes);  // index = chip * 4
  bool SetMapSetCell(int index, std::uint8_t value);  // index = set * 64 + row * 8 + column
  bool PasteMapSet(int index, std::span<const std::uint8_t, 64> bytes);  // index = set * 64
  bool GridEditMapSet(int index, std::span<const std::uint8_t, 64> bytes);
  bool SetMapRoom(int room, std::uint8_t value);
  bool SetBGPaletteEntry(int index, std::uint8_t value);       // index = set * 16 + entry
  bool SetBGPaletteAnimeEntry(int index, std::uint8_t value);  // index = set * 4 + entry

  // The one unrecorded change of stage data, for merging duplicate chips: the caller
  // clears the history afterwards. False for an index outside the map sets.
  bool OverwriteMapSetCell(int index, std::uint8_t value);

  // Object edits are recorded only when the user asks for it, by the object editor: a room's
  // objects as three bytes each (X, Y, kind) in list order, taken before an edit, become one
  // entry once the edit is done. Nothing is recorded when the room ended as it was or the
  // undo switch is off; true when an entry was pushed.
  std::vector<std::uint8_t> RoomObjectBytes(int room) const;
  bool RecordObjectEdit(int room, std::vector<std::uint8_t> before);
  // The room whose objects the next undo / redo step replaces, when that step is an object
  // edit: its entries are replaced, so references to them must go first.
  std::optional<int> NextUndoObjectRoom() const { return ObjectRoomOf(undoStack_); }
  std::optional<int> NextRedoObjectRoom() const { return ObjectRoomOf(redoStack_); }
  // Drops the object edits from both stacks, the other entries staying in their order: once
  // the objects are read from the image again, they no longer match.
  void DropObjectEntries();

  // History. PushUndo empties the redo stack.
  void PushUndo(UndoData entry);
  bool CanUndo() const { return !undoStack_.empty(); }
  bool CanRedo() const { return !redoStack_.empty(); }
  // Only meaningful while CanUndo / CanRedo.
  std::string UndoName() const;
  std::string RedoName() const;
  // One step; returns the entry's kind, or UndoKindUnknown when nothing was done.
  int Undo();
  int Redo();
  void ClearHistory();

 private:
  // The four object tables as the image holds them, slot by slot.
  struct ObjectTables {
    std::array<std::uint8_t, kObjectSlots> room{}, x{}, y{}, kind{};
  };
  // The bytes of stage data a recorded edit of that kind covers at that index, in the
  // order of its arguments; empty when the index lies outside the block.
  std::vector<std::uint8_t*> Targets(int kind, int index);
  bool RecordedEdit(int kind, int index, std::span<const std::uint8_t> values);
  static UndoData Capture(int kind, int index, const std::vector<std::uint8_t*>& targets);
  // Pops one entry of from, pushes its inverse on to and writes the entry back.
  int Step(std::vector<UndoData>& from, std::vector<UndoData>& to);
  // An object entry's step: the room's objects become the entry's.
  int StepObjects(const UndoData& entry, std::vector<UndoData>& to);
  static std::optional<int> ObjectRoomOf(const std::vector<UndoData>& stack);
  bool IsRoom(int room) const { return room >= 0 && room < kRoomCount; }

  std::int64_t Address(LevelBlock block) const { return addresses_.Address(block, stage_); }
  void LoadBlock(LevelBlock block, std::span<std::uint8_t> out);
  void StoreBlock(LevelBlock block, std::span<const std::uint8_t> in, ImageBytes& target) const;
  // Four runs of `width` bytes, one per palette set, 20 bytes apart in the image.
  void LoadPaletteRuns(LevelBlock block, std::span<std::uint8_t> out, int width);
  void StorePaletteRuns(LevelBlock block, std::span<const std::uint8_t> in, int width,
                        ImageBytes& target) const;

  const int stage_;
  const AddressData& addresses_;
  ImageBytes& image_;
  const bool& undoEnabled_;

  std::array<std::uint8_t, 2> bgBank_{};
  std::shared_ptr<Chip16x16Block> chip16x16_;
  std::shared_ptr<ChipPropertyBlock> chipProperty_;
  std::shared_ptr<Chip32x32Block> chip32x32_;
  std::shared_ptr<MapSetBlock> mapSet_;
  std::array<std::uint8_t, kRoomCount> map_{};
  std::array<std::uint8_t, 64> bgPalette_{};
  std::array<std::uint8_t, 16> bgPaletteAnime_{};

  void ObjectsChanged();

  std::uint64_t objectsRevision_ = 0;
  std::pmr::unsynchronized_pool_resource objectPool_;  // before the rooms: it outlives them
  std::array<ObjectList, kRoomCount> rooms_;
  ObjectTables objectTables_;

  std::vector<UndoData> undoStack_;
  std::vector<UndoData> redoStack_;
};

}  // namespace zantor
