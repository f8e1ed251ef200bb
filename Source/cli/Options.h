#pragma once

#include "files/WordLength.h"
#include "search/FieldTexts.h"
#include "search/WordPattern.h"
#include "search/WordSearch.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <optional>

namespace Vorlaine {

enum class OutputFormat { Plain, Json };

// What makewords was asked to do.
struct Options {
    FieldTexts settings; // --seed, --list, --min-length, --output

    qsizetype maximumLength = MaxWordLength;
    FitMode mode = FitMode::Within;
    qsizetype blanks = 0;
    std::optional<WordPattern> pattern;
    std::optional<QRegularExpression> regex;
    SortOrder sort = SortOrder::List;
    std::optional<qsizetype> limit;
    QString tileValuesPath; // empty: the English tiles
    bool foldAccents = false;
    OutputFormat format = OutputFormat::Plain;
    QString seedsPath; // empty: the one seed of --seed

    int words = 1; // more than one: anagrams of the whole seed in up to this many words
    bool distinct = false;
    QString include;

    // None of the searches beyond the window's, and both files named: the
    // make-words run exactly as the window does it.
    bool windowRun = true;
};

// "-" for a file means standard input or output.
inline bool IsStandardStream(const QString& path) {
    return path == QLatin1String("-");
}

inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// Reads the command line into `options`. Returns nothing when the search is
// to run; otherwise the exit status, after printing the help, the version or
// what is wrong with the command line.
std::optional<int> ParseCommandLine(const QStringList& arguments, Options& options);

} // namespace Vorlaine
