#include "app/emulator_command.h"

#include <gtest/gtest.h>

namespace zantor {
namespace {

TEST(SplitShellWords, SplitsAsAShellDoesWithoutExpanding) {
  const struct {
    const char* line;
    QStringList words;
  } cases[] = {
      {"", {}},
      {" \t\n", {}},
      {"fceux", {"fceux"}},
      {"  mednafen  -force_module nes\t%f ", {"mednafen", "-force_module", "nes", "%f"}},
      {"emu 'a  b' \"c  d\"", {"emu", "a  b", "c  d"}},
      {"'it'\\''s' \"x\"y'z'", {"it's", "xyz"}},
      {"'' \"\"", {"", ""}},
      {"a\\ b \\'c \\\\", {"a b", "'c", "\\"}},
      {"\"\\\" \\$ \\` \\\\ \\n\" '\\\"'", {"\" $ ` \\ \\n", "\\\""}},
      {"'$HOME' ~/emu *.nes", {"$HOME", "~/emu", "*.nes"}},
      {"エミュ \"テスト プレイ\"", {"エミュ", "テスト プレイ"}},
      {"trailing\\", {"trailing\\"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto words = SplitShellWords(QString::fromUtf8(c.line));
    ASSERT_TRUE(words.has_value());
    EXPECT_EQ(*words, c.words);
  }
  for (const char* open : {"emu 'a", "emu \"a", "emu \"a\\\"", "'"}) {
    EXPECT_FALSE(SplitShellWords(QString::fromUtf8(open)).has_value()) << open;
  }
}

}  // namespace
}  // namespace zantor
