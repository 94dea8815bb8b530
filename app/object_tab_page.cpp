#include "app/object_tab_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <functional>

#include "app/drop_down_list.h"
#include "app/name_lists.h"
#include "app/tab_page_controls.h"
#include "editors/object_edit_class.h"
#include "editors/up_down_buttons.h"

namespace zantor {

namespace {

QAction* MenuItem(QMenu& menu, const char* name, const QString& caption) {
  QAction* item = menu.addAction(caption);
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

}  // namespace

ObjectTabPage::ObjectTabPage(QWidget* parent) : QWidget(parent) {
  for (int page = 0; page < 2; ++page) {
    ImgObjectMapPage[page] =
        Image(this, Numbered("ImgObjectMapPage", page), {8 + page * 264, 8, 256, 256}, page);
  }
  ScrBarObjectMap = HorizontalBar(this, "ScrBarObjectMap", {8, 272, 520, 16});
  ScrBarObjectMap->setPageStep(0);

  auto* shown = Placed(new QGroupBox(QStringLiteral("表示オブジェクト"), this), "GBObjectShown",
                       {360, 296, 249, 89});
  StaticLabel(shown, QStringLiteral("表示部屋番号:"), {8, 20});
  StaticLabel(shown, QStringLiteral("オブジェクトの数:"), {8, 42});
  StaticLabel(shown, QStringLiteral("オブジェクト総数:"), {8, 64});
  LblObjectRoom = TextLabel(shown, "LblObjectRoom", QStringLiteral("00-01"), {128, 20, 100, 16});
  LblObjectNum = TextLabel(shown, "LblObjectNum", QStringLiteral("0-0"), {128, 42, 100, 16});
  LblObjectSum = TextLabel(shown, "LblObjectSum", QStringLiteral("127 / 127"), {128, 64, 100, 16});

  auto* edited = Placed(new QGroupBox(QStringLiteral("編集対象オブジェクト"), this), "GBObjectEdit",
                        {8, 296, 345, 175});
  const std::pair<const char*, QLabel**> rows[] = {{"設置番号:", &LblObjectIndex},
                                                   {"部屋番号:", &LblObjectScreen},
                                                   {"X座標:", &LblObjectX},
                                                   {"Y座標:", &LblObjectY}};
  const char* names[] = {"LblObjectIndex", "LblObjectScreen", "LblObjectX", "LblObjectY"};
  for (int row = 0; row < 4; ++row) {
    StaticLabel(edited, QString::fromUtf8(rows[row].first), {8, 20 + row * 19});
    *rows[row].second =
        TextLabel(edited, names[row], QStringLiteral("00"), {80, 20 + row * 19, 24, 16});
  }
  UDObjectX = Placed(new UpDownButtons(Qt::Horizontal, edited), "UDObjectX", {108, 57, 34, 17});
  UDObjectY = Placed(new UpDownButtons(Qt::Vertical, edited), "UDObjectY", {108, 76, 17, 30});
  UDObjectX->setEnabled(false);
  UDObjectY->setEnabled(false);
  // The kind row below the whole height of the Y buttons.
  StaticLabel(edited, QStringLiteral("種類:"), {8, 114});
  CBSelectObject = DropDownList(edited, "CBSelectObject", {64, 110, 265, 22}, 12);
  CBSelectObject->addItems(BuiltInObjectKindItems());
  BtnObjectCreate = Placed(new QPushButton(QStringLiteral("新規作成"), edited), "BtnObjectCreate",
                           {8, 142, 75, 25});
  BtnObjectRemove =
      Placed(new QPushButton(QStringLiteral("削除"), edited), "BtnObjectRemove", {96, 142, 75, 25});
  BtnObjectRemove->setEnabled(false);

  ChkSortObjectList = Placed(new QCheckBox(QStringLiteral("オブジェクトを自動で並び替える"), this),
                             "ChkSortObjectList", {8, 480, 300, 17});
  ChkPopupHint = Placed(new QCheckBox(QStringLiteral("ポップアップでオブジェクト情報を表示"), this),
                        "ChkPopupHint", {8, 504, 300, 17});
  BtnObjectEditReload = Placed(new QPushButton(QStringLiteral("再読み込み"), this),
                               "BtnObjectEditReload", {8, 532, 75, 25});
}

void ObjectTabPage::Attach(ObjectEditClass& editor, QMenu& popupMenu,
                           TObjectEditForm& objectDialog) {
  editor_ = &editor;
  editor.AttachImages(ImgObjectMapPage);
  editor.AttachScrollBars(ScrBarObjectMap);
  editor.AttachLabels(LblObjectRoom, LblObjectNum, LblObjectSum, LblObjectIndex, LblObjectScreen,
                      LblObjectX, LblObjectY);
  editor.AttachKindCombo(CBSelectObject);
  editor.AttachUpDowns(UDObjectX, UDObjectY);
  editor.AttachButtons(BtnObjectCreate, BtnObjectRemove);
  editor.AttachCheckBoxes(ChkSortObjectList, ChkPopupHint);
  ObjectMenu menu{
      &popupMenu,
      MenuItem(popupMenu, "MenuCreateObject", QStringLiteral("オブジェクトの新規作成")),
      MenuItem(popupMenu, "MenuCopyObject", QStringLiteral("このオブジェクトをコピー")),
      MenuItem(popupMenu, "MenuCutObject", QStringLiteral("このオブジェクトを切り取り")),
      MenuItem(popupMenu, "MenuPasteObject", QStringLiteral("オブジェクトを貼り付け")),
      MenuItem(popupMenu, "MenuRemoveObject", QStringLiteral("このオブジェクトを削除"))};
  MenuItem(popupMenu, "MenuCancel", QStringLiteral("キャンセル"));
  editor.AttachMenu(menu);
  editor.AttachObjectDialog(&objectDialog);

  for (TImageEx* page : ImgObjectMapPage) {
    page->OnMouseMove = std::bind_front(&ObjectTabPage::ImgObjectMapPageXMouseMove, this);
    page->OnMouseDown = std::bind_front(&ObjectTabPage::ImgObjectMapPageXMouseDown, this);
    page->OnMouseUp = std::bind_front(&ObjectTabPage::ImgObjectMapPageXMouseUp, this);
  }
  connect(ScrBarObjectMap, &QScrollBar::actionTriggered, this,
          &ObjectTabPage::ScrBarObjectMapScroll);
  // activated follows the user only: showing a selected object's kind runs nothing.
  connect(CBSelectObject, &QComboBox::activated, this, &ObjectTabPage::CBSelectObjectChange);
  connect(BtnObjectCreate, &QPushButton::clicked, this, &ObjectTabPage::BtnObjectCreateClick);
  connect(BtnObjectRemove, &QPushButton::clicked, this, &ObjectTabPage::BtnObjectRemoveClick);
  connect(UDObjectX, &UpDownButtons::ChangingEx, this, &ObjectTabPage::UDObjectXChangingEx);
  connect(UDObjectY, &UpDownButtons::ChangingEx, this, &ObjectTabPage::UDObjectYChangingEx);
  connect(BtnObjectEditReload, &QPushButton::clicked, this,
          &ObjectTabPage::BtnObjectEditReloadClick);
  connect(menu.create, &QAction::triggered, this, [this] { editor_->CreateAtMenuPoint(); });
  connect(menu.copy, &QAction::triggered, this, [this] { editor_->CopyHovered(); });
  connect(menu.cut, &QAction::triggered, this, [this] { editor_->CutHovered(); });
  connect(menu.paste, &QAction::triggered, this, [this] { editor_->PasteAtMenuPoint(); });
  connect(menu.remove, &QAction::triggered, this, [this] { editor_->RemoveHovered(); });
}

void ObjectTabPage::ScrBarObjectMapScroll() {
  editor_->ShowRooms(ScrBarObjectMap->sliderPosition());
}

void ObjectTabPage::ImgObjectMapPageXMouseMove(TImageEx& sender, const ImageMouseEvent& event) {
  editor_->RoomMouseMove(TagOf(sender), event.buttons, event.shift, event.ctrl, event.x, event.y);
}

void ObjectTabPage::ImgObjectMapPageXMouseDown(TImageEx& sender, const ImageMouseEvent& event) {
  editor_->RoomMouseDown(TagOf(sender), event.button, event.shift, event.x, event.y,
                         sender.mapToGlobal(QPoint(event.x, event.y)));
}

void ObjectTabPage::ImgObjectMapPageXMouseUp(TImageEx&, const ImageMouseEvent& event) {
  editor_->RoomMouseUp(event.button);
}

void ObjectTabPage::CBSelectObjectChange(int index) { editor_->SetKind(index); }

void ObjectTabPage::BtnObjectCreateClick() { editor_->CreateAtClick(); }

void ObjectTabPage::BtnObjectRemoveClick() { editor_->RemoveSelected(); }

void ObjectTabPage::UDObjectXChangingEx(int direction) {
  editor_->StepX(direction > 0 ? +1 : -1);  // the right arrow steps right
  editor_->RefreshSelection();
}

void ObjectTabPage::UDObjectYChangingEx(int direction) {
  editor_->StepY(direction > 0 ? -1 : +1);  // the upper arrow steps up the room
  editor_->RefreshSelection();
}

void ObjectTabPage::BtnObjectEditReloadClick() { editor_->Reload(); }

}  // namespace zantor
