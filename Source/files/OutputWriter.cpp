#include "files/OutputWriter.h"

#include "files/NativePath.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace Vorlaine {

OutputWriter::OutputWriter(const QString& path) : path_(path), file_(path) {}

bool OutputWriter::open() {
    // Opening a named pipe for writing waits for a reader that may never come.
    std::error_code error;
    const auto type = std::filesystem::status(NativePath(path_), error).type();
    if (type == std::filesystem::file_type::fifo || type == std::filesystem::file_type::socket)
        return fail(QStringLiteral("Not a regular file"));
#ifdef Q_OS_UNIX
    // O_APPEND makes every write land at the end, and the descriptor is handed
    // to QFile without its Append mode, which would seek and so warn about
    // devices such as /dev/null.
    const int fd = ::open(QFile::encodeName(path_).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(qt_error_string(errno));
    if (!file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file_.errorString());
    }
#else
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return fail(file_.errorString());
#endif
    // A file that cannot be read back (write-only, a device) is taken to end
    // its last line.
    QFile written(path_);
    char last = '\n';
    if (type == std::filesystem::file_type::regular && written.open(QIODevice::ReadOnly) &&
        written.size() > 0 && written.seek(written.size() - 1) && written.getChar(&last)) {
        if (last == '\r')
            unfinishedLine_ = "\n";
        else if (last != '\n')
            unfinishedLine_ = "\r\n";
    }
    size_ = file_.size();
    return true;
}

bool OutputWriter::appendLine(QByteArrayView bytes) {
    line_.resize(0);
    line_.append(unfinishedLine_);
    line_.append(bytes.data(), bytes.size());
    line_.append("\r\n", 2);
    return write(line_, Nothing);
}

bool OutputWriter::appendLines(QByteArrayView lines) {
    const qsizetype ending = unfinishedLine_.size();
    QByteArrayView bytes = lines;
    if (ending > 0) {
        line_.resize(0);
        line_.append(unfinishedLine_);
        line_.append(lines.data(), lines.size());
        bytes = line_;
    }
    const qint64 before = size_;
    if (write(bytes, WholeLines))
        return true;
    const qint64 kept = size_ - before - ending;
    linesKept_ = kept > 0 ? std::count(lines.begin(), lines.begin() + kept, '\n') : 0;
    return false;
}

bool OutputWriter::write(QByteArrayView bytes, Keep keep) {
    errno = 0;
    const qint64 written = file_.write(bytes.data(), bytes.size());
    if (written == bytes.size()) {
        unfinishedLine_.clear();
        size_ += written;
        return true;
    }
    // QFile reports no error for a write it could make in part; the system's
    // own error tells why it stopped.
    const int systemError = errno;
    const QString reason = file_.error() == QFileDevice::NoError && systemError != 0
                               ? qt_error_string(systemError)
                               : file_.errorString();
    // A full disk can take part of a line. Take it back, unless someone else
    // has appended meanwhile (then the size counted here falls behind), so the
    // file keeps whole lines only: those written whole stay, when asked.
    if (written > 0 && file_.size() == size_ + written) {
        // Up to the last line end written (not QByteArrayView::lastIndexOf,
        // which in Qt 6.4 looks past the end of a view into its buffer).
        qint64 whole = written;
        while (whole > 0 && (keep == Nothing || bytes[whole - 1] != '\n'))
            --whole;
        if (whole < written)
            file_.resize(size_ + whole);
        if (whole > 0) {
            unfinishedLine_.clear();
            size_ += whole;
        }
    }
    return fail(reason);
}

bool OutputWriter::close() {
    if (!file_.isOpen())
        return true;
    file_.close();
    if (file_.error() != QFileDevice::NoError)
        return fail(file_.errorString());
    return true;
}

bool OutputWriter::fail(const QString& reason) {
    errorString_ = reason;
    return false;
}

} // namespace Vorlaine
