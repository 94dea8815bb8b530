#include "editors/reload_confirmation.h"

#include "editors/dialogs.h"

namespace zantor {

bool ConfirmReload(Dialogs& dialogs, const QString& what) {
  return dialogs.Confirm(QStringLiteral("このステージの") + what +
                         QStringLiteral("を読み込み直します。よろしいですか？"));
}

}  // namespace zantor
