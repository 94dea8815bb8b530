#include "core/undo_data.h"

#include <array>

namespace zantor {

std::string UndoKindName(int kind) {
  static const std::array<const char*, 14> kNames = {
      "16x16チップの編集",
      "16x16チップの編集(属性・パレット)",
      "16x16チップの編集(貼り付け)",
      "BGバンクの変更",
      "32x32チップの編集",
      "32x32チップの編集(貼り付け)",
      "マップセットの編集",
      "マップセットの編集(貼り付け)",
      "マップセットの編集(グリッド編集)",
      "マップの編集",
      "パレットの編集",
      "パレットアニメの編集",
      "オブジェクトの編集",
      "オブジェクトの編集",
  };
  const int k = kind & 0x7F;
  return k < static_cast<int>(kNames.size()) ? kNames[k] : "不明な編集";
}

}  // namespace zantor
