#pragma once

#include <QString>

#include "editors/dialogs.h"

namespace zantor {

// Where the file dialogs start and what they propose. imagePath is the open image's absolute
// path, empty while none is open.

// An open dialog starts in the image's folder, else in lastFolder while it still exists,
// else in the home folder.
QString OpenDialogFolder(const QString& imagePath, const QString& lastFolder);
// A dialog placed in the image's folder, proposing `name` there.
FileDialogRequest BesideImage(FileDialogRequest request, const QString& imagePath,
                              const QString& name);
// The name of a file made from the image: the image's name without ".nes", then `ending`.
QString NameFromImage(const QString& imagePath, const QString& ending);

}  // namespace zantor
