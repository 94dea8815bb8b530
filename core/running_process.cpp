#include "core/running_process.h"

#include <signal.h>

#include <cerrno>
#include <fstream>
#include <string>

namespace zantor {

bool ProcessIsRunning(std::int64_t processId) {
  if (processId <= 0 || processId != static_cast<pid_t>(processId)) return false;
  // A process of another user exists too, though it may not be signalled.
  if (::kill(static_cast<pid_t>(processId), 0) != 0 && errno != EPERM) return false;
  // The state follows the name, which is in parentheses and may itself hold any of them.
  std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;  // no process file system: kill has spoken
  const auto nameEnd = line.rfind(')');
  if (nameEnd == std::string::npos || nameEnd + 2 >= line.size()) return true;
  const char state = line[nameEnd + 2];
  return state != 'Z' && state != 'X';
}

}  // namespace zantor
