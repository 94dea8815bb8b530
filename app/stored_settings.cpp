#include "app/stored_settings.h"

#include <QCheckBox>

#include "core/my_mem_ini_file.h"

namespace zantor {

StoredSetting CheckBoxSetting(std::string section, std::string key, bool defaultValue,
                              QCheckBox& box) {
  return {std::move(section),
          std::move(key),
          StoredSetting::Form::Bool,
          defaultValue ? 1 : 0,
          [&box](int value) { box.setChecked(value != 0); },
          [&box] { return box.isChecked() ? 1 : 0; }};
}

void ApplyStoredSettings(const std::vector<StoredSetting>& settings, const TMyMemIniFile& file) {
  for (const StoredSetting& s : settings) {
    s.apply(s.form == StoredSetting::Form::Bool
                ? (file.ReadBool(s.section, s.key, s.defaultValue != 0) ? 1 : 0)
                : file.ReadInteger(s.section, s.key, s.defaultValue));
  }
}

void WriteStoredSettings(const std::vector<StoredSetting>& settings, TMyMemIniFile& file) {
  for (const StoredSetting& s : settings) {
    if (s.form == StoredSetting::Form::Bool) {
      file.WriteBool(s.section, s.key, s.current() != 0);
    } else {
      file.WriteInteger(s.section, s.key, s.current());
    }
  }
}

}  // namespace zantor
