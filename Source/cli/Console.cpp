#include "cli/Console.h"

#include "cli/StopSignals.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
constexpr qint64 ProgressInterval = 100; // milliseconds
const QString ErrorPrefix = u"makewords: "_s;

bool IsTerminal(std::FILE* file) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(file)) != 0;
#else
    return isatty(fileno(file)) != 0;
#endif
}
} // namespace

Console::Console(std::FILE* out, std::FILE* err)
    : out_(out), err_(err), errIsTerminal_(IsTerminal(err)) {
    sinceDrawn_.start();
}

void Console::writeOut(QByteArrayView bytes) {
    clearProgress();
    std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), out_);
    // A write that failed while the stream emptied its buffer shows at once.
    if (std::ferror(out_) != 0)
        flushOut();
}

bool Console::flushOut() {
    if (outError_ != 0)
        return false;
    errno = 0;
    if (std::fflush(out_) == 0 && std::ferror(out_) == 0)
        return true;
    outError_ = errno != 0 ? errno : EIO;
    return false;
}

QString Console::outFailure() const {
    return u"standard output could not be written: "_s + qt_error_string(outError_);
}

void Console::writeErr(const QString& text) {
    clearProgress();
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), err_);
    std::fflush(err_);
}

int Console::error(const QString& message) {
    // The results so far go first, where the two streams meet.
    std::fflush(out_);
    writeErr(ErrorPrefix + MessageText(message) + u'\n');
    return ExitFailed;
}

int Console::usageError(const QString& message) {
    writeErr(ErrorPrefix + message + u"\nTry 'makewords --help'.\n"_s);
    return ExitUsage;
}

void Console::notice(const QString& text) {
    if (!quiet_)
        writeErr(ErrorPrefix + MessageText(text) + u'\n');
}

void Console::report(const QString& text) {
    if (!quiet_)
        writeErr(MessageText(text) + u'\n');
}

void Console::print(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    writeOut(bytes);
}

bool Console::progressDue() const {
    return showsProgress() && sinceDrawn_.elapsed() >= ProgressInterval;
}

void Console::drawProgress(const QString& text) {
    if (!showsProgress())
        return;
    const QByteArray bytes = (u'\r' + text + u"\x1b[K"_s).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), err_);
    std::fflush(err_);
    progressDrawn_ = true;
    sinceDrawn_.restart();
}

void Console::clearProgress() {
    if (!progressDrawn_)
        return;
    std::fputs("\r\x1b[K", err_);
    progressDrawn_ = false;
}

void Console::catchStops() {
    StopSignals::catchThem();
}

bool Console::stopRequested() {
    return StopSignals::requested();
}

int Console::stopSignal() {
    return StopSignals::signal();
}

Console::ClosedStreams Console::OpenClosedStandardStreams() {
    ClosedStreams closed;
#ifdef Q_OS_UNIX
    for (int stream = 0; stream <= 2; ++stream) {
        if (::fcntl(stream, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // open() takes the lowest free number: the closed stream's.
        const int opened = ::open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY);
        if (opened != stream && opened >= 0)
            ::close(opened);
        if (stream == 0)
            closed.input = true;
        else if (stream == 1)
            closed.output = true;
    }
#endif
    return closed;
}

QString PercentText(double share) {
    return QString::number(share * 100, 'f', 1) + u'%';
}

QString MessageText(const QString& prompt) {
    QString text = prompt;
    text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}

} // namespace Vorlaine
