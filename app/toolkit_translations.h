#pragma once

#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <memory>

namespace zantor {

// The toolkit's own texts in Japanese (file dialogs, standard buttons, the overwrite
// question, the menus of edit boxes), read from qtbase_ja.qm in `folder` and in force while
// the translator lives. Without that file the English texts stay: nothing is installed and
// nothing reported.
std::unique_ptr<QTranslator> InstallToolkitTranslations(
    const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

}  // namespace zantor
