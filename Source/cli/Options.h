#pragma once

#include "files/FileExists.h"
#include "search/anagrams/AnagramVocabulary.h"
#include "search/letters/LetterKeys.h"
#include "search/letters/TileValues.h"
#include "search/query/WordQuery.h"
#include "search/query/WordSearch.h"
#include "search/run/FieldTexts.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace Vorlaine {

class Console;

enum class OutputFormat { Plain, Json };

// What makewords was asked to do, every value read once from its option:
// the four settings of the window's run, and for the searches beyond it the
// engine's query, the rules of phrase anagrams and how the results are shown.
struct Options {
    FieldTexts settings; // --seed, --list, --min-length, --output

    // What a word must be to be listed, by single-word searches and as a
    // word of phrase anagrams alike: the filter options set it. Its seed is
    // the one of --seed or, in turn, each of --seeds.
    WordQuery query;
    PhraseRules phrase; // --words and the options only phrase anagrams take

    bool foldAccents = false;
    std::optional<TileSet> edition; // --tiles: its letters, tiles, values and bag
    // How words compare, by the two above; read first, as the other values
    // (a pattern) compare so too.
    LetterKeys keys;
    QString tileValuesPath; // empty: the edition's values
    QString seedsPath;      // empty: the one seed of --seed

    SortOrder sort = SortOrder::List;
    std::optional<qsizetype> limit;
    OutputFormat format = OutputFormat::Plain;
    bool hooks = false; // the letters that make more words, before or after
    bool quiet = false; // no report and no progress

    // None of the searches beyond the window's, and both files named: the
    // make-words run exactly as the window does it.
    bool windowRun = true;

    bool operator==(const Options&) const = default;
};

// "-" for a file means standard input or output.
inline bool IsStandardStream(const QString& path) {
    return path == QLatin1String("-");
}

// Standard input or a named pipe (`-l <(zcat list.gz)`): a file that can be
// read only once, as it comes.
inline bool ReadsOnce(const QString& path) {
    return IsStandardStream(path) || KindOfFile(path) == FileKind::Pipe;
}

// Which searches an option belongs to.
enum class OptionScope {
    Any,         // every search
    SingleWords, // refused with --words
    PhraseWords, // needs --words
};

// Each option of makewords, defined once with the code that reads its value:
// the parser, --help and the checks that keep the manual page, the
// completion and the README in step are all made from the table.
struct OptionDefinition {
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
    // Read before the others: it changes how words compare, and so how the
    // values of others (a pattern) read.
    bool readFirst = false;
    // A file the search reads (its path, and what it is in the messages).
    std::function<QString(const Options&)> inputPath = {};
    QString inputName = {};
    // Reads the values given (once or more; a switch gets none) into the
    // options. Returns what is wrong with them, or nothing.
    std::function<QString(const QStringList& values, Options& options)> read = {};

    QString longName() const { return names.constLast(); }
    QString dashed() const { return QStringLiteral("--") + longName(); }
};

const std::vector<OptionDefinition>& OptionTable();

// The examples of --help, the README and the manual page.
struct Example {
    QString purpose;
    QString command;
};
const std::vector<Example>& Examples();

// Reads the command line into `options`. Returns nothing when a search is to
// run; otherwise the exit status, once the help, the version or what is
// wrong with the command line is shown.
std::optional<int> ParseCommandLine(const QStringList& arguments, Options& options,
                                    Console& console);

} // namespace Vorlaine
