#include "cli/Options.h"

#include "Version.h"
#include "search/letters/LetterKey.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cstdio>
#include <map>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// Far more than any search needs, and small enough for every count.
constexpr qsizetype MostNumber = 1'000'000'000;

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

const std::pair<QString, SortOrder> SortChoices[] = {
    {u"list"_s, SortOrder::List},
    {u"alpha"_s, SortOrder::Alpha},
    {u"length"_s, SortOrder::Length},
    {u"score"_s, SortOrder::Score},
};
// Language codes, English's first as the default.
const std::pair<QString, TileSet> TileSetChoices[] = {
    {u"en"_s, TileSet::English}, {u"fr"_s, TileSet::French},  {u"de"_s, TileSet::German},
    {u"es"_s, TileSet::Spanish}, {u"it"_s, TileSet::Italian}, {u"nl"_s, TileSet::Dutch},
    {u"pl"_s, TileSet::Polish},
};
const std::pair<QString, OutputFormat> FormatChoices[] = {
    {u"plain"_s, OutputFormat::Plain},
    {u"json"_s, OutputFormat::Json},
};

template <typename Choice, std::size_t Count>
QStringList ChoiceNames(const std::pair<QString, Choice> (&choices)[Count]) {
    QStringList names;
    for (const auto& [name, choice] : choices)
        names << name;
    return names;
}

// The window's four settings, with their defaults.
std::vector<OptionDefinition> WindowOptions() {
    using enum OptionId;
    using enum OptionScope;
    return {
        {.id = Seed,
         .names = {u"s"_s, u"seed"_s},
         .valueName = u"word"_s,
         .help = u"The seed word."_s,
         .setting = Field::Seed},
        {.id = List,
         .names = {u"l"_s, u"list"_s},
         .valueName = u"file"_s,
         .help = u"The word list, one word per line; - reads it from standard input."_s,
         .setting = Field::WordList,
         .takesFile = true},
        {.id = MinimumLength,
         .names = {u"m"_s, u"min-length"_s},
         .valueName = u"length"_s,
         .help = u"The shortest word to list."_s,
         .setting = Field::MinimumLength},
        {.id = Output,
         .names = {u"o"_s, u"output"_s},
         .valueName = u"file"_s,
         .help = u"The file the words are appended to; - prints them only."_s,
         .setting = Field::Output,
         .takesFile = true},
    };
}

// What the searches of single words take.
std::vector<OptionDefinition> SearchOptions() {
    using enum OptionId;
    using enum OptionScope;
    return {
        {.id = MaximumLength,
         .names = {u"x"_s, u"max-length"_s},
         .valueName = u"N"_s,
         .help = u"The longest word to list."_s},
        {.id = Anagrams,
         .names = {u"anagrams"_s},
         .help = u"Only words that use every letter of the seed (and every blank)."_s,
         .scope = SingleWords},
        {.id = ContainsAll,
         .names = {u"contains-all"_s},
         .help = u"Only words that hold every letter of the seed, as often as the seed does, "
                 "with any other letters besides."_s,
         .scope = SingleWords},
        {.id = Blanks,
         .names = {u"b"_s, u"blanks"_s},
         .valueName = u"N"_s,
         .help = u"N blank tiles, each standing for any one letter."_s},
        {.id = Pattern,
         .names = {u"p"_s, u"pattern"_s},
         .valueName = u"P"_s,
         .help = u"Only words that match P as a whole: ? any one letter, * any run of letters, "
                 "[abc] or [a-e] one of those, [!abc] none of those."_s,
         .scope = SingleWords},
        {.id = Regex,
         .names = {u"r"_s, u"regex"_s},
         .valueName = u"R"_s,
         .help = u"Only words in which the Perl-style regular expression R is found."_s,
         .scope = SingleWords},
        {.id = Sort,
         .names = {u"sort"_s},
         .valueName = u"order"_s,
         .help = u"The order: list (the list's, the default), alpha, length (longest first) or "
                 "score (highest first)."_s,
         .scope = SingleWords,
         .choices = ChoiceNames(SortChoices)},
        {.id = Limit,
         .names = {u"n"_s, u"limit"_s},
         .valueName = u"N"_s,
         .help = u"At most N words (per seed), after sorting."_s},
        {.id = Tiles,
         .names = {u"tiles"_s},
         .valueName = u"language"_s,
         .help = u"The tile values of the English (en, the default), French (fr), German (de), "
                 "Spanish (es), Italian (it), Dutch (nl) or Polish (pl) edition of the crossword "
                 "tile game."_s,
         .choices = ChoiceNames(TileSetChoices)},
        {.id = TileValues,
         .names = {u"tile-values"_s},
         .valueName = u"file"_s,
         .help = u"Tile values for --sort score and JSON, from lines \"letter value\"; they "
                 "override --tiles."_s,
         .takesFile = true},
        {.id = FoldAccents,
         .names = {u"fold-accents"_s},
         .help = u"Letters compare without their accents: é counts as e."_s},
        {.id = Format,
         .names = {u"format"_s},
         .valueName = u"format"_s,
         .help = u"plain (a word a line, the default) or json (an object a line)."_s,
         .choices = ChoiceNames(FormatChoices)},
        {.id = Seeds,
         .names = {u"seeds"_s},
         .valueName = u"file"_s,
         .help = u"Many seeds, one a line; - reads them from standard input."_s,
         .scope = SingleWords,
         .takesFile = true},
    };
}

// The anagrams of a phrase.
std::vector<OptionDefinition> PhraseOptions() {
    using enum OptionId;
    using enum OptionScope;
    return {
        {.id = Words,
         .names = {u"w"_s, u"words"_s},
         .valueName = u"N"_s,
         .help = u"Anagrams of the whole seed made of 1 to N words; blanks in the seed only "
                 "separate its words."_s},
        {.id = Distinct,
         .names = {u"distinct"_s},
         .help = u"With --words: no word twice in one anagram."_s,
         .scope = PhraseWords},
        {.id = Include,
         .names = {u"include"_s},
         .valueName = u"WORD"_s,
         .help = u"With --words: only anagrams that contain WORD, or each word of a phrase."_s,
         .scope = PhraseWords},
        {.id = Exclude,
         .names = {u"exclude"_s},
         .valueName = u"WORD"_s,
         .help = u"With --words: no anagram holds WORD; give it once for each word."_s,
         .scope = PhraseWords},
        {.id = MinimumWords,
         .names = {u"min-words"_s},
         .valueName = u"K"_s,
         .help = u"With --words: only anagrams of at least K words."_s,
         .scope = PhraseWords},
    };
}

// For every search.
std::vector<OptionDefinition> OtherOptions() {
    using enum OptionId;
    using enum OptionScope;
    return {
        {.id = NoProperNouns,
         .names = {u"no-proper-nouns"_s},
         .help = u"Leaves out every word of the list that begins with a capital letter."_s},
        {.id = Quiet,
         .names = {u"q"_s, u"quiet"_s},
         .help = u"No report and no progress on standard error; errors still go there."_s,
         .showsOnly = true},
    };
}

// In the order --help lists them.
std::vector<OptionDefinition> MakeOptionTable() {
    std::vector<OptionDefinition> table;
    for (auto part : {WindowOptions(), SearchOptions(), PhraseOptions(), OtherOptions()})
        table.insert(table.end(), std::make_move_iterator(part.begin()),
                     std::make_move_iterator(part.end()));
    return table;
}

class Parser {
public:
    explicit Parser(Options& options) : options_(options) {
        for (const OptionDefinition& defined : OptionTable()) {
            const QString defaultValue =
                defined.setting ? DefaultText(*defined.setting) : QString();
            const QString help = defined.setting
                                     ? defined.help + u" The default is "_s + defaultValue + u'.'
                                     : defined.help;
            parsed_.emplace(defined.id, QCommandLineOption(defined.names, help, defined.valueName,
                                                           defaultValue));
            parser_.addOption(parsed_.at(defined.id));
        }
    }

    std::optional<int> parse(const QStringList& arguments);

private:
    const QCommandLineOption& option(OptionId id) const { return parsed_.at(id); }
    bool isSet(OptionId id) const { return parser_.isSet(option(id)); }
    QString value(OptionId id) const { return parser_.value(option(id)); }
    static QString dashed(const QCommandLineOption& option) {
        return u"--"_s + option.names().constLast();
    }

    std::optional<int> usageError(const QString& message) const {
        std::fprintf(stderr, "makewords: %s\nTry 'makewords --help'.\n", qUtf8Printable(message));
        return ExitUsage;
    }
    // The option's whole number from `least` up, if it is set.
    template <typename Number> bool readNumber(OptionId id, qsizetype least, Number& into) {
        if (!isSet(id))
            return true;
        const QString text = value(id);
        bool isNumber = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        });
        const qsizetype number = isNumber ? text.toLongLong(&isNumber) : 0;
        if (!isNumber || number < least || number > MostNumber) {
            failure_ = dashed(option(id)) + u" needs a whole number"_s +
                       (least > 0 ? u" from "_s + QString::number(least) + u" up"_s : QString()) +
                       u", not '"_s + text + u'\'';
            return false;
        }
        into = static_cast<Number>(number);
        return true;
    }
    // The option's value among the names of its choices, if it is set.
    template <typename Choice, std::size_t Count>
    bool readChoice(OptionId id, const std::pair<QString, Choice> (&choices)[Count], Choice& into) {
        if (!isSet(id))
            return true;
        for (const auto& [name, choice] : choices) {
            if (value(id) == name) {
                into = choice;
                return true;
            }
        }
        failure_ = dashed(option(id)) + u" takes "_s + ChoiceNames(choices).join(u", "_s) +
                   u", not '"_s + value(id) + u'\'';
        return false;
    }
    std::optional<int> readValues();
    std::optional<int> checkCombinations();
    std::optional<int> compileFilters();

    Options& options_;
    QCommandLineParser parser_;
    std::map<OptionId, QCommandLineOption> parsed_;
    QString failure_;
};

std::optional<int> Parser::parse(const QStringList& arguments) {
    parser_.setApplicationDescription(
        u"Lists every word of a word list that can be spelled from the letters of a seed word,\n"
        "and appends each one as a line to the output file."_s);
    const QCommandLineOption help = parser_.addHelpOption();
    const QCommandLineOption version = parser_.addVersionOption();

    if (!parser_.parse(arguments))
        return usageError(parser_.errorText());
    // Qt adds --help-all beside --help; makewords has no other help to show.
    if (parser_.isSet(help) || parser_.isSet(u"help-all"_s)) {
        std::fputs(qUtf8Printable(parser_.helpText() + ExamplesHelp()), stdout);
        return ExitDone;
    }
    if (parser_.isSet(version)) {
        std::printf("makewords %s\n", VersionText);
        return ExitDone;
    }
    if (!parser_.positionalArguments().isEmpty())
        return usageError(u"unexpected argument '"_s + parser_.positionalArguments().constFirst() +
                          u'\'');
    if (const std::optional<int> failed = readValues())
        return failed;
    if (const std::optional<int> failed = checkCombinations())
        return failed;
    if (const std::optional<int> failed = compileFilters())
        return failed;

    options_.windowRun = !IsStandardStream(options_.settings.text(Field::WordList)) &&
                         !IsStandardStream(options_.settings.text(Field::Output));
    for (const OptionDefinition& defined : OptionTable()) {
        if (!defined.setting && !defined.showsOnly && isSet(defined.id))
            options_.windowRun = false;
    }
    return std::nullopt;
}

std::optional<int> Parser::readValues() {
    using enum OptionId;
    for (const OptionDefinition& defined : OptionTable()) {
        if (defined.setting)
            options_.settings.setText(*defined.setting, value(defined.id));
    }
    options_.foldAccents = isSet(FoldAccents);
    options_.tileValuesPath = value(TileValues);
    options_.seedsPath = value(Seeds);
    options_.distinct = isSet(Distinct);
    options_.include = value(Include);
    options_.excluded = parser_.values(option(Exclude));
    options_.noProperNouns = isSet(NoProperNouns);
    options_.quiet = isSet(Quiet);
    for (const OptionId id : {Include, Exclude, Seeds, TileValues}) {
        if (isSet(id) && parser_.values(option(id)).contains(QString()))
            return usageError(dashed(option(id)) + u" needs "_s +
                              (id == Include || id == Exclude ? u"a word"_s : u"a file name"_s));
    }
    // --include takes a phrase, --exclude a word at a time.
    for (const QString& word : options_.excluded) {
        if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.isSpace(); }))
            return usageError(u"--exclude takes one word, not '"_s + word + u'\'');
    }
    if (isSet(Include) && options_.include.split(u' ', Qt::SkipEmptyParts).isEmpty())
        return usageError(u"--include needs a word"_s);

    qsizetype limit = 0;
    if (!readNumber(MaximumLength, 0, options_.maximumLength) ||
        !readNumber(Blanks, 0, options_.blanks) || !readNumber(Limit, 0, limit) ||
        !readNumber(Words, 1, options_.words) ||
        !readNumber(MinimumWords, 1, options_.minimumWords) ||
        !readChoice(Sort, SortChoices, options_.sort) ||
        !readChoice(Format, FormatChoices, options_.format) ||
        !readChoice(Tiles, TileSetChoices, options_.tileSet))
        return usageError(failure_);
    if (isSet(Limit))
        options_.limit = limit;
    if (isSet(Anagrams))
        options_.mode = FitMode::Anagram;
    if (isSet(ContainsAll))
        options_.mode = FitMode::ContainsAll;
    return std::nullopt;
}

std::optional<int> Parser::checkCombinations() {
    using enum OptionId;
    if (isSet(Anagrams) && isSet(ContainsAll))
        return usageError(u"--contains-all cannot go with --anagrams"_s);
    if (isSet(ContainsAll) && isSet(Blanks))
        return usageError(u"--contains-all cannot go with --blanks"_s);
    if (IsStandardStream(options_.seedsPath) &&
        IsStandardStream(options_.settings.text(Field::WordList)))
        return usageError(u"--seeds - and --list - cannot both read standard input"_s);
    if (options_.words >= 2 && options_.minimumWords > options_.words)
        return usageError(u"--min-words cannot be more than --words"_s);
    // Anagrams of a phrase: the options that only single words have, and back.
    const bool phrase = options_.words >= 2;
    for (const OptionDefinition& defined : OptionTable()) {
        if (!isSet(defined.id))
            continue;
        if (phrase && defined.scope == OptionScope::SingleWords)
            return usageError(u"--"_s + defined.longName() +
                              u" cannot go with --words 2 or more"_s);
        if (!phrase && defined.scope == OptionScope::PhraseWords)
            return usageError(u"--"_s + defined.longName() + u" needs --words 2 or more"_s);
    }
    return std::nullopt;
}

// The pattern and the expression, compared as the words are.
std::optional<int> Parser::compileFilters() {
    using enum OptionId;
    if (isSet(Pattern)) {
        QString error;
        options_.pattern = WordPattern::compile(value(Pattern), options_.foldAccents, error);
        if (!options_.pattern)
            return usageError(u"--pattern: "_s + error);
    }
    if (isSet(Regex)) {
        const QString text = options_.foldAccents ? WithoutAccents(value(Regex)) : value(Regex);
        // \w, \b and [[:alpha:]] take in every letter, not ASCII only.
        QRegularExpression expression(text, QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::UseUnicodePropertiesOption);
        if (!expression.isValid())
            return usageError(u"--regex: "_s + expression.errorString() + u" at character "_s +
                              QString::number(expression.patternErrorOffset() + 1));
        expression.optimize();
        options_.regex = std::move(expression);
    }
    return std::nullopt;
}

} // namespace

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples{
        {u"The words of four letters or more in \"tangle\", printed only"_s,
         u"makewords -s tangle -l /usr/share/dict/american-english -o -"_s},
        {u"A crossword clue: c, any letter, t, then anything (an empty seed lets every word "
         "through)"_s,
         u"makewords --contains-all -s '' -m 1 -p 'c?t*' -l /usr/share/dict/american-english "
         "-o -"_s},
        {u"A Scrabble rack with a blank: the ten best words by their tiles' value"_s,
         u"makewords -s retain -b 1 -m 2 --sort score -n 10 -l "
         "/usr/share/dict/american-english -o -"_s},
        {u"A puzzle maker's batch of seeds, as JSON Lines"_s,
         u"makewords --seeds seeds.txt -m 3 --format json -l /usr/share/dict/american-english "
         "-o words.json"_s},
        {u"\"roast beef\" in up to three words of three letters or more"_s,
         u"makewords -s 'roast beef' -w 3 -m 3 -l /usr/share/dict/american-english -o -"_s},
    };
    return examples;
}

const std::vector<OptionDefinition>& OptionTable() {
    static const std::vector<OptionDefinition> table = MakeOptionTable();
    return table;
}

std::optional<int> ParseCommandLine(const QStringList& arguments, Options& options) {
    return Parser(options).parse(arguments);
}

} // namespace Vorlaine
