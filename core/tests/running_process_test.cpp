#include "core/running_process.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zantor {
namespace {

// A child that has ended: collected, or left unreaped as a zombie.
pid_t EndedChild(bool collect) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  if (collect) {
    ::waitpid(child, nullptr, 0);
  } else {
    // Ended once its status can be seen, without collecting it.
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT);
  }
  return child;
}

TEST(RunningProcess, OnlyALiveProcessCountsAsRunning) {
  EXPECT_TRUE(ProcessIsRunning(::getpid()));
  EXPECT_TRUE(ProcessIsRunning(1));  // another user's process counts too
  const pid_t collected = EndedChild(true);
  EXPECT_FALSE(ProcessIsRunning(collected));
  const pid_t zombie = EndedChild(false);
  EXPECT_FALSE(ProcessIsRunning(zombie));
  ::waitpid(zombie, nullptr, 0);
  for (const std::int64_t id : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{1} << 40}) {
    EXPECT_FALSE(ProcessIsRunning(id)) << id;
  }
}

}  // namespace
}  // namespace zantor
