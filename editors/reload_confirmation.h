#pragma once

#include <QString>

namespace zantor {

class Dialogs;

// Asks before an editor reads its blocks of the current stage from the image again;
// what names them ("パレット", ...). True for Yes.
bool ConfirmReload(Dialogs& dialogs, const QString& what);

}  // namespace zantor
