#pragma once

// The exact search of the phrase anagrams for one multiset of letters.

#include "search/AnagramEntries.h"
#include "search/PhraseAnagrams.h"

#include <cstdint>
#include <vector>

namespace Vorlaine {
namespace Anagram {

// What the searches of one call share: the callbacks, the work done and the
// share reported so far.
struct Run {
    Run(const AnagramEntries& entries, const PhraseAnagrams::Found& foundCall,
        const PhraseAnagrams::Progress& progressCall)
        : prepared(entries), found(foundCall), progress(progressCall) {}

    const AnagramEntries& prepared;
    const PhraseAnagrams::Found& found;
    const PhraseAnagrams::Progress& progress;

    // The current target's place among all, for the share done.
    double targetBase = 0;
    double targetWidth = 1;
    double lastShare = 0;

    std::int64_t work = 0;
    std::int64_t nextProgress = 0;
    std::int64_t anagrams = 0; // combinations of entries reported, for the dead ends
    bool stopped = false;

    // The anagram being reported, by slot.
    std::vector<int> indices;
    std::vector<int> ranks;
    std::vector<int> choice; // word of the slot's entry
    std::vector<int> runEnd; // end of the slot's run of one entry
};

// Work units between two progress calls: a unit is one candidate tested, a
// nanosecond or less, or a sixteenth of an anagram reported.
constexpr std::int64_t ProgressInterval = 1 << 18;

// Reports the anagrams of `target` (a count per letter) made of `entries`
// (ascending), counts of one byte a letter unless `wide`. False when the
// search was stopped.
bool SearchTarget(Run& shared, bool wide, const std::vector<int>& target,
                  const std::vector<int>& entries);

} // namespace Anagram
} // namespace Vorlaine
