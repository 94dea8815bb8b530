#include "editors/object_edit_form.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editors/japanese_fonts.h"
#include "editors/room_text.h"
#include "editors/two_digit_hex.h"

namespace zantor {

TObjectEditForm::TObjectEditForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ObjectEditForm"));
  setWindowTitle(QStringLiteral("部屋番号XXのオブジェクトの編集"));
  setFixedSize(268, 301);
  setFont(ProportionalGothic(12));

  Label1 = new QLabel(QStringLiteral("\"X座標 Y座標 種類\"を1列に記述して下さい"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(16, 8, 241, 16);
  MemoObjectEdit = new QPlainTextEdit(QStringLiteral("00 00 00"), this);
  MemoObjectEdit->setObjectName(QStringLiteral("MemoObjectEdit"));
  MemoObjectEdit->setGeometry(16, 32, 241, 201);
  MemoObjectEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoObjectEdit->setTabChangesFocus(true);
  MemoObjectEdit->setFont(FixedGothic(15));
  BtnOK = new QPushButton(QStringLiteral("OK"), this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setGeometry(96, 256, 75, 25);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnCancel->setGeometry(184, 256, 75, 25);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TObjectEditForm::PrepareObjectDialog(int room, std::u16string_view text) {
  setWindowTitle(QStringLiteral("部屋番号") + TwoDigitHex(room) +
                 QStringLiteral("のオブジェクトの編集"));
  MemoObjectEdit->setPlainText(QString::fromUtf16(text.data(), text.size()));
  MemoObjectEdit->setFocus();
}

std::vector<std::u16string> TObjectEditForm::MemoLines() const {
  return TextLines(MemoObjectEdit->toPlainText().toStdU16String());
}

}  // namespace zantor
