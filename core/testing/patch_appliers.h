#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
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

inline bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view text) {
  return bytes.size() >= text.size() && std::equal(text.begin(), text.end(), bytes.begin());
}

// IPS: "PATCH", records (3-byte offset, 2-byte length, the bytes; or length 0, a 2-byte
// count and one value), all big-endian, up to "EOF", which ends the patch.
inline Applied ApplyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
  if (!StartsWith(patch, "PATCH")) return {{}, "no PATCH header"};
  std::vector<std::uint8_t> out(source.begin(), source.end());
  std::size_t at = 5;
  const auto take = [&](std::size_t count) {
    std::size_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value = value << 8 | patch[at++];
    return value;
  };
  while (!StartsWith(patch.subspan(at), "EOF")) {
    if (at + 8 > patch.size()) return {{}, "cut off record"};
    const std::size_t offset = take(3);
    const std::size_t length = take(2);
    const std::size_t count = length > 0 ? length : take(2);
    if (offset + count > out.size() || at + (length > 0 ? length : 1) > patch.size()) {
      return {{}, "record past the end"};
    }
    if (length > 0) {
      std::copy_n(patch.begin() + at, length, out.begin() + offset);
      at += length;
    } else {
      std::fill_n(out.begin() + offset, count, patch[at++]);
    }
  }
  if (at + 3 != patch.size()) return {{}, "bytes after EOF"};
  return {out, {}};
}

inline std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(crc32_z(crc32_z(0, nullptr, 0), bytes.data(), bytes.size()));
}

// BPS: "BPS1", source size, target size, metadata size and metadata, actions, then the
// CRC-32 of source, target and the patch before it, little-endian. Numbers come in
// seven-bit groups, lowest first, the last one marked by its top bit; every group before
// it counts one more. An action is ((length - 1) << 2 | kind): kind 0 reads the source at
// the output position, 1 reads the patch; the copies (2, 3) are refused here.
inline Applied ApplyBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
  if (!StartsWith(patch, "BPS1") || patch.size() < 19) return {{}, "no BPS1 header"};
  const std::size_t end = patch.size() - 12;
  const auto footer = [&](std::size_t i) {
    std::uint32_t crc = 0;
    for (int b = 3; b >= 0; --b) crc = crc << 8 | patch[end + 4 * i + b];
    return crc;
  };
  if (Crc32(patch.first(patch.size() - 4)) != footer(2)) return {{}, "patch CRC-32"};
  if (Crc32(source) != footer(0)) return {{}, "source CRC-32"};
  std::size_t at = 4;
  const auto number = [&] {
    std::uint64_t value = 0;
    for (std::uint64_t shift = 1; at < end; shift <<= 7) {
      const std::uint8_t x = patch[at++];
      value += (x & 0x7F) * shift;
      if (x & 0x80) break;
      value += shift << 7;
    }
    return value;
  };
  const std::uint64_t sourceSize = number();
  const std::uint64_t targetSize = number();
  at += number();  // metadata
  if (sourceSize != source.size()) return {{}, "source size"};
  std::vector<std::uint8_t> out;
  while (at < end) {
    const std::uint64_t action = number();
    const std::uint64_t length = (action >> 2) + 1;
    const bool fromSource = (action & 3) == 0;
    if ((action & 3) > 1 || out.size() + length > (fromSource ? source.size() : targetSize) ||
        (!fromSource && at + length > end)) {
      return {{}, "bad action"};
    }
    const auto from = fromSource ? source.begin() + static_cast<std::ptrdiff_t>(out.size())
                                 : patch.begin() + static_cast<std::ptrdiff_t>(at);
    out.insert(out.end(), from, from + static_cast<std::ptrdiff_t>(length));
    if (!fromSource) at += length;
  }
  if (out.size() != targetSize) return {{}, "target size"};
  if (Crc32(out) != footer(1)) return {{}, "target CRC-32"};
  return {out, {}};
}

}  // namespace zantor::testing
