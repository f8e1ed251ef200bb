#include "cli/AnagramsCommand.h"

#include "cli/ListInput.h"
#include "cli/ResultPrinter.h"
#include "cli/SearchContext.h"
#include "cli/StopSignals.h"
#include "search/AnagramVocabulary.h"
#include "search/LetterKey.h"
#include "search/MakeWordsRun.h"
#include "search/NumberText.h"
#include "search/PhraseAnagrams.h"
#include "search/RunMessages.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {} // namespace

int RunAnagramsCommand(const Options& options) {
    SearchContext context(options);
    AnagramVocabulary::Rules rules;
    rules.foldAccents = options.foldAccents;
    rules.distinct = options.distinct;
    rules.maxWords = options.words;
    rules.blanks = static_cast<int>(options.blanks);
    rules.minimumLength = NumericValue(options.settings.text(Field::MinimumLength));
    rules.maximumLength = options.maximumLength;
    rules.included = options.include.split(u' ', Qt::SkipEmptyParts);
    rules.excluded = options.excluded;
    rules.minimumWords = options.minimumWords;
    rules.noProperNouns = options.noProperNouns;
    AnagramVocabulary vocabulary(options.settings.text(Field::Seed), rules);
    if (rules.minimumLength > static_cast<double>(vocabulary.phraseLength() + options.blanks))
        return ReportError(RunMessage::MinimumTooLong());
    if (!vocabulary.holdsIncluded())
        return ReportError(options.settings.text(Field::Seed) + u" lacks letters of "_s +
                           options.include + u": no anagram of it can hold "_s +
                           (rules.included.size() > 1 ? u"those words."_s : u"that word."_s));

    if (const std::optional<int> failed = context.start())
        return *failed;
    QString error;
    ListInput list(options.settings.text(Field::WordList));
    if (!list.open(ListInput::Use::SearchedOnce, error))
        return ReportError(error);
    WordSearch words(context.tiles(), options.foldAccents);
    const WordSearch::Result read = list.search(
        words, vocabulary.query(),
        [&](const WordMatch& match) {
            vocabulary.offer(match.word);
            return true;
        },
        [](double) { return !StopSignals::requested(); });
    if (list.hasError())
        return ReportError(list.errorString());
    vocabulary.rank();

    // The search, ready before the output file is created: a phrase it cannot
    // take creates nothing.
    const bool wholePhrase = vocabulary.includedAreWholePhrase();
    const int includedCount = static_cast<int>(rules.included.size());
    std::optional<PhraseAnagrams> anagrams;
    if (!wholePhrase) {
        anagrams.emplace(vocabulary.takeSearch());
        if (!anagrams->problem().isEmpty())
            return ReportError(anagrams->problem());
    }
    if (const std::optional<int> failed = context.openOutput())
        return *failed;

    TerminalProgress& progress = context.progress();
    ResultLines& lines = context.lines();
    ResultPrinter printer(options, lines);
    printer.setAnagramWords(vocabulary);
    qint64 listed = 0;
    const qint64 limit = options.limit.value_or(-1);
    const auto print = [&](std::span<const int> indices) {
        return printer.printAnagram(indices) && ++listed != limit && !StopSignals::requested();
    };
    const auto showProgress = [&](double share) {
        if (progress.due())
            progress.draw(PercentText(share) + u"  "_s + QString::number(listed) + u" anagrams"_s);
        return !StopSignals::requested() && lines.flushIfOld();
    };

    // The included words alone can be the whole phrase: one anagram, when
    // there are words enough and not too many. Otherwise the rest needs at
    // least one word more.
    if (read.outcome == WordSearch::Outcome::Done && limit != 0) {
        if (!wholePhrase && vocabulary.searchedWords() >= 1)
            anagrams->search(print, showProgress);
        else if (wholePhrase && options.minimumWords <= includedCount &&
                 includedCount <= options.words)
            print({});
    }
    SearchEnd end;
    if (StopSignals::requested())
        end.kind = SearchEnd::Kind::Stopped;
    return context.finish(end, u"anagrams"_s);
}

} // namespace Vorlaine
