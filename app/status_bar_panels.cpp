#include "app/status_bar_panels.h"

#include <QLabel>
#include <QTimer>

namespace zantor {

StatusBarPanels::StatusBarPanels(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(false);
  const int widths[] = {70, 200, 50};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("StatusBarPanel%1").arg(i));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    // Fixed in both directions, a new text repaints the panel alone: a label that may
    // change its size lays the whole bar out again on every pointer move.
    label->setFixedSize(widths[i], label->sizeHint().height());
    addWidget(label);
    panels_[static_cast<std::size_t>(i)] = label;
  }
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("StatusBarNotice"));
  addWidget(notice_, 1);
  noticeTimer_ = new QTimer(this);
  noticeTimer_->setObjectName(QStringLiteral("StatusBarNoticeTimer"));
  noticeTimer_->setSingleShot(true);
  connect(noticeTimer_, &QTimer::timeout, notice_, &QLabel::clear);
}

QString StatusBarPanels::PanelText(int panel) const { return Panel(panel)->text(); }

void StatusBarPanels::SetPanelText(int panel, const QString& text) { Panel(panel)->setText(text); }

void StatusBarPanels::SetStatusText(const std::string& text) {
  SetPanelText(0, QString::fromStdString(text));
}

void StatusBarPanels::ShowPointerText(const QString& text) { SetPanelText(1, text); }

void StatusBarPanels::ShowNotice(const QString& text) {
  notice_->setText(text);
  noticeTimer_->start(kNoticeTime);
}

}  // namespace zantor
