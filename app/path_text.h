#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <filesystem>

namespace zantor {

// Paths cross between Qt and the core as UTF-16, which keeps every character on every
// platform.
inline std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

inline QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

// A file's path as the window keeps and shows it, however it was named: absolute, without
// "." or ".." steps.
inline QString AbsoluteFilePath(const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace zantor
