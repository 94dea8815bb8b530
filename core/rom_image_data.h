#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/address_data.h"
#include "core/atomic_file_writer.h"
#include "core/edit_flag_management.h"
#include "core/file_stamp.h"
#include "core/image_bytes.h"
#include "core/image_file.h"
#include "core/my_mem_ini_file.h"
#include "core/stage_data.h"
#include "core/user_notifier.h"

namespace zantor {

// The opened game image: the file's bytes in one fixed buffer, the address table, the
// decoded data of all 16 stages and the stage being edited. Opening checks a file fully
// before it replaces anything; saving stores the flagged groups of every stage and
// replaces the file only once every byte has reached the disk.
class RomImageData {
 public:
  static constexpr std::int64_t kHeaderSize = kImageHeaderSize;

  // attributeNames may be filled after construction: it is read at every lookup. writer
  // defaults to the real file system.
  RomImageData(EditFlagManagement& flags, const std::vector<std::string>& attributeNames,
               TMyMemIniFile& settings, UserNotifier& notifier,
               std::unique_ptr<AtomicFileWriter> writer = nullptr);
  RomImageData(const RomImageData&) = delete;
  RomImageData& operator=(const RomImageData&) = delete;

  // Reads, checks and decodes a file; on any failure the open image stays as it was.
  // Every stage's history is emptied first, whatever the outcome. A file too short for some
  // stages' blocks opens with a message naming those stages.
  bool Open(const std::filesystem::path& path);
  // Opens an image given as bytes, as Open does the bytes of a file named fileName: the
  // same checks, messages and outcome.
  bool OpenBytes(std::span<const std::uint8_t> image, const std::string& fileName);
  // Stores the flagged groups of every stage and writes the first Size() bytes to path.
  // False (and nothing cleared) when no image is open or the file cannot be written. Edited
  // bytes past the end, which the file has no room for, are counted in a message.
  bool Save(const std::filesystem::path& path);
  // Whether path is the file this image was opened from or last saved to, and another
  // program has changed that file's bytes since.
  bool ChangedOnDisk(const std::filesystem::path& path) const;
  // The stages with a block that reaches past the end of the open image, in order.
  std::vector<int> StagesPastEnd() const;
  // The first Size() bytes as Save would write them, every flagged group stored, made in a
  // copy: the image buffer, the flags, the histories and the file stay as they are.
  std::vector<std::uint8_t> SavedBytes();
  // Forgets the image: clears its bytes, empties the histories, selects stage 0.
  void Close();

  bool IsOpen() const { return size_ > 0; }
  const std::string& FileName() const { return fileName_; }
  std::int64_t Size() const { return size_; }
  // Number of 1 KiB CHR banks the header declares.
  int ChrBankCount() const { return bytes_.Read(5) * 8; }

  // A number outside 0..15 is ignored.
  void SetCurrentStage(int stage);
  int CurrentStage() const { return currentStage_; }
  StageData& Stage(int stage) { return *stages_.at(stage); }
  const StageData& Stage(int stage) const { return *stages_.at(stage); }
  StageData& CurrentStageData() { return Stage(currentStage_); }
  const StageData& CurrentStageData() const { return Stage(currentStage_); }

  ImageBytes& Bytes() { return bytes_; }
  const ImageBytes& Bytes() const { return bytes_; }
  const AddressData& Addresses() const { return addresses_; }

  // The one program-wide undo switch; every stage reads it at each recorded edit.
  void SetUndoEnabled(bool enabled) { undoEnabled_ = enabled; }
  bool UndoEnabled() const { return undoEnabled_; }
  // The user's choice to make object edits undoable too; it counts only with the undo
  // switch on.
  void SetObjectUndoChosen(bool chosen) { objectUndoChosen_ = chosen; }
  bool ObjectUndoChosen() const { return objectUndoChosen_; }
  bool ObjectUndoEnabled() const { return undoEnabled_ && objectUndoChosen_; }

  // The history of the current stage.
  bool CanUndo() const { return CurrentStageData().CanUndo(); }
  bool CanRedo() const { return CurrentStageData().CanRedo(); }
  std::string UndoName() const { return CurrentStageData().UndoName(); }
  std::string RedoName() const { return CurrentStageData().RedoName(); }
  int Undo() { return CurrentStageData().Undo(); }
  int Redo() { return CurrentStageData().Redo(); }
  void ClearAllHistory();

  // The display name of a 16x16 chip property byte: its line of the attribute name list
  // when the list is long enough, else the built-in name of its high nibble.
  std::string ChipAttributeName(int propertyByte) const;

 private:
  // The step Save and SavedBytes share: the flagged groups of every stage into target.
  void StoreModifiedStages(ImageBytes& target);
  void StoreModifiedGroups(StageData& stage, ImageBytes& target);

  EditFlagManagement& flags_;
  const std::vector<std::string>& attributeNames_;
  UserNotifier& notifier_;
  std::unique_ptr<AtomicFileWriter> writer_;
  AddressData addresses_;
  ImageBytes bytes_;
  bool undoEnabled_ = true;
  bool objectUndoChosen_ = false;
  std::array<std::unique_ptr<StageData>, kStageCount> stages_;
  std::int64_t size_ = 0;
  std::string fileName_;
  // The file as last read or written here.
  FileStamp stamp_;
  int currentStage_ = 0;
};

}  // namespace zantor
