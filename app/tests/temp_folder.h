#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <string>

#include "core/testing/temporary_folder.h"

namespace zantor::testing {

// The core's temporary folder with the writes the application's tests need: raw bytes
// from Qt, and text in code page 932 as the name lists are stored.
class TempFolder : public TemporaryFolder {
 public:
  std::filesystem::path operator/(const std::string& name) const { return File(name); }

  void Write(const std::string& name, const QByteArray& bytes) const {
    WriteFile(File(name), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  }
  void WriteShiftJis(const std::string& name, const QString& text) const {
    QStringEncoder encode("windows-31j");
    Write(name, encode(text));
  }
};

}  // namespace zantor::testing
