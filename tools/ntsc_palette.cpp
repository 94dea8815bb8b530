#include "tools/ntsc_palette.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zantor {

// The model. The picture unit draws each colour as a square wave at the colour
// subcarrier frequency, switching between a low and a high level that depend on the
// luma row; the subcarrier period is split into 12 phases and hue column h (1..12) is
// high during 6 consecutive phases starting at a point that moves by one phase (30
// degrees) per column. Column 0 stays at the high level (grey); columns 0D-0F are
// taken as black here.
//
// Levels in volts, per luma row 0..3 (black 0.518 V, white 1.962 V):
//   low:  0.350 0.518 0.962 1.550
//   high: 1.094 1.506 1.962 1.962
//
// The television low-pass filters the signal, scaled so black is 0 and white 1, into
// luma (Y, the mean over one period) and demodulates the chroma against the subcarrier
// into I and Q (twice the mean of the signal times cos and sin of the phase angle).
// Phase p is sampled at (p + 3.5) x 30 degrees: half a step centres the samples, the
// other three steps are the set's hue control, turned so that column 6 shows red,
// column 2 blue and column A green. Y, I and Q become R, G and B through the standard
// NTSC decoding matrix. The set's screen has a gamma of about 2.4 while the values are
// meant for a display of 2.2, so each channel is raised to 2.4 / 2.2 after clamping to
// 0..1.
namespace {

constexpr double kLowLevel[4] = {0.350, 0.518, 0.962, 1.550};
constexpr double kHighLevel[4] = {1.094, 1.506, 1.962, 1.962};
constexpr double kBlackLevel = 0.518;
constexpr double kWhiteLevel = 1.962;
constexpr int kPhases = 12;
constexpr double kHueControl = 3.5;  // in phase steps
constexpr double kGammaRatio = 2.4 / 2.2;

std::uint8_t ToChannel(double linear) {
  const double clamped = std::clamp(linear, 0.0, 1.0);
  return static_cast<std::uint8_t>(std::lround(255.0 * std::pow(clamped, kGammaRatio)));
}

}  // namespace

NtscPalette::Rgb NtscPalette::Color(int number) {
  const int hue = number & 0x0F;
  const int row = (number >> 4) & 0x03;
  if (hue >= 0x0D) return {0, 0, 0};
  const double high = kHighLevel[row];
  const double low = hue == 0 ? high : kLowLevel[row];

  double y = 0.0;
  double i = 0.0;
  double q = 0.0;
  for (int p = 0; p < kPhases; ++p) {
    const bool is_high = (hue + p) % kPhases < kPhases / 2;
    const double level = ((is_high ? high : low) - kBlackLevel) / (kWhiteLevel - kBlackLevel);
    const double angle = 2.0 * std::numbers::pi * (p + kHueControl) / kPhases;
    y += level;
    i += level * std::cos(angle);
    q += level * std::sin(angle);
  }
  y /= kPhases;
  i *= 2.0 / kPhases;
  q *= 2.0 / kPhases;

  return {ToChannel(y + 0.956 * i + 0.619 * q), ToChannel(y - 0.272 * i - 0.647 * q),
          ToChannel(y - 1.106 * i + 1.703 * q)};
}

std::array<std::uint8_t, FcPaletteData::kFileSize> NtscPalette::FileBytes() {
  std::array<std::uint8_t, FcPaletteData::kFileSize> bytes{};
  for (int n = 0; n < FcPaletteData::kColorCount; ++n) {
    const Rgb c = Color(n);
    bytes[n * 3] = c.r;
    bytes[n * 3 + 1] = c.g;
    bytes[n * 3 + 2] = c.b;
  }
  return bytes;
}

}  // namespace zantor
