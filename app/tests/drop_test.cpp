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

const QString kTitle = QStringLiteral("ZANTOR 5 EDITOR");

class DropOnWindow : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    WriteImage("other.nes", BuildDemoImage());
    Start();
  }

  // Drags urls over the window and drops them there; true when the window took the drag.
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
};

TEST_F(DropOnWindow, OneFileOpensAsFileOpenOpensIt) {
  EXPECT_TRUE(Drop({Url("demo.nes")}));
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("demo.nes"));
  EXPECT_TRUE(form->Rom().IsOpen());
  EXPECT_TRUE(dialogs.log.empty());

  // A file that is no image is refused as Open refuses it.
  folder.Write("bad.nes", QByteArray(64, 'x'));
  EXPECT_TRUE(Drop({Url("bad.nes")}));
  EXPECT_EQ(dialogs.Texts(Kind::Message), std::vector<QString>{"ROMイメージが異常です"});
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("demo.nes"));
}

TEST_F(DropOnWindow, UnsavedChangesAreAskedAboutFirst) {
  ASSERT_TRUE(form->OpenImage(PathOf("demo.nes")));
  form->Flags().SetMapModified(0, true);
  dialogs.answers = {Answer::Cancel, Answer::No};
  Drop({Url("other.nes")});
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("demo.nes"));
  EXPECT_TRUE(form->Flags().IsModified());
  Drop({Url("other.nes")});
  EXPECT_EQ(dialogs.Texts(Kind::YesNoCancel).size(), 2u);
  EXPECT_EQ(form->windowTitle(), kTitle + " - " + PathOf("other.nes"));
  EXPECT_FALSE(form->Flags().IsModified());
}

TEST_F(DropOnWindow, SeveralFilesAFolderOrNoLocalFileDoNothing) {
  const std::vector<QList<QUrl>> refused = {
      {Url("demo.nes"), Url("other.nes")},
      {QUrl::fromLocalFile(PathOf(""))},
      {QUrl(QStringLiteral("https://example.com/demo.nes"))},
      {},
  };
  for (const QList<QUrl>& urls : refused) {
    EXPECT_FALSE(Drop(urls)) << urls.size();
    EXPECT_EQ(form->windowTitle(), kTitle);
    EXPECT_FALSE(form->Rom().IsOpen());
  }
  EXPECT_TRUE(dialogs.log.empty());
}

}  // namespace
}  // namespace zantor
