#include "tools/demo_objects.h"

#include <algorithm>
#include <stdexcept>

#include "tools/demo_image.h"

namespace zantor {

std::vector<DemoObjects::Placed> DemoObjects::ForStage(int stage) {
  const int wanted = kDemoObjectCounts[stage];
  // Busy stages fill every room from their first; quiet ones skip rooms.
  const int stride = wanted > 60 ? 1 : 1 + stage % 3;
  std::vector<Placed> objects;
  for (int room = stage % 4; room < kRoomCount; room += stride) {
    const int remaining = wanted - static_cast<int>(objects.size());
    if (remaining == 0) break;
    const int in_room = std::min(remaining, 1 + (room * 7 + stage * 3) % 4);
    for (int i = 0; i < in_room; ++i) {
      Placed placed{
          room,
          {16 + (room * 37 + i * 53 + stage * 11) % 224,
           32 + (room * 29 + i * 71 + stage * 5) % 192, (room * 13 + i * 7 + stage * 17) % 0x50}};
      if (i == 2) placed.object.X = objects[objects.size() - 2].object.X;
      objects.push_back(placed);
    }
  }
  if (static_cast<int>(objects.size()) != wanted) {
    throw std::logic_error("demo objects do not fit their stage's rooms");
  }
  return objects;
}

}  // namespace zantor
