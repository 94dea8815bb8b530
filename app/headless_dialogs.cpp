#include "app/headless_dialogs.h"

#include <QDialog>
#include <cstdio>

namespace zantor {

namespace {
void Print(const char* kind, const QString& text) {
  std::fprintf(stderr, "%s: %s\n", kind, text.toUtf8().constData());
}
}  // namespace

void HeadlessDialogs::ShowMessage(const QString& text) { Print("message", text); }

void HeadlessDialogs::ShowError(const QString& text) { Print("error", text); }

bool HeadlessDialogs::Confirm(const QString& text) {
  Print("question (answered No)", text);
  return false;
}

Answer HeadlessDialogs::AskYesNoCancel(const QString&, const QString& text) {
  Print("question (answered Cancel)", text);
  return Answer::Cancel;
}

std::optional<QString> HeadlessDialogs::AskOpenFileName(const FileDialogRequest&) {
  return std::nullopt;
}

std::optional<QString> HeadlessDialogs::AskSaveFileName(const FileDialogRequest&) {
  return std::nullopt;
}

std::optional<QString> HeadlessDialogs::InputBox(const QString&, const QString& prompt,
                                                 const QString&) {
  Print("input (cancelled)", prompt);
  return std::nullopt;
}

int HeadlessDialogs::ExecModal(QDialog& dialog) {
  Print("dialog (cancelled)", dialog.windowTitle());
  return QDialog::Rejected;
}

}  // namespace zantor
