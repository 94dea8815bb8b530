#pragma once

#include <QString>
#include <QStringList>

namespace zantor {

class TMyMemIniFile;

// The images last opened or saved, newest first, one entry per file, and the folder of the
// last one; kept in the settings file's RecentFiles section (File0 to File7, Folder).
class RecentFiles {
 public:
  static constexpr int kMaxCount = 8;

  void Read(const TMyMemIniFile& file);
  // Every key, those of missing entries empty, so a shorter list replaces a longer one.
  void Write(TMyMemIniFile& file) const;

  // Puts an absolute path first. An entry for the same file goes, also one that reaches it
  // through another name (a link): the file is listed once, by the name last used.
  void Add(const QString& path);
  void Remove(const QString& path);
  // Forgets the entries and the folder.
  void Clear();

  const QStringList& Paths() const { return paths_; }
  // Empty until an image was opened or saved.
  const QString& Folder() const { return folder_; }

 private:
  QStringList paths_;
  QString folder_;
};

}  // namespace zantor
