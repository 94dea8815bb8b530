#include "editors/two_digit_hex.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace zantor {
namespace {

// Settles `typed` in an edit that shows `stored`; accepts values below 40.
struct Settled {
  std::optional<int> value;
  QString shown;
  int changeHandlerRuns;
};

Settled Settle(const QString& typed, int stored = 0x1C) {
  QLineEdit edit;
  edit.setText(typed);
  int runs = 0;
  QObject::connect(&edit, &QLineEdit::textChanged, [&runs] { ++runs; });
  const auto value = SettleHexEdit(edit, stored, [](int v) { return v < 0x40; });
  return {value, edit.text(), runs};
}

TEST(TwoDigitHexEdits, OtherLengthsWait) {
  for (const char* typing : {"", "3", "3F1"}) {
    const Settled settled = Settle(typing);
    EXPECT_EQ(settled.value, std::nullopt) << typing;
    EXPECT_EQ(settled.shown, QString::fromLatin1(typing));
  }
}

TEST(TwoDigitHexEdits, NoHexNumberOrARefusedOnePutsTheStoredValueBack) {
  for (const char* refused : {"G1", "-1", "+F", " 1", "1 ", "0x", "40", "ff"}) {
    const Settled settled = Settle(refused);
    EXPECT_EQ(settled.value, std::nullopt) << refused;
    EXPECT_EQ(settled.shown, QStringLiteral("1C")) << refused;
    EXPECT_EQ(settled.changeHandlerRuns, 0) << refused;
  }
}

TEST(TwoDigitHexEdits, AnAcceptedNumberIsShownInUpperCaseAndReturnedWhenNew) {
  const Settled lower = Settle("0a");
  EXPECT_EQ(lower.value, 0x0A);
  EXPECT_EQ(lower.shown, QStringLiteral("0A"));
  EXPECT_EQ(lower.changeHandlerRuns, 0);

  const Settled same = Settle("1c");
  EXPECT_EQ(same.value, std::nullopt);
  EXPECT_EQ(same.shown, QStringLiteral("1C"));
}

}  // namespace
}  // namespace zantor
