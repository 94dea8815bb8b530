#pragma once

namespace zantor {

// The game has this many stages; their data, flags and histories are kept per stage.
inline constexpr int kStageCount = 16;

}  // namespace zantor
