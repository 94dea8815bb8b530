#include "app/palette_tab_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "app/tab_page_controls.h"
#include "editors/palette_edit_class.h"
#include "editors/up_down_buttons.h"
#include "graphics/image_ex.h"

namespace zantor {

namespace {

constexpr int kViewStride = 108;
constexpr int kCell = PaletteEditClass::kCell;

}  // namespace

PaletteTabPage::PaletteTabPage(QWidget* parent) : QWidget(parent) {
  CBSelectPaletteSet = Placed(new QComboBox(this), "CBSelectPaletteSet", {8, 8, 97, 22});
  CBSelectPaletteSet->addItems({QStringLiteral("定義0"), QStringLiteral("定義1"),
                                QStringLiteral("定義2"), QStringLiteral("定義3")});

  GBPaletteView = Placed(new QGroupBox(QStringLiteral("パレット編集"), this), "GBPaletteView",
                         {8, 36, 449, 117});
  for (int view = 0; view < 4; ++view) {
    const int x = 16 + view * kViewStride;
    ImgPalView[view] = Image(GBPaletteView, Numbered("ImgPalView", view), {x, 24, 96, 24}, view);
    for (int cell = 0; cell < 4; ++cell) {
      const int entry = view * 4 + cell;
      EditPal[entry] = HexEdit(GBPaletteView, Numbered("EditPal", entry),
                               {x + cell * kCell, 52, kCell, 21}, entry);
    }
  }
  BtnPaletteReload = Placed(new QPushButton(QStringLiteral("再読み込み"), GBPaletteView),
                            "BtnPaletteReload", {16, 82, 75, 25});

  auto* table = Placed(new QGroupBox(QStringLiteral("カラーテーブル"), this), "GBColorTable",
                       {8, 160, 401, 129});
  ImgColorTable = Image(table, "ImgColorTable", {8, 24, 384, 96});

  auto* selected = Placed(new QGroupBox(QStringLiteral("選択カラー"), this), "GBSelectColor",
                          {416, 160, 113, 129});
  ImgSelectColor = Image(selected, "ImgSelectColor", {16, 24, 32, 32});
  auto* number = new QLabel(QStringLiteral("No:"), selected);
  number->move(16, 68);
  LblSelectColor = Placed(new QLabel(selected), "LblSelectColor", {40, 68, 30, 16});

  GBAnimePaletteView = Placed(new QGroupBox(QStringLiteral("パレットアニメーション選択"), this),
                              "GBAnimePaletteView", {8, 296, 449, 117});
  for (int slot = 0; slot < 4; ++slot) {
    const int x = 16 + slot * kViewStride;
    ImgAnimePal[slot] = Image(GBAnimePaletteView, Numbered("ImgAnimePal", slot), {x, 24, 96, 24});
    EditAnimePal[slot] =
        HexEdit(GBAnimePaletteView, Numbered("EditAnimePal", slot), {x, 52, 32, 21}, slot);
    UDAnimePal[slot] = Placed(new UpDownButtons(Qt::Vertical, GBAnimePaletteView),
                              Numbered("UDAnimePal", slot).constData(), {x + 33, 52, 17, 21});
    SetTag(*UDAnimePal[slot], slot);
  }
  BtnAnimationPaletteReload =
      Placed(new QPushButton(QStringLiteral("再読み込み"), GBAnimePaletteView),
             "BtnAnimationPaletteReload", {16, 82, 75, 25});
}

void PaletteTabPage::Attach(PaletteEditClass& editor, QTimer* frameTimer) {
  editor_ = &editor;
  editor.AttachImages(ImgPalView, ImgColorTable, ImgSelectColor, ImgAnimePal);
  editor.CreateBitmaps();
  editor.AttachEdits(EditPal, EditAnimePal);
  editor.AttachLabels(LblSelectColor);
  editor.AttachUpDowns(UDAnimePal);
  editor.AttachTimer(frameTimer);
  editor.AttachPaletteSetCombo(CBSelectPaletteSet);

  // Every text change applies, the program's own included: the up-down buttons and the
  // left click on a palette cell work by writing the edit.
  for (QLineEdit* edit : EditPal) {
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { EditPalXChange(*edit); });
  }
  for (QLineEdit* edit : EditAnimePal) {
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { EditAnimePalXChange(*edit); });
  }
  for (UpDownButtons* buttons : UDAnimePal) {
    connect(buttons, &UpDownButtons::ChangingEx, this,
            [this, buttons](int direction) { UDAnimePalXChangingEx(*buttons, direction); });
  }
  for (TImageEx* view : ImgPalView) {
    view->OnMouseDown = std::bind_front(&PaletteTabPage::ImgPalViewXMouseDown, this);
    view->OnMouseMove = std::bind_front(&PaletteTabPage::ImgPalViewXMouseMove, this);
    view->OnMouseLeave = std::bind_front(&PaletteTabPage::ImgPalViewXMouseLeave, this);
  }
  ImgColorTable->OnMouseDown = std::bind_front(&PaletteTabPage::ImgColorTableMouseDown, this);
  ImgColorTable->OnMouseMove = std::bind_front(&PaletteTabPage::ImgColorTableMouseMove, this);
  ImgColorTable->OnMouseLeave = std::bind_front(&PaletteTabPage::ImgColorTableMouseLeave, this);
  // activated follows the user's choice only; choosing from code runs nothing.
  connect(CBSelectPaletteSet, &QComboBox::activated, this,
          &PaletteTabPage::CBSelectPaletteSetChange);
  connect(BtnPaletteReload, &QPushButton::clicked, this, &PaletteTabPage::BtnPaletteReloadClick);
  connect(BtnAnimationPaletteReload, &QPushButton::clicked, this,
          &PaletteTabPage::BtnAnimationPaletteReloadClick);
}

void PaletteTabPage::CBSelectPaletteSetChange() { editor_->PaletteSetChange(); }

void PaletteTabPage::EditPalXChange(const QObject& sender) {
  editor_->ApplyPaletteEdit(TagOf(sender));
}

void PaletteTabPage::EditAnimePalXChange(const QObject& sender) {
  editor_->ApplyAnimeEdit(TagOf(sender));
}

void PaletteTabPage::UDAnimePalXChangingEx(const QObject& sender, int direction) {
  editor_->StepAnimeEdit(TagOf(sender), direction > 0 ? +1 : -1);
}

void PaletteTabPage::ImgPalViewXMouseDown(TImageEx& sender, const ImageMouseEvent& event) {
  editor_->PaletteViewMouseDown(TagOf(sender), event.button, event.x);
}

void PaletteTabPage::ImgPalViewXMouseMove(TImageEx& sender, const ImageMouseEvent& event) {
  editor_->PaletteViewMouseMove(TagOf(sender), event.x);
}

void PaletteTabPage::ImgPalViewXMouseLeave(TImageEx&) { editor_->PaletteViewMouseLeave(); }

void PaletteTabPage::ImgColorTableMouseDown(TImageEx&, const ImageMouseEvent& event) {
  editor_->ColorTableMouseDown(event.button, event.x, event.y);
}

void PaletteTabPage::ImgColorTableMouseMove(TImageEx&, const ImageMouseEvent& event) {
  editor_->ColorTableMouseMove(event.x, event.y);
}

void PaletteTabPage::ImgColorTableMouseLeave(TImageEx&) { editor_->ColorTableMouseLeave(); }

void PaletteTabPage::BtnPaletteReloadClick() { editor_->Reload(); }

void PaletteTabPage::BtnAnimationPaletteReloadClick() { editor_->ReloadAnime(); }

}  // namespace zantor
