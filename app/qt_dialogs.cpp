#include "app/qt_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace zantor {

namespace {

// Qt reads the patterns from the brackets at the end of each filter, separated by blanks.
// "*.*" means every file where the filter string comes from; Qt would take it literally
// and hide the files without a dot.
QString QtPatterns(const QString& patterns) {
  QStringList qt = patterns.split(u';', Qt::SkipEmptyParts);
  for (QString& pattern : qt) {
    if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
  }
  return qt.join(u' ');
}

QString WithoutPatterns(const QString& description) {
  const qsizetype open = description.lastIndexOf(u'(');
  if (open < 0 || !description.endsWith(u')')) return description;
  return description.left(open).trimmed();
}

}  // namespace

QString ToQtNameFilter(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters.append(WithoutPatterns(parts[i]) + QStringLiteral(" (") + QtPatterns(parts[i + 1]) +
                   u')');
  }
  return filters.join(QStringLiteral(";;"));
}

QWidget* QtDialogs::Parent() const {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : owner_;
}

void QtDialogs::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                  Parent());
  box.exec();
}

void QtDialogs::ShowError(const QString& text) {
  QMessageBox::critical(Parent(), QApplication::applicationName(), text);
}

bool QtDialogs::Confirm(const QString& text) {
  return QMessageBox::question(Parent(), QApplication::applicationName(), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer QtDialogs::AskYesNoCancel(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent());
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

std::optional<QString> QtDialogs::AskOpenFileName(const FileDialogRequest& request) {
  const QString path =
      QFileDialog::getOpenFileName(Parent(), QString(), QString(), ToQtNameFilter(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtDialogs::AskSaveFileName(const FileDialogRequest& request) {
  QFileDialog dialog(Parent());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(ToQtNameFilter(request.filter));
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.setSizeGripEnabled(true);
  // Asking before an existing file is replaced is the dialog's default; keep it so.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().front();
}

std::optional<QString> QtDialogs::InputBox(const QString& caption, const QString& prompt,
                                           const QString& value) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(Parent(), caption, prompt, QLineEdit::Normal, value, &ok);
  if (!ok) return std::nullopt;
  return text;
}

int QtDialogs::ExecModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace zantor
