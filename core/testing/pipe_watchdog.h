#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace zantor::testing {

// A named pipe with no writer, and a watchdog for the code under test: should that code
// wait on the pipe, the watchdog opens it for writing after a few seconds, which lets the
// reader go on, and records that it had to. A test then fails instead of hanging.
class PipeWatchdog {
 public:
  explicit PipeWatchdog(std::filesystem::path path) : path_(std::move(path)) {
    ::mkfifo(path_.c_str(), 0600);
    watcher_ = std::thread([this] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (!done_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      if (done_) return;
      hung_ = true;
      // Succeeds only while a reader waits in open(); closing at once gives it an end of file.
      const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
    });
  }
  ~PipeWatchdog() {
    done_ = true;
    watcher_.join();
  }
  PipeWatchdog(const PipeWatchdog&) = delete;
  PipeWatchdog& operator=(const PipeWatchdog&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // True when the watchdog had to free a reader that waited on the pipe.
  bool Hung() const { return hung_; }

 private:
  std::filesystem::path path_;
  std::atomic<bool> done_{false};
  std::atomic<bool> hung_{false};
  std::thread watcher_;
};

}  // namespace zantor::testing
