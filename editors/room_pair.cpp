#include "editors/room_pair.h"

#include <algorithm>

#include "editors/two_digit_hex.h"

namespace zantor {

void RoomPair::Show(int firstRoom) { first_ = std::clamp(firstRoom, 0, kLastFirstRoom); }

QString RoomPair::Label() const {
  return TwoDigitHex(First()) + QStringLiteral("-") + TwoDigitHex(Second());
}

}  // namespace zantor
