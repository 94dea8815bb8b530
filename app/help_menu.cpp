#include "app/help_menu.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/help_texts.h"
#include "editors/dialogs.h"

namespace zantor {

namespace {

// A menu caption as the user reads it: without its accelerator mark, key or dots.
QString PlainCaption(const QAction& action) {
  QString caption = action.text();
  caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&|\\.\\.\\.$| - .*$")));
  return caption;
}

void AddShortcutLines(const QMenu& menu, QStringList& lines) {
  for (const QAction* action : menu.actions()) {
    if (action->menu() != nullptr) {
      AddShortcutLines(*action->menu(), lines);
    } else if (!action->shortcut().isEmpty()) {
      lines << action->shortcut().toString(QKeySequence::NativeText) + QStringLiteral(": ") +
                   PlainCaption(*action);
    }
  }
}

}  // namespace

HelpMenu::HelpMenu(QMenuBar& menuBar, const QTabWidget& tabs, Dialogs& dialogs)
    : QObject(&menuBar), menuBar_(menuBar), tabs_(tabs), dialogs_(dialogs) {
  QMenu* menu = menuBar.addMenu(QStringLiteral("ヘルプ(&H)"));
  menu->setObjectName(QStringLiteral("Help1"));
  QAction* guide = menu->addAction(QStringLiteral("操作方法(&M)..."));
  guide->setObjectName(QStringLiteral("OperationGuide1"));
  guide->setShortcut(QKeySequence(Qt::Key_F1));
  QAction* about = menu->addAction(QStringLiteral("バージョン情報(&A)..."));
  about->setObjectName(QStringLiteral("About1"));
  connect(guide, &QAction::triggered, this, &HelpMenu::ShowOperationGuide);
  connect(about, &QAction::triggered, this, &HelpMenu::ShowAbout);
}

void HelpMenu::ShowOperationGuide() {
  const int tab = tabs_.currentIndex();
  ShowText(QStringLiteral("操作方法"),
           OperationGuide(static_cast<EditTab>(tab), tabs_.tabText(tab), ShortcutLines()),
           {560, 520});
}

void HelpMenu::ShowAbout() { ShowText(QStringLiteral("バージョン情報"), AboutText(), {400, 200}); }

QStringList HelpMenu::ShortcutLines() const {
  QStringList lines;
  for (const QAction* action : menuBar_.actions()) {
    if (action->menu() != nullptr) AddShortcutLines(*action->menu(), lines);
  }
  return lines;
}

void HelpMenu::ShowText(const QString& title, const QString& text, QSize size) {
  QDialog dialog(menuBar_.window());
  dialog.setWindowTitle(title);
  dialog.resize(size);
  auto* memo = new QPlainTextEdit(text, &dialog);
  memo->setObjectName(QStringLiteral("MemoHelpText"));
  memo->setReadOnly(true);
  auto* close = new QPushButton(QStringLiteral("閉じる"), &dialog);
  close->setObjectName(QStringLiteral("BtnHelpClose"));
  connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(memo);
  layout->addWidget(close, 0, Qt::AlignRight);
  dialogs_.ExecModal(dialog);
}

}  // namespace zantor
