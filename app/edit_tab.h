#pragma once

namespace zantor {

// The tabs of EditPageControl, in their order.
enum class EditTab { Map, MapSet, Chip32x32, Chip16x16, Palette, Object };
inline constexpr int kEditTabCount = 6;

}  // namespace zantor
