#pragma once

#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

class QComboBox;

namespace zantor {

class Dialogs;
class RadioGroup;

inline constexpr char kChipAttributesFile[] = "ChipAttributes.txt";
inline constexpr char kObjectListFile[] = "ObjectList.txt";

// The captions the chip attribute radio group has before any list is applied.
QStringList BuiltInAttributeCaptions();

// The object kind items without a list: "00" .. "FF".
QStringList BuiltInObjectKindItems();

// Reads the chip attribute names from file into names (for the attribute lookup) and puts
// them on the radio group's captions, in order, up to its item count and up to the first
// missing line. A missing or unreadable file changes nothing, silently.
void LoadChipAttributeNames(const std::filesystem::path& file, std::vector<std::string>& names,
                            RadioGroup& captions);

// Replaces the kind combo's items with the lines of the object list file. Kinds are bytes,
// so lines past the 256th are not offered. A missing or unreadable file leaves the items
// alone and says so by the list's bare name.
void LoadObjectKindNames(const std::filesystem::path& file, QComboBox& kinds, Dialogs& dialogs);

}  // namespace zantor
