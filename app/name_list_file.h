#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <filesystem>
#include <optional>

namespace zantor {

// Reads a name list: Shift JIS (code page 932) text, one name per line. A line ends at
// CR LF, a lone CR or a lone LF; a last line without an end counts; a NUL ends the text.
// Lines are kept exactly as they stand, empty ones included. Nothing when the file
// cannot be opened or read, is no file (a pipe, a device) or is larger than any list.
inline constexpr std::size_t kMaxNameListSize = 1024 * 1024;
std::optional<QStringList> ReadNameListFile(const std::filesystem::path& path);

// The line rules above on already decoded text.
QStringList SplitNameLines(const QString& text);

}  // namespace zantor
