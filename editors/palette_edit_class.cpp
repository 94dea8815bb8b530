#include "editors/palette_edit_class.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "core/edit_flag_management.h"
#include "core/rom_image_data.h"
#include "editors/frame_timer_pause.h"
#include "editors/reload_confirmation.h"
#include "editors/two_digit_hex.h"
#include "graphics/editor_graphics.h"
#include "graphics/image_ex.h"

namespace zantor {

namespace {

constexpr int kViewWidth = PaletteEditClass::kCell * 4;
constexpr int kStripWidth = PaletteEditClass::kCell * PaletteEditClass::kEntries;
constexpr int kTableColumns = 16;
constexpr int kTableRows = PaletteEditClass::kColors / kTableColumns;
constexpr int kSelectedColorSide = 32;
constexpr int kFirstAnimated = 0x80;

// What a stored colour shows: numbers from 40 up show the colour of their low six bits,
// as the console does, never the outline colours that share the master table.
int ShownColor(int number) { return number & (PaletteEditClass::kColors - 1); }

}  // namespace

int SteppedAnimeByte(int current, int direction) {
  if (direction > 0) {
    if (current == 0xFF) return 0x00;
    return current < kFirstAnimated ? kFirstAnimated : current + 1;
  }
  if (current == 0x00) return 0xFF;
  return current <= kFirstAnimated ? 0x00 : current - 1;
}

PaletteEditClass::PaletteEditClass(RomImageData& rom, EditFlagManagement& flags,
                                   EditorGraphics& graphics, Dialogs& dialogs)
    : rom_(rom),
      flags_(flags),
      graphics_(graphics),
      dialogs_(dialogs),
      paletteHover_([this](int entry) { DrawPaletteCell(entry); },
                    [this](int entry) { FramePaletteCell(entry); }),
      colorHover_([this](int color) { DrawColorTableCell(color); },
                  [this](int color) { FrameColorTableCell(color); }),
      animeStrip_(graphics.CreateStageBitmap(kStripWidth, kCell)) {
  for (int entry = 0; entry < kEntries; ++entry) {
    graphics_.FillRect(animeStrip_, entry * kCell, 0, kCell, kCell,
                       static_cast<std::uint8_t>(entry));
  }
}

void PaletteEditClass::AttachImages(std::array<TImageEx*, kSlots> paletteViews,
                                    TImageEx* colorTable, TImageEx* selectedColor,
                                    std::array<TImageEx*, kSlots> animeViews) {
  paletteViews_ = paletteViews;
  colorTable_ = colorTable;
  selectedColorView_ = selectedColor;
  animeViews_ = animeViews;
}

void PaletteEditClass::AttachEdits(std::array<QLineEdit*, kEntries> paletteEdits,
                                   std::array<QLineEdit*, kSlots> animeEdits) {
  paletteEdits_ = paletteEdits;
  animeEdits_ = animeEdits;
}

void PaletteEditClass::AttachLabels(QLabel* selectedColor) { selectedColorLabel_ = selectedColor; }

void PaletteEditClass::AttachUpDowns(std::array<UpDownButtons*, kSlots> animeButtons) {
  animeButtons_ = animeButtons;
}

void PaletteEditClass::AttachTimer(QTimer* frameTimer) { frameTimer_ = frameTimer; }

void PaletteEditClass::AttachPaletteSetCombo(QComboBox* paletteSet) { paletteSet_ = paletteSet; }

void PaletteEditClass::CreateBitmaps() {
  for (int slot = 0; slot < kSlots; ++slot) {
    paletteViews_[slot]->SetPicture(graphics_.CreateDisplayPicture(kViewWidth, kCell));
    animeViews_[slot]->SetPicture(graphics_.CreateDisplayPicture(kViewWidth, kCell));
  }
  colorTable_->SetPicture(
      graphics_.CreateDisplayPicture(kTableColumns * kCell, kTableRows * kCell));
  selectedColorView_->SetPicture(
      graphics_.CreateDisplayPicture(kSelectedColorSide, kSelectedColorSide));
}

StageData& PaletteEditClass::Stage() const { return rom_.CurrentStageData(); }

int PaletteEditClass::SelectedDefinition() const {
  return std::max(0, paletteSet_->currentIndex());
}

void PaletteEditClass::Reset() {
  if (rom_.CurrentStage() != rememberedStage_) {
    rememberedStage_ = rom_.CurrentStage();
    paletteSet_->setCurrentIndex(0);  // the change handler follows the user's choice only
  }
  paletteHover_.Clear();
  colorHover_.Clear();
  DrawPaletteViews();
  ShowPaletteEdits();
  DrawColorTable();
  DrawSelectedColor();
  UseStoredColors();
  CopyAnimeStrip(0, kEntries);
  ShowAnimeEdits();
}

void PaletteEditClass::RefreshTab() {
  ShowPaletteEdits();
  ShowAnimeEdits();
  // The animation went on while another tab was shown, and a frozen slot would never
  // bring its view up to date.
  RefreshPalette();
}

void PaletteEditClass::RefreshPalette() { CopyAnimeStrip(0, kEntries); }

void PaletteEditClass::ShowPaletteEdits() {
  for (int entry = 0; entry < kEntries; ++entry) {
    paletteEdits_[entry]->setText(TwoDigitHex(Stage().BGPalette()[PaletteIndex(entry)]));
  }
}

void PaletteEditClass::ShowAnimeEdits() {
  for (int slot = 0; slot < kSlots; ++slot) {
    animeEdits_[slot]->setText(TwoDigitHex(Stage().BGPaletteAnime()[AnimeIndex(slot)]));
  }
}

void PaletteEditClass::ApplyPaletteEdit(int entry) {
  const int index = PaletteIndex(entry);
  const auto color = SettleHexEdit(*paletteEdits_[entry], Stage().BGPalette()[index],
                                   [](int value) { return value < kColors; });
  if (!color) return;
  Stage().SetBGPaletteEntry(index, static_cast<std::uint8_t>(*color));
  graphics_.SetStageColor(entry, *color);
  CopyAnimeStrip(entry, 1);
  flags_.SetPaletteModified(rom_.CurrentStage(), true);
  RedrawPaletteCell(entry);
}

void PaletteEditClass::ApplyAnimeEdit(int slot) {
  const int index = AnimeIndex(slot);
  // 01..7F name no animation and are never stored.
  const auto byte = SettleHexEdit(*animeEdits_[slot], Stage().BGPaletteAnime()[index],
                                  [](int value) { return value == 0 || value >= kFirstAnimated; });
  if (!byte) return;
  {
    // No tick may run between the new byte and the restarted animation.
    const FrameTimerPause pause(*frameTimer_);
    Stage().SetBGPaletteAnimeEntry(index, static_cast<std::uint8_t>(*byte));
    graphics_.ResetPaletteAnimation();
    UseStoredColors();
    RefreshPalette();
  }
  flags_.SetPaletteModified(rom_.CurrentStage(), true);
}

void PaletteEditClass::StepAnimeEdit(int slot, int direction) {
  const int current = Stage().BGPaletteAnime()[AnimeIndex(slot)];
  animeEdits_[slot]->setText(TwoDigitHex(SteppedAnimeByte(current, direction)));
}

void PaletteEditClass::SelectColor(int color) {
  selectedColor_ = color;
  DrawSelectedColor();
}

void PaletteEditClass::Reload() {
  ReloadAfterConfirming(dialogs_, QStringLiteral("パレット"), Stage(), &StageData::LoadBGPalette,
                        *this);
}

void PaletteEditClass::ReloadAnime() {
  ReloadAfterConfirming(dialogs_, QStringLiteral("アニメーションパレット"), Stage(),
                        &StageData::LoadBGPaletteAnime, *this);
}

void PaletteEditClass::UseStoredColors() {
  graphics_.SetStagePalette(
      Stage().BGPalette().subspan(SelectedDefinition() * kEntries).first<kEntries>());
}

void PaletteEditClass::PaletteSetChange() {
  const FrameTimerPause pause(*frameTimer_);
  Reset();
  graphics_.ResetPaletteAnimation();
}

bool PaletteEditClass::StepAnimation() {
  return graphics_.StepPaletteAnimation(
      Stage().BGPaletteAnime().subspan(SelectedDefinition() * kSlots).first<kSlots>());
}

int PaletteEditClass::ColorAt(int x, int y) {
  return GridCellAt(x, y, kCell, kTableColumns, kTableRows);
}

int PaletteEditClass::PaletteEntryAt(int view, int x) {
  const int cell = GridCellAt(x, 0, kCell, 4, 1);
  return cell == HoverCell::kNone ? HoverCell::kNone : view * 4 + cell;
}

void PaletteEditClass::ColorTableMouseDown(Qt::MouseButton button, int x, int y) {
  const int color = ColorAt(x, y);
  if (button != Qt::LeftButton || color == HoverCell::kNone) return;
  colorHover_.MoveTo(color);
  SelectColor(color);
}

void PaletteEditClass::ColorTableMouseMove(int x, int y) { colorHover_.MoveTo(ColorAt(x, y)); }

void PaletteEditClass::ColorTableMouseLeave() { colorHover_.Leave(); }

void PaletteEditClass::PaletteViewMouseDown(int view, Qt::MouseButton button, int x) {
  const int entry = PaletteEntryAt(view, x);
  if (entry == HoverCell::kNone) return;
  paletteHover_.MoveTo(entry);
  if (button == Qt::LeftButton) {
    // The edit's change handler stores the colour, as if it had been typed.
    paletteEdits_[entry]->setText(TwoDigitHex(selectedColor_));
    return;
  }
  const int stored = Stage().BGPalette()[PaletteIndex(entry)];
  SelectColor(stored < kColors ? stored : kPickedForInvalidColor);
}

void PaletteEditClass::PaletteViewMouseMove(int view, int x) {
  paletteHover_.MoveTo(PaletteEntryAt(view, x));
}

void PaletteEditClass::PaletteViewMouseLeave() { paletteHover_.Leave(); }

void PaletteEditClass::DrawPaletteCell(int entry) {
  DisplayPicture& view = *paletteViews_[entry / 4]->Picture();
  graphics_.FillRect(view, (entry % 4) * kCell, 0, kCell, kCell,
                     ShownColor(Stage().BGPalette()[PaletteIndex(entry)]));
}

void PaletteEditClass::RedrawPaletteCell(int entry) {
  DrawPaletteCell(entry);
  // A click under the pointer redraws the cell; its hover frame stays.
  paletteHover_.FrameAgain();
}

void PaletteEditClass::DrawPaletteViews() {
  for (int entry = 0; entry < kEntries; ++entry) DrawPaletteCell(entry);
}

void PaletteEditClass::FramePaletteCell(int entry) {
  graphics_.DrawFrame(*paletteViews_[entry / 4]->Picture(), (entry % 4) * kCell, 0, kCell);
}

void PaletteEditClass::DrawColorTableCell(int color) {
  graphics_.FillRect(*colorTable_->Picture(), (color % kTableColumns) * kCell,
                     (color / kTableColumns) * kCell, kCell, kCell, color);
}

void PaletteEditClass::DrawColorTable() {
  for (int color = 0; color < kColors; ++color) DrawColorTableCell(color);
}

void PaletteEditClass::FrameColorTableCell(int color) {
  graphics_.DrawFrame(*colorTable_->Picture(), (color % kTableColumns) * kCell,
                      (color / kTableColumns) * kCell, kCell);
}

void PaletteEditClass::DrawSelectedColor() {
  graphics_.FillRect(*selectedColorView_->Picture(), 0, 0, kSelectedColorSide, kSelectedColorSide,
                     selectedColor_);
  selectedColorLabel_->setText(TwoDigitHex(selectedColor_));
}

void PaletteEditClass::CopyAnimeStrip(int firstEntry, int count) {
  animeStrip_.CopyPaletteFrom(graphics_.StageBitmap());
  for (int entry = firstEntry; entry < firstEntry + count; ++entry) {
    const int x = entry * kCell;
    const int viewX = (entry % 4) * kCell;
    animeStrip_.CopyRegion(*animeViews_[entry / 4]->Picture(),
                           PixelRect::FromSize(viewX, 0, kCell, kCell),
                           PixelRect::FromSize(x, 0, kCell, kCell));
  }
}

}  // namespace zantor
