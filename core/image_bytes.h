#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace zantor {

// The opened image as one fixed block of bytes, allocated once and never moved: the
// stages and the renderer keep a reference to it for the whole run. Offsets come from
// the header and from a user-editable settings file, so every access is checked: a byte
// outside the block reads as 0 and a write outside it is dropped.
// The block remembers how far it has been written, so that clearing and copying it cost
// what the image holds, not the whole 2 MiB; pages never written are never touched. The
// last block given back is kept, cleared, for the next one made (the copy a patch is made
// from, a fresh image object), so that its pages are not requested from the system again.
class ImageBytes {
 public:
  static constexpr std::int64_t kCapacity = 2'097'216;  // 2 MiB plus 64

  ImageBytes();
  ~ImageBytes();
  ImageBytes(const ImageBytes&) = delete;
  ImageBytes& operator=(const ImageBytes&) = delete;

  static constexpr bool Contains(std::int64_t offset) { return offset >= 0 && offset < kCapacity; }

  std::uint8_t Read(std::int64_t offset) const {
    return Contains(offset) ? bytes_[static_cast<std::size_t>(offset)] : 0;
  }
  void Write(std::int64_t offset, std::uint8_t value) {
    if (!Contains(offset)) return;
    bytes_[static_cast<std::size_t>(offset)] = value;
    written_ = std::max(written_, offset + 1);
  }

  // Copies out.size() bytes from offset; the part outside the block reads as 0. Inline for
  // the common case of a block wholly inside: the renderer reads a thousand tiles at a time.
  void ReadBlock(std::int64_t offset, std::span<std::uint8_t> out) const {
    if (offset >= 0 && offset <= kCapacity - static_cast<std::int64_t>(out.size())) {
      std::memcpy(out.data(), bytes_ + offset, out.size());
    } else {
      ReadClipped(offset, out);
    }
  }
  // Writes only the part of the block that lies inside the buffer.
  void WriteBlock(std::int64_t offset, std::span<const std::uint8_t> in);
  // Zeroes the whole buffer.
  void Clear();
  // Zeroes every byte from offset on; returns how many of them were not zero.
  std::int64_t ClearFrom(std::int64_t offset);
  // Every byte from here on is zero.
  std::int64_t WrittenEnd() const { return written_; }

  const std::uint8_t* Data() const { return bytes_; }

 private:
  void ReadClipped(std::int64_t offset, std::span<std::uint8_t> out) const;

  std::uint8_t* bytes_;
  std::int64_t written_ = 0;
};

}  // namespace zantor
