#include "files/FileExists.h"

#include "files/NativePath.h"

#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace Vorlaine {

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool IsSameFile(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty())
        return false;
    std::error_code error;
    return std::filesystem::equivalent(NativePath(first), NativePath(second), error) && !error;
}

} // namespace Vorlaine
