#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/main_form.h"
#include "app/tests/temp_folder.h"
#include "core/rom_image_data.h"
#include "editors/testing/scripted_dialogs.h"
#include "graphics/image_ex.h"
#include "tools/demo_image.h"
#include "tools/demo_palettes.h"
#include "tools/ntsc_palette.h"

namespace zantor::testing {

// The colour pictures show for NES colour number n (the master palette beside the program).
inline std::uint32_t NesColor(int number) {
  const auto rgb = NtscPalette::Color(number & 0x3F);
  return rgb.r | (rgb.g << 8) | (rgb.b << 16);
}

// The NES colour that replaces colour `colour` (1..3) of a sub-palette in frame `frame` of
// the demo's animation `animation`.
inline std::uint32_t SequenceColor(int animation, int frame, int colour) {
  const int script = DemoPalettes::PointerTable()[animation];
  const int colourSet = DemoPalettes::Scripts()[script + 2 + frame];
  return NesColor(DemoPalettes::ColourSets()[colourSet * 3 + colour - 1]);
}

// A main window started in its own program folder, with the master palette, the object
// list and the demo image beside it, and every dialog scripted.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto palette = NtscPalette::FileBytes();
    WriteFile(folder / "fcpalette.pal", {palette.begin(), palette.end()});
    WriteImage("demo.nes", BuildDemoImage());
    folder.WriteShiftJis("ObjectList.txt", QStringLiteral("00 なし\r\n01 テスト"));
    environment.folders.programDir = folder.Path();
    environment.paletteFile = folder / "fcpalette.pal";
    environment.dialogs = &dialogs;
  }

  void TearDown() override {
    EXPECT_TRUE(dialogs.AllScriptedAnswersUsed()) << "a scripted answer was not asked for";
  }

  void WriteImage(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    WriteFile(folder / name, bytes);
  }

  QString PathOf(const std::string& name) const {
    return QString::fromStdU16String((folder / name).u16string());
  }

  TMainForm& Start() {
    form = std::make_unique<TMainForm>(environment);
    return *form;
  }

  TMainForm& StartWithDemo() {
    Start();
    EXPECT_TRUE(form->OpenImage(PathOf("demo.nes")));
    return *form;
  }

  template <typename T>
  T* Find(const char* name) const {
    T* found = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  QString StatusPanel(int panel) const {
    return Find<QLabel>(QStringLiteral("StatusBarPanel%1").arg(panel).toLatin1().constData())
        ->text();
  }

  // The user's hand on the controls.
  TImageEx* Image(const QString& name) const { return Find<TImageEx>(name.toLatin1().constData()); }
  void Click(const QString& image, Qt::MouseButton button, QPoint at,
             Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::mouseClick(Image(image), button, keys, at);
  }
  void Move(const QString& image, QPoint at, Qt::MouseButtons held = Qt::NoButton,
            Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QMouseEvent move(QEvent::MouseMove, at, Image(image)->mapToGlobal(at), Qt::NoButton, held,
                     keys);
    QApplication::sendEvent(Image(image), &move);
  }
  void Leave(const QString& image) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Image(image), &leave);
  }
  // Counts the drawings on a picture from now on.
  int* CountDrawings(const QString& image) {
    auto counter = std::make_shared<int>(0);
    Image(image)->Picture()->SetChangeHandler([counter](const PixelRect&) { ++*counter; });
    counters.push_back(counter);
    return counter.get();
  }
  void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  // The window shown and active, so that its keyboard shortcuts reach it.
  void ActivateWindow() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  StageData& Stage() { return form->Rom().CurrentStageData(); }
  QString Label(const QString& name) const {
    return Find<QLabel>(name.toLatin1().constData())->text();
  }
  // The colour a chip sheet index shows in the stored colours of palette definition 0.
  std::uint32_t Shown(int index) { return NesColor(Stage().BGPalette()[index]); }

  TempFolder folder;
  ScriptedDialogs dialogs;
  // The program's folder alone, with the master palette named by its path there.
  ProgramEnvironment environment;
  std::unique_ptr<TMainForm> form;
  std::vector<std::shared_ptr<int>> counters;
};

// One tab on the demo image, with the frame timer stopped: the pictures keep the stored
// colours until a test ticks.
template <EditTab kTab>
class TabTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    StartWithDemo();
    Show();
  }
  void Show() {
    Find<QTimer>("FrameTimer")->stop();
    form->ShowTab(kTab);
  }
};

}  // namespace zantor::testing
