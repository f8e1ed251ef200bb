// makewords: the make-words run, and the searches beyond the window's, from a
// terminal.

#include "Version.h"
#include "cli/AnagramsCommand.h"
#include "cli/CommandLineWindow.h"
#include "cli/Options.h"
#include "cli/WordsCommand.h"
#include "search/MakeWordsRun.h"

#include <QCoreApplication>
#include <cstdio>

#ifdef Q_OS_WIN
#include "cli/WindowsConsole.h"
#endif

using namespace Vorlaine;

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    const WindowsConsole console;
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("makewords"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(VersionText));

    Options options;
    if (const std::optional<int> status = ParseCommandLine(QCoreApplication::arguments(), options))
        return *status;

    if (options.words >= 2)
        return RunAnagramsCommand(options);
    if (!options.windowRun)
        return RunWordsCommand(options);

    CommandLineWindow window(options.settings);
    window.setShowsProgress(IsTerminal(stderr));
    const RunOutcome outcome = RunMakeWords(window);
    std::fflush(stdout);
    return outcome == RunOutcome::Finished ? ExitDone : ExitFailed;
}
