#include "cli/Options.h"

#include "Version.h"
#include "search/LetterKey.h"

#include <QCommandLineParser>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// Far more than any search needs, and small enough for every count.
constexpr qsizetype MostNumber = 1'000'000'000;

const QString Examples = uR"(
Examples:
  makewords -s tangle -l /usr/share/dict/words -o -
      the words of four letters or more in "tangle", printed only
  makewords --contains-all -s '' -p 'c?t*' -m 1 -l /usr/share/dict/words -o -
      a crossword clue: every word of c, any letter, t, then anything (an empty
      seed with --contains-all lets every word through to the pattern)
  makewords -s retain -b 1 --sort score -n 10 -m 2 -l /usr/share/dict/words -o -
      a Scrabble rack with a blank: the ten best words by their tiles' value
  makewords --seeds seeds.txt -m 3 --format json -l /usr/share/dict/words -o words.json
      a puzzle maker's batch: the words of every seed in seeds.txt, as JSON
  makewords -s 'roast beef' -w 3 -l /usr/share/dict/words -o -
      anagrams of the whole phrase in up to three words
)"_s;

class Parser {
public:
    explicit Parser(Options& options) : options_(options) {}

    std::optional<int> parse(const QStringList& arguments);

private:
    std::optional<int> usageError(const QString& message) const {
        std::fprintf(stderr, "makewords: %s\nTry 'makewords --help'.\n", qUtf8Printable(message));
        return ExitUsage;
    }
    // The option's whole number from `least` up, or a usage error.
    std::optional<qsizetype> wholeNumber(const QCommandLineOption& option, qsizetype least) {
        const QString text = parser_.value(option);
        bool isNumber = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        });
        const qsizetype value = isNumber ? text.toLongLong(&isNumber) : 0;
        if (!isNumber || value < least || value > MostNumber) {
            failure_ = u"--"_s + option.names().constLast() + u" needs a whole number"_s +
                       (least > 0 ? u" from "_s + QString::number(least) + u" up"_s : QString()) +
                       u", not '"_s + text + u'\'';
            return std::nullopt;
        }
        return value;
    }
    QCommandLineOption add(const QStringList& names, const QString& description,
                           const QString& valueName = {}, const QString& defaultValue = {}) {
        QCommandLineOption option(names,
                                  defaultValue.isEmpty()
                                      ? description
                                      : description + u" The default is "_s + defaultValue + u'.',
                                  valueName, defaultValue);
        parser_.addOption(option);
        return option;
    }
    Options& options_;
    QCommandLineParser parser_;
    QString failure_;
};

std::optional<int> Parser::parse(const QStringList& arguments) {
    parser_.setApplicationDescription(
        u"Lists every word of a word list that can be spelled from the letters of a seed word,\n"
        "and appends each one as a line to the output file."_s);
    const auto seed =
        add({u"s"_s, u"seed"_s}, u"The seed word."_s, u"word"_s, DefaultText(Field::Seed));
    const auto list = add({u"l"_s, u"list"_s},
                          u"The word list, one word per line; - reads it from standard input."_s,
                          u"file"_s, DefaultText(Field::WordList));
    const auto minimum = add({u"m"_s, u"min-length"_s}, u"The shortest word to list."_s,
                             u"length"_s, DefaultText(Field::MinimumLength));
    const auto output =
        add({u"o"_s, u"output"_s}, u"The file the words are appended to; - prints them only."_s,
            u"file"_s, DefaultText(Field::Output));
    const auto maximum = add({u"x"_s, u"max-length"_s}, u"The longest word to list."_s, u"N"_s);
    const auto anagrams =
        add({u"anagrams"_s}, u"Only words that use every letter of the seed (and every blank)."_s);
    const auto containsAll =
        add({u"contains-all"_s}, u"Only words that hold every letter of the seed, as often as "
                                 "the seed does, with any other letters besides."_s);
    const auto blanks =
        add({u"b"_s, u"blanks"_s}, u"N blank tiles, each standing for any one letter."_s, u"N"_s);
    const auto pattern =
        add({u"p"_s, u"pattern"_s},
            u"Only words that match P as a whole: ? any one letter, * any run of letters, "
            "[abc] or [a-e] one of those, [!abc] none of those."_s,
            u"P"_s);
    const auto regex =
        add({u"r"_s, u"regex"_s},
            u"Only words in which the Perl-style regular expression R is found."_s, u"R"_s);
    const auto sort = add({u"sort"_s},
                          u"The order: list (the list's, the default), alpha, length (longest "
                          "first) or score (highest first)."_s,
                          u"order"_s);
    const auto limit =
        add({u"n"_s, u"limit"_s}, u"At most N words (per seed), after sorting."_s, u"N"_s);
    const auto tiles =
        add({u"tile-values"_s},
            u"Tile values for --sort score and JSON, from lines \"letter value\"; the English "
            "tiles otherwise."_s,
            u"file"_s);
    const auto fold =
        add({u"fold-accents"_s}, u"Letters compare without their accents: é counts as e."_s);
    const auto format =
        add({u"format"_s}, u"plain (a word a line, the default) or json (an object a line)."_s,
            u"format"_s);
    const auto seeds = add(
        {u"seeds"_s}, u"Many seeds, one a line; - reads them from standard input."_s, u"file"_s);
    const auto words =
        add({u"w"_s, u"words"_s},
            u"Anagrams of the whole seed made of 1 to N words; blanks in the seed only "
            "separate its words."_s,
            u"N"_s);
    const auto distinct = add({u"distinct"_s}, u"With --words: no word twice in one anagram."_s);
    const auto include =
        add({u"include"_s}, u"With --words: only anagrams that contain WORD."_s, u"WORD"_s);
    const QCommandLineOption help = parser_.addHelpOption();
    const QCommandLineOption version = parser_.addVersionOption();

    if (!parser_.parse(arguments))
        return usageError(parser_.errorText());
    // Qt adds --help-all beside --help; makewords has no other help to show.
    if (parser_.isSet(help) || parser_.isSet(u"help-all"_s)) {
        std::fputs(qUtf8Printable(parser_.helpText() + Examples), stdout);
        return ExitDone;
    }
    if (parser_.isSet(version)) {
        std::printf("makewords %s\n", VersionText);
        return ExitDone;
    }
    if (!parser_.positionalArguments().isEmpty())
        return usageError(u"unexpected argument '"_s + parser_.positionalArguments().constFirst() +
                          u'\'');

    options_.settings.setText(Field::Seed, parser_.value(seed));
    options_.settings.setText(Field::WordList, parser_.value(list));
    options_.settings.setText(Field::MinimumLength, parser_.value(minimum));
    options_.settings.setText(Field::Output, parser_.value(output));
    options_.foldAccents = parser_.isSet(fold);
    options_.tileValuesPath = parser_.value(tiles);
    options_.seedsPath = parser_.value(seeds);
    options_.distinct = parser_.isSet(distinct);
    options_.include = parser_.value(include);
    for (const auto& [option, what] :
         {std::pair{&include, u"a word"_s}, std::pair{&seeds, u"a file name"_s},
          std::pair{&tiles, u"a file name"_s}}) {
        if (parser_.isSet(*option) && parser_.value(*option).isEmpty())
            return usageError(u"--"_s + option->names().constLast() + u" needs "_s + what);
    }
    if (std::any_of(options_.include.begin(), options_.include.end(),
                    [](QChar c) { return c.isSpace(); }))
        return usageError(u"--include takes one word, not '"_s + options_.include + u'\'');

    // Numbers.
    const auto number = [&](const QCommandLineOption& option, qsizetype least, auto& into) {
        if (!parser_.isSet(option) || !failure_.isEmpty())
            return;
        if (const auto value = wholeNumber(option, least))
            into = static_cast<std::remove_reference_t<decltype(into)>>(*value);
    };
    std::optional<qsizetype> limitValue;
    number(maximum, 0, options_.maximumLength);
    number(blanks, 0, options_.blanks);
    number(limit, 0, limitValue);
    number(words, 1, options_.words);
    if (!failure_.isEmpty())
        return usageError(failure_);
    options_.limit = limitValue;

    // Choices.
    const auto choose =
        [&](const QCommandLineOption& option, auto& into,
            const std::vector<std::pair<QString, std::remove_reference_t<decltype(into)>>>& names) {
            if (!parser_.isSet(option))
                return true;
            const QString value = parser_.value(option);
            QStringList known;
            for (const auto& [name, choice] : names) {
                if (value == name) {
                    into = choice;
                    return true;
                }
                known << name;
            }
            failure_ = u"--"_s + option.names().constLast() + u" takes "_s + known.join(u", "_s) +
                       u", not '"_s + value + u'\'';
            return false;
        };
    if (!choose(sort, options_.sort,
                {{u"list"_s, SortOrder::List},
                 {u"alpha"_s, SortOrder::Alpha},
                 {u"length"_s, SortOrder::Length},
                 {u"score"_s, SortOrder::Score}}) ||
        !choose(format, options_.format,
                {{u"plain"_s, OutputFormat::Plain}, {u"json"_s, OutputFormat::Json}}))
        return usageError(failure_);
    if (parser_.isSet(anagrams) && parser_.isSet(containsAll))
        return usageError(u"--contains-all cannot go with --anagrams"_s);
    if (parser_.isSet(containsAll) && parser_.isSet(blanks))
        return usageError(u"--contains-all cannot go with --blanks"_s);
    if (parser_.isSet(anagrams))
        options_.mode = FitMode::Anagram;
    if (parser_.isSet(containsAll))
        options_.mode = FitMode::ContainsAll;
    if (IsStandardStream(options_.seedsPath) &&
        IsStandardStream(options_.settings.text(Field::WordList)))
        return usageError(u"--seeds - and --list - cannot both read standard input"_s);

    // Anagrams of a phrase: the options that only single words have, and back.
    if (options_.words >= 2) {
        for (const QCommandLineOption* option :
             {&anagrams, &containsAll, &pattern, &regex, &sort, &seeds}) {
            if (parser_.isSet(*option))
                return usageError(u"--"_s + option->names().constLast() +
                                  u" cannot go with --words 2 or more"_s);
        }
    } else {
        for (const QCommandLineOption* option : {&distinct, &include}) {
            if (parser_.isSet(*option))
                return usageError(u"--"_s + option->names().constLast() +
                                  u" needs --words 2 or more"_s);
        }
    }

    // The pattern and the expression, compared as the words are.
    if (parser_.isSet(pattern)) {
        QString error;
        options_.pattern =
            WordPattern::compile(parser_.value(pattern), options_.foldAccents, error);
        if (!options_.pattern)
            return usageError(u"--pattern: "_s + error);
    }
    if (parser_.isSet(regex)) {
        const QString text =
            options_.foldAccents ? WithoutAccents(parser_.value(regex)) : parser_.value(regex);
        // \w, \b and [[:alpha:]] take in every letter, not ASCII only.
        QRegularExpression expression(text, QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::UseUnicodePropertiesOption);
        if (!expression.isValid())
            return usageError(u"--regex: "_s + expression.errorString() + u" at character "_s +
                              QString::number(expression.patternErrorOffset() + 1));
        expression.optimize();
        options_.regex = std::move(expression);
    }

    options_.windowRun = true;
    for (const QCommandLineOption* option :
         {&maximum, &anagrams, &containsAll, &blanks, &pattern, &regex, &sort, &limit, &tiles,
          &fold, &format, &seeds, &words, &distinct, &include}) {
        if (parser_.isSet(*option))
            options_.windowRun = false;
    }
    if (IsStandardStream(options_.settings.text(Field::WordList)) ||
        IsStandardStream(options_.settings.text(Field::Output)))
        options_.windowRun = false;
    return std::nullopt;
}

} // namespace

std::optional<int> ParseCommandLine(const QStringList& arguments, Options& options) {
    return Parser(options).parse(arguments);
}

} // namespace Vorlaine
