#include "core/rom_image_data.h"

#include <algorithm>

#include "core/hex_text.h"
#include "core/image_file.h"
#include "core/output_file_check.h"

namespace zantor {

namespace {

// The attribute names used when the name list has no line for a byte, by high nibble.
constexpr std::array<const char*, 16> kFallbackAttributeNames = {
    "0x 背景",
    "1x ブロック",
    "2x はしご(途中)",
    "3x 特殊ブロック",
    "4x はしご(頂点)",
    "5x コンベア(右)",
    "6x 前景",
    "7x コンベア(左)",
    "8x 水中",
    "9x ?",
    "Ax ?",
    "Bx ?",
    "Cx ?",
    "Dx ダメージ床",
    "Ex ?",
    "Fxトゲ",
};

}  // namespace

RomImageData::RomImageData(EditFlagManagement& flags,
                           const std::vector<std::string>& attributeNames, TMyMemIniFile& settings,
                           UserNotifier& notifier, std::unique_ptr<AtomicFileWriter> writer)
    : flags_(flags),
      attributeNames_(attributeNames),
      notifier_(notifier),
      writer_(writer ? std::move(writer) : std::make_unique<AtomicFileWriter>()),
      addresses_(settings) {
  for (int n = 0; n < kStageCount; ++n) {
    stages_[n] = std::make_unique<StageData>(n, addresses_, bytes_, undoEnabled_);
  }
  // Ascending, so a chain resolves through lower stages as they stand by then, the same
  // way the address table resolves it.
  for (int n = 0; n < kStageCount; ++n) {
    const int source = addresses_.ShareSource(n);
    if (source != n) stages_[n]->ShareBlocksWith(*stages_[source]);
  }
}

bool RomImageData::Open(const std::filesystem::path& path) {
  const auto file = ReadImageBytes(path, notifier_);
  if (!file) {
    ClearAllHistory();
    return false;
  }
  return OpenBytes(*file, path.string());
}

bool RomImageData::OpenBytes(std::span<const std::uint8_t> image, const std::string& fileName) {
  ClearAllHistory();
  if (!CheckImageBytes(image, notifier_)) return false;

  // Checked: only now is the open image replaced. Nothing of a longer image opened
  // before may show through past the new end.
  bytes_.Clear();
  bytes_.WriteBlock(0, image);
  size_ = static_cast<std::int64_t>(image.size());
  fileName_ = fileName;
  stamp_ = FileStamp::Of(image);
  for (auto& stage : stages_) stage->LoadAll();

  if (const std::vector<int> past = StagesPastEnd(); !past.empty()) {
    std::string numbers;
    for (const int stage : past) {
      if (!numbers.empty()) numbers += ", ";
      numbers += TwoDigitHexText(stage);
    }
    notifier_.ShowMessage(
        "ファイルが短いため、ステージ" + numbers +
        "のデータの一部がファイルの外にあります。その部分の変更は保存されません。");
  }
  return true;
}

std::vector<int> RomImageData::StagesPastEnd() const {
  std::vector<int> past;
  for (int stage = 0; stage < kStageCount; ++stage) {
    for (int b = 0; b < kLevelBlockCount; ++b) {
      const auto block = static_cast<LevelBlock>(b);
      if (addresses_.Address(block, stage) + AddressData::BlockLength(block) > size_) {
        past.push_back(stage);
        break;
      }
    }
  }
  return past;
}

void RomImageData::StoreModifiedStages(ImageBytes& target) {
  for (auto& stage : stages_) StoreModifiedGroups(*stage, target);
}

void RomImageData::StoreModifiedGroups(StageData& stage, ImageBytes& target) {
  const int n = stage.StageNumber();
  if (flags_.IsChip16x16Modified(n)) {
    stage.StoreChip16x16(target);
    stage.StoreBGBank(target);
    stage.StoreChipProperty(target);
  }
  if (flags_.IsChip32x32Modified(n)) stage.StoreChip32x32(target);
  if (flags_.IsMapSetModified(n)) stage.StoreMapSet(target);
  if (flags_.IsMapModified(n)) stage.StoreMap(target);
  if (flags_.IsPaletteModified(n)) {
    stage.StoreBGPalette(target);
    stage.StoreBGPaletteAnime(target);
  }
  if (flags_.IsObjectModified(n)) stage.StoreObjects(target);
}

bool RomImageData::Save(const std::filesystem::path& path) {
  if (!IsOpen()) return false;
  StoreModifiedStages(bytes_);
  // The file has no room for what stores left past the end, and the buffer holds there
  // what the file gave: nothing. Open leaves zeros there, so only stores can have put
  // anything else.
  const std::int64_t dropped = bytes_.ClearFrom(size_);

  const std::span<const std::uint8_t> content{bytes_.Data(), static_cast<std::size_t>(size_)};
  const std::string error = writer_->Write(path, content);
  if (!error.empty()) {
    // Flags and histories stay, so the user can save again elsewhere.
    notifier_.ReportError(CannotWriteReport(path, error));
    return false;
  }
  stamp_ = FileStamp::Of(content);
  flags_.ClearAll();
  ClearAllHistory();
  fileName_ = path.string();
  if (dropped > 0) {
    notifier_.ShowMessage(std::to_string(dropped) +
                          "バイトの変更はファイルの外にあるため保存されませんでした。");
  }
  return true;
}

bool RomImageData::ChangedOnDisk(const std::filesystem::path& path) const {
  if (!IsOpen()) return false;
  if (path != std::filesystem::path(fileName_) && !IsSameFile(path, fileName_)) return false;
  return stamp_.ChangedOnDisk(path);
}

std::vector<std::uint8_t> RomImageData::SavedBytes() {
  // All the buffer holds, not just Size() bytes: stores lying past the end reach a copy as
  // they reach the image.
  ImageBytes copy;
  copy.WriteBlock(0, {bytes_.Data(), static_cast<std::size_t>(bytes_.WrittenEnd())});
  StoreModifiedStages(copy);
  return {copy.Data(), copy.Data() + size_};
}

void RomImageData::Close() {
  bytes_.Clear();
  size_ = 0;
  fileName_.clear();
  stamp_ = {};
  currentStage_ = 0;
  ClearAllHistory();
}

void RomImageData::SetCurrentStage(int stage) {
  if (stage >= 0 && stage < kStageCount) currentStage_ = stage;
}

void RomImageData::ClearAllHistory() {
  for (auto& stage : stages_) stage->ClearHistory();
}

std::string RomImageData::ChipAttributeName(int propertyByte) const {
  const int a = propertyByte & 0xFF;
  // The high nibble picks the line within a block of 16, bits 2-3 the block; the palette
  // bits 0-1 play no part.
  const std::size_t line = static_cast<std::size_t>((a >> 4) + 16 * ((a >> 2) & 3));
  if (line < attributeNames_.size()) return attributeNames_[line];
  return kFallbackAttributeNames[a >> 4];
}

}  // namespace zantor
