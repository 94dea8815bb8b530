#pragma once

#include <QMenu>
#include <functional>
#include <vector>

#include "app/recent_files.h"

namespace zantor {

// The File menu's "最近使ったファイル(&R)": one item per recent image, newest first, showing
// its file name with its folder as the hint, then "履歴を消去"; disabled while empty.
// Every change to the list goes through here, so the items always show it.
class RecentFilesMenu : public QMenu {
 public:
  // chosen: runs when the user picks an image.
  RecentFilesMenu(std::function<void(const QString&)> chosen, QWidget* parent);

  void Read(const TMyMemIniFile& file);
  void Write(TMyMemIniFile& file) const { files_.Write(file); }
  void Add(const QString& path);
  void Remove(const QString& path);
  // The folder of the last image opened or saved; empty when none.
  const QString& Folder() const { return files_.Folder(); }

 private:
  void ShowList();

  RecentFiles files_;
  std::vector<QAction*> items_;
  std::function<void(const QString&)> chosen_;
};

}  // namespace zantor
