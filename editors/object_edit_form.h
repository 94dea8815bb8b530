#pragma once

#include <QDialog>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zantor {

// The dialog for a room's objects edited as lines of text; created hidden once at start-up and
// reused. It shows a text for a room and, after OK, gives back the lines the user left; it
// never touches the stage. OK accepts; Cancel, Escape and the frame's close reject.
class TObjectEditForm : public QDialog {
  Q_OBJECT

 public:
  explicit TObjectEditForm(QWidget* parent = nullptr);

  // Before every showing: the caption for the room, the memo holding text.
  void PrepareObjectDialog(int room, std::u16string_view text);
  // The memo's lines without their ends.
  std::vector<std::u16string> MemoLines() const;

 private:
  QLabel* Label1 = nullptr;
  QPlainTextEdit* MemoObjectEdit = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnCancel = nullptr;
};

}  // namespace zantor
