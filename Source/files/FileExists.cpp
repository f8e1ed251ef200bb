#include "files/FileExists.h"

#include "files/NativePath.h"

#include <QFileInfo>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace Vorlaine {

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

FileKind KindOfFile(const QString& path) {
    if (path.isEmpty())
        return FileKind::Missing;
    std::error_code error;
    switch (std::filesystem::status(NativePath(path), error).type()) {
    case std::filesystem::file_type::regular:
        return FileKind::Regular;
    case std::filesystem::file_type::directory:
        return FileKind::Folder;
    case std::filesystem::file_type::fifo:
        return FileKind::Pipe;
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block:
        return FileKind::Device;
    case std::filesystem::file_type::socket:
        return FileKind::Socket;
    case std::filesystem::file_type::none:
    case std::filesystem::file_type::not_found:
        return FileKind::Missing;
    default:
        return FileKind::Other;
    }
}

bool IsSameFile(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty())
        return false;
    std::error_code error;
    return std::filesystem::equivalent(NativePath(first), NativePath(second), error) && !error;
}

bool IsStandardInput(const QString& path) {
    if (path.isEmpty())
        return false;
#ifdef Q_OS_WIN
    const auto input = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdin)));
    BY_HANDLE_FILE_INFORMATION inputInfo;
    if (input == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(input, &inputInfo))
        return false;
    const HANDLE file = CreateFileW(NativePath(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION fileInfo;
    const bool known = GetFileInformationByHandle(file, &fileInfo) != 0;
    CloseHandle(file);
    return known && fileInfo.dwVolumeSerialNumber == inputInfo.dwVolumeSerialNumber &&
           fileInfo.nFileIndexHigh == inputInfo.nFileIndexHigh &&
           fileInfo.nFileIndexLow == inputInfo.nFileIndexLow;
#else
    struct stat input {};
    struct stat file {};
    return ::fstat(fileno(stdin), &input) == 0 && ::stat(NativePath(path).c_str(), &file) == 0 &&
           input.st_dev == file.st_dev && input.st_ino == file.st_ino;
#endif
}

} // namespace Vorlaine
