#include "app/palette_tab_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/widget_naming.h"
#include "editors/palette_edit_class.h"
#include "editors/up_down_buttons.h"
#include "graphics/image_ex.h"

namespace zantor {

namespace {

constexpr int kViewStride = 108;
constexpr int kCell = PaletteEditClass::kCell;

QByteArray Numbered(const char* stem, int number) {
  return QByteArray(stem) + QByteArray::number(number);
}

TImageEx* Image(QWidget* parent, const QByteArray& name, QRect geometry, int tag = 0) {
  auto* image = Placed(new TImageEx(parent), name.constData(), geometry);
  image->SetTag(tag);
  return image;
}

QLineEdit* HexEdit(QWidget* parent, const QByteArray& name, QRect geometry, int tag) {
  auto* edit = Placed(new QLineEdit(parent), name.constData(), geometry);
  edit->setMaxLength(2);
  edit->setProperty("Tag", tag);
  return edit;
}

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

  GBAnimePaletteView =
      Placed(new QGroupBox(QStringLiteral("パレットアニメーション選択"), this),
             "GBAnimePaletteView", {8, 296, 449, 117});
  for (int slot = 0; slot < 4; ++slot) {
    const int x = 16 + slot * kViewStride;
    ImgAnimePal[slot] = Image(GBAnimePaletteView, Numbered("ImgAnimePal", slot), {x, 24, 96, 24});
    EditAnimePal[slot] =
        HexEdit(GBAnimePaletteView, Numbered("EditAnimePal", slot), {x, 52, 32, 21}, slot);
    UDAnimePal[slot] = Placed(new UpDownButtons(Qt::Vertical, GBAnimePaletteView),
                              Numbered("UDAnimePal", slot).constData(), {x + 33, 52, 17, 21});
    UDAnimePal[slot]->setProperty("Tag", slot);
  }
  BtnAnimationPaletteReload =
      Placed(new QPushButton(QStringLiteral("再読み込み"), GBAnimePaletteView),
             "BtnAnimationPaletteReload", {16, 82, 75, 25});
}

void PaletteTabPage::Attach(PaletteEditClass& editor, QTimer* frameTimer) {
  editor.AttachImages(ImgPalView, ImgColorTable, ImgSelectColor, ImgAnimePal);
  editor.CreateBitmaps();
  editor.AttachEdits(EditPal, EditAnimePal);
  editor.AttachLabels(LblSelectColor);
  editor.AttachTimer(frameTimer);
  editor.AttachPaletteSetCombo(CBSelectPaletteSet);

  // Every text change applies, the program's own included: the up-down buttons and the
  // left click on a palette cell work by writing the edit.
  for (int entry = 0; entry < 16; ++entry) {
    connect(EditPal[entry], &QLineEdit::textChanged, this,
            [&editor, entry] { editor.ApplyPaletteEdit(entry); });
  }
  for (int slot = 0; slot < 4; ++slot) {
    connect(EditAnimePal[slot], &QLineEdit::textChanged, this,
            [&editor, slot] { editor.ApplyAnimeEdit(slot); });
    connect(UDAnimePal[slot], &UpDownButtons::ChangingEx, this,
            [&editor, slot](int direction) { editor.StepAnimeEdit(slot, direction); });
  }
  for (TImageEx* view : ImgPalView) {
    view->OnMouseDown = [&editor](TImageEx& sender, const ImageMouseEvent& e) {
      editor.PaletteViewMouseDown(sender.Tag(), e.button, e.x);
    };
    view->OnMouseMove = [&editor](TImageEx& sender, const ImageMouseEvent& e) {
      editor.PaletteViewMouseMove(sender.Tag(), e.x);
    };
    view->OnMouseLeave = [&editor](TImageEx&) { editor.PaletteViewMouseLeave(); };
  }
  ImgColorTable->OnMouseDown = [&editor](TImageEx&, const ImageMouseEvent& e) {
    editor.ColorTableMouseDown(e.button, e.x, e.y);
  };
  ImgColorTable->OnMouseMove = [&editor](TImageEx&, const ImageMouseEvent& e) {
    editor.ColorTableMouseMove(e.x, e.y);
  };
  ImgColorTable->OnMouseLeave = [&editor](TImageEx&) { editor.ColorTableMouseLeave(); };
  // activated follows the user's choice only; choosing from code runs nothing.
  connect(CBSelectPaletteSet, &QComboBox::activated, this, [&editor] { editor.PaletteSetChange(); });
  connect(BtnPaletteReload, &QPushButton::clicked, this, [&editor] { editor.Reload(); });
  connect(BtnAnimationPaletteReload, &QPushButton::clicked, this,
          [&editor] { editor.ReloadAnime(); });
}

}  // namespace zantor
