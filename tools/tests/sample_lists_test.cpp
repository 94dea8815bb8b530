#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zantor {
namespace {

// The lines of a committed sample list; every line must end in CR LF.
std::vector<std::string> CrLfLines(const std::string& name) {
  std::ifstream file(std::filesystem::path(ZANTOR_SAMPLE_LISTS_DIR) / name, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), {}};
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) {
      ADD_FAILURE() << name << " ends without CR LF";
      break;
    }
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 2;
  }
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << name << ": lone CR or LF";
  }
  return lines;
}

std::string Hex(int value, int digits) {
  char text[8];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

TEST(SampleLists, ChipAttributesNameEveryNibbleOfEveryBlock) {
  const std::vector<std::string> lines = CrLfLines("ChipAttributes.txt");
  ASSERT_EQ(lines.size(), 64u);
  EXPECT_EQ(lines[0], "0x \x94\x77\x8C\x69");  // "0x 背景" in Shift JIS
  for (int i = 0; i < 64; ++i) {
    const int nibble = i % 16;
    const int block = i / 16;
    const std::string prefix = Hex(nibble, 1) + (block == 0 ? "x" : Hex(block * 4, 1)) + " ";
    EXPECT_EQ(lines[i].substr(0, 3), prefix) << "line " << i;
    EXPECT_GT(lines[i].size(), 3u);
  }
}

TEST(SampleLists, ObjectListNamesEveryKind) {
  const std::vector<std::string> lines = CrLfLines("ObjectList.txt");
  ASSERT_EQ(lines.size(), 256u);
  EXPECT_EQ(lines[0], "00 \x82\xC8\x82\xB5");  // "00 なし" in Shift JIS
  for (int kind = 0; kind < 256; ++kind) {
    EXPECT_EQ(lines[kind].substr(0, 3), Hex(kind, 2) + " ") << "line " << kind;
    EXPECT_GT(lines[kind].size(), 3u);
  }
}

}  // namespace
}  // namespace zantor
