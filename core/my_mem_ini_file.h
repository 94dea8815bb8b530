#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zantor {

// The settings file held in memory: loaded whole at construction, read and written in
// memory, and rewritten on disk only by UpdateFile. Section and key lookups ignore
// ASCII letter case. Sections keep the order in which they were first seen or created,
// entries the order in which they were first written.
class TMyMemIniFile {
 public:
  // Loads path when it exists; otherwise starts empty (the file appears at UpdateFile). A
  // pipe or a device counts as no file; a file that exists but cannot be read (or is larger
  // than kMaxFileSize) also starts empty, and says why in LoadError.
  explicit TMyMemIniFile(std::filesystem::path path);
  // Builds the memory copy from text instead of a file; UpdateFile still writes to path.
  TMyMemIniFile(std::filesystem::path path, const std::string& text);

  static constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

  const std::filesystem::path& FileName() const { return path_; }
  // The system's reason when the file exists but could not be read; empty otherwise.
  const std::string& LoadError() const { return loadError_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  // Decimal, or hexadecimal after "0x" or "$"; anything else gives the default.
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);

  // An integer; non-zero is true. Written as "1" or "0".
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  void WriteBool(const std::string& section, const std::string& key, bool value);

  // Hexadecimal digits in either case, no prefix, at most eight of them (so the value
  // fits 0..0xFFFFFFFF); anything else gives the default. Written in upper case
  // without leading zeros.
  std::int64_t ReadHex(const std::string& section, const std::string& key,
                       std::int64_t fallback) const;
  void WriteHex(const std::string& section, const std::string& key, std::int64_t value);

  // The whole memory copy in file form: "[name]", then "key=value" lines, then one
  // empty line, per section.
  std::string Text() const;
  // Replaces the file with Text(), all or nothing, creating its folder when missing.
  // Returns an empty text on success, else the system's reason for the failure.
  std::string UpdateFile() const;

 private:
  struct Line {
    std::string key;    // empty for a line that is no entry, kept as it stands
    std::string value;  // or the whole line when key is empty
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };

  void Parse(const std::string& text);
  const Line* Find(const std::string& section, const std::string& key) const;
  Section& SectionFor(const std::string& name);

  std::filesystem::path path_;
  std::string loadError_;
  std::vector<Section> sections_;
};

// Upper-case hexadecimal without leading zeros ("990" for 2448, "0" for zero).
std::string FormatHex(std::int64_t value);

}  // namespace zantor
