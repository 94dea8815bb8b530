#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/edit_tab.h"
#include "app/stored_settings.h"
#include "core/program_locations.h"

class QAction;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QMenu;
class QTabWidget;
class QTimer;

namespace zantor {

class ChipSheetSource;
class Chip16x16EditClass;
class Chip32x32EditClass;
class MapSetEditClass;
class ObjectEditClass;
class Chip16x16TabPage;
class Chip32x32TabPage;
class Dialogs;
class DialogNotifier;
class EditFlagManagement;
class EditorGraphics;
class FcPaletteData;
class MapEditClass;
class MapSetTabPage;
class MapTabPage;
class ObjectTabPage;
class PaletteEditClass;
class PaletteTabPage;
class PointerStatus;
class RecentFilesMenu;
class RomImageData;
class StatusBarPanels;
class TabEditor;
class TMapSetEditGridForm;
class TMyMemIniFile;
class TObjectEditForm;
class TShowUnusedChipNumForm;
class TestPlayLauncher;
class TStageOverviewForm;

// Where the program finds its files, and who answers its questions.
struct ProgramEnvironment {
  // The program's own folder and those looked in when it cannot serve.
  ProgramFolders folders;
  // The master palette as named: a bare name is looked up in the working folder first.
  std::filesystem::path paletteFile = kMasterPaletteFileName;
  // Every modal interaction; when null the window shows real dialogs.
  Dialogs* dialogs = nullptr;
};

// The program's one main window: creates every core object and editor in order, reads and
// writes the settings, runs the File and Edit menus, switches stages and refreshes tabs.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(ProgramEnvironment environment, QWidget* parent = nullptr);
  ~TMainForm() override;

  // True when the master palette could not be read: the window must not be shown.
  bool StartupFailed() const { return startupFailed_; }

  // Opens an image as File > Open does once its dialog has given the path.
  bool OpenImage(const QString& path);
  // Selects a stage as the user does with the stage list (only with an image open).
  void SelectStage(int stage);
  // Shows a tab as the user does by clicking it.
  void ShowTab(EditTab tab);
  EditTab ActiveTab() const;

  RomImageData& Rom() { return *rom_; }
  EditFlagManagement& Flags() { return *flags_; }
  // The stage overview window; null when start-up failed.
  TStageOverviewForm* StageOverview() { return StageOverviewForm; }
  // Status bar panel 1, as every editor is handed it.
  PointerStatus& PointerText();
  // The editor behind a tab (for benchmarks, which time the editors' operations directly).
  TabEditor& EditorOf(EditTab tab) { return *editorsByTab_[static_cast<std::size_t>(tab)]; }

  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  // Writes a patch from an original image file to the open image as Save would write it,
  // leaving the image, its flags and histories and its file as they are.
  void MakePatch1Click();
  // Writes a picture of the current stage's 80 rooms, as the map tab draws them with the
  // unsaved edits in the stored colours of the palette definition chosen on the palette tab;
  // the image, its flags and histories and the window's pictures stay as they are.
  void ExportStageImage1Click();
  // Plays the open image, with its unsaved edits, in an emulator; the image, its flags and
  // histories and its file stay as they are.
  void TestPlay1Click();
  void TestPlaySettings1Click();
  void Close1Click();
  void Exit1Click();
  void CBStageChange(int index);
  void EditPageControlChange();
  void Edit1Click();
  void Undo1Click();
  void Redo1Click();
  // One tick of the frame timer: steps the palette animation and recolours the shown tab
  // when a colour changed; true then.
  bool FrameTimerTimer();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // One dropped file opens as File > Open opens the chosen one; anything else is refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildWindow();
  void BuildMenus();
  void FormCreate();
  void CreateDialogs();
  // The settings the window keeps, each with its section, key, default and control.
  std::vector<StoredSetting> StoredSettingsTable();
  void WriteSettings();
  void ShowImageState();
  void ShowClosedState();
  // The stage list, the tabs and the items that need an image.
  void ShowImageControls(bool shown);
  void CreateEditors();
  void AddEditor(TabEditor& editor, EditTab tab);
  void CreateStageOverview();
  // Shows `room` and the one after it (the one before it for the last room) on the map and
  // object tabs, as their scroll bars would.
  void ShowRoomOnTabs(int room);
  void ResetEditors();
  // After an open or a stage change the keys go to the tab being shown, not the stage list.
  void FocusShownPage();
  // One undo or redo step of the current stage, with its refresh.
  void HistoryStep(bool undo);
  // Runs an undo or redo step's refresh: palette kinds reload the palette set first, object
  // edits mark the stage's objects modified.
  void AfterHistoryStep(int kind);
  void SetCaption(const QString& path);
  // The save question before an action that would drop unsaved changes; false when the
  // action must not go on.
  bool ConfirmDiscardOrSave();
  // Opens a file the user chose, once the save question lets the open image go.
  void OpenChosenFile(const QString& path);
  // As above for a recent file; one that no longer opens leaves the list.
  void OpenRecentFile(const QString& path);
  // The open image's absolute path; empty while none is open.
  QString ImagePath() const;
  // After a successful save: the list of recent files and the notice of the status bar.
  void ImageSaved(const QString& path);
  // Asks for a target and saves there; false when cancelled or the save failed.
  bool SaveWithDialog(QString* savedPath);
  // Saves to path, after asking when another program has changed the file since it was
  // opened or saved here; false when the user declined or the save failed.
  bool SaveImageTo(const QString& path);
  // Where a save written in place into path did not complete, offers the bytes it kept.
  void OfferUnfinishedSave(const std::filesystem::path& path);
  // Shows why a file may not be written over an input of the menu item; false then.
  bool MayWriteOutput(const QString& output, const std::vector<std::filesystem::path>& inputs,
                      std::string_view extension = {});
  // Whether Ctrl+Z / Ctrl+Y goes to the Edit menu rather than the focused control.
  bool EditShortcutIsTaken(const QKeyEvent& key);
  // Runs Ctrl+Z / Ctrl+Y as the menu would, whether or not it was opened.
  void RunEditShortcut(QAction* action);

  ProgramEnvironment environment_;
  std::unique_ptr<Dialogs> ownDialogs_;
  Dialogs* dialogs_ = nullptr;
  std::unique_ptr<DialogNotifier> notifier_;
  bool startupFailed_ = false;
  bool settingsWritten_ = false;
  // The settings file exists but could not be read: it is left as it is at exit.
  bool settingsFileKept_ = false;
  std::vector<StoredSetting> storedSettings_;
  // The timer interval as the settings hold it; one of 0 or below runs at the default but
  // is written back unchanged.
  int frameIntervalSetting_ = 0;

  std::unique_ptr<FcPaletteData> palette_;
  std::unique_ptr<EditFlagManagement> flags_;
  std::unique_ptr<TMyMemIniFile> settings_;
  std::vector<std::string> attributeNames_;
  std::unique_ptr<RomImageData> rom_;
  std::unique_ptr<EditorGraphics> graphics_;
  std::unique_ptr<TestPlayLauncher> testPlay_;
  std::unique_ptr<PaletteEditClass> paletteEdit_;
  std::unique_ptr<Chip16x16EditClass> chip16Edit_;
  std::unique_ptr<Chip32x32EditClass> chip32Edit_;
  std::unique_ptr<MapSetEditClass> mapSetEdit_;
  std::unique_ptr<MapEditClass> mapEdit_;
  std::unique_ptr<ObjectEditClass> objectEdit_;
  // Editors in the order they are created and reset; by tab for the tab refresh.
  std::vector<TabEditor*> editorsInOrder_;
  std::array<TabEditor*, kEditTabCount> editorsByTab_{};
  // The 16x16 and the 32x32 chip editors, in that order.
  std::vector<ChipSheetSource*> sheetSources_;

  QComboBox* CBStage = nullptr;
  QTabWidget* EditPageControl = nullptr;
  StatusBarPanels* StatusBar = nullptr;
  QTimer* FrameTimer = nullptr;
  QMenu* FileMenu = nullptr;
  QMenu* Edit1 = nullptr;
  QMenu* PopupMenuObjectEdit = nullptr;
  QAction* Open1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* SaveAs1 = nullptr;
  QAction* MakePatch1 = nullptr;
  QAction* ExportStageImage1 = nullptr;
  QAction* TestPlay1 = nullptr;
  QAction* TestPlaySettings1 = nullptr;
  QAction* Close1 = nullptr;
  RecentFilesMenu* RecentFiles1 = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Undo1 = nullptr;
  QAction* Redo1 = nullptr;
  QAction* UndoObjects1 = nullptr;
  QMenu* View1 = nullptr;
  QAction* StageOverview1 = nullptr;

  MapTabPage* TabMapEdit = nullptr;
  MapSetTabPage* TabMapSetEdit = nullptr;
  Chip32x32TabPage* Tab32x32ChipEdit = nullptr;
  Chip16x16TabPage* Tab16x16ChipEdit = nullptr;
  PaletteTabPage* TabPaletteEdit = nullptr;
  ObjectTabPage* TabObjectEdit = nullptr;

  TShowUnusedChipNumForm* ShowUnusedChipNumForm = nullptr;
  TMapSetEditGridForm* MapSetEditGridForm = nullptr;
  TObjectEditForm* ObjectEditForm = nullptr;
  TStageOverviewForm* StageOverviewForm = nullptr;
};

// The stage list's items: two hex digits, a blank and the stage's title.
QStringList StageItems();

}  // namespace zantor
