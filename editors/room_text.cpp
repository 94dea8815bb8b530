#include "editors/room_text.h"

#include <array>
#include <optional>

#include "editors/hex_token.h"

namespace zantor {

namespace {

bool IsSeparator(char16_t c) { return c == u' ' || c == u'\t'; }

// X, Y and kind from the front of a line; nothing when a field before them fails.
std::optional<ObjectEntry> ParseObjectLine(std::u16string_view line) {
  std::array<int, 3> fields{};
  std::size_t field = 0;
  std::size_t tokenStart = 0;
  // One position past the end reads as a blank, so the last field is ended too.
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && !IsSeparator(line[i])) continue;
    if (i > tokenStart) {
      const auto value = HexLowByteToken(line.substr(tokenStart, i - tokenStart));
      if (!value) return std::nullopt;
      fields[field++] = *value;
      if (field == fields.size()) return ObjectEntry{fields[0], fields[1], fields[2]};
    }
    tokenStart = i + 1;
  }
  return std::nullopt;
}

}  // namespace

std::u16string RoomText(const StageData::ObjectList& objects) {
  std::u16string text;
  for (const ObjectEntry& object : objects) {
    AppendTwoDigitHex(text, object.X);
    text += u' ';
    AppendTwoDigitHex(text, object.Y);
    text += u' ';
    AppendTwoDigitHex(text, object.Kind);
    text += u"\r\n";
  }
  return text;
}

std::vector<std::u16string> TextLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

void ApplyRoomText(StageData& stage, int room, std::span<const std::u16string> lines) {
  stage.ClearRoom(room);
  for (const std::u16string& line : lines) {
    const auto object = ParseObjectLine(line);
    if (object && stage.ObjectCount() < kMaxObjects) {
      stage.AddObject(room, object->X, object->Y, object->Kind);
    }
  }
}

}  // namespace zantor
