#include "app/name_lists.h"

#include <QComboBox>

#include "app/name_list_file.h"
#include "editors/dialogs.h"
#include "editors/radio_group.h"
#include "editors/two_digit_hex.h"

namespace zantor {

QStringList BuiltInAttributeCaptions() {
  return {
      QStringLiteral("0x 背景"),
      QStringLiteral("1x ブロック"),
      QStringLiteral("2x はしご(途中)"),
      QStringLiteral("3x 特殊ブロック"),
      QStringLiteral("4x はしご(頂点)"),
      QStringLiteral("5x コンベア(右)"),
      QStringLiteral("6x 背景裏に隠れる"),
      QStringLiteral("7x コンベア(左)"),
      QStringLiteral("8x 水中"),
      QStringLiteral("9x ?"),
      QStringLiteral("Ax ?"),
      QStringLiteral("Bx ?"),
      QStringLiteral("Cx ?"),
      QStringLiteral("Dx ダメージ床"),
      QStringLiteral("Ex ?"),
      QStringLiteral("Fx トゲ"),
  };
}

QStringList BuiltInObjectKindItems() {
  QStringList items;
  for (int kind = 0; kind < kObjectKindCount; ++kind) {
    items.append(TwoDigitHex(kind));
  }
  return items;
}

void LoadChipAttributeNames(const std::filesystem::path& file, std::vector<std::string>& names,
                            RadioGroup& captions) {
  const auto lines = ReadNameListFile(file);
  if (!lines) return;
  names = ChipAttributeNameList(*lines);
  const int count = std::min<int>(captions.Count(), static_cast<int>(lines->size()));
  for (int i = 0; i < count; ++i) captions.SetItemCaption(i, (*lines)[i]);
}

void LoadObjectKindNames(const std::filesystem::path& file, QComboBox& kinds, Dialogs& dialogs) {
  const auto lines = ReadNameListFile(file);
  if (!lines) {
    dialogs.ShowMessage(QString::fromLatin1(kObjectListFile) +
                        QStringLiteral("を読み込めませんでした。"));
    return;
  }
  kinds.clear();
  kinds.addItems(ObjectKindItems(*lines));
}

}  // namespace zantor
