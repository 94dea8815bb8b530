#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <deque>
#include <functional>
#include <vector>

#include "editors/dialogs.h"

namespace zantor::testing {

// Answers every modal interaction from queues the test fills, and keeps a log of what was
// shown. An interaction the test did not script fails the test and gets the answer that
// changes nothing (No, Cancel, no file, rejected).
class ScriptedDialogs : public Dialogs {
 public:
  enum class Kind { Message, Error, Confirm, YesNoCancel, OpenFile, SaveFile, Input, Modal };
  struct Shown {
    Kind kind;
    QString title;
    QString text;
  };

  void ShowMessage(const QString& text) override { log.push_back({Kind::Message, {}, text}); }
  void ShowError(const QString& text) override { log.push_back({Kind::Error, {}, text}); }

  bool Confirm(const QString& text) override {
    log.push_back({Kind::Confirm, {}, text});
    return Next(confirms, false, "Confirm: " + text);
  }
  Answer AskYesNoCancel(const QString& title, const QString& text) override {
    log.push_back({Kind::YesNoCancel, title, text});
    return Next(answers, Answer::Cancel, "AskYesNoCancel: " + text);
  }
  std::optional<QString> AskOpenFileName(const FileDialogRequest& request) override {
    log.push_back({Kind::OpenFile, request.title, request.filter});
    lastOpenRequest = request;
    return Next(openFiles, std::optional<QString>(), "AskOpenFileName");
  }
  std::optional<QString> AskSaveFileName(const FileDialogRequest& request) override {
    log.push_back({Kind::SaveFile, request.title, request.filter});
    lastSaveRequest = request;
    return Next(saveFiles, std::optional<QString>(), "AskSaveFileName");
  }
  std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                  const QString& value) override {
    log.push_back({Kind::Input, caption, prompt + "|" + value});
    return Next(inputs, std::optional<QString>(), "InputBox: " + prompt);
  }
  int ExecModal(QDialog& dialog) override {
    log.push_back({Kind::Modal, dialog.windowTitle(), {}});
    std::function<int(QDialog&)> none;
    auto run = Next(modals, none, "ExecModal: " + dialog.windowTitle());
    return run ? run(dialog) : QDialog::Rejected;
  }

  // Texts shown of one kind, in order.
  std::vector<QString> Texts(Kind kind) const {
    std::vector<QString> texts;
    for (const Shown& s : log) {
      if (s.kind == kind) texts.push_back(s.text);
    }
    return texts;
  }
  bool AllScriptedAnswersUsed() const {
    return confirms.empty() && answers.empty() && openFiles.empty() && saveFiles.empty() &&
           inputs.empty() && modals.empty();
  }

  std::deque<bool> confirms;
  std::deque<Answer> answers;
  std::deque<std::optional<QString>> openFiles;
  std::deque<std::optional<QString>> saveFiles;
  std::deque<std::optional<QString>> inputs;
  std::deque<std::function<int(QDialog&)>> modals;
  std::vector<Shown> log;
  FileDialogRequest lastOpenRequest;
  FileDialogRequest lastSaveRequest;

 private:
  // The next scripted answer; `answer` starts as the one an unscripted interaction gets.
  template <typename T>
  static T Next(std::deque<T>& queue, T answer, const QString& what) {
    if (queue.empty()) {
      ADD_FAILURE() << "unscripted dialog: " << what.toStdString();
      return answer;
    }
    // Assigned, not moved into a new local: the optimiser takes such a local optional for
    // one that may be used uninitialised.
    answer = std::move(queue.front());
    queue.pop_front();
    return answer;
  }
};

}  // namespace zantor::testing
