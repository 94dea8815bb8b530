#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/tests/main_form_fixture.h"
#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"

namespace zantor {
namespace {

using Kind = testing::ScriptedDialogs::Kind;

class DropOnWindow : public testing::MainFormTest {
 protected:
  // Drags urls over the window and drops them there; true when the window took them.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_EQ(enter.isAccepted(), drop.isAccepted());
    return enter.isAccepted();
  }
  QUrl Url(const std::string& name) const { return QUrl::fromLocalFile(PathOf(name)); }
  QString Title(const std::string& name) const { return "ZANTOR 5 EDITOR - " + PathOf(name); }
};

// One file opens as File > Open opens it, the save question first.
TEST_F(DropOnWindow, OneFileOpensAfterTheSaveQuestion) {
  WriteImage("other.nes", BuildDemoImage());
  Start();
  EXPECT_TRUE(Drop({Url("demo.nes")}));
  EXPECT_EQ(form->windowTitle(), Title("demo.nes"));
  EXPECT_TRUE(dialogs.log.empty());

  form->Flags().SetMapModified(0, true);
  dialogs.answers = {Answer::Cancel, Answer::No};
  Drop({Url("other.nes")});
  EXPECT_EQ(form->windowTitle(), Title("demo.nes"));
  Drop({Url("other.nes")});
  EXPECT_EQ(dialogs.Texts(Kind::YesNoCancel).size(), 2u);
  EXPECT_EQ(form->windowTitle(), Title("other.nes"));
}

TEST_F(DropOnWindow, SeveralFilesAFolderOrNoLocalFileDoNothing) {
  Start();
  for (const QList<QUrl>& urls : std::vector<QList<QUrl>>{
           {Url("demo.nes"), Url("demo.nes")},
           {QUrl::fromLocalFile(PathOf(""))},
           {QUrl(QStringLiteral("https://example.com/demo.nes"))},
       }) {
    EXPECT_FALSE(Drop(urls));
  }
  EXPECT_FALSE(form->Rom().IsOpen());
  EXPECT_TRUE(dialogs.log.empty());
}

}  // namespace
}  // namespace zantor
