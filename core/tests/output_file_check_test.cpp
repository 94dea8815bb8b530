#include "core/output_file_check.h"

#include <gtest/gtest.h>

#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::WriteFile;

TEST(OutputFileCheck, AnOutputThatIsAnInputByAnyNameIsRefused) {
  TemporaryFolder folder;
  const fs::path image = folder.File("mine.nes");
  WriteFile(image, {1, 2, 3});
  fs::create_directory(folder.File("sub"));
  fs::create_symlink(image, folder.File("link.png"));
  fs::create_hard_link(image, folder.File("hard.png"));
  WriteFile(folder.File("other.png"), {1, 2, 3});  // the same bytes, another file
  const struct {
    fs::path output;
    bool refused;
  } cases[] = {
      {image, true},
      {folder.File("sub/../mine.nes"), true},
      {folder.File("link.png"), true},
      {folder.File("hard.png"), true},
      {folder.File("other.png"), false},
      {folder.File("new.png"), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    const std::string refusal = OutputRefusal(c.output, {folder.File("absent.pal"), image});
    EXPECT_EQ(!refusal.empty(), c.refused) << refusal;
    if (c.refused) {
      EXPECT_NE(refusal.find(image.string()), std::string::npos) << refusal;
    }
  }
}

TEST(OutputFileCheck, TheExtensionIsCheckedInAnyCaseAndBeforeTheInputs) {
  const struct {
    const char* name;
    bool png;
  } cases[] = {{"a.png", true}, {"a.PNG", true},  {"a.Png", true},     {"a.nes", false},
               {"a.pngx", false}, {"png", false}, {".png", false},     {"a.png.nes", false},
               {"dir.png/a", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HasExtension(c.name, ".png"), c.png);
    const std::string refusal = OutputRefusal(c.name, {}, ".png");
    EXPECT_EQ(refusal.empty(), c.png);
    if (!c.png) {
      EXPECT_EQ(refusal, "出力ファイルの拡張子は .png にしてください");
    }
  }
}

}  // namespace
}  // namespace zantor
