#include "tools/demo_image.h"

#include <span>
#include <tuple>
#include <utility>

#include "core/address_data.h"
#include "core/image_bytes.h"
#include "core/my_mem_ini_file.h"
#include "core/stage_data.h"
#include "tools/demo_objects.h"
#include "tools/demo_palettes.h"
#include "tools/demo_random.h"
#include "tools/demo_stage_layout.h"
#include "tools/demo_tile_art.h"

namespace zantor {

namespace {

// The demo is written, not edited: nothing is recorded.
constexpr bool kRecordNothing = false;

// Code and data the editor never touches stand in as noise, so that a store which
// writes more than it should is visible.
void FillPrgWithNoise(ImageBytes& image) {
  DemoRandom random(0x2468ACE1u);
  for (std::int64_t i = RomImageData::kHeaderSize; i < kDemoChrBase; ++i) {
    image.Write(i, static_cast<std::uint8_t>(random.Next() >> 24));
  }
}

void WriteHeader(ImageBytes& image) {
  const std::uint8_t header[] = {'N', 'E', 'S', 0x1A, kDemoPrgUnits, kDemoChrUnits};
  image.WriteBlock(0, header);
}

// Hands each byte of values to one of the stage's edits.
template <std::size_t N>
void SetEach(StageData& stage, bool (StageData::*set)(int, std::uint8_t),
             const std::array<std::uint8_t, N>& values) {
  for (std::size_t i = 0; i < N; ++i) (stage.*set)(static_cast<int>(i), values[i]);
}

// Palette runs and object tables are encoded by the stage's own stores; the other blocks
// are plain copies.
void WriteStage(ImageBytes& image, const AddressData& addresses, int stage) {
  image.WriteBlock(addresses.BGBank(stage), kDemoBGBanks[stage]);
  image.WriteBlock(addresses.Map(stage), DemoStageLayout::Map(stage));

  StageData data(stage, addresses, image, kRecordNothing);
  SetEach(data, &StageData::SetBGPaletteEntry, DemoPalettes::Colours(stage));
  SetEach(data, &StageData::SetBGPaletteAnimeEntry, DemoPalettes::AnimeBytes(stage));
  data.StoreBGPalette(image);
  data.StoreBGPaletteAnime(image);
  // Loaded first, so the table slots past the terminator keep the noise.
  data.LoadObjects();
  for (int room = 0; room < kRoomCount; ++room) data.ClearRoom(room);
  for (const auto& [room, object] : DemoObjects::ForStage(stage)) {
    data.AddObject(room, object.X, object.Y, object.Kind);
  }
  data.StoreObjects(image);

  if (addresses.ShareSource(stage) != stage) return;
  image.WriteBlock(addresses.Chip16x16(stage), DemoStageLayout::Chip16x16());
  image.WriteBlock(addresses.ChipProperty(stage), DemoStageLayout::ChipProperty(stage));
  image.WriteBlock(addresses.Chip32x32(stage), DemoStageLayout::Chip32x32());
  image.WriteBlock(addresses.MapSet(stage), DemoStageLayout::MapSets(stage));
}

// A stage that borrows another's chips and map sets has its own places for them too;
// they get a plain fill that looks nothing like a stage.
void FillUnsharedPlaces(ImageBytes& image, int stage) {
  static constexpr std::pair<LevelBlock, std::size_t> kShareableBlocks[] = {
      {LevelBlock::Chip16x16, std::tuple_size_v<StageData::Chip16x16Block>},
      {LevelBlock::ChipProperty, std::tuple_size_v<StageData::ChipPropertyBlock>},
      {LevelBlock::Chip32x32, std::tuple_size_v<StageData::Chip32x32Block>},
      {LevelBlock::MapSet, std::tuple_size_v<StageData::MapSetBlock>},
  };
  for (const auto& [block, size] : kShareableBlocks) {
    const std::vector<std::uint8_t> fill(size, kDemoUnsharedFill);
    image.WriteBlock(AddressData::DefaultAddress(block) + stage * AddressData::kStageStride, fill);
  }
}

void WriteAnimationTables(ImageBytes& image, const AddressData& addresses) {
  image.WriteBlock(addresses.PaletteAnimationPointer(), DemoPalettes::PointerTable());
  image.WriteBlock(addresses.PaletteAnimationData(), DemoPalettes::Scripts());
  image.WriteBlock(addresses.PaletteAnimationPalette(), DemoPalettes::ColourSets());
}

}  // namespace

std::vector<std::uint8_t> BuildDemoImage() {
  TMyMemIniFile settings("", "");
  const AddressData addresses(settings);

  ImageBytes image;
  WriteHeader(image);
  FillPrgWithNoise(image);
  for (int stage = 0; stage < kStageCount; ++stage) {
    if (addresses.ShareSource(stage) != stage) FillUnsharedPlaces(image, stage);
  }
  for (int stage = 0; stage < kStageCount; ++stage) WriteStage(image, addresses, stage);
  WriteAnimationTables(image, addresses);
  std::vector<std::uint8_t> chr(static_cast<std::size_t>(kDemoChrSize));
  DemoTileArt::FillChr(chr);
  image.WriteBlock(kDemoChrBase, chr);
  return {image.Data(), image.Data() + kDemoImageSize};
}

}  // namespace zantor
