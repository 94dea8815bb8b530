#include "editors/show_unused_chip_num_form.h"

namespace zantor {

TShowUnusedChipNumForm::TShowUnusedChipNumForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ShowUnusedChipNumForm"));
  setWindowTitle(QStringLiteral("未使用チップ番号"));
}

}  // namespace zantor
