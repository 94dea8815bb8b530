#include "app/toolkit_translations.h"

#include <QCoreApplication>

namespace zantor {

std::unique_ptr<QTranslator> InstallToolkitTranslations(const QString& folder) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_ja"), folder) ||
      !QCoreApplication::installTranslator(translator.get())) {
    return nullptr;
  }
  return translator;
}

}  // namespace zantor
