#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace zantor::testing {

// A fresh folder for one test, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("zantor_test_" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  void Write(const std::string& name, const QByteArray& bytes) const {
    std::ofstream(path_ / name, std::ios::binary).write(bytes.constData(), bytes.size());
  }
  // Writes text in code page 932, as the name lists are stored.
  void WriteShiftJis(const std::string& name, const QString& text) const {
    QStringEncoder encode("windows-31j");
    Write(name, encode(text));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace zantor::testing
