#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace zantor::testing {

struct EditorRun {
  int exitCode;
  QString output;
  QString errors;
};

// The folder of the built program, with its master palette and the demo image beside it.
inline QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

// Runs the built program from the given working folder in the given environment.
inline EditorRun RunEditor(const QStringList& arguments, const QString& workingFolder,
                           const QProcessEnvironment& environment) {
  QProcess editor;
  editor.setProcessEnvironment(environment);
  editor.setWorkingDirectory(workingFolder);
  editor.start(ProgramFolder() + QStringLiteral("/zantor5editor"), arguments);
  EXPECT_TRUE(editor.waitForFinished(60'000));
  return {editor.exitCode(), QString::fromUtf8(editor.readAllStandardOutput()),
          QString::fromUtf8(editor.readAllStandardError())};
}

}  // namespace zantor::testing
