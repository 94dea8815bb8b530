#pragma once

#include <vector>

#include "core/stage_data.h"

namespace zantor {

// The objects the demo places in one stage, in table order (rooms ascending).
class DemoObjects {
 public:
  struct Placed {
    int room;
    ObjectEntry object;
  };

  // Exactly kDemoObjectCounts[stage] objects. Rooms with three or more objects hold
  // two of the same X, out of X order, so sorting has something to do.
  static std::vector<Placed> ForStage(int stage);
};

}  // namespace zantor
