#pragma once

#include "editors/dialogs.h"

class QWidget;

namespace zantor {

// The real dialogs a user sees, owned by the main window.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner) : owner_(owner) {}

  void ShowMessage(const QString& text) override;
  void ShowError(const QString& text) override;
  bool Confirm(const QString& text) override;
  Answer AskYesNoCancel(const QString& title, const QString& text) override;
  std::optional<QString> AskOpenFileName(const FileDialogRequest& request) override;
  std::optional<QString> AskSaveFileName(const FileDialogRequest& request) override;
  std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                  const QString& value) override;
  int ExecModal(QDialog& dialog) override;

 private:
  // A box opened over a modal dialog (the grid dialog's fill box) belongs to that dialog;
  // any other to the main window.
  QWidget* Parent() const;

  QWidget* owner_;
};

// "desc|pattern|desc|pattern" as a Qt name filter list ("desc (patterns);;..."): each
// description shows the patterns Qt will match, "*.*" becoming "*".
QString ToQtNameFilter(const QString& filter);

}  // namespace zantor
