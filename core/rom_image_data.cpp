#include "core/rom_image_data.h"

#include <algorithm>

#include "core/file_reading.h"

namespace zantor {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {0x4E, 0x45, 0x53, 0x1A};  // "NES" 0x1A

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
  ClearAllHistory();

  const FileContent file = ReadFileUpTo(path, static_cast<std::size_t>(ImageBytes::kCapacity));
  if (file.notAFile) {
    // A pipe or a device has no length of an image: refused as a file of the wrong length.
    notifier_.ShowMessage("ファイルを開けませんでした");
    return false;
  }
  if (!file.error.empty()) {
    notifier_.ReportError(CannotOpenReport(path, file.error));
    return false;
  }
  const auto length = static_cast<std::int64_t>(file.bytes.size());
  if (length < kHeaderSize || length > ImageBytes::kCapacity) {
    notifier_.ShowMessage("ファイルを開けませんでした");
    return false;
  }
  if (!std::equal(kMagic.begin(), kMagic.end(), file.bytes.begin())) {
    notifier_.ShowMessage("ROMイメージが異常です");
    return false;
  }

  // Checked: only now is the open image replaced. Nothing of a longer image opened
  // before may show through past the new end.
  bytes_.Clear(ImageBytes::kCapacity);
  bytes_.WriteBlock(0, file.bytes);
  size_ = length;
  fileName_ = path.string();
  for (auto& stage : stages_) stage->LoadAll();
  return true;
}

void RomImageData::StoreModifiedGroups(StageData& stage) {
  const int n = stage.StageNumber();
  if (flags_.IsChip16x16Modified(n)) {
    stage.StoreChip16x16();
    stage.StoreBGBank();
    stage.StoreChipProperty();
  }
  if (flags_.IsChip32x32Modified(n)) stage.StoreChip32x32();
  if (flags_.IsMapSetModified(n)) stage.StoreMapSet();
  if (flags_.IsMapModified(n)) stage.StoreMap();
  if (flags_.IsPaletteModified(n)) {
    stage.StoreBGPalette();
    stage.StoreBGPaletteAnime();
  }
  if (flags_.IsObjectModified(n)) stage.StoreObjects();
}

bool RomImageData::Save(const std::filesystem::path& path) {
  if (!IsOpen()) return false;
  for (auto& stage : stages_) StoreModifiedGroups(*stage);

  const std::string error = writer_->Write(path, {bytes_.Data(), static_cast<std::size_t>(size_)});
  if (!error.empty()) {
    // Flags and histories stay, so the user can save again elsewhere.
    notifier_.ReportError(CannotWriteReport(path, error));
    return false;
  }
  flags_.ClearAll();
  ClearAllHistory();
  fileName_ = path.string();
  return true;
}

void RomImageData::Close() {
  bytes_.Clear(size_);
  size_ = 0;
  fileName_.clear();
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
