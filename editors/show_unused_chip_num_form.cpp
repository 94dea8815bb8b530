#include "editors/show_unused_chip_num_form.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editors/dialogs.h"
#include "editors/japanese_fonts.h"

namespace zantor {

TShowUnusedChipNumForm::TShowUnusedChipNumForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ShowUnusedChipNumForm"));
  setWindowTitle(QStringLiteral("未使用チップ番号"));
  setFixedSize(339, 298);
  setFont(ProportionalGothic(12));
  LblMessage = new QLabel(QStringLiteral("未使用チップ番号は"), this);
  LblMessage->setObjectName(QStringLiteral("LblMessage"));
  LblMessage->move(8, 8);
  MemoUnusedChipNum = new QPlainTextEdit(this);
  MemoUnusedChipNum->setObjectName(QStringLiteral("MemoUnusedChipNum"));
  MemoUnusedChipNum->setGeometry(8, 32, 321, 225);
  MemoUnusedChipNum->setFont(FixedGothic(12));
  BtnReplaceMapSetChips = new QPushButton(QStringLiteral("OK"), this);
  BtnReplaceMapSetChips->setObjectName(QStringLiteral("BtnReplaceMapSetChips"));
  BtnReplaceMapSetChips->setGeometry(168, 264, 75, 25);
  BtnReplaceMapSetChips->hide();
  BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnCancel->setGeometry(256, 264, 75, 25);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(BtnReplaceMapSetChips, &QPushButton::clicked, this,
          &TShowUnusedChipNumForm::BtnReplaceMapSetChipsClick);
}

void TShowUnusedChipNumForm::SetReportText(const std::string& report) {
  // One line of the report per line of the memo: the CR of each CR LF would show as a stray
  // character.
  QString text = QString::fromStdString(report);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  MemoUnusedChipNum->setPlainText(text);
}

void TShowUnusedChipNumForm::ShowReport(Dialogs& dialogs, const QString& caption,
                                        const QString& message, const std::string& report) {
  setWindowTitle(caption);
  LblMessage->setText(message);
  LblMessage->adjustSize();
  SetReportText(report);
  dialogs.ExecModal(*this);
}

void TShowUnusedChipNumForm::ShowReplacement(Dialogs& dialogs, const std::string& preview,
                                             const std::function<int()>& replace) {
  SetReportText(preview);
  if (preview.empty()) {
    dialogs.ShowMessage(QStringLiteral("置換対象チップはありません。"));
    return;
  }
  // The caption of the duplicate report, which names what is being done.
  setWindowTitle(QStringLiteral("重複チップの置換"));
  LblMessage->setText(QStringLiteral("マップセット内のチップ番号を以下のように置換します"));
  LblMessage->adjustSize();
  dialogs_ = &dialogs;
  replace_ = replace;
  BtnReplaceMapSetChips->show();
  dialogs.ExecModal(*this);
  // However the dialog was closed, the next report has no OK.
  BtnReplaceMapSetChips->hide();
  replace_ = nullptr;
}

void TShowUnusedChipNumForm::BtnReplaceMapSetChipsClick() {
  const int changed = replace_();
  dialogs_->ShowMessage(QString::number(changed) + QStringLiteral("個のチップを置換しました"));
  accept();
}

}  // namespace zantor
