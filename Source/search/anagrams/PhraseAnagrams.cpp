#include "search/anagrams/PhraseAnagrams.h"

#include "search/anagrams/AnagramEntries.h"
#include "search/anagrams/AnagramSolver.h"
#include "search/anagrams/AnagramWordsFirst.h"

#include <algorithm>
#include <cstdint>

namespace Vorlaine {

using Anagram::At;

PhraseAnagrams::PhraseAnagrams(QStringView phraseKey, std::vector<AnagramWord> words,
                               const AnagramOptions& options)
    : prepared_(Anagram::Prepare(phraseKey, words, options)) {}

PhraseAnagrams::~PhraseAnagrams() = default;
PhraseAnagrams::PhraseAnagrams(PhraseAnagrams&&) noexcept = default;
PhraseAnagrams& PhraseAnagrams::operator=(PhraseAnagrams&&) noexcept = default;

QString PhraseAnagrams::problem() const {
    return prepared_->problem;
}

bool PhraseAnagrams::search(const Found& found, const Progress& progress) const {
    const AnagramEntries& p = *prepared_;
    if (!p.problem.isEmpty())
        return false;
    if (p.entries() == 0)
        return true;
    // Shorter anagrams are found as ever, and passed over here.
    const int least = minimumWords_;
    const Found atLeast = [&found, least](std::span<const int> words) {
        return static_cast<int>(words.size()) < least || found(words);
    };
    Anagram::Run run(p, least > 1 ? atLeast : found, progress);
    run.nextProgress = Anagram::ProgressInterval;
    // Never more words than letters.
    const auto longest = static_cast<std::size_t>(std::min(p.maxWords, p.totalLength)) + 1;
    for (auto* buffer : {&run.indices, &run.ranks, &run.choice, &run.runEnd})
        buffer->assign(longest, 0);
    // Counts of more than 255 need two bytes a letter.
    int most = 0;
    for (const int count : p.phraseCount)
        most = std::max(most, count);
    const bool wide = most + p.blanks > 0xFF;

    if (p.blanks == 0) {
        std::vector<int> all(static_cast<std::size_t>(p.entries()));
        for (int e = 0; e < p.entries(); ++e)
            At(all, e) = e;
        return Anagram::SearchTarget(run, wide, p.phraseCount, all);
    }

    // Each multiset of `blanks` letters that the blanks can stand for, as
    // non-decreasing indices into extraLetters, has anagrams of its own.
    const int kinds = static_cast<int>(p.extraLetters.size());
    double targets = 1;
    for (int i = 1; i <= p.blanks; ++i)
        targets = targets * (kinds - 1 + i) / i;
    if (blankSearch_ == BlankSearch::Automatic ? Anagram::PreferWordsFirst(p, targets)
                                               : blankSearch_ == BlankSearch::WordsFirst)
        return Anagram::SearchWordsFirst(run);
    run.targetWidth = 1 / targets;
    std::vector<int> pick(static_cast<std::size_t>(p.blanks), 0);
    std::vector<int> extras(pick.size());
    std::vector<int> target;
    for (double done = 0;; ++done) {
        run.targetBase = done / targets;
        target = p.phraseCount;
        for (std::size_t i = 0; i < pick.size(); ++i) {
            extras[i] = At(p.extraLetters, pick[i]);
            ++At(target, extras[i]);
        }
        const std::vector<int> entries = Anagram::EntriesFor(p, extras, run.work);
        if (!Anagram::SearchTarget(run, wide, target, entries))
            return false;
        // Setting up each target is work too, when there are many.
        if (!run.tick(static_cast<int>(entries.size()), [&] { return (done + 1) / targets; }))
            return false;
        std::size_t i = pick.size();
        while (i > 0 && pick[i - 1] == kinds - 1)
            --i;
        if (i == 0)
            return true;
        const int next = pick[i - 1] + 1;
        for (std::size_t j = i - 1; j < pick.size(); ++j)
            pick[j] = next;
    }
}

} // namespace Vorlaine
