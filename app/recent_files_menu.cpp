#include "app/recent_files_menu.h"

#include <QDir>
#include <QFileInfo>

namespace zantor {

RecentFilesMenu::RecentFilesMenu(std::function<void(const QString&)> chosen, QWidget* parent)
    : QMenu(QStringLiteral("最近使ったファイル(&R)"), parent), chosen_(std::move(chosen)) {
  setObjectName(QStringLiteral("RecentFiles1"));
  setToolTipsVisible(true);
  // The items stay for the whole run and only change their texts: an item that opens an
  // image changes the list while it is still running.
  for (int i = 0; i < RecentFiles::kMaxCount; ++i) {
    QAction* item = addAction(QString());
    connect(item, &QAction::triggered, this, [this, i] {
      const QString path = files_.Paths().value(i);
      if (!path.isEmpty()) chosen_(path);
    });
    items_.push_back(item);
  }
  addSeparator();
  QAction* clearItem = addAction(QStringLiteral("履歴を消去"));
  clearItem->setObjectName(QStringLiteral("ClearRecentFiles1"));
  connect(clearItem, &QAction::triggered, this, [this] {
    files_.Clear();
    ShowList();
  });
  ShowList();
}

void RecentFilesMenu::Read(const TMyMemIniFile& file) {
  files_.Read(file);
  ShowList();
}

void RecentFilesMenu::Add(const QString& path) {
  files_.Add(path);
  ShowList();
}

void RecentFilesMenu::Remove(const QString& path) {
  files_.Remove(path);
  ShowList();
}

void RecentFilesMenu::ShowList() {
  const QStringList& paths = files_.Paths();
  for (int i = 0; i < RecentFiles::kMaxCount; ++i) {
    QAction* item = items_[static_cast<std::size_t>(i)];
    item->setVisible(i < paths.size());
    if (i >= paths.size()) continue;
    const QFileInfo file(paths[i]);
    // An "&" in a file name is shown, not taken as the item's access key.
    item->setText(file.fileName().replace(u'&', QStringLiteral("&&")));
    item->setToolTip(QDir::toNativeSeparators(file.absolutePath()));
  }
  menuAction()->setEnabled(!paths.isEmpty());
}

}  // namespace zantor
