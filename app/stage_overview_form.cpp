#include "app/stage_overview_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "core/my_mem_ini_file.h"
#include "core/rom_image_data.h"
#include "editors/room_pair.h"
#include "editors/two_digit_hex.h"
#include "graphics/room_picture.h"
#include "graphics/stage_picture.h"

namespace zantor {

namespace {

const std::string kSection = "StageOverview";
constexpr int kColumns = StagePictureRequest::kDefaultColumns;
constexpr int kRows = (kRoomCount + kColumns - 1) / kColumns;
constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 360;
constexpr int kGap = 8;
const QColor kMapFrame = QColor(255, 0, 255);
const QColor kObjectFrame = QColor(0, 255, 255);
const QColor kNumberBack = QColor(0, 0, 0);
const QColor kNumberText = QColor(255, 255, 255);

// A frame `thickness` pixels wide just inside rect.
void Outline(QPainter& painter, const QRect& rect, const QColor& colour, int thickness) {
  painter.fillRect(rect.left(), rect.top(), rect.width(), thickness, colour);
  painter.fillRect(rect.left(), rect.bottom() - thickness + 1, rect.width(), thickness, colour);
  painter.fillRect(rect.left(), rect.top(), thickness, rect.height(), colour);
  painter.fillRect(rect.right() - thickness + 1, rect.top(), thickness, rect.height(), colour);
}

}  // namespace

// The picture area: the scaled rooms from its top-left, with numbers and frames on top.
class TStageOverviewForm::View : public QWidget {
 public:
  explicit View(TStageOverviewForm& form) : QWidget(&form), form_(form) {
    setMouseTracking(true);
    setMinimumSize(kColumns * 16, kRows * 16);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    form_.Look();
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const DisplayPicture& rooms = form_.Rooms().Picture();
    painter.drawImage(0, 0,
                      QImage(reinterpret_cast<const uchar*>(rooms.Words()), rooms.Width(),
                             rooms.Height(), rooms.BytesPerLine(), QImage::Format_RGB32));
    QFont font = painter.font();
    font.setPixelSize(std::clamp(form_.RoomRect(0).height() / 5, 8, 14));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int room = 0; room < kRoomCount; ++room) {
      const QRect cell = form_.RoomRect(room);
      const QString number = TwoDigitHex(room);
      const QRect box(cell.left() + 2, cell.top() + 2, metrics.horizontalAdvance(number) + 2,
                      metrics.height());
      painter.fillRect(box, kNumberBack);
      painter.setPen(kNumberText);
      painter.drawText(box, Qt::AlignCenter, number);
    }
    FramePair(painter, form_.framedMapRoom_, kMapFrame, 0);
    FramePair(painter, form_.framedObjectRoom_, kObjectFrame, 2);
  }
  void resizeEvent(QResizeEvent*) override { form_.FitToView(); }
  void mousePressEvent(QMouseEvent* event) override {
    const auto room = form_.RoomAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && room && form_.OnRoomChosen) form_.OnRoomChosen(*room);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    form_.Hover(form_.RoomAt(event->position().toPoint()));
  }
  void leaveEvent(QEvent*) override { form_.Hover(std::nullopt); }

 private:
  // The two rooms from `first` in one frame, or in one each where they lie on two rows.
  void FramePair(QPainter& painter, int first, const QColor& colour, int inset) {
    if (first < 0) return;
    const QRect left = form_.RoomRect(first);
    const QRect right = form_.RoomRect(first + 1);
    const auto frame = [&](const QRect& r) {
      Outline(painter, r.adjusted(inset, inset, -inset, -inset), colour, 2);
    };
    if (left.top() == right.top()) {
      frame(left.united(right));
    } else {
      frame(left);
      frame(right);
    }
  }

  TStageOverviewForm& form_;
};

TStageOverviewForm::TStageOverviewForm(const FcPaletteData& palette, const RomImageData& rom,
                                       StageOverviewSources sources, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool),
      palette_(palette),
      rom_(rom),
      sources_(std::move(sources)),
      mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("StageOverviewForm"));
  setWindowTitle(QStringLiteral("ステージ全体図"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  ChkStageOverviewObjects = new QCheckBox(QStringLiteral("オブジェクトを表示"), this);
  ChkStageOverviewObjects->setObjectName(QStringLiteral("ChkStageOverviewObjects"));
  ChkStageOverviewObjects->setChecked(true);
  ImgStageOverview = new View(*this);
  ImgStageOverview->setObjectName(QStringLiteral("ImgStageOverview"));
  LblStageOverviewStatus = new QLabel(this);
  LblStageOverviewStatus->setObjectName(QStringLiteral("LblStageOverviewStatus"));
  LblStageOverviewStatus->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(ChkStageOverviewObjects);
  layout->addWidget(ImgStageOverview, 1);
  layout->addWidget(LblStageOverviewStatus);
  resize(kDefaultWidth, kDefaultHeight);

  connect(ChkStageOverviewObjects, &QCheckBox::clicked, this, [this] { Refresh(); });
  // Many inputs within one turn of the event loop are looked at once, after them.
  lookTimer_.setSingleShot(true);
  lookTimer_.setInterval(0);
  connect(&lookTimer_, &QTimer::timeout, this, &TStageOverviewForm::Refresh);
  qApp->installEventFilter(this);
}

TStageOverviewForm::~TStageOverviewForm() = default;

bool TStageOverviewForm::eventFilter(QObject*, QEvent* event) {
  // Every edit, undo, reload or choice of rooms follows an input; the look finds what it
  // changed, if anything.
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
      if (isVisible() && !lookTimer_.isActive()) lookTimer_.start();
      break;
    default: break;
  }
  return false;
}

void TStageOverviewForm::SetWanted(bool wanted) {
  wanted_ = wanted;
  ShowIfWanted();
}

void TStageOverviewForm::SetImageOpen(bool open) {
  imageOpen_ = open;
  if (open) tracker_.Forget();
  ShowIfWanted();
}

void TStageOverviewForm::ShowIfWanted() {
  if (!(wanted_ && imageOpen_)) {
    hide();
    return;
  }
  if (!placed_) PlaceBesideMainWindow();
  show();
  Refresh();
}

void TStageOverviewForm::PlaceBesideMainWindow() {
  placed_ = true;
  const QRect main = mainWindow_->frameGeometry();
  move(main.right() + 1 + kGap, main.top());
}

void TStageOverviewForm::closeEvent(QCloseEvent* event) {
  wanted_ = false;
  event->accept();
  if (OnClosed) OnClosed();
}

void TStageOverviewForm::Refresh() {
  if (Look()) ImgStageOverview->update();
}

bool TStageOverviewForm::Look() {
  if (!imageOpen_ || !rom_.IsOpen() || isHidden()) return false;
  StagePictureRequest request;
  request.stage = rom_.CurrentStage();
  request.definition = sources_.definition();
  request.objects = ChkStageOverviewObjects->isChecked();
  const StageChanges changes =
      tracker_.Take(rom_.CurrentStageData(), request.stage, request.definition);
  const std::vector<PixelRect>& drawn = Rooms().Draw(request, changes);
  const int mapRoom = sources_.mapFirstRoom();
  const int objectRoom = sources_.objectFirstRoom();
  const bool framesMoved = mapRoom != framedMapRoom_ || objectRoom != framedObjectRoom_;
  framedMapRoom_ = mapRoom;
  framedObjectRoom_ = objectRoom;
  return !drawn.empty() || framesMoved;
}

StagePicture& TStageOverviewForm::Rooms() const {
  // Made when first shown, at the size it is shown at: a window never opened costs nothing.
  if (!rooms_) {
    rooms_ = std::make_unique<StagePicture>(palette_, rom_, StagePictureRequest{}, 1, 1);
  }
  return *rooms_;
}

void TStageOverviewForm::FitToView() {
  const QSize area = ImgStageOverview->size();
  const qint64 w = kColumns * kRoomSide;
  const qint64 h = kRows * kRoomSide;
  // As large as fits, the picture's proportions kept.
  QSize size = area.width() * h <= area.height() * w
                   ? QSize(area.width(), static_cast<int>(area.width() * h / w))
                   : QSize(static_cast<int>(area.height() * w / h), area.height());
  size = size.expandedTo(QSize(1, 1));
  const DisplayPicture& shown = Rooms().Picture();
  if (size != QSize(shown.Width(), shown.Height())) {
    Rooms().SetShownSize(size.width(), size.height());
    Look();
  }
  ImgStageOverview->update();
}

QImage TStageOverviewForm::ShownRooms() const {
  const DisplayPicture& rooms = Rooms().Picture();
  return QImage(reinterpret_cast<const uchar*>(rooms.Words()), rooms.Width(), rooms.Height(),
                rooms.BytesPerLine(), QImage::Format_RGB32)
      .copy();
}

QRect TStageOverviewForm::RoomRect(int room) const {
  const PixelRect cell = Rooms().RoomCell(room);
  return QRect(QPoint(cell.left, cell.top), QPoint(cell.right - 1, cell.bottom - 1));
}

std::optional<int> TStageOverviewForm::RoomAt(QPoint point) const {
  const DisplayPicture& shown = Rooms().Picture();
  if (point.x() < 0 || point.y() < 0 || point.x() >= shown.Width() || point.y() >= shown.Height()) {
    return std::nullopt;
  }
  const int column = static_cast<int>(qint64{point.x()} * kColumns / shown.Width());
  const int row = static_cast<int>(qint64{point.y()} * kRows / shown.Height());
  // The scaled cells' edges round as the pixels do: the point lies in this room or the next
  // one beside or below it.
  const int room = row * kColumns + column;
  for (int near : {room, room - 1, room + 1, room - kColumns, room + kColumns}) {
    if (near >= 0 && near < kRoomCount && RoomRect(near).contains(point)) return near;
  }
  return std::nullopt;
}

void TStageOverviewForm::Hover(std::optional<int> room) {
  if (!room || !rom_.IsOpen()) {
    LblStageOverviewStatus->clear();
    return;
  }
  LblStageOverviewStatus->setText(QStringLiteral("部屋番号:") + TwoDigitHex(*room) +
                                  QStringLiteral(" マップセット番号:") +
                                  TwoDigitHex(rom_.CurrentStageData().Map()[*room]));
}

void TStageOverviewForm::ReadSettings(const TMyMemIniFile& file) {
  wanted_ = file.ReadBool(kSection, "Shown", false);
  ChkStageOverviewObjects->setChecked(file.ReadBool(kSection, "Objects", true));
  resize(
      std::max(file.ReadInteger(kSection, "Width", kDefaultWidth), minimumSizeHint().width()),
      std::max(file.ReadInteger(kSection, "Height", kDefaultHeight), minimumSizeHint().height()));
  constexpr int kUnset = std::numeric_limits<int>::min();
  const QPoint at(file.ReadInteger(kSection, "X", kUnset), file.ReadInteger(kSection, "Y", kUnset));
  // A place off every screen (another monitor since) is left for the default one.
  if (at.x() != kUnset && at.y() != kUnset && QGuiApplication::screenAt(at + QPoint(kGap, kGap))) {
    move(at);
    placed_ = true;
  }
}

void TStageOverviewForm::WriteSettings(TMyMemIniFile& file) const {
  file.WriteBool(kSection, "Shown", wanted_);
  file.WriteBool(kSection, "Objects", ChkStageOverviewObjects->isChecked());
  // A window never placed has no place of its own yet: it goes beside the main one.
  if (placed_) {
    file.WriteInteger(kSection, "X", pos().x());
    file.WriteInteger(kSection, "Y", pos().y());
  }
  file.WriteInteger(kSection, "Width", width());
  file.WriteInteger(kSection, "Height", height());
}

}  // namespace zantor
