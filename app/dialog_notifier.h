#pragma once

#include "core/user_notifier.h"
#include "editors/dialogs.h"

namespace zantor {

// Shows the core's messages through the dialog seam.
class DialogNotifier : public UserNotifier {
 public:
  explicit DialogNotifier(Dialogs& dialogs) : dialogs_(dialogs) {}
  void ShowMessage(const std::string& text) override {
    dialogs_.ShowMessage(QString::fromStdString(text));
  }
  void ReportError(const std::string& text) override {
    dialogs_.ShowError(QString::fromStdString(text));
  }

 private:
  Dialogs& dialogs_;
};

}  // namespace zantor
