// makewords: the make-words run, and the searches beyond the window's, from a
// terminal.

#include "Version.h"
#include "cli/AnagramsCommand.h"
#include "cli/CommandLineWindow.h"
#include "cli/Options.h"
#include "cli/SearchContext.h"
#include "cli/TerminalProgress.h"
#include "cli/WordsCommand.h"
#include "search/run/MakeWordsRun.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include "cli/WindowsConsole.h"
#endif

using namespace Vorlaine;

int main(int argc, char* argv[]) {
    // Before anything opens a file: Qt's own start opens some.
    const bool outputOpen = OpenClosedStandardStreams();

#ifdef Q_OS_WIN
    const WindowsConsole console;
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("makewords"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(VersionText));

    Options options;
    if (const std::optional<int> status = ParseCommandLine(QCoreApplication::arguments(), options))
        return *status;
    if (!outputOpen)
        return ReportError(StandardOutputFailure(EBADF));

    if (options.words >= 2)
        return RunAnagramsCommand(options);
    if (!options.windowRun)
        return RunWordsCommand(options);

    CommandLineWindow window(options.settings);
    window.setShowsProgress(IsTerminal(stderr) && !options.quiet);
    window.setQuiet(options.quiet);
    const RunOutcome outcome = RunMakeWords(window);
    int error = window.outputError();
    if (error != 0 || !Flush(stdout, error))
        return ReportError(StandardOutputFailure(error));
    return outcome == RunOutcome::Finished ? ExitDone : ExitFailed;
}
