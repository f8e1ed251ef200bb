#include "cli/TerminalProgress.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace Vorlaine {

TerminalProgress::TerminalProgress(std::FILE* err) : err_(err) {
    sinceDrawn_.start();
}

void TerminalProgress::draw(const QString& text) {
    if (!enabled_)
        return;
    Print(err_, u'\r' + text + QStringLiteral("\x1b[K"));
    std::fflush(err_);
    drawn_ = true;
    sinceDrawn_.restart();
}

void TerminalProgress::clear() {
    if (!drawn_)
        return;
    Print(err_, QStringLiteral("\r\x1b[K"));
    drawn_ = false;
}

void Print(std::FILE* file, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
}

QString PercentText(double share) {
    return QString::number(share * 100, 'f', 1) + u'%';
}

bool Flush(std::FILE* file, int& error) {
    errno = 0;
    if (std::fflush(file) == 0 && std::ferror(file) == 0)
        return true;
    error = errno != 0 ? errno : EIO;
    return false;
}

QString StandardOutputFailure(int error) {
    return u"standard output could not be written: "_s + qt_error_string(error);
}

bool OpenClosedStandardStreams() {
#ifdef Q_OS_UNIX
    bool outputOpen = true;
    for (int stream = 0; stream <= 2; ++stream) {
        if (::fcntl(stream, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // open() takes the lowest free number: the closed stream's.
        const int opened = ::open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY);
        if (opened != stream && opened >= 0)
            ::close(opened);
        if (stream == 1)
            outputOpen = false;
    }
    return outputOpen;
#else
    return true;
#endif
}

bool IsTerminal(std::FILE* file) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(file)) != 0;
#else
    return isatty(fileno(file)) != 0;
#endif
}

} // namespace Vorlaine
