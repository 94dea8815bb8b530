#include <QAction>
#include <QDir>
#include <filesystem>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"

namespace zantor {
namespace {

class FileDialogPlaces : public testing::MainFormTest {
 protected:
  // "title|folder|name" of the dialog an item shows, cancelled there; a patch's original
  // dialog is answered with `original` first.
  QString Asked(const char* item, bool save, std::optional<QString> original = {}) {
    if (original) dialogs.openFiles.push_back(original);
    (save ? dialogs.saveFiles : dialogs.openFiles).push_back(std::nullopt);
    Find<QAction>(item)->trigger();
    const FileDialogRequest& r = save ? dialogs.lastSaveRequest : dialogs.lastOpenRequest;
    return r.title + u'|' + r.folder + u'|' + r.fileName;
  }
};

TEST_F(FileDialogPlaces, WithoutAnImageOpenStartsInTheLastFolderElseAtHome) {
  std::filesystem::create_directory(folder / "last");
  for (const auto& [stored, expected] :
       std::vector<std::pair<QString, QString>>{{{}, QDir::homePath()},
                                                {PathOf("last"), PathOf("last")},
                                                {PathOf("gone"), QDir::homePath()}}) {
    folder.Write("zantor5editor.ini", "[RecentFiles]\nFolder=" + stored.toUtf8() + "\n");
    Start();
    EXPECT_EQ(Asked("Open1", false), "|" + expected + "|") << stored.toStdString();
  }
}

TEST_F(FileDialogPlaces, WithAnImageFromAnotherFolderEveryDialogStartsBesideIt) {
  std::filesystem::create_directory(folder / "elsewhere");
  WriteImage("elsewhere/level.nes", BuildDemoImage());
  const QString there = PathOf("elsewhere");
  Start();
  ASSERT_TRUE(form->OpenImage(PathOf("elsewhere/level.nes")));
  form->SelectStage(0x0A);
  EXPECT_EQ(Asked("Open1", false), "|" + there + "|");
  EXPECT_EQ(Asked("SaveAs1", true), "|" + there + "|level.nes");
  EXPECT_EQ(Asked("ExportStageImage1", true), "|" + there + "|level_stage0A.png");
  EXPECT_EQ(Asked("MakePatch1", false), "元のROMイメージを開く|" + there + "|");
  EXPECT_EQ(Asked("MakePatch1", true, PathOf("elsewhere/level.nes")),
            "パッチの保存|" + there + "|level.bps");
  form->Flags().SetMapModified(0, true);
  dialogs.answers = {Answer::Yes};
  EXPECT_EQ(Asked("Close1", true), "|" + there + "|level.nes");  // the save question's
}

// As given on the command line, relative to the working folder.
TEST_F(FileDialogPlaces, ARelativeNameBecomesTheAbsolutePath) {
  std::filesystem::create_directory(folder / "sub");
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(PathOf("sub")));
  Start();
  const bool opened = form->OpenImage(QStringLiteral("../sub/../demo.nes"));
  QDir::setCurrent(before);
  ASSERT_TRUE(opened);
  EXPECT_EQ(form->windowTitle(), "ZANTOR 5 EDITOR - " + PathOf("demo.nes"));
  EXPECT_EQ(QString::fromStdString(form->Rom().FileName()), PathOf("demo.nes"));
}

}  // namespace
}  // namespace zantor
