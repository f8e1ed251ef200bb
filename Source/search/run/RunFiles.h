#pragma once

#include <QString>
#include <span>

namespace Vorlaine {

// The checks of a run's files and the counting pass over a list, as the
// make-words run and the searches of makewords make them.

// A file a run reads, what it is to the run ("the word list") and the option
// that names it, if any; or, when `standardInput` is set, what standard input
// reads.
struct RunInput {
    QString path;
    QString name;
    QString option = {};
    bool standardInput = false;
};

// Which files a run takes: the window's, regular files only; makewords's,
// named pipes too, which it reads once as it reads standard input.
enum class RunFileKinds { RegularOnly, PipesToo };

// The checks of a run's files before anything is opened: every input must be
// a file it takes, and none may be the output file, however it is spelled;
// appending to a file being read would corrupt it. Returns the message of the
// first that fails, or an empty text. A path that is no file is "not found"
// to the window; makewords says what it is, and which option named it.
QString CheckRunFiles(std::span<const RunInput> inputs, const QString& outputPath,
                      RunFileKinds kinds = RunFileKinds::RegularOnly);

// The counting pass over a whole list: its items, and the first line that
// is read as Windows-1252 (0: none).
struct ListCount {
    qint64 items = 0;
    qint64 firstLineNotUtf8 = 0;
};
// Returns the message when the list cannot be opened or read, or an empty text.
QString CountList(const QString& path, ListCount& count);

} // namespace Vorlaine
