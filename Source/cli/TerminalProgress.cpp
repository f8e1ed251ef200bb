#include "cli/TerminalProgress.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

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

bool IsTerminal(std::FILE* file) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(file)) != 0;
#else
    return isatty(fileno(file)) != 0;
#endif
}

} // namespace Vorlaine
