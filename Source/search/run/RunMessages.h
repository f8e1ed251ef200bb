#pragma once

#include "files/FileExists.h"

#include <QString>

namespace Vorlaine {

// What the make-words run and the searches of makewords say about a run, each
// text in one place: the window shows them in its message boxes, makewords
// on standard error.
namespace RunMessage {

QString NotFound(const QString& path);
// A path that names what is no file (a folder, a device), given for `option`.
QString NotAFile(const QString& path, FileKind kind, const QString& option);
QString CannotOpen(const QString& path, const QString& reason);
QString CannotRead(const QString& path, const QString& reason);
QString CannotAppend(const QString& outputPath, const QString& reason);
QString CannotWrite(const QString& outputPath, const QString& reason);
// The output file is one of the files read, which `input` names ("the word
// list").
QString IsInput(const QString& outputPath, const QString& input);
QString MinimumTooLong();
// A line of a file read is not UTF-8: that line, and any other such, is
// read as Windows-1252.
QString ReadAsWindows1252(const QString& path, qint64 line);

// The report at the end: "Done!" or "Stopped!", how many `found` ("words",
// "anagrams") there are and, when there is an output file, its name.
enum class Ending { Done, Stopped };
QString Report(Ending ending, qint64 count, const QString& found, const QString& outputPath);

} // namespace RunMessage

} // namespace Vorlaine
