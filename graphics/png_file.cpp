#include "graphics/png_file.h"

#include <zlib.h>

#include <new>
#include <stdexcept>
#include <string_view>

namespace zantor {

namespace {

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& out, std::string_view type,
                 std::span<const std::uint8_t> data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  const std::span<const std::uint8_t> checked = std::span(out).subspan(typeAt);
  AppendBigEndian(
      out, static_cast<std::uint32_t>(crc32(0, checked.data(), static_cast<uInt>(checked.size()))));
}

// A zlib stream of the bytes.
std::vector<std::uint8_t> Deflate(std::span<const std::uint8_t> raw) {
  uLongf size = compressBound(raw.size());
  std::vector<std::uint8_t> out(size);
  // With room for the bound, running out of memory is the only way to fail.
  if (compress2(out.data(), &size, raw.data(), raw.size(), Z_DEFAULT_COMPRESSION) != Z_OK) {
    throw std::bad_alloc();
  }
  out.resize(size);
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> pixels) {
  if (width < 1 || height < 1 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw std::invalid_argument("the pixels do not fill the picture");
  }
  // Each row: filter type 0, then R, G, B per pixel.
  std::vector<std::uint8_t> raw;
  raw.reserve(pixels.size() * 3 + static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (const std::uint32_t color : pixels.subspan(static_cast<std::size_t>(y) * width, width)) {
      for (int shift : {0, 8, 16}) raw.push_back(static_cast<std::uint8_t>(color >> shift));
    }
  }
  std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filters, no interlace
  AppendChunk(file, "IHDR", header);
  AppendChunk(file, "IDAT", Deflate(raw));
  AppendChunk(file, "IEND", {});
  return file;
}

}  // namespace zantor
