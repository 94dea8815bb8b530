#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace zantor {

// A captioned group of radio buttons laid out in columns, filled column by column; the
// item index is the number a choice stands for.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, int columns,
             QWidget* parent = nullptr);

  int Count() const { return static_cast<int>(buttons_.size()); }
  QString ItemCaption(int index) const;
  void SetItemCaption(int index, const QString& caption);
  // -1 when no item is chosen.
  int ItemIndex() const;
  // Chooses an item from code; does not emit ItemClicked.
  void SetItemIndex(int index);
  QRadioButton* Button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

 signals:
  // The user chose an item (also when it was chosen already).
  void ItemClicked(int index);

 private:
  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace zantor
