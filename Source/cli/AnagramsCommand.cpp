#include "cli/AnagramsCommand.h"

#include "cli/ListInput.h"
#include "cli/ResultPrinter.h"
#include "cli/SearchContext.h"
#include "cli/StopSignals.h"
#include "search/anagrams/AnagramVocabulary.h"
#include "search/anagrams/PhraseAnagrams.h"
#include "search/letters/LetterKey.h"
#include "search/run/MakeWordsRun.h"
#include "search/run/NumberText.h"
#include "search/run/RunMessages.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

AnagramVocabulary::Rules RulesOf(const Options& options) {
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
    return rules;
}

// One run of the phrase anagram search: the checks, the words of the list
// that take part, the search ready before the output file is created, then
// the anagrams, and how it all ended.
class AnagramsCommand {
public:
    explicit AnagramsCommand(const Options& options)
        : options_(options), context_(options), rules_(RulesOf(options)),
          vocabulary_(options.settings.text(Field::Seed), rules_),
          printer_(options, context_.lines()) {}

    int run() {
        if (const std::optional<int> failed = check())
            return *failed;
        if (const std::optional<int> failed = readVocabulary())
            return *failed;
        if (const std::optional<int> failed = prepareSearch())
            return *failed;
        if (const std::optional<int> failed = context_.openOutput())
            return *failed;
        printAnagrams();
        SearchEnd end;
        if (StopSignals::requested())
            end.kind = SearchEnd::Kind::Stopped;
        return context_.finish(end, u"anagrams"_s);
    }

private:
    std::optional<int> check() const {
        const double letters = static_cast<double>(vocabulary_.phraseLength() + options_.blanks);
        if (rules_.minimumLength > letters)
            return ReportError(RunMessage::MinimumTooLong());
        if (!vocabulary_.holdsIncluded())
            return ReportError(options_.settings.text(Field::Seed) + u" lacks letters of "_s +
                               options_.include + u": no anagram of it can hold "_s +
                               (rules_.included.size() > 1 ? u"those words."_s : u"that word."_s));
        return std::nullopt;
    }

    // The list's words that can take part, ranked.
    std::optional<int> readVocabulary() {
        if (const std::optional<int> failed = context_.start())
            return failed;
        QString error;
        ListInput list(options_.settings.text(Field::WordList));
        if (!list.open(ListInput::Use::SearchedOnce, error))
            return ReportError(error);
        WordSearch words(context_.tiles(), options_.foldAccents);
        listRead_ = list.search(
                            words, vocabulary_.query(),
                            [&](const WordMatch& match) {
                                vocabulary_.offer(match.word);
                                return true;
                            },
                            [](double) { return !StopSignals::requested(); })
                        .outcome == WordSearch::Outcome::Done;
        if (list.hasError())
            return ReportError(list.errorString());
        if (list.firstLineNotUtf8() > 0)
            context_.notice(RunMessage::ReadAsWindows1252(options_.settings.text(Field::WordList),
                                                          list.firstLineNotUtf8()));
        vocabulary_.rank();
        printer_.setAnagramWords(vocabulary_);
        return std::nullopt;
    }

    // A phrase the search cannot take creates nothing.
    std::optional<int> prepareSearch() {
        if (vocabulary_.includedAreWholePhrase())
            return std::nullopt;
        anagrams_.emplace(vocabulary_.takeSearch());
        if (!anagrams_->problem().isEmpty())
            return ReportError(anagrams_->problem());
        return std::nullopt;
    }

    void printAnagrams() {
        const qint64 limit = options_.limit.value_or(-1);
        if (!listRead_ || limit == 0)
            return;
        qint64 listed = 0;
        const auto print = [&](std::span<const int> indices) {
            return printer_.printAnagram(indices) && ++listed != limit && !StopSignals::requested();
        };
        const auto showProgress = [&](double share) {
            TerminalProgress& progress = context_.progress();
            if (progress.due())
                progress.draw(PercentText(share) + u"  "_s + QString::number(listed) +
                              u" anagrams"_s);
            return !StopSignals::requested() && context_.lines().flushIfOld();
        };
        // The included words alone can be the whole phrase: one anagram, when
        // there are words enough and not too many. Otherwise the rest needs at
        // least one word more.
        const auto included = static_cast<int>(rules_.included.size());
        if (anagrams_ && vocabulary_.searchedWords() >= 1)
            anagrams_->search(print, showProgress);
        else if (!anagrams_ && options_.minimumWords <= included && included <= options_.words)
            print({});
    }

    const Options& options_;
    SearchContext context_;
    const AnagramVocabulary::Rules rules_;
    AnagramVocabulary vocabulary_;
    ResultPrinter printer_;
    bool listRead_ = false; // to its end, not stopped
    std::optional<PhraseAnagrams> anagrams_;
};

} // namespace

int RunAnagramsCommand(const Options& options) {
    return AnagramsCommand(options).run();
}

} // namespace Vorlaine
