#pragma once

#include <QString>
#include <functional>

namespace zantor {

class Dialogs;
class StageData;
class TabEditor;

// Asks before an editor reads its blocks of the current stage from the image again;
// what names them ("パレット", ...). True for Yes.
bool ConfirmReload(Dialogs& dialogs, const QString& what);

// An editor's reload of undoable blocks: after a Yes, `load` reads them from the image
// again, the stage's whole history goes (every kind: undoing past a reload would bring
// dropped edits back) and the editor starts again. Modified flags stay.
void ReloadAfterConfirming(Dialogs& dialogs, const QString& what, StageData& stage,
                           const std::function<void(StageData&)>& load, TabEditor& editor);

}  // namespace zantor
