#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

namespace zantor {

// The opened image as one fixed block of bytes, allocated once and never moved: the
// stages and the renderer keep a reference to it for the whole run. Offsets come from
// the header and from a user-editable settings file, so every access is checked: a byte
// outside the block reads as 0 and a write outside it is dropped.
class ImageBytes {
 public:
  static constexpr std::int64_t kCapacity = 2'097'216;  // 2 MiB plus 64

  ImageBytes();
  ImageBytes(const ImageBytes&) = delete;
  ImageBytes& operator=(const ImageBytes&) = delete;

  static constexpr bool Contains(std::int64_t offset) { return offset >= 0 && offset < kCapacity; }

  std::uint8_t Read(std::int64_t offset) const {
    return Contains(offset) ? bytes_[static_cast<std::size_t>(offset)] : 0;
  }
  void Write(std::int64_t offset, std::uint8_t value) {
    if (Contains(offset)) bytes_[static_cast<std::size_t>(offset)] = value;
  }

  // Copies out.size() bytes from offset; the part outside the block reads as 0. Inline for
  // the common case of a block wholly inside: the renderer reads a thousand tiles at a time.
  void ReadBlock(std::int64_t offset, std::span<std::uint8_t> out) const {
    if (offset >= 0 && offset <= kCapacity - static_cast<std::int64_t>(out.size())) {
      std::memcpy(out.data(), bytes_.get() + offset, out.size());
    } else {
      ReadClipped(offset, out);
    }
  }
  // Writes only the part of the block that lies inside the buffer.
  void WriteBlock(std::int64_t offset, std::span<const std::uint8_t> in);
  // Zeroes the first count bytes (clamped to the buffer).
  void Clear(std::int64_t count);

  std::uint8_t* Data() { return bytes_.get(); }
  const std::uint8_t* Data() const { return bytes_.get(); }

 private:
  void ReadClipped(std::int64_t offset, std::span<std::uint8_t> out) const;

  std::unique_ptr<std::uint8_t[]> bytes_;
};

}  // namespace zantor
