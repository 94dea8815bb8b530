#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>

#include "app/tests/temp_folder.h"

namespace zantor::testing {

struct EditorRun {
  int exitCode;
  QString output;
  QString errors;
};

// The environment of the tests' runs: this one with the offscreen platform.
inline QProcessEnvironment Offscreen() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  return environment;
}

// The built program copied with the master palette and the demo image into a folder of its
// own, so that no settings file or name list left beside the build is read; its data
// folders are empty ones of its own, whatever the machine has installed.
class PrivateProgram {
 public:
  PrivateProgram() {
    const std::filesystem::path built = QCoreApplication::applicationDirPath().toStdString();
    for (const char* name : {"zantor5editor", "demo.nes", "fcpalette.pal"}) {
      std::filesystem::copy_file(built / name, folder / name);
    }
  }

  QString Path(const std::string& name) const {
    return QString::fromStdString((folder / name).string());
  }

  // Runs the copy, from its own folder unless told otherwise.
  EditorRun Run(const QStringList& arguments, const QString& workingFolder = {},
                const QProcessEnvironment& environment = Offscreen()) const {
    QProcess editor;
    QProcessEnvironment own = environment;
    own.insert(QStringLiteral("XDG_DATA_HOME"), Path("data"));
    own.insert(QStringLiteral("XDG_DATA_DIRS"), Path("data"));
    editor.setProcessEnvironment(own);
    editor.setWorkingDirectory(workingFolder.isEmpty() ? Path(".") : workingFolder);
    editor.start(Path("zantor5editor"), arguments);
    EXPECT_TRUE(editor.waitForFinished(60'000));
    return {editor.exitCode(), QString::fromUtf8(editor.readAllStandardOutput()),
            QString::fromUtf8(editor.readAllStandardError())};
  }

  TempFolder folder;
};

// A command that failed as the command-line tools must: the exit code, one line on standard
// error that begins with the program's name and gives the reason, nothing on standard output.
inline void ExpectOneLineFailure(const EditorRun& run, int exitCode, const QString& reason) {
  EXPECT_EQ(run.exitCode, exitCode);
  EXPECT_TRUE(run.errors.startsWith("zantor5editor: ")) << run.errors.toStdString();
  EXPECT_TRUE(run.errors.contains(reason)) << run.errors.toStdString();
  EXPECT_EQ(run.errors.count(u'\n'), 1) << run.errors.toStdString();
  EXPECT_TRUE(run.errors.endsWith(u'\n'));
  EXPECT_EQ(run.output, QString());
}

}  // namespace zantor::testing
