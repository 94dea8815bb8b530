#pragma once

#include <QStatusBar>
#include <array>
#include <chrono>

#include "core/user_notifier.h"
#include "editors/pointer_status.h"

class QLabel;
class QTimer;

namespace zantor {

// The main window's status bar: three panels of fixed widths. Panel 0 carries the
// modified mark, panel 1 what the pointer is over, panel 2 stays empty. A notice beside
// them says for a while what was just done, leaving the panels as they are.
class StatusBarPanels : public QStatusBar, public StatusTextSink, public PointerStatus {
 public:
  explicit StatusBarPanels(QWidget* parent = nullptr);

  QString PanelText(int panel) const;
  void SetPanelText(int panel, const QString& text);
  QLabel* Panel(int panel) const { return panels_[static_cast<std::size_t>(panel)]; }

  // The modified mark of panel 0.
  void SetStatusText(const std::string& text) override;
  // What the pointer is over, panel 1.
  void ShowPointerText(const QString& text) override;

  static constexpr std::chrono::milliseconds kNoticeTime{5000};
  // Replaces any notice shown; it goes after kNoticeTime.
  void ShowNotice(const QString& text);

 private:
  std::array<QLabel*, 3> panels_{};
  QLabel* notice_ = nullptr;
  QTimer* noticeTimer_ = nullptr;
};

}  // namespace zantor
