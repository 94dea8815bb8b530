#pragma once

#include <string>
#include <vector>

#include "core/user_notifier.h"

namespace zantor::testing {

// Keeps every message and error the core reported, in order.
class RecordingNotifier : public UserNotifier {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ReportError(const std::string& text) override { errors.push_back(text); }

  std::vector<std::string> messages;
  std::vector<std::string> errors;
};

class RecordingStatusText : public StatusTextSink {
 public:
  void SetStatusText(const std::string& value) override {
    text = value;
    ++writes;
  }

  std::string text;
  int writes = 0;
};

}  // namespace zantor::testing
