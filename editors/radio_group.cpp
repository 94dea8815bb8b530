#include "editors/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace zantor {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setVerticalSpacing(0);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    layout->addWidget(button, i % rows, i / rows);
    group_->addButton(button, i);
    buttons_.push_back(button);
  }
  // Columns of equal width, whatever their captions.
  for (int column = 0; column < columns; ++column) layout->setColumnStretch(column, 1);
  connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::ItemClicked);
}

QString RadioGroup::ItemCaption(int index) const { return Button(index)->text(); }

void RadioGroup::SetItemCaption(int index, const QString& caption) {
  Button(index)->setText(caption);
}

int RadioGroup::ItemIndex() const { return group_->checkedId(); }

void RadioGroup::SetItemIndex(int index) {
  if (index < 0 || index >= Count()) {
    // Unchecking needs the group's exclusivity lifted for a moment.
    group_->setExclusive(false);
    for (QRadioButton* b : buttons_) b->setChecked(false);
    group_->setExclusive(true);
    return;
  }
  Button(index)->setChecked(true);
}

}  // namespace zantor
