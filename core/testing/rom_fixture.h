#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "core/testing/recording_sinks.h"

namespace zantor::testing {

// A ROM image object with recording sinks and settings given as text.
struct RomFixture {
  explicit RomFixture(const std::string& settingsText = "",
                      std::unique_ptr<AtomicFileWriter> writer = nullptr)
      : settings("unused.ini", settingsText),
        rom(flags, attribute_names, settings, notifier, std::move(writer)) {}

  RecordingStatusText status;
  EditFlagManagement flags{status};
  std::vector<std::string> attribute_names;
  TMyMemIniFile settings;
  RecordingNotifier notifier;
  RomImageData rom;
};

// An image of `size` bytes of seeded random data under a valid iNES header (the magic,
// then `prg` 16 KiB PRG units and `chr` 8 KiB CHR units).
inline std::vector<std::uint8_t> MakeImage(std::size_t size, std::uint32_t seed = 1,
                                           std::uint8_t prg = 8, std::uint8_t chr = 16) {
  std::vector<std::uint8_t> bytes(size);
  std::mt19937 random(seed);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  const std::uint8_t header[] = {0x4E, 0x45, 0x53, 0x1A, prg, chr};
  for (std::size_t i = 0; i < sizeof header && i < size; ++i) bytes[i] = header[i];
  return bytes;
}

}  // namespace zantor::testing
