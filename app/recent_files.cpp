#include "app/recent_files.h"

#include <QFileInfo>

#include "core/my_mem_ini_file.h"

namespace zantor {

namespace {

constexpr char kSection[] = "RecentFiles";

std::string FileKey(int index) { return "File" + std::to_string(index); }

// The same file under either name: equal paths, or the same file after the links.
bool SameFile(const QString& a, const QString& b) {
  if (a == b) return true;
  const QString real = QFileInfo(a).canonicalFilePath();
  return !real.isEmpty() && real == QFileInfo(b).canonicalFilePath();
}

}  // namespace

void RecentFiles::Read(const TMyMemIniFile& file) {
  paths_.clear();
  for (int i = 0; i < kMaxCount; ++i) {
    const QString path = QString::fromStdString(file.ReadString(kSection, FileKey(i), ""));
    if (!path.isEmpty() && !paths_.contains(path)) paths_.append(path);
  }
  folder_ = QString::fromStdString(file.ReadString(kSection, "Folder", ""));
}

void RecentFiles::Write(TMyMemIniFile& file) const {
  for (int i = 0; i < kMaxCount; ++i) {
    file.WriteString(kSection, FileKey(i), i < paths_.size() ? paths_[i].toStdString() : "");
  }
  file.WriteString(kSection, "Folder", folder_.toStdString());
}

void RecentFiles::Add(const QString& path) {
  paths_.removeIf([&path](const QString& listed) { return SameFile(listed, path); });
  paths_.prepend(path);
  if (paths_.size() > kMaxCount) paths_.resize(kMaxCount);
  folder_ = QFileInfo(path).absolutePath();
}

void RecentFiles::Remove(const QString& path) { paths_.removeAll(path); }

void RecentFiles::Clear() {
  paths_.clear();
  folder_.clear();
}

}  // namespace zantor
