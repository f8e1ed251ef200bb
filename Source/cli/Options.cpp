// The command line read into Options, through the option table.

#include "cli/Options.h"

#include "Version.h"
#include "cli/Console.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// The help's examples, wrapped before the word list where a line would be long.
QString ExamplesHelp() {
    QString help = u"\nExamples:\n"_s;
    for (const Example& example : Examples()) {
        QString command = example.command;
        if (command.size() > 76)
            command.replace(u" -l "_s, u" \\\n      -l "_s);
        help += u"  # "_s + example.purpose + u"\n  "_s + command + u'\n';
    }
    return help;
}

class Parser {
public:
    Parser(Options& options, Console& console) : options_(options), console_(console) {
        for (const OptionDefinition& defined : OptionTable()) {
            const QString defaultValue =
                defined.setting ? DefaultText(*defined.setting) : QString();
            const QString help = defined.setting
                                     ? defined.help + u" The default is "_s + defaultValue + u'.'
                                     : defined.help;
            parsed_.emplace_back(defined.names, help, defined.valueName, defaultValue);
            parser_.addOption(parsed_.back());
        }
    }

    std::optional<int> parse(const QStringList& arguments);

private:
    std::optional<int> readValues();
    QString contradiction() const;
    std::optional<int> checkCombinations();
    Options& options_;
    Console& console_;
    QCommandLineParser parser_;
    std::vector<QCommandLineOption> parsed_; // in the table's order
};

std::optional<int> Parser::parse(const QStringList& arguments) {
    parser_.setApplicationDescription(
        u"Lists every word of a word list that can be spelled from the letters of a seed word,\n"
        "and appends each one as a line to the output file."_s);
    const QCommandLineOption help = parser_.addHelpOption();
    const QCommandLineOption version = parser_.addVersionOption();

    if (!parser_.parse(arguments))
        return console_.usageError(parser_.errorText());
    // Qt adds --help-all beside --help; makewords has no other help to show.
    if (parser_.isSet(help) || parser_.isSet(u"help-all"_s)) {
        console_.print(parser_.helpText() + ExamplesHelp());
        return ExitDone;
    }
    if (parser_.isSet(version)) {
        console_.print(u"makewords "_s + QString::fromLatin1(VersionText) + u'\n');
        return ExitDone;
    }
    if (!parser_.positionalArguments().isEmpty())
        return console_.usageError(u"unexpected argument '"_s +
                                   parser_.positionalArguments().constFirst() + u'\'');
    if (const std::optional<int> failed = readValues())
        return failed;
    if (const std::optional<int> failed = checkCombinations())
        return failed;
    console_.setQuiet(options_.quiet);
    return std::nullopt;
}

// Every option given, and the four settings with their defaults; first those
// that change how others' values read.
std::optional<int> Parser::readValues() {
    const std::vector<OptionDefinition>& table = OptionTable();
    for (const bool first : {true, false}) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const OptionDefinition& defined = table[i];
            const bool given = parser_.isSet(parsed_[i]);
            if (defined.readFirst != first || !(given || defined.setting))
                continue;
            const QStringList values = parser_.values(parsed_[i]);
            if (defined.setting)
                options_.settings.setText(*defined.setting, values.constLast());
            if (!given && !defined.setting)
                continue;
            if (defined.read) {
                if (const QString failed = defined.read(values, options_); !failed.isEmpty())
                    return console_.usageError(failed);
            }
            if (given && !defined.setting && !defined.showsOnly)
                options_.windowRun = false;
        }
    }
    options_.windowRun = options_.windowRun &&
                         !IsStandardStream(options_.settings.text(Field::WordList)) &&
                         !IsStandardStream(options_.settings.text(Field::Output));
    return std::nullopt;
}

// Options that contradict each other, so that no search could give what
// they ask for: each refused with the reason, rather than run to an empty
// result or with one of them set aside.
QString Parser::contradiction() const {
    const WordQuery& query = options_.query;
    const PhraseRules& phrase = options_.phrase;
    const bool maximumGiven = parser_.isSet(u"max-length"_s);
    if (maximumGiven && static_cast<double>(query.maximumLength) < query.minimumLength)
        return u"--max-length "_s + QString::number(query.maximumLength) +
               u" is less than --min-length "_s + options_.settings.text(Field::MinimumLength);
    if (query.mode == FitMode::ContainsAll && query.blanks > 0)
        return u"--contains-all cannot go with --blanks"_s;
    if (!options_.seedsPath.isEmpty() && parser_.isSet(u"seed"_s))
        return u"--seeds cannot go with --seed: the seeds come from the file"_s;
    if (!options_.seedsPath.isEmpty() && options_.hooks)
        return u"--hooks cannot go with --seeds"_s;
    if (IsStandardStream(options_.seedsPath) &&
        IsStandardStream(options_.settings.text(Field::WordList)))
        return u"--seeds - and --list - cannot both read standard input"_s;
    if (phrase.maxWords < 1)
        return {};
    if (phrase.minimumWords > phrase.maxWords)
        return u"--min-words cannot be more than --words"_s;
    if (phrase.included.size() > phrase.maxWords)
        return u"--include names "_s + QString::number(phrase.included.size()) +
               u" words, and --words allows "_s + QString::number(phrase.maxWords);
    QStringList keys;
    for (const QString& word : phrase.included) {
        const QString key = options_.keys.key(word);
        if (phrase.distinct && keys.contains(key))
            return u"--include names "_s + word + u" twice, and --distinct takes a word once"_s;
        keys << key;
    }
    for (const QString& word : phrase.excluded) {
        if (keys.contains(options_.keys.key(word)))
            return u"--include and --exclude both name "_s + word;
    }
    return {};
}

std::optional<int> Parser::checkCombinations() {
    if (const QString failed = contradiction(); !failed.isEmpty())
        return console_.usageError(failed);
    // Anagrams of a phrase: the options that only single words have, and back.
    const bool phrase = options_.phrase.maxWords >= 1;
    const std::vector<OptionDefinition>& table = OptionTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!parser_.isSet(parsed_[i]))
            continue;
        if (phrase && table[i].scope == OptionScope::SingleWords)
            return console_.usageError(table[i].dashed() + u" cannot go with --words"_s);
        if (!phrase && table[i].scope == OptionScope::PhraseWords)
            return console_.usageError(table[i].dashed() + u" needs --words"_s);
    }
    return std::nullopt;
}

} // namespace

std::optional<int> ParseCommandLine(const QStringList& arguments, Options& options,
                                    Console& console) {
    return Parser(options, console).parse(arguments);
}

} // namespace Vorlaine
