#pragma once

// Reporting an anagram found as entries: both searches spread each entry back
// into its words the same way.

#include "search/anagrams/AnagramSolver.h"

#include <cstddef>
#include <span>

namespace Vorlaine {
namespace Anagram {

// Reports every anagram of the entries path[0 .. words), entries of one
// search order: each run of one entry becomes every combination of its words.
// `tick(units)` counts the work and says whether to go on. False when the
// search was stopped.
template <typename Tick>
bool ReportAnagrams(Run& shared, const int* path, int words, const EntryWords& entries,
                    bool distinct, Tick&& tick) {
    ++shared.anagrams;
    const auto n = static_cast<std::size_t>(words);
    int* const indices = shared.indices.data();
    int* const ranks = shared.ranks.data();
    int* const choice = shared.choice.data();
    int* const runEnd = shared.runEnd.data();
    bool single = true;
    for (std::size_t i = n; i-- > 0;) {
        runEnd[i] = i + 1 < n && path[i + 1] == path[i] ? runEnd[i + 1] : static_cast<int>(i) + 1;
        single = single && entries.count[path[i]] == 1;
    }
    for (std::size_t i = 0; i < n; ++i)
        choice[i] = distinct && i > 0 && path[i] == path[i - 1] ? choice[i - 1] + 1 : 0;

    const std::size_t last = n - 1;
    const int lastStart = entries.start[path[last]];
    const int lastCount = entries.count[path[last]];
    for (;;) {
        // Insertion by rank; anagrams are a few words long.
        std::size_t at = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const int w = entries.start[path[i]] + choice[i];
            const int rank = entries.ranks[w];
            for (at = i; at > 0 && ranks[at - 1] > rank; --at) {
                ranks[at] = ranks[at - 1];
                indices[at] = indices[at - 1];
            }
            ranks[at] = rank;
            indices[at] = entries.words[w];
        }
        if (!shared.found(std::span<const int>(indices, n))) {
            shared.stopped = true;
            return false;
        }
        if (single)
            return true;
        // The last slot moves on most often. Its next word ranks later than
        // the one before, so it can only move towards the end.
        while (choice[last] + 1 < lastCount) {
            const int w = lastStart + ++choice[last];
            const int rank = entries.ranks[w];
            for (; at + 1 < n && ranks[at + 1] < rank; ++at) {
                ranks[at] = ranks[at + 1];
                indices[at] = indices[at + 1];
            }
            ranks[at] = rank;
            indices[at] = entries.words[w];
            if (!tick(16))
                return false;
            if (!shared.found(std::span<const int>(indices, n))) {
                shared.stopped = true;
                return false;
            }
        }
        if (!tick(16))
            return false;
        // Otherwise the last slot before it that can still move moves on, and
        // the slots after that one start over.
        std::size_t i = last;
        for (; i-- > 0;) {
            const int available = entries.count[path[i]];
            const int later = runEnd[i] - static_cast<int>(i) - 1;
            if (choice[i] < (distinct ? available - 1 - later : available - 1))
                break;
        }
        if (i == static_cast<std::size_t>(-1))
            return true;
        ++choice[i];
        for (std::size_t j = i + 1; j < n; ++j)
            choice[j] = path[j] == path[j - 1] ? choice[j - 1] + (distinct ? 1 : 0) : 0;
    }
}

} // namespace Anagram
} // namespace Vorlaine
