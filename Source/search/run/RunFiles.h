#pragma once

#include <QString>
#include <span>

namespace Vorlaine {

// The checks of a run's files and the counting pass over a list, as the
// make-words run and the searches of makewords make them.

// A file a run reads, and what it is to the run ("the word list").
struct RunInput {
    QString path;
    QString name;
};

// The checks of a run's files before anything is opened: every input must be
// a regular file, and none may be the output file, however it is spelled;
// appending to a file being read would corrupt it. Returns the message of the
// first that fails, or an empty text.
QString CheckRunFiles(std::span<const RunInput> inputs, const QString& outputPath);

// The counting pass over a whole list: its items, and the first line that
// is read as Windows-1252 (0: none).
struct ListCount {
    qint64 items = 0;
    qint64 firstLineNotUtf8 = 0;
};
// Returns the message when the list cannot be opened or read, or an empty text.
QString CountList(const QString& path, ListCount& count);

} // namespace Vorlaine
