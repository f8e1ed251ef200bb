#pragma once

#include <QString>

namespace Vorlaine {

// True only for a path that names a regular file, links followed. A folder, a
// device or a named pipe counts as missing: reading one as a word list would
// fail, or never end.
bool FileExists(const QString& path);

// What a path names, links followed.
enum class FileKind { Missing, Regular, Folder, Pipe, Device, Socket, Other };
FileKind KindOfFile(const QString& path);

// True when both paths name the same file, however each is spelled (relative,
// through links, or as another hard link). False when either does not exist.
bool IsSameFile(const QString& first, const QString& second);

// True when the path names the file that standard input reads, however it
// is spelled (/dev/stdin among others).
bool IsStandardInput(const QString& path);

} // namespace Vorlaine
