#include "editors/up_down_buttons.h"

#include <QBoxLayout>
#include <QToolButton>

namespace zantor {

UpDownButtons::UpDownButtons(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  const bool vertical = orientation == Qt::Vertical;
  up_->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
  down_->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  auto* layout = new QBoxLayout(vertical ? QBoxLayout::TopToBottom : QBoxLayout::RightToLeft, this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  connect(up_, &QToolButton::clicked, this, [this] { emit ChangingEx(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { emit ChangingEx(-1); });
}

}  // namespace zantor
