#pragma once

#include <QString>
#include <memory>

#include "app/headless_dialogs.h"
#include "app/main_form.h"
#include "core/testing/temporary_folder.h"
#include "tools/demo_image.h"
#include "tools/ntsc_palette.h"

namespace zantor::bench {

// The main window on the demo image, started in a folder of its own with the master palette
// beside it, answering every dialog as a headless run does.
class EditorScene {
 public:
  EditorScene() {
    const auto palette = NtscPalette::FileBytes();
    testing::WriteFile(folder_.File("fcpalette.pal"), {palette.begin(), palette.end()});
    testing::WriteFile(folder_.File("demo.nes"), BuildDemoImage());
    const std::string kinds = "00\r\n01\r\n02\r\n";
    testing::WriteFile(folder_.File("ObjectList.txt"), {kinds.begin(), kinds.end()});
    ProgramEnvironment environment;
    environment.folders.programDir = folder_.Path();
    environment.paletteFile = folder_.File("fcpalette.pal");
    environment.dialogs = &dialogs_;
    form_ = std::make_unique<TMainForm>(environment);
    form_->OpenImage(QString::fromStdString(folder_.File("demo.nes").string()));
  }

  TMainForm& Form() { return *form_; }

 private:
  testing::TemporaryFolder folder_;
  HeadlessDialogs dialogs_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace zantor::bench
