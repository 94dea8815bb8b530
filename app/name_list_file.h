#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zantor {

// Reads a name list: Shift JIS (code page 932) text, one name per line. A line ends at
// CR LF, a lone CR or a lone LF; a last line without an end counts; a NUL ends the text.
// Lines are kept exactly as they stand, empty ones included. Nothing when the file
// cannot be opened or read, is no file (a pipe, a device) or is larger than any list.
inline constexpr std::size_t kMaxNameListSize = 1024 * 1024;
std::optional<QStringList> ReadNameListFile(const std::filesystem::path& path);

// The same for bytes already read: nothing when the toolkit has no code page 932 decoder.
std::optional<QStringList> DecodeNameList(QByteArrayView bytes);

// The line rules above on already decoded text.
QStringList SplitNameLines(const QString& text);

// Object kinds are bytes: the kind list offers one item per kind at most.
inline constexpr int kObjectKindCount = 256;

// What the lists become: the chip attribute names as the attribute lookup reads them
// (UTF-8), and the object kind items, the first kObjectKindCount lines.
std::vector<std::string> ChipAttributeNameList(const QStringList& lines);
QStringList ObjectKindItems(const QStringList& lines);

}  // namespace zantor
