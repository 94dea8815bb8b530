#include "editors/reload_confirmation.h"

#include "core/stage_data.h"
#include "editors/dialogs.h"
#include "editors/tab_editor.h"

namespace zantor {

bool ConfirmReload(Dialogs& dialogs, const QString& what) {
  return dialogs.Confirm(QStringLiteral("このステージの") + what +
                         QStringLiteral("を読み込み直します。よろしいですか？"));
}

void ReloadAfterConfirming(Dialogs& dialogs, const QString& what, StageData& stage,
                           const std::function<void(StageData&)>& load, TabEditor& editor) {
  if (!ConfirmReload(dialogs, what)) return;
  load(stage);
  stage.ClearHistory();
  editor.Reset();
}

}  // namespace zantor
