#pragma once

#include <functional>
#include <string>
#include <vector>

class QCheckBox;

namespace zantor {

class TMyMemIniFile;

// One of the user's settings the window keeps in the settings file: read into its control
// at start-up, written back from it at exit.
struct StoredSetting {
  enum class Form { Bool, Integer };
  std::string section;
  std::string key;
  Form form;
  int defaultValue;
  std::function<void(int)> apply;  // a Bool setting gets 0 or 1
  std::function<int()> current;
};

// A check box kept under section/key; its click handler, if any, follows the user only, so
// putting the stored state in runs nothing.
StoredSetting CheckBoxSetting(std::string section, std::string key, bool defaultValue,
                              QCheckBox& box);

void ApplyStoredSettings(const std::vector<StoredSetting>& settings, const TMyMemIniFile& file);
void WriteStoredSettings(const std::vector<StoredSetting>& settings, TMyMemIniFile& file);

}  // namespace zantor
