#include "app/file_dialog_places.h"

#include <QDir>
#include <QFileInfo>

namespace zantor {

QString OpenDialogFolder(const QString& imagePath, const QString& lastFolder) {
  if (!imagePath.isEmpty()) return QFileInfo(imagePath).absolutePath();
  if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) return lastFolder;
  return QDir::homePath();
}

FileDialogRequest BesideImage(FileDialogRequest request, const QString& imagePath,
                              const QString& name) {
  request.folder = QFileInfo(imagePath).absolutePath();
  request.fileName = name;
  return request;
}

QString NameFromImage(const QString& imagePath, const QString& ending) {
  QString name = QFileInfo(imagePath).fileName();
  if (name.endsWith(QStringLiteral(".nes"), Qt::CaseInsensitive)) name.chop(4);
  return name + ending;
}

}  // namespace zantor
