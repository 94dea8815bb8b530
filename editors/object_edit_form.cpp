#include "editors/object_edit_form.h"

namespace zantor {

TObjectEditForm::TObjectEditForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ObjectEditForm"));
  setWindowTitle(QStringLiteral("部屋番号XXのオブジェクトの編集"));
}

}  // namespace zantor
