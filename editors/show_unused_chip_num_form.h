#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zantor {

class Dialogs;

// The one dialog of the chip reports: a caption, a message line and the report text, which
// the user may select and copy (what is typed into it is never read). Created hidden once
// at start-up and reused.
class TShowUnusedChipNumForm : public QDialog {
  Q_OBJECT

 public:
  explicit TShowUnusedChipNumForm(QWidget* parent = nullptr);

  // Fills the dialog with a report (text with CR LF line ends) and shows it modally.
  void ShowReport(Dialogs& dialogs, const QString& caption, const QString& message,
                  const std::string& report);
  // The merging of duplicate chips: the preview, then, on OK, `replace` (which returns the
  // number of cells changed) and its count in a message. Nothing to merge is said at once.
  void ShowReplacement(Dialogs& dialogs, const std::string& preview,
                       const std::function<int()>& replace);

  QLabel* LblMessage;
  QPlainTextEdit* MemoUnusedChipNum;
  QPushButton* BtnReplaceMapSetChips;
  QPushButton* BtnCancel;

 private:
  void SetReportText(const std::string& report);
  void BtnReplaceMapSetChipsClick();

  Dialogs* dialogs_ = nullptr;
  std::function<int()> replace_;
};

}  // namespace zantor
