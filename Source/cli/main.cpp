// makewords: the make-words run from a terminal.

#include "Version.h"
#include "cli/CommandLineWindow.h"
#include "search/FieldTexts.h"
#include "search/MakeWordsRun.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

using namespace Vorlaine;

namespace {
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("makewords"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(VersionText));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists every word of a word list that can be spelled from the letters of a seed word,\n"
        "and appends each one as a line to the output file."));
    const QCommandLineOption seed({QStringLiteral("s"), QStringLiteral("seed")},
                                  QStringLiteral("The seed word."), QStringLiteral("word"),
                                  DefaultText(Field::Seed));
    const QCommandLineOption list({QStringLiteral("l"), QStringLiteral("list")},
                                  QStringLiteral("The word list, one word per line."),
                                  QStringLiteral("file"), DefaultText(Field::WordList));
    const QCommandLineOption minimumLength({QStringLiteral("m"), QStringLiteral("min-length")},
                                           QStringLiteral("The shortest word to list."),
                                           QStringLiteral("length"),
                                           DefaultText(Field::MinimumLength));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The file the words are appended to."),
                                    QStringLiteral("file"), DefaultText(Field::Output));
    parser.addOptions({seed, list, minimumLength, output});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "makewords: %s\nTry 'makewords --help'.\n",
                     qUtf8Printable(parser.errorText()));
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("makewords %s\n", VersionText);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "makewords: unexpected argument '%s'\nTry 'makewords --help'.\n",
                     qUtf8Printable(parser.positionalArguments().constFirst()));
        return ExitUsage;
    }

    FieldTexts settings;
    settings.setText(Field::Seed, parser.value(seed));
    settings.setText(Field::WordList, parser.value(list));
    settings.setText(Field::MinimumLength, parser.value(minimumLength));
    settings.setText(Field::Output, parser.value(output));
    CommandLineWindow window(settings);
    window.setShowsProgress(isatty(fileno(stderr)) != 0);
    const RunOutcome outcome = RunMakeWords(window);
    std::fflush(stdout);
    return outcome == RunOutcome::Finished ? 0 : ExitFailed;
}
