#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zantor {

// The words of a command line as a POSIX shell splits them, without a shell and without
// expanding anything: blanks (spaces, tabs, line breaks) separate words; inside '...'
// every character stands as it is; inside "..." a backslash keeps only " \ $ ` from their
// meaning; elsewhere a backslash keeps the next character from its meaning. Quoted parts
// and plain parts next to each other make one word, and '' or "" alone an empty one.
// Nothing when a quote is left open.
std::optional<QStringList> SplitShellWords(const QString& line);

// A program and the arguments it is started with.
struct ProgramCall {
  QString program;
  QStringList arguments;
};

// The call that plays file: the first word is the program; %f in any word becomes file, so
// the word stays one argument whatever the path holds; without any %f the file is added as
// the last argument. Nothing for a command without words.
std::optional<ProgramCall> CallWithFile(const QStringList& words, const QString& file);

}  // namespace zantor
