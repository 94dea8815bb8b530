#include "app/headless_dialogs.h"

#include <QDialog>
#include <cstdio>

namespace zantor {

namespace {
void Print(const char* kind, const QString& text) {
  std::fprintf(stderr, "%s: %s\n", kind, text.toUtf8().constData());
}
}  // namespace

void HeadlessDialogs::ShowMessage(const QString& text) { Print("メッセージ", text); }

void HeadlessDialogs::ShowError(const QString& text) { Print("エラー", text); }

bool HeadlessDialogs::Confirm(const QString& text) {
  Print("質問(「いいえ」と答えました)", text);
  return false;
}

Answer HeadlessDialogs::AskYesNoCancel(const QString&, const QString& text) {
  Print("質問(「キャンセル」と答えました)", text);
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
  Print("入力(キャンセルしました)", prompt);
  return std::nullopt;
}

int HeadlessDialogs::ExecModal(QDialog& dialog) {
  Print("ダイアログ(キャンセルしました)", dialog.windowTitle());
  return QDialog::Rejected;
}

}  // namespace zantor
