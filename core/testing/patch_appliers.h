#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zantor::testing {

// Small patchers written from the two formats, apart from the code that makes patches:
// the result of applying a patch to a source, or why it was refused.
struct Applied {
  std::vector<std::uint8_t> bytes;
  std::string refusal;  // empty when the patch applied
};

inline Applied Refused(std::string why) { return {{}, std::move(why)}; }

inline bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view text) {
  return bytes.size() >= text.size() && std::equal(text.begin(), text.end(), bytes.begin());
}

// IPS: "PATCH", then records (3-byte offset, 2-byte length, the bytes; or length 0, a
// 2-byte count and one value) up to "EOF", all big-endian; nothing may follow.
inline Applied ApplyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
  if (!StartsWith(patch, "PATCH")) return Refused("no PATCH header");
  std::vector<std::uint8_t> out(source.begin(), source.end());
  std::size_t at = 5;
  const auto take = [&](std::size_t count) -> std::optional<std::size_t> {
    if (at + count > patch.size()) return std::nullopt;
    std::size_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value = value << 8 | patch[at++];
    return value;
  };
  while (true) {
    if (StartsWith(patch.subspan(at), "EOF")) {
      if (at + 3 != patch.size()) return Refused("bytes after EOF");
      return {out, {}};
    }
    const auto offset = take(3);
    const auto length = take(2);
    if (!offset || !length) return Refused("cut off record header");
    if (*length > 0) {
      if (at + *length > patch.size()) return Refused("cut off record");
      if (*offset + *length > out.size()) return Refused("record past the end");
      std::copy(patch.begin() + at, patch.begin() + at + *length, out.begin() + *offset);
      at += *length;
    } else {
      const auto count = take(2);
      const auto value = take(1);
      if (!count || !value || *count == 0) return Refused("bad run record");
      if (*offset + *count > out.size()) return Refused("run past the end");
      std::fill_n(out.begin() + *offset, *count, static_cast<std::uint8_t>(*value));
    }
  }
}

inline std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(crc32_z(crc32_z(0, nullptr, 0), bytes.data(), bytes.size()));
}

// BPS: "BPS1", source size, target size, metadata size and metadata, actions, then the
// CRC-32 of source, target and the patch before it, little-endian. Numbers come in
// seven-bit groups, lowest first, the last one marked by its top bit; every group before
// it counts one more. An action is ((length - 1) << 2 | kind): 0 reads the source at the
// output position, 1 reads the patch, 2 and 3 copy from the source or the output at a
// relative position that moves on.
inline Applied ApplyBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
  if (!StartsWith(patch, "BPS1") || patch.size() < 4 + 3 + 12) return Refused("no BPS1 header");
  const std::size_t end = patch.size() - 12;
  const auto footer = [&](std::size_t i) {
    std::uint32_t crc = 0;
    for (int b = 3; b >= 0; --b) crc = crc << 8 | patch[end + 4 * i + b];
    return crc;
  };
  if (Crc32(patch.first(patch.size() - 4)) != footer(2)) return Refused("patch CRC-32");
  if (Crc32(source) != footer(0)) return Refused("source CRC-32");

  std::size_t at = 4;
  bool cut = false;
  const auto number = [&]() -> std::uint64_t {
    std::uint64_t value = 0;
    std::uint64_t shift = 1;
    while (at < end) {
      const std::uint8_t x = patch[at++];
      value += (x & 0x7F) * shift;
      if (x & 0x80) return value;
      shift <<= 7;
      value += shift;
    }
    cut = true;
    return 0;
  };
  const std::uint64_t sourceSize = number();
  const std::uint64_t targetSize = number();
  const std::uint64_t metadataSize = number();
  if (cut || sourceSize != source.size()) return Refused("source size");
  if (metadataSize > end - at) return Refused("cut off metadata");
  at += metadataSize;

  std::vector<std::uint8_t> out;
  std::int64_t sourceAt = 0;
  std::int64_t targetAt = 0;
  while (at < end) {
    const std::uint64_t action = number();
    const std::uint64_t length = (action >> 2) + 1;
    if (cut || out.size() + length > targetSize) return Refused("action past the target");
    const auto relative = [&](std::int64_t& position) {
      const std::uint64_t step = number();
      position += (step & 1 ? -1 : 1) * static_cast<std::int64_t>(step >> 1);
      return !cut;
    };
    for (std::uint64_t i = 0; i < length; ++i) {
      switch (action & 3) {
        case 0:
          if (out.size() >= source.size()) return Refused("source read past the source");
          out.push_back(source[out.size()]);
          break;
        case 1:
          if (at >= end) return Refused("cut off target read");
          out.push_back(patch[at++]);
          break;
        case 2:
          if (i == 0 && !relative(sourceAt)) return Refused("cut off source copy");
          if (sourceAt < 0 || sourceAt >= static_cast<std::int64_t>(source.size()))
            return Refused("source copy outside the source");
          out.push_back(source[sourceAt++]);
          break;
        case 3:
          if (i == 0 && !relative(targetAt)) return Refused("cut off target copy");
          if (targetAt < 0 || targetAt >= static_cast<std::int64_t>(out.size()))
            return Refused("target copy outside the output");
          out.push_back(out[targetAt++]);
          break;
      }
    }
  }
  if (out.size() != targetSize) return Refused("target size");
  if (Crc32(out) != footer(1)) return Refused("target CRC-32");
  return {out, {}};
}

}  // namespace zantor::testing
