#include "core/image_bytes.h"

#include <algorithm>
#include <cstring>

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

}  // namespace

ImageBytes::ImageBytes() : bytes_(new std::uint8_t[kCapacity]()) {}

void ImageBytes::ReadClipped(std::int64_t offset, std::span<std::uint8_t> out) const {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  const Overlap o = Intersect(offset, static_cast<std::int64_t>(out.size()));
  if (o.count > 0) std::memcpy(out.data() + o.skip, bytes_.get() + offset + o.skip, o.count);
}

void ImageBytes::WriteBlock(std::int64_t offset, std::span<const std::uint8_t> in) {
  const Overlap o = Intersect(offset, static_cast<std::int64_t>(in.size()));
  if (o.count > 0) std::memcpy(bytes_.get() + offset + o.skip, in.data() + o.skip, o.count);
}

void ImageBytes::Clear(std::int64_t count) {
  const std::int64_t n = std::clamp<std::int64_t>(count, 0, kCapacity);
  std::memset(bytes_.get(), 0, static_cast<std::size_t>(n));
}

}  // namespace zantor
