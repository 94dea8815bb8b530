#include "editors/map_set_edit_grid_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "editors/dialogs.h"
#include "editors/hex_token.h"
#include "editors/two_digit_hex.h"

namespace zantor {

namespace {

constexpr int kCellSide = 31;

// The cell's own background, selected or not, then its text at the right edge, 2 pixels
// below the top.
class CellTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QString text = background.text;
    background.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, view);

    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.translated(0, 2), Qt::AlignRight | Qt::AlignTop, text);
    painter->restore();
  }
};

bool IsArrowKey(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool IsHexDigit(QChar c) { return HexByteToken(std::u16string(1, c.unicode())).has_value(); }

}  // namespace

TMapSetEditGridForm::TMapSetEditGridForm(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("MapSetEditGridForm"));
  setWindowTitle(QStringLiteral("マップセットの編集"));
  setFixedSize(293, 339);
  BuildControls();
}

void TMapSetEditGridForm::BuildControls() {
  SGridMapSetEdit = new QTableWidget(kGridRows, kGridColumns, this);
  SGridMapSetEdit->setObjectName(QStringLiteral("SGridMapSetEdit"));
  SGridMapSetEdit->horizontalHeader()->hide();
  SGridMapSetEdit->verticalHeader()->hide();
  for (QHeaderView* header :
       {SGridMapSetEdit->horizontalHeader(), SGridMapSetEdit->verticalHeader()}) {
    header->setMinimumSectionSize(kCellSide);
    header->setDefaultSectionSize(kCellSide);
    header->setSectionResizeMode(QHeaderView::Fixed);
  }
  SGridMapSetEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGridMapSetEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGridMapSetEdit->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SGridMapSetEdit->setSelectionMode(QAbstractItemView::ContiguousSelection);
  SGridMapSetEdit->setTabKeyNavigation(false);
  SGridMapSetEdit->setContextMenuPolicy(Qt::PreventContextMenu);
  QFont font = SGridMapSetEdit->font();
  font.setPixelSize(15);
  SGridMapSetEdit->setFont(font);
  SGridMapSetEdit->setItemDelegate(new CellTextDelegate(SGridMapSetEdit));
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      auto* item = new QTableWidgetItem(QStringLiteral("00"));
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      SGridMapSetEdit->setItem(row, column, item);
    }
  }
  const int frame = SGridMapSetEdit->frameWidth();
  const int gridWidth = kGridColumns * kCellSide + 2 * frame;
  const int gridHeight = kGridRows * kCellSide + 2 * frame;
  SGridMapSetEdit->setGeometry((width() - gridWidth) / 2, 16, gridWidth, gridHeight);
  // Keys reach the grid's handlers before the view's own, which would search the typed
  // digit among the cell texts and move the current cell.
  SGridMapSetEdit->installEventFilter(this);
  SGridMapSetEdit->viewport()->installEventFilter(this);

  BtnGridEditOK = new QPushButton(QStringLiteral("OK"), this);
  BtnGridEditOK->setObjectName(QStringLiteral("BtnGridEditOK"));
  BtnGridEditOK->setGeometry(56, 298, 75, 25);
  connect(BtnGridEditOK, &QPushButton::clicked, this, [this] { BtnGridEditOKClick(); });
  BtnGridEditCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  BtnGridEditCancel->setObjectName(QStringLiteral("BtnGridEditCancel"));
  BtnGridEditCancel->setGeometry(162, 298, 75, 25);
  connect(BtnGridEditCancel, &QPushButton::clicked, this, &QDialog::reject);

  PopupMenuGrid = new QMenu(this);
  PopupMenuGrid->setObjectName(QStringLiteral("PopupMenuGrid"));
  const auto item = [this](const char* name, const QString& text,
                           void (TMapSetEditGridForm::*handler)()) {
    QAction* action = PopupMenuGrid->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
  };
  N1 = item("N1", QStringLiteral("クリップボードにコピー"), &TMapSetEditGridForm::N1Click);
  N2 = item("N2", QStringLiteral("クリップボードから貼り付け"), &TMapSetEditGridForm::N2Click);
  N3 = item("N3", QStringLiteral("選択範囲を初期化"), &TMapSetEditGridForm::N3Click);
}

void TMapSetEditGridForm::PrepareGridDialog(int mapSetNumber,
                                            std::span<const std::uint8_t, 64> cells) {
  setWindowTitle(QStringLiteral("マップセット(番号") + TwoDigitHex(mapSetNumber) +
                 QStringLiteral(")の編集"));
  GridCells values{};
  std::copy(cells.begin(), cells.end(), values.begin());
  SetCells(values);
  SGridMapSetEdit->setCurrentCell(0, 0, QItemSelectionModel::ClearAndSelect);
  SGridMapSetEdit->setFocus();
}

bool TMapSetEditGridForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SGridMapSetEdit) {
    switch (event->type()) {
      case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        SGridMapSetEditKeyDown(key);
        return SGridMapSetEditKeyPress(key);
      }
      case QEvent::FocusOut: SGridMapSetEditExit(); break;
      default: break;
    }
  } else if (watched == SGridMapSetEdit->viewport()) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      return SGridMapSetEditMouseDown(static_cast<const QMouseEvent&>(*event));
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool TMapSetEditGridForm::SGridMapSetEditKeyPress(const QKeyEvent& event) {
  const QString text = event.text();
  const bool command =
      event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (command || text.size() != 1 || !IsHexDigit(text[0])) return false;
  TypeHexDigit(text[0]);
  return true;
}

void TMapSetEditGridForm::SGridMapSetEditKeyDown(const QKeyEvent& event) {
  // The view moves the current cell afterwards, as usual.
  if (IsArrowKey(event.key())) NormalizeCells();
}

void TMapSetEditGridForm::SGridMapSetEditExit() { NormalizeCells(); }

bool TMapSetEditGridForm::SGridMapSetEditMouseDown(const QMouseEvent& event) {
  NormalizeCells();
  if (event.button() != Qt::RightButton) return false;
  const GridSelection selection = Selection();
  const QModelIndex under = SGridMapSetEdit->indexAt(event.position().toPoint());
  if (selection.left == selection.right && selection.top == selection.bottom && under.isValid()) {
    SGridMapSetEdit->setCurrentCell(under.row(), under.column(),
                                    QItemSelectionModel::ClearAndSelect);
  }
  N2->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
  PopupMenuGrid->popup(event.globalPosition().toPoint());
  // The view would change the selection on a right press of its own.
  return true;
}

void TMapSetEditGridForm::BtnGridEditOKClick() {
  ReadGridResult();
  accept();
}

void TMapSetEditGridForm::NormalizeCells() { SetCells(CellValues()); }

void TMapSetEditGridForm::TypeHexDigit(QChar digit) {
  QTableWidgetItem* cell = SGridMapSetEdit->currentItem();
  if (cell == nullptr) return;
  const QString old = cell->text();
  cell->setText((old.size() < 2 ? old + digit : QString(digit)).toUpper());
}

void TMapSetEditGridForm::CopySelectionToClipboard() {
  QGuiApplication::clipboard()->setText(
      QString::fromStdU16String(GridCopyText(CellValues(), Selection())));
}

void TMapSetEditGridForm::PasteFromClipboard() {
  const GridSelection selection = Selection();
  SetCells(PasteGridText(CellValues(), QGuiApplication::clipboard()->text().toStdU16String(),
                         selection.left, selection.top));
}

void TMapSetEditGridForm::FillSelection() {
  const auto input =
      dialogs_.InputBox(QStringLiteral("選択範囲の初期化"),
                        QStringLiteral("初期化に使用する値を入力して下さい(00～FF)"), QString());
  if (!input) return;
  const auto value = HexByteToken(input->toStdU16String());
  if (!value) return;
  SetCells(FillGridSelection(CellValues(), Selection(), static_cast<std::uint8_t>(*value)));
}

void TMapSetEditGridForm::ReadGridResult() { gridResult_ = CellValues(); }

GridCells TMapSetEditGridForm::CellValues() const {
  GridCells values{};
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      const QString text = SGridMapSetEdit->item(row, column)->text();
      values[row * kGridColumns + column] =
          static_cast<std::uint8_t>(HexByteToken(text.toStdU16String()).value_or(0));
    }
  }
  return values;
}

void TMapSetEditGridForm::SetCells(const GridCells& cells) {
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      SGridMapSetEdit->item(row, column)->setText(TwoDigitHex(cells[row * kGridColumns + column]));
    }
  }
}

GridSelection TMapSetEditGridForm::Selection() const {
  const QList<QTableWidgetSelectionRange> ranges = SGridMapSetEdit->selectedRanges();
  if (ranges.isEmpty()) {
    // The grid always counts its current cell as selected.
    const int column = SGridMapSetEdit->currentColumn();
    const int row = SGridMapSetEdit->currentRow();
    return {column, row, column, row};
  }
  const QTableWidgetSelectionRange& range = ranges.front();
  return {range.leftColumn(), range.topRow(), range.rightColumn(), range.bottomRow()};
}

}  // namespace zantor
