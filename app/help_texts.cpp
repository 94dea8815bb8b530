#include "app/help_texts.h"

#include <QtGlobal>

#include "app/program_version.h"

namespace zantor {

namespace {

const QString kScrollWheel =
    QStringLiteral("スクロールバーは、マウスのホイールでも1つずつ動かせます。");
const QString kReload = QStringLiteral(
    "「再読み込み」: このタブのデータを、開いた(保存した)ときの内容に戻します(確認あり)。");

std::vector<HelpTopic> MapTopics() {
  return {
      {QStringLiteral("部屋の絵(左・右)"),
       {QStringLiteral("ImgEditMapPage0"), QStringLiteral("ImgEditMapPage1")},
       {QStringLiteral("となり合う2つの部屋を、それぞれが使うマップセットで表示します。"),
        QStringLiteral("絵の上でのマウス操作はありません。")}},
      {QStringLiteral("スクロールバー"),
       {QStringLiteral("ScrBarMap"), QStringLiteral("ScrbarEditMapPage0"),
        QStringLiteral("ScrbarEditMapPage1")},
       {QStringLiteral("絵の下のバー: 表示する2部屋を1部屋ずつずらします(00-01 ～ 4E-4F)。"),
        QStringLiteral(
            "「マップセット番号」のバー: 左(右)の部屋が使うマップセット(00～27)を選びます。"),
        kScrollWheel, kReload}},
  };
}

std::vector<HelpTopic> MapSetTopics() {
  return {
      {QStringLiteral("マップセットのページ(左・右の絵)"),
       {QStringLiteral("ImgEditMapSetPage0"), QStringLiteral("ImgEditMapSetPage1")},
       {QStringLiteral("左クリック: 選択中の32x32チップをそのマスに置きます。"),
        QStringLiteral("右クリック: そのマスの32x32チップを選択します(Shift は無視)。"),
        QStringLiteral("Ctrl+左クリック: コピーしておいたマップセットをこのページに貼り付けます。"),
        QStringLiteral("Ctrl+右クリック: このページのマップセットをコピーします。"),
        QStringLiteral(
            "Shift+左クリック(Ctrl も押していてよい): グリッド編集ダイアログを開きます。"),
        QStringLiteral("ボタンを押したまま動かしても置きません。")}},
      {QStringLiteral("選択中の32x32チップ(拡大)"),
       {QStringLiteral("ImgSelect32x32Chip")},
       {QStringLiteral(
           "左クリックで置くチップと、その4つの16x16チップの番号・属性を表示します。")}},
      {QStringLiteral("32x32チップ一覧(右下の絵)"),
       {QStringLiteral("Img32x32ChipTable")},
       {QStringLiteral("左クリック: 置くチップを選びます(Ctrl・Shift は無視)。")}},
      {QStringLiteral("スクロールバーとボタン"),
       {QStringLiteral("ScrBarMapSet"), QStringLiteral("ScrBarSelectPage0"),
        QStringLiteral("ScrBarSelectPage1"), QStringLiteral("ChkMapSetEditDrawGrid"),
        QStringLiteral("BtnReplaceMapSetChip"), QStringLiteral("Button3")},
       {QStringLiteral("ページの下のバー: 表示する2つのマップセットを1つずつずらします。"),
        QStringLiteral("Page0・Page1 のバー: 左(右)のページのマップセット番号を選びます。"),
        QStringLiteral("「グリッド線の描画」: ページに32x32チップの区切り線を描きます。"),
        QStringLiteral(
            "「重複チップを置換」: 同じ内容の32x32チップを1つにまとめます(元に戻せません)。"),
        kScrollWheel, kReload}},
      {QStringLiteral("グリッド編集ダイアログ"),
       {},
       {QStringLiteral(
            "0～9、A～F: 現在のマスに16進の数字を入力します(2桁で1つの番号、3桁目から入れ直し)。"),
        QStringLiteral(
            "矢印キー: 現在のマスを動かします。Shift+矢印キー・ドラッグ: 範囲を選びます。"),
        QStringLiteral("右クリック: コピー・貼り付け・選択範囲の初期化のメニューを開きます。"),
        QStringLiteral("OK: 64マスをまとめて反映します(「元に戻す」1回で戻ります)。キャンセル: "
                       "何も変えません。")}},
  };
}

std::vector<HelpTopic> Chip32x32Topics() {
  return {
      {QStringLiteral("32x32チップ一覧(上の絵)"),
       {QStringLiteral("ImgEdit32x32ChipView")},
       {QStringLiteral(
            "左クリック: そのチップを編集対象にします(マップセットタブで置くチップにもなります)。"),
        QStringLiteral("Shift+左クリック: 選択中の16x16チップを、指した4分の1に置きます。"),
        QStringLiteral(
            "Ctrl+左クリック(Shift も押していてよい): コピーしておいたチップを貼り付けます。"),
        QStringLiteral("右クリック: 指した4分の1の16x16チップを選択します。"),
        QStringLiteral("Ctrl+右クリック: そのチップの4つの16x16チップ番号をコピーします。")}},
      {QStringLiteral("16x16チップ一覧(左下の絵)"),
       {QStringLiteral("Img16x16ChipTable")},
       {QStringLiteral("左クリック: 置く16x16チップを選びます。")}},
      {QStringLiteral("編集対象の32x32チップ(拡大)"),
       {QStringLiteral("ImgEdit32x32Chip")},
       {QStringLiteral("左クリック: 選択中の16x16チップを、指した4分の1に置きます。"),
        QStringLiteral("右クリック: 指した4分の1の16x16チップを選択します。")}},
      {QStringLiteral("選択中の16x16チップ(拡大)"),
       {QStringLiteral("ImgSelect16x16Chip")},
       {QStringLiteral("置く16x16チップとその番号・属性を表示します。")}},
      {QStringLiteral("上下ボタンとボタン"),
       {QStringLiteral("UDChange32x32ChipView"), QStringLiteral("Chk32x32ChipEditDrawGrid"),
        QStringLiteral("BtnUnused32x32ChipChk"), QStringLiteral("BtnOverlap32x32ChipChk"),
        QStringLiteral("Button2")},
       {QStringLiteral(
            "上下ボタン: 一覧に 00-7F(上)と 80-FF(下)のどちらを表示するか切り替えます。"),
        QStringLiteral("「グリッド線の描画」: 一覧にチップの区切り線を描きます。"),
        QStringLiteral("「未使用チップ番号表示」「重複チップ番号表示」: 番号の一覧を表示します。"),
        kReload}},
  };
}

std::vector<HelpTopic> Chip16x16Topics() {
  return {
      {QStringLiteral("16x16チップ一覧(左の絵)"),
       {QStringLiteral("ImgEdit16x16ChipView")},
       {QStringLiteral("左クリック: そのチップを編集対象にします。"),
        QStringLiteral("Ctrl+左クリック: コピーしておいたチップ(4タイルと属性)を貼り付けます。"),
        QStringLiteral("右クリック: 指した8x8タイルを選択します。"),
        QStringLiteral("Ctrl+右クリック: そのチップの4タイルと属性をコピーします。")}},
      {QStringLiteral("BGバンクのタイル一覧(右の絵)"),
       {QStringLiteral("ImgBGBankTable")},
       {QStringLiteral("左クリック: そのタイルを選択します。"),
        QStringLiteral("右クリック: 一覧を表示するパレットを x0→x1→x2→x3 "
                       "と切り替えます(チップの色は変わりません)。")}},
      {QStringLiteral("編集対象チップ(拡大)"),
       {QStringLiteral("ImgEdit16x16Chip")},
       {QStringLiteral("左クリック: 選択中のタイルを、指した4分の1に置きます。"),
        QStringLiteral("右クリック: 指した4分の1のタイルを選択します。")}},
      {QStringLiteral("選択タイル(拡大)"),
       {QStringLiteral("ImgSelectTile")},
       {QStringLiteral("左クリックで置くタイルを、タイル一覧のパレットで表示します。")}},
      {QStringLiteral("属性・パレット・BGバンク"),
       {QStringLiteral("RGChipPropertySelect"), QStringLiteral("RGPaletteSelect"),
        QStringLiteral("EditSelectChipProperty"), QStringLiteral("ScrBarBGBank0"),
        QStringLiteral("ScrBarBGBank1"), QStringLiteral("BtnUnused16x16ChipChk"),
        QStringLiteral("BtnUnusedTileChk"), QStringLiteral("Button1")},
       {QStringLiteral(
            "「チップ属性」「使用パレット」: クリックで編集対象チップの属性とパレットを選びます。"),
        QStringLiteral("「属性」の欄: 属性の値を16進2桁で入力します。"),
        QStringLiteral("Bank0・Bank1 のバー: BGバンクの番号を変えます。"),
        QStringLiteral(
            "「未使用チップ番号表示」「未使用タイル番号表示」: 番号の一覧を表示します。"),
        kScrollWheel, kReload}},
  };
}

std::vector<HelpTopic> PaletteTopics() {
  return {
      {QStringLiteral("パレット(「パレット編集」の4つの絵)"),
       {QStringLiteral("ImgPalView0"), QStringLiteral("ImgPalView1"), QStringLiteral("ImgPalView2"),
        QStringLiteral("ImgPalView3")},
       {QStringLiteral("左クリック: そのマスに選択カラーを入れます。"),
        QStringLiteral("右クリック: そのマスの色を選択カラーにします(40 以上の色は 0F)。")}},
      {QStringLiteral("カラーテーブル"),
       {QStringLiteral("ImgColorTable")},
       {QStringLiteral("左クリック: その色を選択カラーにします。")}},
      {QStringLiteral("選択カラー"),
       {QStringLiteral("ImgSelectColor")},
       {QStringLiteral("パレットに入れる色とその番号を表示します。")}},
      {QStringLiteral("パレットアニメーション(4つの絵)"),
       {QStringLiteral("ImgAnimePal0"), QStringLiteral("ImgAnimePal1"),
        QStringLiteral("ImgAnimePal2"), QStringLiteral("ImgAnimePal3")},
       {QStringLiteral("アニメーション中の今の色を表示します。マウス操作はありません。")}},
      {QStringLiteral("定義・色・アニメーションの欄"),
       {QStringLiteral("CBSelectPaletteSet"), QStringLiteral("BtnPaletteReload"),
        QStringLiteral("BtnAnimationPaletteReload")},
       {QStringLiteral(
            "定義のリスト: 編集し、すべての絵の表示に使うパレット定義(定義0～3)を選びます。"),
        QStringLiteral("色の欄: 色の番号を16進2桁(00～3F)で入力します。"),
        QStringLiteral("アニメーションの欄: 16進2桁で入力するか、上下ボタンで1つずつ変えます。"),
        kReload}},
  };
}

std::vector<HelpTopic> ObjectTopics() {
  return {
      {QStringLiteral("部屋の絵(左・右)"),
       {QStringLiteral("ImgObjectMapPage0"), QStringLiteral("ImgObjectMapPage1")},
       {QStringLiteral("左クリック: オブジェクトを選択します(何もない所では選択を外します)。"),
        QStringLiteral(
            "左ドラッグ: 押したオブジェクトを動かします。Ctrl を押しながらは8ドット単位、Shift "
            "を押しながらは4ドット単位、Ctrl+Shift では動きません。"),
        QStringLiteral(
            "Shift+左クリック(何もない所): その部屋のオブジェクト一覧ダイアログを開きます。"),
        QStringLiteral(
            "右クリック: 新規作成・コピー・切り取り・貼り付け・削除のメニューを開きます。"),
        QStringLiteral(
            "マウスを乗せる: "
            "オブジェクトの情報をポップアップで表示します(チェックボックスで切り替え)。")}},
      {QStringLiteral("編集対象オブジェクトとボタン"),
       {QStringLiteral("ScrBarObjectMap"), QStringLiteral("CBSelectObject"),
        QStringLiteral("UDObjectX"), QStringLiteral("UDObjectY"), QStringLiteral("BtnObjectCreate"),
        QStringLiteral("BtnObjectRemove"), QStringLiteral("ChkSortObjectList"),
        QStringLiteral("ChkPopupHint"), QStringLiteral("BtnObjectEditReload")},
       {QStringLiteral("絵の下のバー: 表示する2部屋を1部屋ずつずらします。"),
        QStringLiteral("「種類」のリスト: 選択中のオブジェクトの種類を変えます。"),
        QStringLiteral(
            "X の左右ボタン・Y の上下ボタン: 選択中のオブジェクトを1ドットずつ動かします。"),
        QStringLiteral(
            "「新規作成」: 最後に左クリックした位置に種類 00 のオブジェクトを作ります。"),
        QStringLiteral(
            "「削除」: 選択中のオブジェクトを消します。オブジェクトの編集は元に戻せません。"),
        kScrollWheel, kReload}},
      {QStringLiteral("オブジェクト一覧ダイアログ"),
       {},
       {QStringLiteral("1行に1つ、「X座標 Y座標 種類」を16進で書きます。"),
        QStringLiteral(
            "OK: 部屋のオブジェクトを書いた内容に置き換えます。キャンセル: 何も変えません。")}},
  };
}

}  // namespace

std::vector<HelpTopic> OperationTopics(EditTab tab) {
  switch (tab) {
    case EditTab::Map: return MapTopics();
    case EditTab::MapSet: return MapSetTopics();
    case EditTab::Chip32x32: return Chip32x32Topics();
    case EditTab::Chip16x16: return Chip16x16Topics();
    case EditTab::Palette: return PaletteTopics();
    case EditTab::Object: return ObjectTopics();
  }
  return {};
}

QString OperationGuide(EditTab tab, const QString& tabCaption, const QStringList& shortcuts) {
  QStringList text = {QStringLiteral("「%1」タブの操作").arg(tabCaption)};
  for (const HelpTopic& topic : OperationTopics(tab)) {
    text << QString() << QStringLiteral("■ ") + topic.title;
    for (const QString& line : topic.lines) text << QStringLiteral("  ") + line;
  }
  text << QString() << QStringLiteral("■ メニューのショートカット");
  for (const QString& line : shortcuts) text << QStringLiteral("  ") + line;
  return text.join(u'\n');
}

QString AboutText() {
  return QStringLiteral("ZANTOR 5 EDITOR\nバージョン %1\nQt %2\n\n%3")
      .arg(QString::fromLatin1(kProgramVersion), QString::fromLatin1(qVersion()),
           QStringLiteral("NES のアクションゲームの16ステージを編集するレベルエディタです。"));
}

}  // namespace zantor
