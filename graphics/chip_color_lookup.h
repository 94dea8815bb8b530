#pragma once

#include <cstddef>
#include <cstdint>

#include "graphics/color_table.h"

namespace zantor {

// Converts rows of chip pixels (indexes 0..15) to shown words sixteen at a time with the
// processor's byte shuffles, where it has them. Stops before the first row it cannot take
// whole (one holding an index from 16 up, or a width that is no multiple of sixteen) and
// returns how many rows it wrote; 0 on a processor without the shuffles.
int ConvertChipRows(std::uint32_t* out, std::size_t outStride, const std::uint8_t* in,
                    std::size_t inStride, int count, int rows, const ColorTable::Planes& planes);

// out[i] = in[2 * i] for i below count: a row halved.
void GatherEvenBytes(std::uint8_t* out, const std::uint8_t* in, int count);

}  // namespace zantor
