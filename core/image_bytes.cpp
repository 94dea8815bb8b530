#include "core/image_bytes.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/byte_lanes.h"

namespace zantor {

namespace {

// The overlap of [offset, offset + length) with the buffer, as (first, count) relative to
// the block; count is 0 when they do not meet.
struct Overlap {
  std::int64_t skip = 0;
  std::int64_t count = 0;
};

Overlap Intersect(std::int64_t offset, std::int64_t length) {
  // Checked first so that offset + length below cannot overflow.
  if (length <= 0 || offset >= ImageBytes::kCapacity || offset <= -length) return {};
  const std::int64_t begin = std::max<std::int64_t>(offset, 0);
  const std::int64_t end = std::min<std::int64_t>(offset + length, ImageBytes::kCapacity);
  if (begin >= end) return {};
  return {begin - offset, end - begin};
}

// Stores past the end mostly put back the zeros they decoded there: runs of zeros are
// passed over at the speed of memcmp, the others counted a word at a time.
std::int64_t CountNonZero(const std::uint8_t* first, const std::uint8_t* last) {
  static constexpr std::array<std::uint8_t, 4096> kZeros{};
  std::int64_t count = 0;
  while (first < last) {
    const auto n = std::min<std::size_t>(kZeros.size(), static_cast<std::size_t>(last - first));
    const std::uint8_t* const end = first + n;
    if (std::memcmp(first, kZeros.data(), n) == 0) {
      first = end;
      continue;
    }
    for (; end - first >= 8; first += 8) {
      std::uint64_t word;
      std::memcpy(&word, first, sizeof word);
      count += std::popcount(NonZeroByteMarks(word));
    }
    for (; first < end; ++first) count += *first != 0 ? 1 : 0;
  }
  return count;
}

// A block given back, all zero; null when there is none.
std::atomic<std::uint8_t*> spareBlock{nullptr};

}  // namespace

// calloc, not new[](): the system hands out zeroed pages without writing them.
ImageBytes::ImageBytes() : bytes_(spareBlock.exchange(nullptr)) {
  if (bytes_ == nullptr) bytes_ = static_cast<std::uint8_t*>(std::calloc(kCapacity, 1));
  if (bytes_ == nullptr) throw std::bad_alloc();
}

ImageBytes::~ImageBytes() {
  Clear();
  std::free(spareBlock.exchange(bytes_));
}

void ImageBytes::ReadClipped(std::int64_t offset, std::span<std::uint8_t> out) const {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  const Overlap o = Intersect(offset, static_cast<std::int64_t>(out.size()));
  if (o.count > 0) std::memcpy(out.data() + o.skip, bytes_ + offset + o.skip, o.count);
}

void ImageBytes::WriteBlock(std::int64_t offset, std::span<const std::uint8_t> in) {
  const Overlap o = Intersect(offset, static_cast<std::int64_t>(in.size()));
  if (o.count <= 0) return;
  std::memcpy(bytes_ + offset + o.skip, in.data() + o.skip, o.count);
  written_ = std::max(written_, offset + o.skip + o.count);
}

void ImageBytes::Clear() {
  std::memset(bytes_, 0, static_cast<std::size_t>(written_));
  written_ = 0;
}

std::int64_t ImageBytes::ClearFrom(std::int64_t offset) {
  const std::int64_t begin = std::max<std::int64_t>(offset, 0);
  if (begin >= written_) return 0;
  std::uint8_t* const first = bytes_ + begin;
  std::uint8_t* const last = bytes_ + written_;
  const std::int64_t nonZero = CountNonZero(first, last);
  std::memset(first, 0, static_cast<std::size_t>(last - first));
  written_ = begin;
  return nonZero;
}

}  // namespace zantor
