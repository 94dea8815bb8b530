#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "graphics/pixel_rect.h"
#include "graphics/stage_change_tracker.h"

class QCheckBox;
class QLabel;

namespace zantor {

class FcPaletteData;
class RomImageData;
class StagePicture;
class TMyMemIniFile;

// What the overview follows in the main window besides the image.
struct StageOverviewSources {
  // The palette definition chosen on the palette tab.
  std::function<int()> definition;
  // The left room shown on the map tab and on the object tab.
  std::function<int()> mapFirstRoom;
  std::function<int()> objectFirstRoom;
};

// A window beside the main one with the current stage's 80 rooms as the stage picture draws
// them, scaled to fit without blur, with each room's number, a frame round the rooms the map
// tab shows and one round those of the object tab. It is drawn again where the stage changed
// after each input the program handles and before each paint; a left click chooses a room.
class TStageOverviewForm : public QWidget {
 public:
  TStageOverviewForm(const FcPaletteData& palette, const RomImageData& rom,
                     StageOverviewSources sources, QWidget* mainWindow);
  ~TStageOverviewForm() override;

  // A left click on a room.
  std::function<void(int room)> OnRoomChosen;
  // The user closed the window.
  std::function<void()> OnClosed;

  // Whether the user wants the window: it shows while an image is open.
  void SetWanted(bool wanted);
  bool Wanted() const { return wanted_; }
  // After an open every room is drawn anew (the tiles may differ); without an image the
  // window hides.
  void SetImageOpen(bool open);

  // Draws at once what changed since the last look, and repaints when anything did.
  void Refresh();

  void ReadSettings(const TMyMemIniFile& file);
  void WriteSettings(TMyMemIniFile& file) const;

  // The rooms as the window shows them, before their numbers and frames; and where a room
  // lies on it (also on the picture area's widget).
  QImage ShownRooms() const;
  QRect RoomRect(int room) const;
  // The room at a point of the picture area, if any.
  std::optional<int> RoomAt(QPoint point) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class View;
  friend class View;

  void ShowIfWanted();
  void PlaceBesideMainWindow();
  // Draws what changed; true when anything was drawn or a frame moved.
  bool Look();
  StagePicture& Rooms() const;
  // The rooms drawn anew as large as the picture area takes them.
  void FitToView();
  void Hover(std::optional<int> room);

  const FcPaletteData& palette_;
  const RomImageData& rom_;
  StageOverviewSources sources_;
  QWidget* mainWindow_;
  bool wanted_ = false;
  bool imageOpen_ = false;
  bool placed_ = false;
  StageChangeTracker tracker_;
  mutable std::unique_ptr<StagePicture> rooms_;
  QTimer lookTimer_;
  int framedMapRoom_ = -1;
  int framedObjectRoom_ = -1;

  QCheckBox* ChkStageOverviewObjects = nullptr;
  View* ImgStageOverview = nullptr;
  QLabel* LblStageOverviewStatus = nullptr;
};

}  // namespace zantor
