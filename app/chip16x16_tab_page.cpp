#include "app/chip16x16_tab_page.h"

#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>

#include "app/name_lists.h"
#include "app/tab_page_controls.h"
#include "editors/chip16x16_edit_class.h"
#include "editors/radio_group.h"

namespace zantor {

namespace {

constexpr int kPanelSide = 16;

// Where a radio item's caption ends, in the item's own coordinates.
int CaptionEnd(const QRadioButton& item) {
  QStyleOptionButton option;
  option.initFrom(&item);
  option.text = item.text();
  const QRect contents =
      item.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &item);
  return contents.left() + item.fontMetrics().horizontalAdvance(item.text());
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  return Placed(new QPushButton(caption, parent), name, geometry);
}

}  // namespace

Chip16x16TabPage::Chip16x16TabPage(QWidget* parent) : QWidget(parent) {
  ImgEdit16x16ChipView = Image(this, "ImgEdit16x16ChipView", {16, 8, 256, 256});
  ImgBGBankTable = Image(this, "ImgBGBankTable", {328, 8, 256, 256});

  GBEdit16x16Chip = Placed(new QGroupBox(QStringLiteral("編集対象チップ"), this), "GBEdit16x16Chip",
                           {152, 280, 433, 257});
  ImgEdit16x16Chip = Image(GBEdit16x16Chip, "ImgEdit16x16Chip", {40, 24, 64, 64});
  StaticLabel(GBEdit16x16Chip, QStringLiteral("  No:"), {8, 100});
  LblSelectChipIndex =
      TextLabel(GBEdit16x16Chip, "LblSelectChipIndex", QStringLiteral("00"), {48, 100, 24, 16});
  StaticLabel(GBEdit16x16Chip, QStringLiteral("属性:"), {16, 124});
  EditSelectChipProperty = HexEdit(GBEdit16x16Chip, "EditSelectChipProperty", {56, 120, 24, 20});
  LblSelectChipProperty = TextLabel(GBEdit16x16Chip, "LblSelectChipProperty",
                                    QStringLiteral("(00 + 0)"), {40, 144, 80, 16});
  StaticLabel(GBEdit16x16Chip, QStringLiteral("Tile:"), {16, 164});
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    LblSelectChipTile[quadrant] =
        TextLabel(GBEdit16x16Chip, Numbered("LblSelectChipTile", quadrant).constData(),
                  QStringLiteral("00"), {56 + quadrant % 2 * 28, 164 + quadrant / 2 * 16, 24, 16});
  }
  RGChipPropertySelect = Placed(
      new RadioGroup(QStringLiteral("チップ属性"), BuiltInAttributeCaptions(), 2, GBEdit16x16Chip),
      "RGChipPropertySelect", {144, 8, 281, 185});
  RGPaletteSelect = Placed(new RadioGroup(QStringLiteral("使用パレット"),
                                          {QStringLiteral("x0"), QStringLiteral("x1"),
                                           QStringLiteral("x2"), QStringLiteral("x3")},
                                          4, GBEdit16x16Chip),
                           "RGPaletteSelect", {4, 200, 425, 41});
  // Four panels right after each palette item's caption, over the group they sit on; the
  // group spans the whole width so that they end before the next item's circle.
  RGPaletteSelect->layout()->setContentsMargins(0, 0, 0, 0);
  RGPaletteSelect->layout()->setSpacing(0);
  RGPaletteSelect->layout()->activate();
  for (int entry = 0; entry < 16; ++entry) {
    const QRadioButton& item = *RGPaletteSelect->Button(entry / 4);
    const int x = RGPaletteSelect->x() + item.x() + CaptionEnd(item) + 2;
    auto* panel =
        Placed(new QWidget(GBEdit16x16Chip), Numbered("PanelPaletteColor", entry).constData(),
               {x + entry % 4 * kPanelSide, 216, kPanelSide, kPanelSide});
    panel->raise();
    PanelPaletteColor[entry] = panel;
  }

  auto* tile =
      Placed(new QGroupBox(QStringLiteral("選択タイル"), this), "GBSelectTile", {16, 280, 121, 57});
  ImgSelectTile = Image(tile, "ImgSelectTile", {8, 18, 32, 32});
  StaticLabel(tile, QStringLiteral("No:"), {56, 26});
  LblSelectBGBankTileIndex =
      TextLabel(tile, "LblSelectBGBankTileIndex", QStringLiteral("00"), {80, 26, 24, 16});

  auto* banks =
      Placed(new QGroupBox(QStringLiteral("BGバンク"), this), "GBBGBank", {16, 344, 121, 121});
  StaticLabel(banks, QStringLiteral("Bank0:"), {8, 20});
  LblBGBank0 = TextLabel(banks, "LblBGBank0", QStringLiteral("00"), {56, 20, 24, 16});
  ScrBarBGBank0 = HorizontalBar(banks, "ScrBarBGBank0", {8, 40, 105, 16}, 0);
  StaticLabel(banks, QStringLiteral("Bank1:"), {8, 64});
  LblBGBank1 = TextLabel(banks, "LblBGBank1", QStringLiteral("00"), {56, 64, 24, 16});
  ScrBarBGBank1 = HorizontalBar(banks, "ScrBarBGBank1", {8, 84, 105, 16}, 1);

  BtnUnused16x16ChipChk = Button(this, "BtnUnused16x16ChipChk",
                                 QStringLiteral("未使用チップ番号表示"), {8, 476, 137, 25});
  BtnUnusedTileChk =
      Button(this, "BtnUnusedTileChk", QStringLiteral("未使用タイル番号表示"), {8, 508, 137, 25});
  Button1 = Button(this, "Button1", QStringLiteral("再読み込み"), {40, 544, 75, 25});
}

void Chip16x16TabPage::Attach(Chip16x16EditClass& editor, TShowUnusedChipNumForm& reports) {
  editor_ = &editor;
  editor.AttachImages(ImgBGBankTable, ImgEdit16x16ChipView, ImgEdit16x16Chip, ImgSelectTile);
  editor.AttachPanels(PanelPaletteColor);
  editor.AttachLabels(LblSelectChipIndex, LblSelectBGBankTileIndex, LblSelectChipTile,
                      {LblBGBank0, LblBGBank1}, LblSelectChipProperty);
  editor.AttachRadioGroups(RGChipPropertySelect, RGPaletteSelect);
  editor.AttachScrollBars({ScrBarBGBank0, ScrBarBGBank1});
  editor.AttachEdit(EditSelectChipProperty);
  editor.AttachReportDialog(&reports);

  ImgBGBankTable->OnMouseMove = std::bind_front(&Chip16x16TabPage::ImgBGBankTableMouseMove, this);
  ImgBGBankTable->OnMouseLeave = std::bind_front(&Chip16x16TabPage::ImgBGBankTableMouseLeave, this);
  ImgBGBankTable->OnMouseDown = std::bind_front(&Chip16x16TabPage::ImgBGBankTableMouseDown, this);
  ImgEdit16x16ChipView->OnMouseMove =
      std::bind_front(&Chip16x16TabPage::ImgEdit16x16ChipViewMouseMove, this);
  ImgEdit16x16ChipView->OnMouseLeave =
      std::bind_front(&Chip16x16TabPage::ImgEdit16x16ChipViewMouseLeave, this);
  ImgEdit16x16ChipView->OnMouseDown =
      std::bind_front(&Chip16x16TabPage::ImgEdit16x16ChipViewMouseDown, this);
  ImgEdit16x16Chip->OnMouseMove =
      std::bind_front(&Chip16x16TabPage::ImgEdit16x16ChipMouseMove, this);
  ImgEdit16x16Chip->OnMouseLeave =
      std::bind_front(&Chip16x16TabPage::ImgEdit16x16ChipMouseLeave, this);
  ImgEdit16x16Chip->OnMouseDown =
      std::bind_front(&Chip16x16TabPage::ImgEdit16x16ChipMouseDown, this);

  connect(RGChipPropertySelect, &RadioGroup::ItemClicked, this,
          &Chip16x16TabPage::RGChipPropertySelectClick);
  connect(RGPaletteSelect, &RadioGroup::ItemClicked, this, &Chip16x16TabPage::RGPaletteSelectClick);
  // Every text change applies; the editor's own rewrites find the stored value unchanged.
  connect(EditSelectChipProperty, &QLineEdit::textChanged, this,
          &Chip16x16TabPage::EditSelectChipPropertyChange);
  // Every user scroll action (arrows, trough, each drag step, wheel, keys) and the end of a
  // drag; a position set or clamped by the program raises neither.
  for (QScrollBar* bar : {ScrBarBGBank0, ScrBarBGBank1}) {
    connect(bar, &QScrollBar::actionTriggered, this, [this, bar] { ScrBarBGBankXScroll(*bar); });
    connect(bar, &QScrollBar::sliderReleased, this, [this, bar] { ScrBarBGBankXScroll(*bar); });
  }
  connect(Button1, &QPushButton::clicked, this, &Chip16x16TabPage::Button1Click);
  connect(BtnUnused16x16ChipChk, &QPushButton::clicked, this,
          &Chip16x16TabPage::BtnUnused16x16ChipChkClick);
  connect(BtnUnusedTileChk, &QPushButton::clicked, this, &Chip16x16TabPage::BtnUnusedTileChkClick);
}

void Chip16x16TabPage::ImgBGBankTableMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->BankTableMouseMove(event.x, event.y);
}

void Chip16x16TabPage::ImgBGBankTableMouseLeave(TImageEx&) { editor_->BankTableMouseLeave(); }

void Chip16x16TabPage::ImgBGBankTableMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->BankTableMouseDown(event.button, event.x, event.y);
}

void Chip16x16TabPage::ImgEdit16x16ChipViewMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->ChipTableMouseMove(event.x, event.y);
}

void Chip16x16TabPage::ImgEdit16x16ChipViewMouseLeave(TImageEx&) { editor_->ChipTableMouseLeave(); }

void Chip16x16TabPage::ImgEdit16x16ChipViewMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->ChipTableMouseDown(event.button, event.ctrl, event.x, event.y);
}

void Chip16x16TabPage::ImgEdit16x16ChipMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->EditedChipMouseMove(event.x, event.y);
}

void Chip16x16TabPage::ImgEdit16x16ChipMouseLeave(TImageEx&) { editor_->EditedChipMouseLeave(); }

void Chip16x16TabPage::ImgEdit16x16ChipMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->EditedChipMouseDown(event.button, event.x, event.y);
}

void Chip16x16TabPage::FocusChosenItem(RadioGroup& group, int item) {
  if (isVisible()) group.Button(item)->setFocus();
}

void Chip16x16TabPage::RGChipPropertySelectClick(int item) {
  FocusChosenItem(*RGChipPropertySelect, item);
  editor_->ApplyAttributeSelection();
}

void Chip16x16TabPage::RGPaletteSelectClick(int item) {
  FocusChosenItem(*RGPaletteSelect, item);
  editor_->ApplyPaletteSelection();
}

void Chip16x16TabPage::EditSelectChipPropertyChange() { editor_->ApplyPropertyText(); }

void Chip16x16TabPage::ScrBarBGBankXScroll(const QScrollBar& sender) {
  editor_->ChangeBank(TagOf(sender), sender.sliderPosition());
}

void Chip16x16TabPage::Button1Click() { editor_->Reload(); }

void Chip16x16TabPage::BtnUnused16x16ChipChkClick() { editor_->ShowUnusedChips(); }

void Chip16x16TabPage::BtnUnusedTileChkClick() { editor_->ShowUnusedTiles(); }

}  // namespace zantor
