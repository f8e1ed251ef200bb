#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace Vorlaine {

// A path as the platform's file-system calls spell it.
inline std::filesystem::path NativePath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace Vorlaine
