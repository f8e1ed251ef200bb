#pragma once

#include <QString>

namespace Vorlaine {

// True only for a path that names a regular file, links followed. A folder, a
// device or a named pipe counts as missing: reading one as a word list would
// fail, or never end.
bool FileExists(const QString& path);

// True when both paths name the same file, however each is spelled (relative,
// through links, or as another hard link). False when either does not exist.
bool IsSameFile(const QString& first, const QString& second);

} // namespace Vorlaine
