#pragma once

#include <QString>
#include <optional>

class QDialog;

namespace zantor {

enum class Answer { Yes, No, Cancel };

// What a file dialog is asked for. The filter uses description|pattern pairs separated by
// "|" ("ZANTOR5 ROMイメージ (*.nes)|*.nes|...").
struct FileDialogRequest {
  QString filter;
  QString defaultSuffix = {};  // added to a typed name without one (save dialogs)
  QString title = {};          // empty: the dialog's own ("Open", "Save As")
  QString folder = {};         // where the dialog starts
  QString fileName = {};       // the name proposed in that folder, if any
};

// The one way to every modal interaction: message boxes, questions, file dialogs, the
// input box and modal dialogs. Users get real dialogs; tests script the answers and read
// the texts; a headless run answers at once and never blocks.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A plain box with one OK button and no icon.
  virtual void ShowMessage(const QString& text) = 0;
  // The application's general error report (a failed file operation and its reason).
  virtual void ShowError(const QString& text) = 0;
  // A Yes/No box with a question icon; true for Yes.
  virtual bool Confirm(const QString& text) = 0;
  // A Yes/No/Cancel box without icon; closing the box counts as Cancel.
  virtual Answer AskYesNoCancel(const QString& title, const QString& text) = 0;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<QString> AskOpenFileName(const FileDialogRequest& request) = 0;
  // As above; asks before overwriting an existing file.
  virtual std::optional<QString> AskSaveFileName(const FileDialogRequest& request) = 0;
  // The entered text, or nothing when the user cancelled.
  virtual std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                          const QString& value) = 0;
  // Runs a dialog modally; QDialog::Accepted or QDialog::Rejected.
  virtual int ExecModal(QDialog& dialog) = 0;
};

}  // namespace zantor
