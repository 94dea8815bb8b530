#pragma once

#include <cstdint>

namespace zantor {

// Whether a process of that id is still running. One that has ended but was not yet
// collected by its parent (a zombie) is no longer running: it holds no file open.
bool ProcessIsRunning(std::int64_t processId);

}  // namespace zantor
