#pragma once

#include "editors/dialogs.h"

namespace zantor {

// For runs without a user (screenshots): every message goes to standard error, every
// question gets the answer that changes nothing, and nothing ever waits.
class HeadlessDialogs : public Dialogs {
 public:
  void ShowMessage(const QString& text) override;
  void ShowError(const QString& text) override;
  bool Confirm(const QString& text) override;
  Answer AskYesNoCancel(const QString& title, const QString& text) override;
  std::optional<QString> AskOpenFileName(const FileDialogRequest& request) override;
  std::optional<QString> AskSaveFileName(const FileDialogRequest& request) override;
  std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                  const QString& value) override;
  int ExecModal(QDialog& dialog) override;
};

}  // namespace zantor
