#pragma once

#include <QDialog>
#include <cstdint>
#include <span>

#include "editors/grid_text.h"

class QAction;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QPushButton;
class QTableWidget;

namespace zantor {

class Dialogs;

// The dialog for a map set edited as a grid of hex numbers; created hidden once at start-up and
// reused. It is handed a map set number and its 64 chip numbers, and after OK gives back 64
// numbers; it never touches the stage and keeps nothing between uses. Cells are typed into
// digit by digit, copied to and pasted from the clipboard as text, and filled with one value.
class TMapSetEditGridForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMapSetEditGridForm(Dialogs& dialogs, QWidget* parent = nullptr);

  // Before every showing: the caption for the number, every cell from `cells` (byte
  // row * 8 + column), cell (0, 0) current and the only one selected, the keyboard on the grid.
  void PrepareGridDialog(int mapSetNumber, std::span<const std::uint8_t, 64> cells);
  // The cells as they were when OK was pressed.
  const GridCells& GridResult() const { return gridResult_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();

  // Handlers; true when the event is used up.
  bool SGridMapSetEditKeyPress(const QKeyEvent& event);
  void SGridMapSetEditKeyDown(const QKeyEvent& event);
  void SGridMapSetEditExit();
  bool SGridMapSetEditMouseDown(const QMouseEvent& event);
  void BtnGridEditOKClick();
  void N1Click() { CopySelectionToClipboard(); }
  void N2Click() { PasteFromClipboard(); }
  void N3Click() { FillSelection(); }

  // Operations on the grid.
  void NormalizeCells();
  void TypeHexDigit(QChar digit);
  void CopySelectionToClipboard();
  void PasteFromClipboard();
  void FillSelection();
  void ReadGridResult();

  GridCells CellValues() const;
  void SetCells(const GridCells& cells);
  GridSelection Selection() const;

  Dialogs& dialogs_;
  GridCells gridResult_{};

  QTableWidget* SGridMapSetEdit = nullptr;
  QPushButton* BtnGridEditOK = nullptr;
  QPushButton* BtnGridEditCancel = nullptr;
  QMenu* PopupMenuGrid = nullptr;
  QAction* N1 = nullptr;
  QAction* N2 = nullptr;
  QAction* N3 = nullptr;
};

}  // namespace zantor
