#include "tools/demo_image.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>

#include "core/address_data.h"
#include "core/my_mem_ini_file.h"
#include "tools/demo_objects.h"
#include "tools/demo_palettes.h"
#include "tools/demo_random.h"
#include "tools/demo_stage_layout.h"
#include "tools/demo_tile_art.h"

namespace zantor {

namespace {

// Writes blocks into the PRG part of the image and refuses any that would stray outside
// it, so a changed address table cannot silently spill into the header or CHR data.
class PrgWriter {
 public:
  explicit PrgWriter(std::vector<std::uint8_t>& image) : image_(image) {}

  void Put(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (offset < kDemoHeaderSize || offset + size > kDemoChrBase) {
      throw std::logic_error("demo block outside the PRG data at " + std::to_string(offset));
    }
    std::copy(bytes.begin(), bytes.end(), image_.begin() + offset);
  }
  void Fill(std::int64_t offset, std::int64_t size, std::uint8_t value) {
    Put(offset, std::vector<std::uint8_t>(static_cast<std::size_t>(size), value));
  }
  // Colours and animation bytes lie in four runs, 20 bytes apart.
  void PutRuns(std::int64_t offset, std::span<const std::uint8_t> bytes, std::size_t run) {
    for (std::size_t s = 0; s * run < bytes.size(); ++s) {
      Put(offset + static_cast<std::int64_t>(s) * 20, bytes.subspan(s * run, run));
    }
  }

 private:
  std::vector<std::uint8_t>& image_;
};

// Code and data the editor never touches stand in as noise, so that a store which
// writes more than it should is visible.
void FillPrgWithNoise(std::vector<std::uint8_t>& image) {
  DemoRandom random(0x2468ACE1u);
  for (std::int64_t i = kDemoHeaderSize; i < kDemoChrBase; ++i) {
    image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(random.Next() >> 24);
  }
}

void WriteHeader(std::vector<std::uint8_t>& image) {
  image[0] = 'N';
  image[1] = 'E';
  image[2] = 'S';
  image[3] = 0x1A;
  image[4] = kDemoPrgUnits;
  image[5] = kDemoChrUnits;
}

void WriteObjects(PrgWriter& out, const AddressData& addresses, int stage) {
  const std::vector<DemoObjects::Placed> objects = DemoObjects::ForStage(stage);
  std::vector<std::uint8_t> first_in_room(80);
  std::size_t i = 0;
  for (int room = 0; room < 80; ++room) {
    first_in_room[room] = static_cast<std::uint8_t>(i);
    while (i < objects.size() && objects[i].room == room) ++i;
  }
  const auto put_byte = [&out](std::int64_t offset, int value) {
    const std::uint8_t byte = static_cast<std::uint8_t>(value);
    out.Put(offset, std::span(&byte, 1));
  };
  for (std::size_t k = 0; k < objects.size(); ++k) {
    const auto slot = static_cast<std::int64_t>(k);
    put_byte(addresses.ObjectScreen(stage) + slot, objects[k].room);
    put_byte(addresses.ObjectX(stage) + slot, objects[k].x);
    put_byte(addresses.ObjectY(stage) + slot, objects[k].y);
    put_byte(addresses.ObjectKind(stage) + slot, objects[k].kind);
  }
  put_byte(addresses.ObjectScreen(stage) + static_cast<std::int64_t>(objects.size()), 0xFF);
  out.Put(addresses.ObjectOffset(stage), first_in_room);
}

void WriteStage(PrgWriter& out, const AddressData& addresses, int stage) {
  const std::array<std::uint8_t, 2> banks = kDemoBGBanks[stage];
  out.Put(addresses.BGBank(stage), banks);
  out.Put(addresses.Map(stage), DemoStageLayout::Map(stage));
  out.PutRuns(addresses.BGPalette(stage), DemoPalettes::Colours(stage), 16);
  out.PutRuns(addresses.BGPaletteAnime(stage), DemoPalettes::AnimeBytes(stage), 4);
  WriteObjects(out, addresses, stage);
  if (addresses.ShareSource(stage) != stage) return;
  out.Put(addresses.Chip16x16(stage), DemoStageLayout::Chip16x16());
  out.Put(addresses.ChipProperty(stage), DemoStageLayout::ChipProperty(stage));
  out.Put(addresses.Chip32x32(stage), DemoStageLayout::Chip32x32());
  out.Put(addresses.MapSet(stage), DemoStageLayout::MapSets(stage));
}

// A stage that borrows another's chips and map sets has its own places for them too;
// they get a plain fill that looks nothing like a stage.
void FillUnsharedPlaces(PrgWriter& out, const AddressData& shared, int stage) {
  std::string own_text = "[ShareData]\n";
  own_text += "level." + std::to_string(stage) + "=" + std::to_string(stage) + "\n";
  TMyMemIniFile own_ini("", own_text);
  const AddressData own(own_ini);
  if (own.Chip16x16(stage) == shared.Chip16x16(stage)) {
    throw std::logic_error("a sharing stage has no places of its own");
  }
  out.Fill(own.Chip16x16(stage), 1024, kDemoUnsharedFill);
  out.Fill(own.ChipProperty(stage), 256, kDemoUnsharedFill);
  out.Fill(own.Chip32x32(stage), 1024, kDemoUnsharedFill);
  out.Fill(own.MapSet(stage), 64 * DemoStageLayout::kMapSetCount, kDemoUnsharedFill);
}

void WriteAnimationTables(PrgWriter& out, const AddressData& addresses) {
  out.Put(addresses.PaletteAnimationPointer(), DemoPalettes::PointerTable());
  out.Put(addresses.PaletteAnimationData(), DemoPalettes::Scripts());
  out.Put(addresses.PaletteAnimationPalette(), DemoPalettes::ColourSets());
}

}  // namespace

std::vector<std::uint8_t> BuildDemoImage() {
  TMyMemIniFile ini("", "");
  const AddressData addresses(ini);

  std::vector<std::uint8_t> image(static_cast<std::size_t>(kDemoImageSize), 0);
  WriteHeader(image);
  FillPrgWithNoise(image);
  PrgWriter out(image);
  for (int stage = 0; stage < kStageCount; ++stage) {
    if (addresses.ShareSource(stage) != stage) FillUnsharedPlaces(out, addresses, stage);
  }
  for (int stage = 0; stage < kStageCount; ++stage) WriteStage(out, addresses, stage);
  WriteAnimationTables(out, addresses);
  DemoTileArt::FillChr(std::span(image).subspan(static_cast<std::size_t>(kDemoChrBase)));
  return image;
}

}  // namespace zantor
