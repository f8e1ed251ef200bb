// makewords: the make-words run, and the searches beyond the window's, from a
// terminal.

#include "Version.h"
#include "cli/Command.h"
#include "cli/Console.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include "cli/WindowsConsole.h"
#endif

using namespace Vorlaine;

int main(int argc, char* argv[]) {
    // Before anything opens a file: Qt's own start opens some.
    const Console::ClosedStreams closed = Console::OpenClosedStandardStreams();

#ifdef Q_OS_WIN
    const WindowsConsole windowsConsole;
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("makewords"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(VersionText));

    Console console(stdout, stderr);
    if (closed.output)
        console.setOutFailed(EBADF);
    if (closed.input)
        console.setInClosed();
    return MakeWordsMain(QCoreApplication::arguments(), console);
}
