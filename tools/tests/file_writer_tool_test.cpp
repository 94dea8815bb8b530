#include "tools/file_writer_tool.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "core/testing/temporary_folder.h"

namespace zantor {
namespace {

TEST(FileWriterTool, WritesTheBytesOrSaysWhyNotInItsExitCodeAndOnStderr) {
  const testing::TemporaryFolder folder;
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  std::string program = "tool";
  std::string target = folder.File("out.bin").string();
  std::string below_a_file = (folder.File("out.bin") / "x").string();
  char* writes[] = {program.data(), target.data()};
  char* fails[] = {program.data(), below_a_file.data()};

  EXPECT_EQ(RunFileWriterTool(2, writes, bytes), 0);
  EXPECT_EQ(testing::ReadFile(folder.File("out.bin")), bytes);

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunFileWriterTool(2, fails, bytes), 1);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find(std::system_category().message(ENOTDIR)),
            std::string::npos);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunFileWriterTool(1, writes, bytes), 2);
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace zantor
