#include "app/qt_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <vector>

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

struct NameFilter {
  QString description;
  QString patterns;  // as Qt matches them, separated by blanks
  QString QtFilter() const { return description + QStringLiteral(" (") + patterns + u')'; }
};

std::vector<NameFilter> NameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  std::vector<NameFilter> filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters.push_back({WithoutPatterns(parts[i]), QtPatterns(parts[i + 1])});
  }
  return filters;
}

// Where a file dialog opens: its folder, with the proposed name chosen in it.
QString StartPath(const FileDialogRequest& request) {
  if (request.fileName.isEmpty()) return request.folder;
  return QDir(request.folder).filePath(request.fileName);
}

}  // namespace

QString ToQtNameFilter(const QString& filter) {
  QStringList filters;
  for (const NameFilter& f : NameFilters(filter)) filters.append(f.QtFilter());
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
  const QString path = QFileDialog::getOpenFileName(Parent(), request.title, StartPath(request),
                                                    ToQtNameFilter(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtDialogs::AskSaveFileName(const FileDialogRequest& request) {
  QFileDialog dialog(Parent());
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(ToQtNameFilter(request.filter));
  // The list shows files like the proposed one: its filter is chosen, not the first.
  for (const NameFilter& f : NameFilters(request.filter)) {
    if (QDir::match(f.patterns.split(u' '), request.fileName)) {
      dialog.selectNameFilter(f.QtFilter());
      break;
    }
  }
  if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
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
