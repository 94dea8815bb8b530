#include "app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include "app/chip16x16_tab_page.h"
#include "app/chip32x32_tab_page.h"
#include "app/dialog_notifier.h"
#include "app/edit_key_and_hint_filter.h"
#include "app/file_dialog_places.h"
#include "app/help_menu.h"
#include "app/map_set_tab_page.h"
#include "app/map_tab_page.h"
#include "app/name_lists.h"
#include "app/object_tab_page.h"
#include "app/palette_tab_page.h"
#include "app/path_text.h"
#include "app/qt_dialogs.h"
#include "app/recent_files_menu.h"
#include "app/stage_overview_form.h"
#include "app/status_bar_panels.h"
#include "app/stored_settings.h"
#include "app/test_play_launcher.h"
#include "app/widget_naming.h"
#include "core/edit_flag_management.h"
#include "core/fc_palette_data.h"
#include "core/in_place_backup.h"
#include "core/my_mem_ini_file.h"
#include "core/output_file_check.h"
#include "core/patch_file.h"
#include "core/program_locations.h"
#include "core/rom_image_data.h"
#include "core/undo_data.h"
#include "editors/chip16x16_edit_class.h"
#include "editors/chip32x32_edit_class.h"
#include "editors/frame_timer_pause.h"
#include "editors/map_edit_class.h"
#include "editors/map_set_edit_class.h"
#include "editors/map_set_edit_grid_form.h"
#include "editors/object_edit_class.h"
#include "editors/object_edit_form.h"
#include "editors/palette_edit_class.h"
#include "editors/radio_group.h"
#include "editors/room_pair.h"
#include "editors/show_unused_chip_num_form.h"
#include "editors/tab_editor.h"
#include "editors/two_digit_hex.h"
#include "graphics/editor_graphics.h"
#include "graphics/stage_picture.h"

namespace zantor {

namespace {

const QString kAppTitle = QStringLiteral("ZANTOR 5 EDITOR");
const QString kOpenFilter =
    QStringLiteral("ZANTOR5 ROMイメージ (*.nes)|*.nes|すべてのファイル (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("ZANTOR5 ROMイメージ (*.nes)|*.nes");
const QString kPatchFilter = QStringLiteral("IPSパッチ (*.ips)|*.ips|BPSパッチ (*.bps)|*.bps");
const QString kPictureFilter = QStringLiteral("PNG画像 (*.png)|*.png");
const QString kUndoCaption = QStringLiteral("元に戻す(&U)");
const QString kRedoCaption = QStringLiteral("やり直し(&R)");
constexpr int kDefaultFrameInterval = 16;

// The one local file, not a folder, that a drag carries; nothing for anything else.
std::optional<QString> DroppedFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1) return std::nullopt;
  const QUrl& url = data->urls().front();
  if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).isDir()) return std::nullopt;
  return url.toLocalFile();
}

// The platform's keys for a File menu item, led by the one desktop editors share, which some
// platforms lack (Windows has no key for Save As or Exit).
QList<QKeySequence> ItemKeys(QKeySequence::StandardKey standard, QKeyCombination usual) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
  keys.removeAll(QKeySequence(usual));
  keys.prepend(QKeySequence(usual));
  return keys;
}

QString FileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

QStringList StageItems() {
  QStringList items;
  for (int stage = 0; stage < kStageCount; ++stage) {
    items.append(TwoDigitHex(stage) + QStringLiteral(" ステージ%1").arg(stage + 1));
  }
  return items;
}

TMainForm::TMainForm(ProgramEnvironment environment, QWidget* parent)
    : QMainWindow(parent), environment_(std::move(environment)) {
  if (environment_.dialogs != nullptr) {
    dialogs_ = environment_.dialogs;
  } else {
    ownDialogs_ = std::make_unique<QtDialogs>(this);
    dialogs_ = ownDialogs_.get();
  }
  notifier_ = std::make_unique<DialogNotifier>(*dialogs_);
  BuildWindow();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateDialogs() {
  // Created hidden once, reused for the whole run; before the editors, which are handed
  // theirs when they are built.
  ShowUnusedChipNumForm = new TShowUnusedChipNumForm(this);
  MapSetEditGridForm = new TMapSetEditGridForm(*dialogs_, this);
  ObjectEditForm = new TObjectEditForm(this);
}

void TMainForm::BuildWindow() {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(kAppTitle);
  setAcceptDrops(true);

  auto* central = new QWidget(this);
  // The stage list above the tabs; the window around it takes its size from the menu and
  // status bars of the platform (about 635 x 701 with a frame).
  central->setFixedSize(619, 627);
  setCentralWidget(central);
  CBStage = Placed(new QComboBox(central), "CBStage", {0, 0, 177, 22});
  CBStage->addItems(StageItems());

  EditPageControl = Placed(new QTabWidget(central), "EditPageControl", {0, 24, 617, 601});
  TabMapEdit = new MapTabPage;
  TabMapSetEdit = new MapSetTabPage;
  Tab32x32ChipEdit = new Chip32x32TabPage;
  Tab16x16ChipEdit = new Chip16x16TabPage;
  TabPaletteEdit = new PaletteTabPage;
  TabObjectEdit = new ObjectTabPage;
  const std::pair<QWidget*, const char*> tabs[] = {
      {TabMapEdit, "TabMapEdit"},
      {TabMapSetEdit, "TabMapSetEdit"},
      {Tab32x32ChipEdit, "Tab32x32ChipEdit"},
      {Tab16x16ChipEdit, "Tab16x16ChipEdit"},
      {TabPaletteEdit, "TabPaletteEdit"},
      {TabObjectEdit, "TabObjectEdit"},
  };
  const QString captions[] = {
      QStringLiteral("マップ"),      QStringLiteral("マップセット"), QStringLiteral("32x32チップ"),
      QStringLiteral("16x16チップ"), QStringLiteral("パレット"),     QStringLiteral("オブジェクト"),
  };
  for (int i = 0; i < kEditTabCount; ++i) {
    tabs[i].first->setObjectName(QString::fromLatin1(tabs[i].second));
    EditPageControl->addTab(tabs[i].first, captions[i]);
  }
  EditPageControl->setCurrentIndex(static_cast<int>(EditTab::Chip16x16));

  StatusBar = new StatusBarPanels(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  setStatusBar(StatusBar);

  FrameTimer = new QTimer(this);
  FrameTimer->setObjectName(QStringLiteral("FrameTimer"));
  FrameTimer->setInterval(kDefaultFrameInterval);
  connect(FrameTimer, &QTimer::timeout, this, &TMainForm::FrameTimerTimer);

  PopupMenuObjectEdit = new QMenu(this);
  PopupMenuObjectEdit->setObjectName(QStringLiteral("PopupMenuObjectEdit"));

  BuildMenus();
  ShowClosedState();
  adjustSize();
  setFixedSize(size());

  // Connected after the tabs exist, so building them runs no handler.
  connect(CBStage, &QComboBox::activated, this, &TMainForm::CBStageChange);
  connect(EditPageControl, &QTabWidget::currentChanged, this, [this] { EditPageControlChange(); });
}

void TMainForm::BuildMenus() {
  const auto action = [this](QMenu* menu, const char* name, const QString& caption,
                             void (TMainForm::*handler)()) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  FileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  FileMenu->setObjectName(QStringLiteral("File1"));
  Open1 = action(FileMenu, "Open1", QStringLiteral("開く(&O)"), &TMainForm::Open1Click);
  FileMenu->addSeparator();
  Save1 = action(FileMenu, "Save1", QStringLiteral("上書き保存(&S)"), &TMainForm::Save1Click);
  SaveAs1 =
      action(FileMenu, "SaveAs1", QStringLiteral("名前を付けて保存(&A)"), &TMainForm::SaveAs1Click);
  FileMenu->addSeparator();
  MakePatch1 = action(FileMenu, "MakePatch1", QStringLiteral("パッチの作成(&P)..."),
                      &TMainForm::MakePatch1Click);
  ExportStageImage1 =
      action(FileMenu, "ExportStageImage1", QStringLiteral("ステージ画像の書き出し(&E)..."),
             &TMainForm::ExportStageImage1Click);
  FileMenu->addSeparator();
  TestPlay1 =
      action(FileMenu, "TestPlay1", QStringLiteral("テストプレイ(&T)"), &TMainForm::TestPlay1Click);
  TestPlay1->setShortcut(QKeySequence(Qt::Key_F5));
  TestPlaySettings1 =
      action(FileMenu, "TestPlaySettings1", QStringLiteral("テストプレイの設定(&G)..."),
             &TMainForm::TestPlaySettings1Click);
  FileMenu->addSeparator();
  Close1 = action(FileMenu, "Close1", QStringLiteral("閉じる(&C)"), &TMainForm::Close1Click);
  FileMenu->addSeparator();
  RecentFiles1 =
      new RecentFilesMenu([this](const QString& path) { OpenRecentFile(path); }, FileMenu);
  FileMenu->addMenu(RecentFiles1);
  FileMenu->addSeparator();
  Exit1 = action(FileMenu, "Exit1", QStringLiteral("終了(&X)"), &TMainForm::Exit1Click);
  // The window's keys: they act on every tab whatever has the focus, but not while a modal
  // dialog is open or their item is disabled.
  Open1->setShortcuts(ItemKeys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
  Save1->setShortcuts(ItemKeys(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
  SaveAs1->setShortcuts(ItemKeys(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Close1->setShortcuts(ItemKeys(QKeySequence::Close, Qt::CTRL | Qt::Key_W));
  Exit1->setShortcuts(ItemKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

  Edit1 = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Undo1 = action(Edit1, "Undo1", kUndoCaption, &TMainForm::Undo1Click);
  Redo1 = action(Edit1, "Redo1", kRedoCaption, &TMainForm::Redo1Click);
  Undo1->setEnabled(false);
  Redo1->setEnabled(false);
  UndoObjects1 = Edit1->addAction(QStringLiteral("オブジェクトの編集も元に戻せるようにする(&O)"));
  UndoObjects1->setObjectName(QStringLiteral("UndoObjects1"));
  UndoObjects1->setCheckable(true);
  // triggered follows the user only: the stored choice put in at start-up runs nothing.
  connect(UndoObjects1, &QAction::triggered, this,
          [this](bool checked) { rom_->SetObjectUndoChosen(checked); });
  connect(Edit1, &QMenu::aboutToShow, this, &TMainForm::Edit1Click);

  View1 = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  View1->setObjectName(QStringLiteral("View1"));
  StageOverview1 = View1->addAction(QStringLiteral("ステージ全体図(&O)"));
  StageOverview1->setObjectName(QStringLiteral("StageOverview1"));
  StageOverview1->setCheckable(true);
  StageOverview1->setShortcut(QKeySequence(Qt::Key_F2));
  connect(StageOverview1, &QAction::triggered, this, [this](bool shown) {
    if (StageOverviewForm != nullptr) StageOverviewForm->SetWanted(shown);
  });

  // Last, after the View menu: the Help menu is always shown.
  new HelpMenu(*menuBar(), *EditPageControl, *dialogs_);

  // The items show their keys, but the keys themselves are handled by the window: a
  // disabled item would swallow its key before Edit1Click could enable it.
  Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Redo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  Undo1->setShortcutContext(Qt::WidgetShortcut);
  Redo1->setShortcutContext(Qt::WidgetShortcut);
  auto* undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  auto* redoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), this);
  connect(undoKey, &QShortcut::activated, this, [this] { RunEditShortcut(Undo1); });
  connect(redoKey, &QShortcut::activated, this, [this] { RunEditShortcut(Redo1); });
  qApp->installEventFilter(new EditKeyAndHintFilter(
      *this, [this](const QKeyEvent& key) { return EditShortcutIsTaken(key); }));
}

void TMainForm::FormCreate() {
  palette_ = std::make_unique<FcPaletteData>();
  const ProgramFolders& folders = environment_.folders;
  const FileSearch paletteFile = FindMasterPalette(environment_.paletteFile, folders);
  if (!palette_->Load(paletteFile.file, *notifier_, paletteFile.SearchedFoldersNote())) {
    startupFailed_ = true;
    return;
  }
  flags_ = std::make_unique<EditFlagManagement>(*StatusBar);
  settings_ = std::make_unique<TMyMemIniFile>(SettingsFilePath(folders));
  if (!settings_->LoadError().empty()) {
    // The file is there but could not be read: run on the defaults, and keep them from
    // replacing the user's address table and sharing entries at exit.
    notifier_->ReportError(CannotOpenReport(settings_->FileName(), settings_->LoadError()));
    settingsFileKept_ = true;
  }
  RecentFiles1->Read(*settings_);
  LoadChipAttributeNames(FindNameList(kChipAttributesFile, folders).file, attributeNames_,
                         *Tab16x16ChipEdit->RGChipPropertySelect);
  rom_ = std::make_unique<RomImageData>(
      *flags_, attributeNames_, *settings_, *notifier_,
      std::make_unique<AtomicFileWriter>(InPlaceBackup(folders.cacheDir)));
  graphics_ = std::make_unique<EditorGraphics>(*palette_, rom_->Bytes(), rom_->Addresses());
  storedSettings_ = StoredSettingsTable();
  ApplyStoredSettings(storedSettings_, *settings_);
  // The switch for object edits counts only with the undo switch on, which is fixed for the run.
  UndoObjects1->setEnabled(rom_->UndoEnabled());
  testPlay_ = std::make_unique<TestPlayLauncher>(*dialogs_);
  testPlay_->ReadSettings(*settings_);

  TabMapEdit->ScrBarMap->setRange(0, 78);
  TabObjectEdit->ScrBarObjectMap->setRange(0, 78);
  TabMapEdit->ScrbarEditMapPage0->setRange(0, 39);
  TabMapEdit->ScrbarEditMapPage1->setRange(0, 39);
  TabMapSetEdit->ScrBarMapSet->setRange(0, 38);
  TabMapSetEdit->ScrBarSelectPage0->setRange(0, 39);
  TabMapSetEdit->ScrBarSelectPage1->setRange(0, 39);

  LoadObjectKindNames(FindNameList(kObjectListFile, folders).file, *TabObjectEdit->CBSelectObject,
                      *dialogs_);
  CreateDialogs();
  CreateEditors();
  CreateStageOverview();
}

void TMainForm::CreateEditors() {
  paletteEdit_ = std::make_unique<PaletteEditClass>(*rom_, *flags_, *graphics_, *dialogs_);
  TabPaletteEdit->Attach(*paletteEdit_, FrameTimer);
  AddEditor(*paletteEdit_, EditTab::Palette);

  chip16Edit_ =
      std::make_unique<Chip16x16EditClass>(*rom_, *flags_, *graphics_, *dialogs_, *StatusBar);
  Tab16x16ChipEdit->Attach(*chip16Edit_, *ShowUnusedChipNumForm);
  AddEditor(*chip16Edit_, EditTab::Chip16x16);
  sheetSources_.push_back(chip16Edit_.get());

  chip32Edit_ =
      std::make_unique<Chip32x32EditClass>(*rom_, *flags_, *graphics_, *dialogs_, *StatusBar);
  Tab32x32ChipEdit->Attach(*chip32Edit_, *ShowUnusedChipNumForm);
  AddEditor(*chip32Edit_, EditTab::Chip32x32);
  sheetSources_.push_back(chip32Edit_.get());

  mapSetEdit_ =
      std::make_unique<MapSetEditClass>(*rom_, *flags_, *graphics_, *dialogs_, *StatusBar);
  TabMapSetEdit->Attach(*mapSetEdit_, *MapSetEditGridForm, *ShowUnusedChipNumForm);
  AddEditor(*mapSetEdit_, EditTab::MapSet);
  // A plain left click on the 32x32 chip view chooses the chip the map set tab places.
  chip32Edit_->OnViewChipChosen([this](int chip) { mapSetEdit_->SetSelectedChip(chip); });

  // After the 32x32 chip editor, whose Reset rebuilds the sheet the rooms are drawn from.
  mapEdit_ = std::make_unique<MapEditClass>(*rom_, *flags_, *graphics_, *dialogs_);
  TabMapEdit->Attach(*mapEdit_);
  AddEditor(*mapEdit_, EditTab::Map);

  objectEdit_ = std::make_unique<ObjectEditClass>(*rom_, *flags_, *graphics_, *dialogs_);
  TabObjectEdit->Attach(*objectEdit_, *PopupMenuObjectEdit, *ObjectEditForm);
  AddEditor(*objectEdit_, EditTab::Object);
}

void TMainForm::CreateStageOverview() {
  StageOverviewForm = new TStageOverviewForm(
      *palette_, *rom_,
      {[this] { return paletteEdit_->SelectedDefinition(); },
       [this] { return mapEdit_->FirstRoom(); }, [this] { return objectEdit_->FirstRoom(); }},
      this);
  StageOverviewForm->OnRoomChosen = [this](int room) { ShowRoomOnTabs(room); };
  StageOverviewForm->OnClosed = [this] { StageOverview1->setChecked(false); };
  // Its key works from the overview too.
  StageOverviewForm->addAction(StageOverview1);
  StageOverviewForm->ReadSettings(*settings_);
  StageOverview1->setChecked(StageOverviewForm->Wanted());
}

void TMainForm::ShowRoomOnTabs(int room) {
  const int first = std::min(room, RoomPair::kLastFirstRoom);
  // The bars follow the user only: moved from here they run nothing.
  TabMapEdit->ScrBarMap->setValue(first);
  mapEdit_->ShowRooms(first);
  TabObjectEdit->ScrBarObjectMap->setValue(first);
  objectEdit_->ShowRooms(first);
  StageOverviewForm->Refresh();
}

void TMainForm::AddEditor(TabEditor& editor, EditTab tab) {
  editorsInOrder_.push_back(&editor);
  editorsByTab_[static_cast<std::size_t>(tab)] = &editor;
}

std::vector<StoredSetting> TMainForm::StoredSettingsTable() {
  return {
      CheckBoxSetting("ObjectEdit", "Sort", true, *TabObjectEdit->ChkSortObjectList),
      CheckBoxSetting("ObjectEdit", "Popup", true, *TabObjectEdit->ChkPopupHint),
      CheckBoxSetting("32x32ChipEdit", "Grid", false, *Tab32x32ChipEdit->Chk32x32ChipEditDrawGrid),
      CheckBoxSetting("MapSetEdit", "Grid", false, *TabMapSetEdit->ChkMapSetEditDrawGrid),
      {"Timer", "Interval", StoredSetting::Form::Integer, kDefaultFrameInterval,
       [this](int interval) {
         // One of 0 or below runs at the default but goes back to the file as it stood.
         frameIntervalSetting_ = interval;
         FrameTimer->setInterval(interval > 0 ? interval : kDefaultFrameInterval);
       },
       [this] { return frameIntervalSetting_; }},
      {"Undo", "Enabled", StoredSetting::Form::Bool, 1,
       [this](int enabled) { rom_->SetUndoEnabled(enabled != 0); },
       [this] { return rom_->UndoEnabled() ? 1 : 0; }},
      {"Undo", "Objects", StoredSetting::Form::Bool, 0,
       [this](int chosen) {
         rom_->SetObjectUndoChosen(chosen != 0);
         UndoObjects1->setChecked(chosen != 0);
       },
       [this] { return rom_->ObjectUndoChosen() ? 1 : 0; }},
  };
}

void TMainForm::WriteSettings() {
  if (settingsFileKept_) return;
  WriteStoredSettings(storedSettings_, *settings_);
  testPlay_->WriteSettings(*settings_);
  RecentFiles1->Write(*settings_);
  StageOverviewForm->WriteSettings(*settings_);
  if (const std::string error = settings_->UpdateFile(); !error.empty()) {
    notifier_->ReportError(CannotWriteReport(settings_->FileName(), error));
  }
}

PointerStatus& TMainForm::PointerText() { return *StatusBar; }

void TMainForm::SetCaption(const QString& path) {
  setWindowTitle(path.isEmpty() ? kAppTitle : kAppTitle + QStringLiteral(" - ") + path);
}

void TMainForm::ShowImageState() {
  flags_->ClearAll();
  SetCaption(FromPath(rom_->FileName()));
  CBStage->setVisible(true);
  CBStage->setCurrentIndex(0);
  graphics_->SetChrBase();
  rom_->SetCurrentStage(CBStage->currentIndex());
  // Bank numbers are bytes and a bank's 2 KiB window lies inside the CHR data; an image
  // without CHR data still opens, its bars then offering bank 0 only.
  const int lastBank = std::clamp(rom_->ChrBankCount() - 2, 0, 255);
  Tab16x16ChipEdit->ScrBarBGBank0->setMaximum(lastBank);
  Tab16x16ChipEdit->ScrBarBGBank1->setMaximum(lastBank);
  ShowImageControls(true);
  ResetEditors();
  FocusShownPage();
  graphics_->ResetPaletteAnimation();
  FrameTimer->start();
}

void TMainForm::ShowClosedState() {
  SetCaption({});
  ShowImageControls(false);
}

void TMainForm::ShowImageControls(bool shown) {
  CBStage->setVisible(shown);
  EditPageControl->setVisible(shown);
  Save1->setEnabled(shown);
  SaveAs1->setEnabled(shown);
  MakePatch1->setEnabled(shown);
  ExportStageImage1->setEnabled(shown);
  TestPlay1->setEnabled(shown);
  Close1->setEnabled(shown);
  Edit1->menuAction()->setVisible(shown);
  View1->menuAction()->setVisible(shown);
  if (StageOverviewForm != nullptr) StageOverviewForm->SetImageOpen(shown);
}

void TMainForm::ResetEditors() {
  for (TabEditor* editor : editorsInOrder_) editor->Reset();
}

QString TMainForm::ImagePath() const { return FromPath(rom_->FileName()); }

void TMainForm::FocusShownPage() {
  // Keys pressed while looking at a picture must not go on switching the stage.
  EditPageControl->currentWidget()->setFocus(Qt::OtherFocusReason);
}

bool TMainForm::SaveWithDialog(QString* savedPath) {
  const auto chosen = dialogs_->AskSaveFileName(
      BesideImage({.filter = kSaveFilter, .defaultSuffix = QStringLiteral("nes")}, ImagePath(),
                  FileNameOf(ImagePath())));
  if (!chosen) return false;
  const QString path = AbsoluteFilePath(*chosen);
  if (!SaveImageTo(path)) return false;
  if (savedPath != nullptr) *savedPath = path;
  return true;
}

bool TMainForm::SaveImageTo(const QString& path) {
  if (rom_->ChangedOnDisk(ToPath(path)) &&
      !dialogs_->Confirm(ImagePath() +
                         QStringLiteral("は、開いた後に他のプログラムによって変更されています。"
                                        "上書きしますか？"))) {
    return false;
  }
  if (!rom_->Save(ToPath(path))) return false;
  ImageSaved(path);
  return true;
}

void TMainForm::ImageSaved(const QString& path) {
  RecentFiles1->Add(path);
  StatusBar->ShowNotice(QStringLiteral("保存しました: ") + FileNameOf(path));
}

bool TMainForm::ConfirmDiscardOrSave() {
  if (!flags_->IsModified()) return true;
  const QString question = ImagePath() + QStringLiteral("への変更を保存しますか？");
  switch (dialogs_->AskYesNoCancel(kAppTitle, question)) {
    case Answer::Yes: {
      // A failed save must not let the action drop the changes it was meant to keep.
      QString path;
      if (!SaveWithDialog(&path)) return false;
      // The image now lives there, whatever the action does next.
      SetCaption(path);
      return true;
    }
    case Answer::No: return true;
    case Answer::Cancel: return false;
  }
  return false;
}

void TMainForm::Open1Click() {
  const auto path = dialogs_->AskOpenFileName(
      {.filter = kOpenFilter, .folder = OpenDialogFolder(ImagePath(), RecentFiles1->Folder())});
  if (path) OpenChosenFile(*path);
}

void TMainForm::OpenChosenFile(const QString& path) {
  if (!ConfirmDiscardOrSave()) return;
  OpenImage(path);
}

void TMainForm::OpenRecentFile(const QString& path) {
  if (!ConfirmDiscardOrSave()) return;
  if (!OpenImage(path)) RecentFiles1->Remove(path);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TMainForm::dropEvent(QDropEvent* event) {
  const auto path = DroppedFile(event->mimeData());
  if (!path) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  OpenChosenFile(*path);
}

bool TMainForm::OpenImage(const QString& path) {
  const QString absolute = AbsoluteFilePath(path);
  OfferUnfinishedSave(ToPath(absolute));
  if (!rom_->Open(ToPath(absolute))) return false;
  RecentFiles1->Add(absolute);
  ShowImageState();
  return true;
}

void TMainForm::OfferUnfinishedSave(const std::filesystem::path& path) {
  const InPlaceBackup backup(environment_.folders.cacheDir);
  const auto kept = backup.Find(path);
  if (!kept) return;
  if (dialogs_->Confirm(QStringLiteral("前回の保存が完了していません。保存前の内容に戻しますか？"))) {
    AtomicFileWriter writer(backup);
    if (const std::string error = writer.Write(path, *kept); !error.empty()) {
      // The copy stays for another try; the file opens as it is.
      notifier_->ReportError(CannotWriteReport(path, error));
      return;
    }
  }
  backup.Drop(path);
}

void TMainForm::Save1Click() { SaveImageTo(ImagePath()); }

void TMainForm::SaveAs1Click() {
  QString path;
  if (SaveWithDialog(&path)) SetCaption(path);
}

void TMainForm::MakePatch1Click() {
  const auto originalPath =
      dialogs_->AskOpenFileName({.filter = kOpenFilter,
                                 .title = QStringLiteral("元のROMイメージを開く"),
                                 .folder = OpenDialogFolder(ImagePath(), {})});
  if (!originalPath) return;
  const auto original =
      ReadPatchOriginal(ToPath(*originalPath), static_cast<std::size_t>(rom_->Size()), *notifier_);
  if (!original) return;
  const auto patchPath = dialogs_->AskSaveFileName(
      BesideImage({.filter = kPatchFilter,
                   .defaultSuffix = QStringLiteral("bps"),
                   .title = QStringLiteral("パッチの保存")},
                  ImagePath(), NameFromImage(ImagePath(), QStringLiteral(".bps"))));
  if (!patchPath || !MayWriteOutput(*patchPath, {rom_->FileName(), ToPath(*originalPath)})) return;
  AtomicFileWriter writer;
  if (WritePatchFile(ToPath(*patchPath), *original, rom_->SavedBytes(), writer, *notifier_)) {
    StatusBar->ShowNotice(QStringLiteral("パッチを書き出しました: ") + FileNameOf(*patchPath));
  }
}

void TMainForm::ExportStageImage1Click() {
  const QString proposed = NameFromImage(
      ImagePath(), QStringLiteral("_stage") + TwoDigitHex(rom_->CurrentStage()) + ".png");
  const auto path = dialogs_->AskSaveFileName(BesideImage(
      {.filter = kPictureFilter, .defaultSuffix = QStringLiteral("png")}, ImagePath(), proposed));
  if (!path || !MayWriteOutput(*path, {rom_->FileName()}, ".png")) return;
  StagePictureRequest request;
  request.stage = rom_->CurrentStage();
  request.definition = paletteEdit_->SelectedDefinition();
  AtomicFileWriter writer;
  if (WriteStagePicture(ToPath(*path), *palette_, *rom_, request, writer, *notifier_)) {
    StatusBar->ShowNotice(QStringLiteral("画像を書き出しました: ") + FileNameOf(*path));
  }
}

bool TMainForm::MayWriteOutput(const QString& output,
                               const std::vector<std::filesystem::path>& inputs,
                               std::string_view extension) {
  const std::string refusal = OutputRefusal(ToPath(output), inputs, extension);
  if (refusal.empty()) return true;
  notifier_->ShowMessage(refusal);
  return false;
}

void TMainForm::TestPlay1Click() { testPlay_->Play(rom_->FileName(), rom_->SavedBytes()); }

void TMainForm::TestPlaySettings1Click() { testPlay_->AskCommand(); }

void TMainForm::Close1Click() {
  if (!ConfirmDiscardOrSave()) return;
  rom_->Close();
  flags_->ClearAll();
  ShowClosedState();
}

void TMainForm::Exit1Click() { close(); }

void TMainForm::closeEvent(QCloseEvent* event) {
  if (startupFailed_ || settingsWritten_) {
    event->accept();
    return;
  }
  if (!ConfirmDiscardOrSave()) {
    event->ignore();
    return;
  }
  WriteSettings();
  settingsWritten_ = true;
  event->accept();
}

void TMainForm::CBStageChange(int index) {
  // Choosing the stage already shown changes nothing: the editors keep their selections.
  if (index == rom_->CurrentStage()) return;
  const FrameTimerPause pause(*FrameTimer);
  rom_->SetCurrentStage(index);
  ResetEditors();
  FocusShownPage();
  graphics_->ResetPaletteAnimation();
}

void TMainForm::SelectStage(int stage) {
  if (!rom_->IsOpen()) return;
  CBStage->setCurrentIndex(stage);
  CBStageChange(stage);
}

EditTab TMainForm::ActiveTab() const {
  return static_cast<EditTab>(EditPageControl->currentIndex());
}

void TMainForm::ShowTab(EditTab tab) {
  if (ActiveTab() == tab) {
    EditPageControlChange();
  } else {
    EditPageControl->setCurrentIndex(static_cast<int>(tab));  // runs EditPageControlChange
  }
}

void TMainForm::EditPageControlChange() {
  // Hidden means closed; a window not yet on screen still refreshes.
  if (startupFailed_ || EditPageControl->isHidden()) return;
  TabEditor* editor = editorsByTab_[static_cast<std::size_t>(EditPageControl->currentIndex())];
  if (editor == nullptr) return;
  if (editor->DrawsFromChipSheets()) {
    // The 16x16 sheet first: the 32x32 sheet is composed from it.
    for (ChipSheetSource* source : sheetSources_) {
      source->ApplySheetPalette();
      source->RebuildChipSheet();
    }
  }
  editor->RefreshTab();
}

void TMainForm::Edit1Click() {
  // An item names the entry it would take back or do again, when there is one.
  const auto show = [](QAction* item, const QString& caption, bool enabled, auto entryName) {
    item->setEnabled(enabled);
    item->setText(enabled ? caption + QStringLiteral(" - ") + QString::fromStdString(entryName())
                          : caption);
  };
  show(Undo1, kUndoCaption, rom_->CanUndo(), [this] { return rom_->UndoName(); });
  show(Redo1, kRedoCaption, rom_->CanRedo(), [this] { return rom_->RedoName(); });
}

void TMainForm::Undo1Click() { HistoryStep(true); }

void TMainForm::Redo1Click() { HistoryStep(false); }

void TMainForm::HistoryStep(bool undo) {
  const StageData& stage = rom_->CurrentStageData();
  // The step replaces the room's object entries: the object tab lets go of them first.
  if (const auto room = undo ? stage.NextUndoObjectRoom() : stage.NextRedoObjectRoom()) {
    objectEdit_->ForgetObjectsOfRoom(*room);
  }
  AfterHistoryStep(undo ? rom_->Undo() : rom_->Redo());
}

void TMainForm::AfterHistoryStep(int kind) {
  if (kind == UndoKindPalette || kind == UndoKindPaletteAnime) {
    TabPaletteEdit->CBSelectPaletteSetChange();
  }
  // Objects are stored only through their flag.
  if (kind == UndoKindObject) flags_->SetObjectModified(rom_->CurrentStage(), true);
  EditPageControlChange();
}

bool TMainForm::FrameTimerTimer() {
  if (!paletteEdit_->StepAnimation()) return false;
  if (TabEditor* shown = editorsByTab_[static_cast<std::size_t>(ActiveTab())]) {
    shown->RefreshPalette();
  }
  return true;
}

bool TMainForm::EditShortcutIsTaken(const QKeyEvent& key) {
  // As with a menu shortcut: the items are brought up to date first, and a key whose item
  // stays disabled goes on to the focused control (an edit box then undoes its own typing).
  if (!Edit1->menuAction()->isVisible()) return false;
  Edit1Click();
  return (key.key() == Qt::Key_Z ? Undo1 : Redo1)->isEnabled();
}

void TMainForm::RunEditShortcut(QAction* action) {
  if (!Edit1->menuAction()->isVisible()) return;
  Edit1Click();
  if (action->isEnabled()) action->trigger();
}

}  // namespace zantor
