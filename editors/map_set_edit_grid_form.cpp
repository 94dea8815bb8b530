#include "editors/map_set_edit_grid_form.h"

namespace zantor {

TMapSetEditGridForm::TMapSetEditGridForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("MapSetEditGridForm"));
  setWindowTitle(QStringLiteral("マップセットの編集"));
}

}  // namespace zantor
