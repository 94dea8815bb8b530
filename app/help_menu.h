#pragma once

#include <QObject>
#include <QSize>
#include <QStringList>

class QAction;
class QMenuBar;
class QTabWidget;

namespace zantor {

class Dialogs;

// The Help menu: the operation guide of the tab being shown and the version box, each in
// a read-only text dialog.
class HelpMenu : public QObject {
  Q_OBJECT

 public:
  // Adds the menu at the end of the menu bar; its items name the shortcuts of every item
  // the bar holds when they are chosen.
  HelpMenu(QMenuBar& menuBar, const QTabWidget& tabs, Dialogs& dialogs);

  void ShowOperationGuide();
  void ShowAbout();

 private:
  // "Ctrl+Z: 元に戻す" for every item of the menu bar with a shortcut.
  QStringList ShortcutLines() const;
  void ShowText(const QString& title, const QString& text, QSize size);

  QMenuBar& menuBar_;
  const QTabWidget& tabs_;
  Dialogs& dialogs_;
};

}  // namespace zantor
