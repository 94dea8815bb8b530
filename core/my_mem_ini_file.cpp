#include "core/my_mem_ini_file.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/atomic_file_writer.h"
#include "core/file_reading.h"

namespace zantor {

namespace {

std::string Trim(const std::string& s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && blank(s[begin])) ++begin;
  while (end > begin && blank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

bool SameText(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
         });
}

// Parses all of text as an integer of the given base; nothing may be left over.
bool ParseWhole(const std::string& text, int base, std::int64_t& out) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, out, base);
  return ec == std::errc() && end == last;
}

bool IsHexDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  });
}

}  // namespace

std::string FormatHex(std::int64_t value) {
  char buffer[32];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(value), 16);
  std::string text(buffer, end);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
  return text;
}

TMyMemIniFile::TMyMemIniFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code missing;
  if (!std::filesystem::exists(path_, missing)) return;
  const FileContent file = ReadFileUpTo(path_, kMaxFileSize);
  if (file.notAFile) return;
  if (!file.error.empty()) {
    loadError_ = file.error;
    return;
  }
  if (file.bytes.size() > kMaxFileSize) {
    loadError_ = std::make_error_code(std::errc::file_too_large).message();
    return;
  }
  Parse(std::string(file.bytes.begin(), file.bytes.end()));
}

TMyMemIniFile::TMyMemIniFile(std::filesystem::path path, const std::string& text)
    : path_(std::move(path)) {
  Parse(text);
}

void TMyMemIniFile::Parse(const std::string& text) {
  // Editors elsewhere may start the file with a UTF-8 byte order mark; left in place it
  // would hide the first section.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::istringstream lines(text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size())
                                                            : text);
  Section* current = nullptr;
  std::string raw;
  while (std::getline(lines, raw)) {
    const std::string line = Trim(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = &SectionFor(Trim(line.substr(1, line.size() - 2)));
      continue;
    }
    if (current == nullptr) continue;  // text before the first section
    // A line without "=" or without a key is no entry and is kept as it stands.
    const std::size_t eq = line.find('=');
    const std::string key = eq == std::string::npos ? "" : Trim(line.substr(0, eq));
    if (key.empty()) {
      current->lines.push_back({"", line});
    } else {
      current->lines.push_back({key, Trim(line.substr(eq + 1))});
    }
  }
}

TMyMemIniFile::Section& TMyMemIniFile::SectionFor(const std::string& name) {
  for (Section& s : sections_) {
    if (SameText(s.name, name)) return s;
  }
  sections_.push_back({name, {}});
  return sections_.back();
}

const TMyMemIniFile::Line* TMyMemIniFile::Find(const std::string& section,
                                               const std::string& key) const {
  for (const Section& s : sections_) {
    if (!SameText(s.name, section)) continue;
    for (const Line& line : s.lines) {
      if (!line.key.empty() && SameText(line.key, key)) return &line;
    }
    return nullptr;
  }
  return nullptr;
}

std::string TMyMemIniFile::ReadString(const std::string& section, const std::string& key,
                                      const std::string& fallback) const {
  const Line* line = Find(section, key);
  return line != nullptr ? line->value : fallback;
}

void TMyMemIniFile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
  Section& s = SectionFor(section);
  for (Line& line : s.lines) {
    if (!line.key.empty() && SameText(line.key, key)) {
      line.value = value;  // the key keeps the spelling it has in the file
      return;
    }
  }
  s.lines.push_back({key, value});
}

int TMyMemIniFile::ReadInteger(const std::string& section, const std::string& key,
                               int fallback) const {
  const std::string text = ReadString(section, key, "");
  std::int64_t value = 0;
  bool ok = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    ok = IsHexDigits(text.substr(2)) && ParseWhole(text.substr(2), 16, value);
  } else if (text.size() > 1 && text[0] == '$') {
    ok = IsHexDigits(text.substr(1)) && ParseWhole(text.substr(1), 16, value);
  } else {
    ok = ParseWhole(text, 10, value);
  }
  if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return fallback;
  }
  return static_cast<int>(value);
}

void TMyMemIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

bool TMyMemIniFile::ReadBool(const std::string& section, const std::string& key,
                             bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TMyMemIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::int64_t TMyMemIniFile::ReadHex(const std::string& section, const std::string& key,
                                    std::int64_t fallback) const {
  const std::string text = ReadString(section, key, FormatHex(fallback));
  std::int64_t value = 0;
  if (text.size() > 8 || !IsHexDigits(text) || !ParseWhole(text, 16, value)) return fallback;
  return value;
}

void TMyMemIniFile::WriteHex(const std::string& section, const std::string& key,
                             std::int64_t value) {
  WriteString(section, key, FormatHex(value));
}

std::string TMyMemIniFile::Text() const {
  std::string text;
  for (const Section& s : sections_) {
    text += "[" + s.name + "]\n";
    for (const Line& line : s.lines) {
      text += line.key.empty() ? line.value : line.key + "=" + line.value;
      text += "\n";
    }
    text += "\n";
  }
  return text;
}

std::string TMyMemIniFile::UpdateFile() const {
  // A settings file away from the program comes with its own folder.
  std::error_code folderError;
  if (const auto folder = path_.parent_path();
      !folder.empty() && !std::filesystem::exists(folder, folderError)) {
    std::filesystem::create_directories(folder, folderError);
  }
  if (folderError) return folderError.message();
  // Rewritten at every exit: a failure then must not cost the user the file.
  const std::string text = Text();
  return AtomicFileWriter().Write(
      path_, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace zantor
