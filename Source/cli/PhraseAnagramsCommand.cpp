#include "cli/PhraseAnagramsCommand.h"

#include "cli/Console.h"
#include "cli/ListInput.h"
#include "cli/ResultPrinter.h"
#include "cli/SearchContext.h"
#include "search/anagrams/AnagramVocabulary.h"
#include "search/anagrams/PhraseAnagrams.h"
#include "search/run/RunMessages.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

// One run of the phrase anagram search: the checks, the words of the list
// that take part, the search ready before the output file is created, then
// the anagrams, and how it all ended.
class PhraseAnagramsCommand::Run {
public:
    Run(const Options& options, Console& console)
        : options_(options), context_(options, console),
          vocabulary_(options.query.seed, options.query, options.phrase, options.keys),
          printer_(MakeResultPrinter(options.format, context_.lines(), false)) {}

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
        if (Console::stopRequested())
            end.kind = SearchEnd::Kind::Stopped;
        return context_.finish(end, u"anagrams"_s);
    }

private:
    Console& console() { return context_.console(); }

    std::optional<int> check() {
        const PhraseRules& rules = options_.phrase;
        const double letters =
            static_cast<double>(vocabulary_.phraseLength() + options_.query.blanks);
        if (options_.query.minimumLength > letters)
            return console().error(RunMessage::MinimumTooLong());
        if (!vocabulary_.holdsIncluded())
            return console().error(
                options_.query.seed + u" lacks letters of "_s + rules.included.join(u' ') +
                u": no anagram of it can hold "_s +
                (rules.included.size() > 1 ? u"those words."_s : u"that word."_s));
        return std::nullopt;
    }

    // The list's words that can take part, ranked.
    std::optional<int> readVocabulary() {
        if (const std::optional<int> failed = context_.start())
            return failed;
        QString error;
        ListInput list(options_.settings.text(Field::WordList));
        if (!list.open(ListInput::Use::SearchedOnce, error))
            return console().error(error);
        WordSearch words(context_.tiles(), options_.keys);
        const WordSearch::Result read = list.search(
            words, vocabulary_.query(),
            [&](const WordMatch& match) {
                vocabulary_.offer(match.word);
                return true;
            },
            [](double) { return !Console::stopRequested(); });
        listRead_ = read.outcome == WordSearch::Outcome::Done;
        if (list.hasError())
            return console().error(list.errorString());
        if (read.outcome == WordSearch::Outcome::Failed)
            return console().error(read.failure);
        if (list.firstLineNotUtf8() > 0)
            console().notice(RunMessage::ReadAsWindows1252(options_.settings.text(Field::WordList),
                                                           list.firstLineNotUtf8()));
        vocabulary_.rank();
        printer_->setAnagramWords(vocabulary_, vocabulary_.phraseScore(context_.tiles()));
        return std::nullopt;
    }

    // A phrase the search cannot take creates nothing.
    std::optional<int> prepareSearch() {
        if (vocabulary_.includedAreWholePhrase())
            return std::nullopt;
        anagrams_.emplace(vocabulary_.takeSearch());
        if (!anagrams_->problem().isEmpty())
            return console().error(anagrams_->problem());
        return std::nullopt;
    }

    void printAnagrams() {
        const qint64 limit = options_.limit.value_or(-1);
        if (!listRead_ || limit == 0)
            return;
        qint64 listed = 0;
        const auto print = [&](std::span<const int> indices) {
            return printer_->printAnagram(indices) && ++listed != limit &&
                   !Console::stopRequested();
        };
        const auto showProgress = [&](double share) {
            if (console().progressDue())
                console().drawProgress(PercentText(share) + u"  "_s + QString::number(listed) +
                                       u" anagrams"_s);
            return !Console::stopRequested() && context_.lines().flushIfOld();
        };
        // The included words alone can be the whole phrase: one anagram, when
        // there are words enough and not too many. Otherwise the rest needs at
        // least one word more.
        const PhraseRules& rules = options_.phrase;
        const auto included = static_cast<int>(rules.included.size());
        if (anagrams_ && vocabulary_.searchedWords() >= 1)
            anagrams_->search(print, showProgress);
        else if (!anagrams_ && rules.minimumWords <= included && included <= rules.maxWords)
            print({});
    }

    const Options& options_;
    SearchContext context_;
    AnagramVocabulary vocabulary_;
    const std::unique_ptr<ResultPrinter> printer_;
    bool listRead_ = false; // to its end, not stopped
    std::optional<PhraseAnagrams> anagrams_;
};

int PhraseAnagramsCommand::run(Console& console) {
    return Run(options_, console).run();
}

} // namespace Vorlaine
