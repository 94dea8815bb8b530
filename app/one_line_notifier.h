#pragma once

#include <string>

#include "core/user_notifier.h"

namespace zantor {

// What the core says to a command line without a window: each message on one line of
// standard error after the program's name. Messages that do not name their file are given
// the name of the file being read.
class OneLineNotifier : public UserNotifier {
 public:
  void ShowMessage(const std::string& text) override;
  void ReportError(const std::string& text) override;

  // The file being read, named before messages that do not name it; empty for none.
  std::string subject;
};

}  // namespace zantor
