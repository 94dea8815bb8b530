#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"

namespace zantor {
namespace {

using testing::MainFormTest;
using Kind = testing::ScriptedDialogs::Kind;

// Each write names its file for five seconds beside the panels, the modified mark left
// shown (the patch and the picture keep the image modified); a failed write says nothing.
TEST_F(MainFormTest, ANoticeFollowsEveryWriteButAFailedOne) {
  folder.Write("blocker", "x");
  StartWithDemo();
  form->show();
  auto* notice = Find<QLabel>("StatusBarNotice");
  const auto write = [this](const char* item, const QString& target, bool patch) {
    form->Flags().SetMapModified(0, true);
    if (patch) dialogs.openFiles = {PathOf("demo.nes")};
    if (!target.isEmpty()) dialogs.saveFiles = {target};
    Find<QAction>(item)->trigger();
  };
  for (const auto& [item, target, shown, mark] :
       std::vector<std::tuple<const char*, QString, QString, QString>>{
           {"Save1", "", "保存しました: demo.nes", ""},
           {"SaveAs1", "copy.nes", "保存しました: copy.nes", ""},
           {"MakePatch1", "edits.bps", "パッチを書き出しました: edits.bps", "変更あり"},
           {"ExportStageImage1", "rooms.png", "画像を書き出しました: rooms.png", "変更あり"}}) {
    SCOPED_TRACE(item);
    const bool patch = QString(item) == "MakePatch1";
    notice->clear();
    if (!target.isEmpty()) {
      write(item, PathOf("blocker/" + target.toStdString()), patch);
      EXPECT_EQ(dialogs.Texts(Kind::Error).size(), 1u);
      EXPECT_EQ(notice->text(), QString());
      dialogs.log.clear();
    }
    write(item, target.isEmpty() ? QString() : PathOf(target.toStdString()), patch);
    EXPECT_EQ(notice->text(), shown);
    EXPECT_EQ(StatusPanel(0), mark);
    EXPECT_TRUE(Find<QLabel>("StatusBarPanel0")->isVisible());
  }
  auto* timer = Find<QTimer>("StatusBarNoticeTimer");
  EXPECT_EQ(timer->interval(), 5000);
  timer->start(1);  // as if the five seconds were over
  EXPECT_TRUE(QTest::qWaitFor([notice] { return notice->text().isEmpty(); }));
}

}  // namespace
}  // namespace zantor
