#pragma once

#include <QString>
#include <span>

namespace Vorlaine {

// What the make-words run and the searches of makewords say, each text in one
// place: the window shows them in its message boxes, makewords on standard
// error.
// The files a run reads.
enum class InputKind { WordList, Seeds, TileValues };

namespace RunMessage {

QString NotFound(const QString& path);
QString CannotOpen(const QString& path, const QString& reason);
QString CannotRead(const QString& path, const QString& reason);
QString CannotAppend(const QString& outputPath, const QString& reason);
QString CannotWrite(const QString& outputPath, const QString& reason);
// The output file is one of the files read.
QString IsInput(const QString& outputPath, InputKind input);
QString MinimumTooLong();
// A line of a file read is not UTF-8: that line, and any other such, is
// read as Windows-1252.
QString ReadAsWindows1252(const QString& path, qint64 line);

// The report at the end: "Done!" or "Stopped!", how many `found` ("words",
// "anagrams") there are and, when there is an output file, its name.
enum class Ending { Done, Stopped };
QString Report(Ending ending, qint64 count, const QString& found, const QString& outputPath);

} // namespace RunMessage

struct RunInput {
    QString path;
    InputKind kind;
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
