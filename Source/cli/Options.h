#pragma once

#include "files/WordLength.h"
#include "search/letters/TileValues.h"
#include "search/query/WordPattern.h"
#include "search/query/WordSearch.h"
#include "search/run/FieldTexts.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

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
    TileSet tileSet = TileSet::English;
    QString tileValuesPath; // empty: the tile set's values
    bool foldAccents = false;
    OutputFormat format = OutputFormat::Plain;
    QString seedsPath; // empty: the one seed of --seed

    int words = 1; // more than one: anagrams of the whole seed in up to this many words
    int minimumWords = 1;
    bool distinct = false;
    QString include;
    QStringList excluded;
    bool noProperNouns = false;
    bool quiet = false; // no report and no progress

    // None of the searches beyond the window's, and both files named: the
    // make-words run exactly as the window does it.
    bool windowRun = true;
};

// "-" for a file means standard input or output.
inline bool IsStandardStream(const QString& path) {
    return path == QLatin1String("-");
}

// Each option of makewords, defined once: the parser, --help and the checks
// that keep the manual page, the completion and the README in step are all
// made from this table.
enum class OptionId {
    Seed,
    List,
    MinimumLength,
    Output,
    MaximumLength,
    Anagrams,
    ContainsAll,
    Blanks,
    Pattern,
    Regex,
    Sort,
    Limit,
    Tiles,
    TileValues,
    FoldAccents,
    Format,
    Seeds,
    Words,
    Distinct,
    Include,
    Exclude,
    MinimumWords,
    NoProperNouns,
    Quiet,
};

// Which searches an option belongs to.
enum class OptionScope {
    Any,         // every search
    SingleWords, // refused with --words 2 or more
    PhraseWords, // needs --words 2 or more
};

struct OptionDefinition {
    OptionId id = OptionId::Seed;
    QStringList names = {}; // the short name first, if there is one; the long one last
    QString valueName = {}; // empty for a switch
    QString help = {};      // one or two sentences
    OptionScope scope = OptionScope::Any;
    // One of the four settings of the window's run, with its default; any
    // other option leaves that run for the searches beyond it.
    std::optional<Field> setting = {};
    QStringList choices = {}; // the values it takes, when they are names
    bool takesFile = false;
    // Changes only what is shown, so the window's run takes it too.
    bool showsOnly = false;

    QString longName() const { return names.constLast(); }
};

const std::vector<OptionDefinition>& OptionTable();

// The examples of --help, the README and the manual page.
struct Example {
    QString purpose;
    QString command;
};
const std::vector<Example>& Examples();

inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// Reads the command line into `options`. Returns nothing when the search is
// to run; otherwise the exit status, after printing the help, the version or
// what is wrong with the command line.
std::optional<int> ParseCommandLine(const QStringList& arguments, Options& options);

} // namespace Vorlaine
