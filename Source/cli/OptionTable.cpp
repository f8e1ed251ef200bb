// Each option of makewords: its names, its help, the code that reads its value.

#include "cli/Options.h"
#include "search/letters/LetterKey.h"
#include "search/query/ExcludedWords.h"
#include "search/query/WordPattern.h"
#include "search/run/NumberText.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// Far more than any search needs, and small enough for every count.
constexpr qsizetype MostNumber = 1'000'000'000;

template <typename Choice> struct Choices {
    std::vector<std::pair<QString, Choice>> named;

    QStringList names() const {
        QStringList names;
        for (const auto& [name, choice] : named)
            names << name;
        return names;
    }
};

const Choices<SortOrder> SortChoices{{
    {u"list"_s, SortOrder::List},
    {u"alpha"_s, SortOrder::Alpha},
    {u"length"_s, SortOrder::Length},
    {u"score"_s, SortOrder::Score},
    {u"probability"_s, SortOrder::Probability},
}};
// Language codes, English's first as the default.
const Choices<TileSet> TileSetChoices{{
    {u"en"_s, TileSet::English},
    {u"fr"_s, TileSet::French},
    {u"de"_s, TileSet::German},
    {u"es"_s, TileSet::Spanish},
    {u"it"_s, TileSet::Italian},
    {u"nl"_s, TileSet::Dutch},
    {u"pl"_s, TileSet::Polish},
    {u"ca"_s, TileSet::Catalan},
}};
const Choices<OutputFormat> FormatChoices{{
    {u"plain"_s, OutputFormat::Plain},
    {u"json"_s, OutputFormat::Json},
}};

// The last of the values given: an option given twice takes its last.
const QString& Last(const QStringList& values) {
    return values.constLast();
}

// A whole number from `least` up, into `into`.
template <typename Number>
QString ReadNumber(const QString& option, const QString& text, qsizetype least, Number& into) {
    bool isNumber = !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                                   [](QChar c) { return c >= u'0' && c <= u'9'; });
    const qsizetype number = isNumber ? text.toLongLong(&isNumber) : 0;
    if (!isNumber || number < least || number > MostNumber)
        return option + u" needs a whole number"_s +
               (least > 0 ? u" from "_s + QString::number(least) + u" up"_s : QString()) +
               u", not '"_s + text + u'\'';
    into = static_cast<Number>(number);
    return {};
}

// One of the names of `choices`, into `into`.
template <typename Choice>
QString ReadChoice(const QString& option, const QString& text, const Choices<Choice>& choices,
                   Choice& into) {
    for (const auto& [name, choice] : choices.named) {
        if (text == name) {
            into = choice;
            return {};
        }
    }
    return option + u" takes "_s + choices.names().join(u", "_s) + u", not '"_s + text + u'\'';
}

// A file name; "" names no file.
QString CheckFileName(const QString& option, const QString& text) {
    return text.isEmpty() ? option + u" needs a file name"_s : QString();
}

QString ReadFileName(const QString& option, const QString& text, QString& into) {
    into = text;
    return CheckFileName(option, text);
}

// The window's four settings, with their defaults.
std::vector<OptionDefinition> WindowOptions() {
    using enum OptionScope;
    return {
        {.names = {u"s"_s, u"seed"_s},
         .valueName = u"word"_s,
         .help = u"The seed word."_s,
         .setting = Field::Seed,
         .read =
             [](const QStringList& values, Options& options) {
                 options.query.seed = Last(values);
                 return QString();
             }},
        {.names = {u"l"_s, u"list"_s},
         .valueName = u"file"_s,
         .help = u"The word list, one word per line; - reads it from standard input."_s,
         .setting = Field::WordList,
         .takesFile = true,
         .inputPath = [](const Options& o) { return o.settings.text(Field::WordList); },
         .inputName = u"the word list"_s,
         .read = [](const QStringList& values,
                    Options&) { return CheckFileName(u"--list"_s, Last(values)); }},
        {.names = {u"m"_s, u"min-length"_s},
         .valueName = u"length"_s,
         .help = u"The shortest word to list."_s,
         .setting = Field::MinimumLength,
         .read =
             [](const QStringList& values, Options& options) {
                 options.query.minimumLength = NumericValue(Last(values));
                 return QString();
             }},
        {.names = {u"o"_s, u"output"_s},
         .valueName = u"file"_s,
         .help = u"The file the words are appended to; - prints them only."_s,
         .setting = Field::Output,
         .takesFile = true,
         .read = [](const QStringList& values,
                    Options&) { return CheckFileName(u"--output"_s, Last(values)); }},
    };
}

// What the searches of single words take.
std::vector<OptionDefinition> SearchOptions() {
    using enum OptionScope;
    return {
        {.names = {u"x"_s, u"max-length"_s},
         .valueName = u"N"_s,
         .help = u"The longest word to list."_s,
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadNumber(u"--max-length"_s, Last(values), 0, options.query.maximumLength);
             }},
        {.names = {u"anagrams"_s},
         .help = u"Only words that use every letter of the seed (and every blank)."_s,
         .scope = SingleWords,
         .read =
             [](const QStringList&, Options& options) {
                 options.query.mode = FitMode::Anagram;
                 return QString();
             }},
        {.names = {u"contains-all"_s},
         .help = u"Only words that hold every letter of the seed, as often as the seed does, "
                 "with any other letters besides."_s,
         .scope = SingleWords,
         .read =
             [](const QStringList&, Options& options) {
                 if (options.query.mode == FitMode::Anagram)
                     return u"--contains-all cannot go with --anagrams"_s;
                 options.query.mode = FitMode::ContainsAll;
                 return QString();
             }},
        {.names = {u"b"_s, u"blanks"_s},
         .valueName = u"N"_s,
         .help = u"N blank tiles, each standing for any one letter."_s,
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadNumber(u"--blanks"_s, Last(values), 0, options.query.blanks);
             }},
        {.names = {u"p"_s, u"pattern"_s},
         .valueName = u"P"_s,
         .help = u"Only words that match P as a whole: ? any one letter, * any run of letters, "
                 "[abc] or [a-e] one of those, [!abc] none of those."_s,
         .scope = SingleWords,
         .read =
             [](const QStringList& values, Options& options) {
                 QString error;
                 auto pattern = WordPattern::compile(Last(values), options.keys, error);
                 if (!pattern)
                     return u"--pattern: "_s + error;
                 options.query.pattern = std::make_shared<const WordPattern>(std::move(*pattern));
                 return QString();
             }},
        {.names = {u"r"_s, u"regex"_s},
         .valueName = u"R"_s,
         .help = u"Only words in which the Perl-style regular expression R is found."_s,
         .scope = SingleWords,
         .read =
             [](const QStringList& values, Options& options) {
                 const QString text = options.keys.folded(Last(values));
                 // \w, \b and [[:alpha:]] take in every letter, not ASCII only.
                 auto expression = std::make_shared<QRegularExpression>(
                     text, QRegularExpression::CaseInsensitiveOption |
                               QRegularExpression::UseUnicodePropertiesOption);
                 if (!expression->isValid())
                     return u"--regex: "_s + expression->errorString() + u" at character "_s +
                            QString::number(expression->patternErrorOffset() + 1);
                 expression->optimize();
                 options.query.regex = std::move(expression);
                 return QString();
             }},
        {.names = {u"board"_s},
         .valueName = u"P"_s,
         .help = u"Letters already on the board: only words that match the pattern P as a whole, "
                 "its letters played with the seed's; ?, * and [...] are squares the seed fills."_s,
         .scope = SingleWords,
         .read =
             [](const QStringList& values, Options& options) {
                 QString error;
                 auto board = WordPattern::compile(Last(values), options.keys, error);
                 if (!board)
                     return u"--board: "_s + error;
                 options.query.board = std::make_shared<const WordPattern>(std::move(*board));
                 return QString();
             }},
    };
}

// How the words found are ordered and scored.
std::vector<OptionDefinition> ScoreOptions() {
    using enum OptionScope;
    return {
        {.names = {u"sort"_s},
         .valueName = u"order"_s,
         .help = u"The order: list (the list's, the default), alpha, length (longest first), "
                 "score (highest first) or probability (the likeliest to be drawn from a full "
                 "bag first)."_s,
         .scope = SingleWords,
         .choices = SortChoices.names(),
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadChoice(u"--sort"_s, Last(values), SortChoices, options.sort);
             }},
        {.names = {u"n"_s, u"limit"_s},
         .valueName = u"N"_s,
         .help = u"At most N words (per seed), after sorting."_s,
         .read =
             [](const QStringList& values, Options& options) {
                 qsizetype limit = 0;
                 const QString failed = ReadNumber(u"--limit"_s, Last(values), 0, limit);
                 options.limit = limit;
                 return failed;
             }},
        {.names = {u"tiles"_s},
         .valueName = u"language"_s,
         .help = u"Play by an edition of the crossword tile game: English (en, whose values are "
                 "the default), French (fr), German (de), Spanish (es), Italian (it), Dutch (nl), "
                 "Polish (pl) or Catalan (ca): its letters, its tiles of two letters, their values "
                 "and its bag."_s,
         .choices = TileSetChoices.names(),
         .readFirst = true,
         .read =
             [](const QStringList& values, Options& options) {
                 TileSet edition = TileSet::English;
                 const QString failed =
                     ReadChoice(u"--tiles"_s, Last(values), TileSetChoices, edition);
                 options.edition = edition;
                 options.keys = LetterKeys(edition, options.foldAccents);
                 return failed;
             }},
        {.names = {u"tile-values"_s},
         .valueName = u"file"_s,
         .help = u"Tile values for --sort score and JSON, from lines \"letter value\"; they "
                 "override --tiles."_s,
         .takesFile = true,
         .inputPath = [](const Options& o) { return o.tileValuesPath; },
         .inputName = u"the tile-values file"_s,
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadFileName(u"--tile-values"_s, Last(values), options.tileValuesPath);
             }},
        {.names = {u"fold-accents"_s},
         .help = u"Letters compare without their accents: é counts as e (with --tiles, only the "
                 "letters the edition has no tile for)."_s,
         .readFirst = true,
         .read =
             [](const QStringList&, Options& options) {
                 options.foldAccents = true;
                 options.keys =
                     options.edition ? LetterKeys(*options.edition, true) : LetterKeys(true);
                 return QString();
             }},
    };
}

// How the words found are shown, and for which seeds.
std::vector<OptionDefinition> OutputOptions() {
    using enum OptionScope;
    return {
        {.names = {u"format"_s},
         .valueName = u"format"_s,
         .help = u"plain (a word a line, the default) or json (an object a line)."_s,
         .choices = FormatChoices.names(),
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadChoice(u"--format"_s, Last(values), FormatChoices, options.format);
             }},
        {.names = {u"hooks"_s},
         .help = u"With each word, the letters that make another word of the list when put "
                 "before it or after it."_s,
         .scope = SingleWords,
         .read =
             [](const QStringList&, Options& options) {
                 options.hooks = true;
                 return QString();
             }},
        {.names = {u"seeds"_s},
         .valueName = u"file"_s,
         .help = u"Many seeds, one a line; - reads them from standard input."_s,
         .scope = SingleWords,
         .takesFile = true,
         .inputPath = [](const Options& o) { return o.seedsPath; },
         .inputName = u"the seeds file"_s,
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadFileName(u"--seeds"_s, Last(values), options.seedsPath);
             }},
    };
}

// The anagrams of a phrase.
std::vector<OptionDefinition> PhraseOptions() {
    using enum OptionScope;
    return {
        {.names = {u"w"_s, u"words"_s},
         .valueName = u"N"_s,
         .help = u"Anagrams of the whole seed made of 1 to N words; blanks in the seed only "
                 "separate its words."_s,
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadNumber(u"--words"_s, Last(values), 1, options.phrase.maxWords);
             }},
        {.names = {u"distinct"_s},
         .help = u"With --words: no word twice in one anagram."_s,
         .scope = PhraseWords,
         .read =
             [](const QStringList&, Options& options) {
                 options.phrase.distinct = true;
                 return QString();
             }},
        {.names = {u"include"_s},
         .valueName = u"WORD"_s,
         .help = u"With --words: only anagrams that contain WORD, or each word of a phrase."_s,
         .scope = PhraseWords,
         .read =
             [](const QStringList& values, Options& options) {
                 // A phrase, its words separated by blanks.
                 options.phrase.included = Last(values).split(u' ', Qt::SkipEmptyParts);
                 return options.phrase.included.isEmpty() ? u"--include needs a word"_s : QString();
             }},
        {.names = {u"exclude"_s},
         .valueName = u"WORD"_s,
         .help = u"With --words: no anagram holds WORD; give it once for each word."_s,
         .scope = PhraseWords,
         .read =
             [](const QStringList& values, Options& options) {
                 for (const QString& word : values) {
                     if (word.isEmpty())
                         return u"--exclude needs a word"_s;
                     if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.isSpace(); }))
                         return u"--exclude takes one word, not '"_s + word + u'\'';
                 }
                 options.phrase.excluded = values;
                 return QString();
             }},
        {.names = {u"min-words"_s},
         .valueName = u"K"_s,
         .help = u"With --words: only anagrams of at least K words."_s,
         .scope = PhraseWords,
         .read =
             [](const QStringList& values, Options& options) {
                 return ReadNumber(u"--min-words"_s, Last(values), 1, options.phrase.minimumWords);
             }},
    };
}

// For every search.
std::vector<OptionDefinition> OtherOptions() {
    return {
        {.names = {u"no-proper-nouns"_s},
         .help = u"Leaves out every word of the list that begins with a capital letter."_s,
         .read =
             [](const QStringList&, Options& options) {
                 options.query.noProperNouns = true;
                 return QString();
             }},
        {.names = {u"not-in"_s},
         .valueName = u"file"_s,
         .help = u"Leaves out every word that the list in file holds, compared as the search "
                 "compares words: what a new edition of a lexicon adds to the old."_s,
         .takesFile = true,
         .inputPath =
             [](const Options& o) { return o.query.notIn ? o.query.notIn->path() : QString(); },
         .inputName = u"the list of --not-in"_s,
         .read =
             [](const QStringList& values, Options& options) {
                 QString path;
                 if (QString failed = ReadFileName(u"--not-in"_s, Last(values), path);
                     !failed.isEmpty())
                     return failed;
                 options.query.notIn = std::make_shared<ExcludedWords>(path);
                 return QString();
             }},
        {.names = {u"q"_s, u"quiet"_s},
         .help = u"No report and no progress on standard error; errors still go there."_s,
         .showsOnly = true,
         .read =
             [](const QStringList&, Options& options) {
                 options.quiet = true;
                 return QString();
             }},
    };
}

// In the order --help lists them.
std::vector<OptionDefinition> MakeOptionTable() {
    std::vector<OptionDefinition> table;
    for (auto part : {WindowOptions(), SearchOptions(), ScoreOptions(), OutputOptions(),
                      PhraseOptions(), OtherOptions()})
        table.insert(table.end(), std::make_move_iterator(part.begin()),
                     std::make_move_iterator(part.end()));
    return table;
}

} // namespace

const std::vector<OptionDefinition>& OptionTable() {
    static const std::vector<OptionDefinition> table = MakeOptionTable();
    return table;
}

} // namespace Vorlaine
