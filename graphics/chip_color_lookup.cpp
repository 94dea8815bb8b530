#include "graphics/chip_color_lookup.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace zantor {

void GatherEvenBytes(std::uint8_t* out, const std::uint8_t* in, int count) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i low = _mm_set1_epi16(0x00FF);
  for (; i + 16 <= count; i += 16) {
    const __m128i a =
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i)), low);
    const __m128i b =
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i + 16)), low);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(a, b));
  }
#endif
  for (; i < count; ++i) out[i] = in[2 * i];
}

#if defined(__x86_64__) || defined(__i386__)

namespace {

// Per sixteen pixels: four table lookups of sixteen bytes (the shown word's bytes in memory
// order), then the bytes of every pixel put together.
__attribute__((target("sse4.1"))) int ConvertWithShuffles(std::uint32_t* out, std::size_t outStride,
                                                          const std::uint8_t* in,
                                                          std::size_t inStride, int count, int rows,
                                                          const ColorTable::Planes& planes) {
  if (count % 16 != 0) return 0;
  const __m128i byte0 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[0].data()));
  const __m128i byte1 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[1].data()));
  const __m128i byte2 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[2].data()));
  const __m128i byte3 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[3].data()));
  const __m128i high = _mm_set1_epi8(static_cast<char>(0xF0));
  for (int row = 0; row < rows; ++row, in += inStride, out += outStride) {
    __m128i any = _mm_setzero_si128();
    for (int i = 0; i < count; i += 16) {
      any = _mm_or_si128(any, _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)));
    }
    if (!_mm_testz_si128(any, high)) return row;
    for (int i = 0; i < count; i += 16) {
      const __m128i indexes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
      const __m128i b0 = _mm_shuffle_epi8(byte0, indexes);
      const __m128i b1 = _mm_shuffle_epi8(byte1, indexes);
      const __m128i b2 = _mm_shuffle_epi8(byte2, indexes);
      const __m128i b3 = _mm_shuffle_epi8(byte3, indexes);
      const __m128i lowPairsLow = _mm_unpacklo_epi8(b0, b1);
      const __m128i lowPairsHigh = _mm_unpackhi_epi8(b0, b1);
      const __m128i highPairsLow = _mm_unpacklo_epi8(b2, b3);
      const __m128i highPairsHigh = _mm_unpackhi_epi8(b2, b3);
      auto* target = reinterpret_cast<__m128i*>(out + i);
      _mm_storeu_si128(target, _mm_unpacklo_epi16(lowPairsLow, highPairsLow));
      _mm_storeu_si128(target + 1, _mm_unpackhi_epi16(lowPairsLow, highPairsLow));
      _mm_storeu_si128(target + 2, _mm_unpacklo_epi16(lowPairsHigh, highPairsHigh));
      _mm_storeu_si128(target + 3, _mm_unpackhi_epi16(lowPairsHigh, highPairsHigh));
    }
  }
  return rows;
}

const bool kHasShuffles = __builtin_cpu_supports("sse4.1");

}  // namespace

int ConvertChipRows(std::uint32_t* out, std::size_t outStride, const std::uint8_t* in,
                    std::size_t inStride, int count, int rows, const ColorTable::Planes& planes) {
  return kHasShuffles ? ConvertWithShuffles(out, outStride, in, inStride, count, rows, planes) : 0;
}

#else

int ConvertChipRows(std::uint32_t*, std::size_t, const std::uint8_t*, std::size_t, int, int,
                    const ColorTable::Planes&) {
  return 0;
}

#endif

}  // namespace zantor
