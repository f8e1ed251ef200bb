#include "cli/AnagramsCommand.h"

#include "cli/ListInput.h"
#include "cli/SearchContext.h"
#include "cli/StopSignals.h"
#include "search/LetterFit.h"
#include "search/LetterKey.h"
#include "search/MakeWordsRun.h"
#include "search/NumberText.h"
#include "search/PhraseAnagrams.h"
#include "search/RunMessages.h"

#include <QSet>
#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// The words of the list that fit the phrase, with what printing needs.
struct Vocabulary {
    std::vector<QString> words;
    std::vector<QByteArray> printed; // as plain text or as a JSON string
    std::vector<AnagramWord> keyed;  // for the search

    // Longest first, then alphabetical (the words lower-cased, in code-unit
    // order), then as the list has them.
    void rank() {
        std::vector<int> order(words.size());
        std::iota(order.begin(), order.end(), 0);
        std::vector<QString> lower;
        lower.reserve(words.size());
        for (const QString& word : words)
            lower.push_back(LetterKey(word, false));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const auto i = static_cast<std::size_t>(a);
            const auto j = static_cast<std::size_t>(b);
            if (words[i].size() != words[j].size())
                return words[i].size() > words[j].size();
            return QStringView(lower[i]).compare(lower[j], Qt::CaseSensitive) < 0;
        });
        for (std::size_t place = 0; place < order.size(); ++place)
            keyed[static_cast<std::size_t>(order[place])].rank = static_cast<int>(place);
    }
};

// Whether `word` comes before `other` inside an anagram. The same word ties,
// and the word given first goes first.
bool PrintedBefore(const QString& word, const QString& other, bool foldAccents) {
    if (word.size() != other.size())
        return word.size() > other.size();
    return SameWord(word, other, foldAccents) ||
           QStringView(LetterKey(word, false)).compare(LetterKey(other, false), Qt::CaseSensitive) <
               0;
}

QByteArray Printed(const QString& word, OutputFormat format) {
    if (format == OutputFormat::Plain)
        return word.toUtf8();
    QByteArray json;
    AppendJsonString(json, word);
    return json;
}

// The phrase's letters without those of `word`; nothing when the phrase
// lacks some of them.
std::optional<QString> Without(const QString& phrase, const QString& word) {
    QString rest = phrase;
    for (const QChar letter : word) {
        const qsizetype at = rest.indexOf(letter);
        if (at < 0)
            return std::nullopt;
        rest.remove(at, 1);
    }
    return rest;
}

} // namespace

int RunAnagramsCommand(const Options& options) {
    SearchContext context(options);
    QString phrase = options.settings.text(Field::Seed);
    phrase.removeIf([](QChar c) { return c == u' ' || c == u'\t'; });
    const QString phraseKey = LetterKey(phrase, options.foldAccents);
    const double minimumLength = NumericValue(options.settings.text(Field::MinimumLength));
    if (minimumLength > static_cast<double>(phraseKey.size() + options.blanks))
        return ReportError(RunMessage::MinimumTooLong());

    // A word the anagrams must hold is taken out of the phrase, and the rest
    // is searched for in one word fewer.
    QString searchedKey = phraseKey;
    const QString include = options.include;
    if (!include.isEmpty()) {
        const std::optional<QString> rest =
            Without(phraseKey, LetterKey(include, options.foldAccents));
        if (!rest)
            return ReportError(options.settings.text(Field::Seed) + u" lacks letters of "_s +
                               include + u": no anagram of it can hold that word."_s);
        searchedKey = *rest;
    }

    if (const std::optional<int> failed = context.start())
        return *failed;
    QString error;
    ListInput list(options.settings.text(Field::WordList));
    if (!list.open(ListInput::Use::SearchedOnce, error))
        return ReportError(error);

    // The words that fit what is left of the phrase, each word once, as the
    // list first spells it. With a word the anagrams must hold, the whole
    // phrase is searched, so that the list's spelling of that word is met too.
    const QString includeKey = LetterKey(include, options.foldAccents);
    QString includeSpelling = include;
    bool includeListed = false;
    const SeedLetters restLetters(searchedKey);
    QSet<QString> taken;
    Vocabulary vocabulary;
    WordQuery query;
    query.seed = include.isEmpty() ? searchedKey : phraseKey;
    query.blanks = options.blanks;
    query.minimumLength = include.isEmpty() ? minimumLength : 0;
    query.maximumLength = include.isEmpty() ? options.maximumLength : MaxWordLength;
    query.scores = false;
    WordSearch words(context.tiles(), options.foldAccents);
    TerminalProgress& progress = context.progress();
    const WordSearch::Outcome read = list.search(
        words, query,
        [&](const WordMatch& match) {
            QString key = LetterKey(match.word, options.foldAccents);
            if (!include.isEmpty()) {
                if (key == includeKey && !includeListed) {
                    includeSpelling = match.word;
                    includeListed = true;
                }
                const auto length = static_cast<double>(match.word.size());
                if (length < minimumLength || match.word.size() > options.maximumLength ||
                    restLetters.missing(key, options.blanks) > options.blanks ||
                    (options.distinct && key == includeKey))
                    return true;
            }
            if (taken.contains(key))
                return true;
            taken.insert(key);
            vocabulary.words.push_back(match.word);
            vocabulary.printed.push_back(Printed(match.word, options.format));
            vocabulary.keyed.push_back({std::move(key), 0});
            return true;
        },
        [](double) { return !StopSignals::requested(); });
    if (list.hasError())
        return ReportError(list.errorString());
    vocabulary.rank();

    // Where the included word goes among the words of an anagram.
    std::vector<bool> afterInclude(vocabulary.words.size());
    for (std::size_t i = 0; i < afterInclude.size(); ++i)
        afterInclude[i] = !include.isEmpty() &&
                          PrintedBefore(includeSpelling, vocabulary.words[i], options.foldAccents);
    const QByteArray includePrinted = Printed(includeSpelling, options.format);

    // The search, ready before the output file is created: a phrase it cannot
    // take creates nothing.
    const bool wholePhrase = !include.isEmpty() && searchedKey.isEmpty() && options.blanks == 0;
    std::optional<PhraseAnagrams> anagrams;
    if (!wholePhrase) {
        AnagramOptions searchOptions;
        searchOptions.maxWords = options.words - (include.isEmpty() ? 0 : 1);
        searchOptions.distinct = options.distinct;
        searchOptions.blanks = static_cast<int>(options.blanks);
        anagrams.emplace(searchedKey, std::move(vocabulary.keyed), searchOptions);
        if (!anagrams->problem().isEmpty())
            return ReportError(anagrams->problem());
    }
    if (const std::optional<int> failed = context.openOutput())
        return *failed;

    ResultLines& lines = context.lines();
    QByteArray line;
    qint64 listed = 0;
    const qint64 limit = options.limit.value_or(-1);
    const auto print = [&](std::span<const int> indices) {
        line.resize(0);
        const bool json = options.format == OutputFormat::Json;
        line.append(json ? "{\"words\":[" : "");
        bool included = include.isEmpty();
        bool first = true;
        const auto append = [&](const QByteArray& word) {
            if (!first)
                line.append(json ? ',' : ' ');
            line.append(word);
            first = false;
        };
        for (const int index : indices) {
            const auto i = static_cast<std::size_t>(index);
            if (!included && afterInclude[i]) {
                append(includePrinted);
                included = true;
            }
            append(vocabulary.printed[i]);
        }
        if (!included)
            append(includePrinted);
        if (json)
            line.append("]}");
        return lines.add(line) && ++listed != limit && !StopSignals::requested();
    };
    const auto showProgress = [&](double share) {
        if (progress.due())
            progress.draw(PercentText(share) + u"  "_s + QString::number(listed) + u" anagrams"_s);
        return !StopSignals::requested() && lines.flushIfOld();
    };

    if (read == WordSearch::Outcome::Done && limit != 0) {
        if (wholePhrase)
            print({}); // the included word is the whole phrase
        else
            anagrams->search(print, showProgress);
    }
    SearchEnd end;
    if (StopSignals::requested())
        end.kind = SearchEnd::Kind::Stopped;
    return context.finish(end, u"anagrams"_s);
}

} // namespace Vorlaine
