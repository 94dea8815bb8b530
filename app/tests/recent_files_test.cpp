#include <QAction>
#include <QMenu>
#include <filesystem>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"

namespace zantor {
namespace {

using Kind = testing::ScriptedDialogs::Kind;

class RecentFilesList : public testing::MainFormTest {
 protected:
  QMenu* Menu() const { return Find<QMenu>("RecentFiles1"); }
  // The entries as shown: "file name|folder hint".
  QStringList Shown() const {
    QStringList shown;
    for (QAction* item : Menu()->actions()) {
      if (item->isVisible() && !item->isSeparator())
        shown.append(item->text() + u'|' + item->toolTip());
    }
    shown.removeLast();  // 履歴を消去
    return shown;
  }
  void Choose(int entry) { Menu()->actions()[entry]->trigger(); }
  std::string Written(const std::string& key) const {
    return TMyMemIniFile(folder / "zantor5editor.ini").ReadString("RecentFiles", key, "<none>");
  }
  // The settings file as written at exit, but for the recent files.
  std::string OtherSections() const {
    std::string text = TMyMemIniFile(folder / "zantor5editor.ini").Text();
    const auto start = text.find("[RecentFiles]");
    if (start != std::string::npos) text.erase(start, text.find("\n\n", start) + 2 - start);
    return text;
  }
  const QString here = PathOf("").chopped(1);
};

// Read at start, a missing file leaves, opens and saves come first, written back at exit
// beside the other sections exactly as they are written without the list.
TEST_F(RecentFilesList, FollowsOpensAndSavesAcrossAStart) {
  std::filesystem::create_directory(folder / "sub");
  WriteImage("other.nes", BuildDemoImage());
  Start();
  form->close();
  const std::string withoutList = OtherSections();
  folder.Write("zantor5editor.ini", "[RecentFiles]\nFile0=" + PathOf("other.nes").toUtf8() +
                                        "\nFile1=" + PathOf("gone.nes").toUtf8() + "\n");
  Start();
  EXPECT_EQ(Shown(), (QStringList{"other.nes|" + here, "gone.nes|" + here}));
  Choose(1);
  ASSERT_EQ(dialogs.Texts(Kind::Error).size(), 1u);
  EXPECT_TRUE(dialogs.Texts(Kind::Error)[0].contains(PathOf("gone.nes")));
  EXPECT_EQ(Shown(), QStringList{"other.nes|" + here});

  dialogs.openFiles = {PathOf("demo.nes")};
  form->Open1Click();
  dialogs.saveFiles = {PathOf("sub/copy.nes")};
  form->SaveAs1Click();
  Choose(2);  // other.nes
  EXPECT_EQ(form->windowTitle(), "ZANTOR 5 EDITOR - " + PathOf("other.nes"));
  EXPECT_EQ(Shown(),
            (QStringList{"other.nes|" + here, "copy.nes|" + PathOf("sub"), "demo.nes|" + here}));
  form->close();
  EXPECT_EQ(Written("File1"), PathOf("sub/copy.nes").toStdString());
  EXPECT_EQ(Written("File3"), "");
  EXPECT_EQ(Written("Folder"), here.toStdString());
  EXPECT_EQ(OtherSections(), withoutList);
}

// Eight at most, once each also through a link; the save question before a chosen file
// opens; "履歴を消去" empties the list and the folder.
TEST_F(RecentFilesList, KeepsEightFilesOnceEachAndIsEmptiedByItsLastItem) {
  Start();
  EXPECT_FALSE(Menu()->menuAction()->isEnabled());
  for (int i = 0; i < 9; ++i) {
    WriteImage("image" + std::to_string(i) + ".nes", BuildDemoImage());
    ASSERT_TRUE(form->OpenImage(PathOf("image" + std::to_string(i) + ".nes")));
  }
  std::filesystem::create_symlink(folder / "image5.nes", folder / "link.nes");
  ASSERT_TRUE(form->OpenImage(PathOf("link.nes")));
  const QStringList shown = Shown();
  EXPECT_EQ(shown.size(), 8);
  EXPECT_EQ(shown.front(), "link.nes|" + here);
  EXPECT_EQ(shown.back(), "image1.nes|" + here);
  EXPECT_FALSE(shown.contains("image5.nes|" + here));

  form->Flags().SetMapModified(0, true);
  dialogs.answers = {Answer::Cancel};
  Choose(3);
  EXPECT_EQ(form->windowTitle(), "ZANTOR 5 EDITOR - " + PathOf("link.nes"));
  Find<QAction>("ClearRecentFiles1")->trigger();
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(Menu()->menuAction()->isEnabled());
  dialogs.answers = {Answer::No};
  form->close();
  EXPECT_EQ(Written("File0"), "");
  EXPECT_EQ(Written("Folder"), "");
}

}  // namespace
}  // namespace zantor
