#pragma once

#include <filesystem>
#include <string>

namespace zantor {

// The general error reports of a file that could not be read or written, with the
// system's reason.
inline std::string CannotOpenReport(const std::filesystem::path& path, const std::string& reason) {
  return "ファイル \"" + path.string() + "\" を開けません。\n" + reason;
}
inline std::string CannotWriteReport(const std::filesystem::path& path, const std::string& reason) {
  return "ファイル \"" + path.string() + "\" に書き込めません。\n" + reason;
}

// How the core speaks to the user without knowing about widgets: the main window shows
// these in message boxes, tests record them.
class UserNotifier {
 public:
  virtual ~UserNotifier() = default;
  // A plain message with one OK button ("ファイルを開けませんでした", ...).
  virtual void ShowMessage(const std::string& text) = 0;
  // The application's general error report: a failed file operation with the
  // system's reason in the text.
  virtual void ReportError(const std::string& text) = 0;
};

// The modified mark of the status bar's first panel.
class StatusTextSink {
 public:
  virtual ~StatusTextSink() = default;
  virtual void SetStatusText(const std::string& text) = 0;
};

}  // namespace zantor
