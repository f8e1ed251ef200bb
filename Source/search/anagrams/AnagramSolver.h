#pragma once

// The exact search of the phrase anagrams for one multiset of letters.

#include "search/anagrams/AnagramEntries.h"
#include "search/anagrams/AnagramLanes.h"
#include "search/anagrams/PhraseAnagrams.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace Vorlaine {
namespace Anagram {

// Work units between two progress calls: a unit is one candidate tested, a
// nanosecond or less, or a sixteenth of an anagram reported.
constexpr std::int64_t ProgressInterval = 1 << 18;

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

    // Counts the work; once an interval is done, tells the share done, which
    // `share()` works out only then. False when the search is to stop.
    template <typename Share> bool tick(int units, const Share& share) {
        work += units;
        return work < nextProgress || tellProgress(share());
    }
    bool tellProgress(double share) {
        nextProgress = work + ProgressInterval;
        if (!progress)
            return true;
        lastShare = std::clamp(share, lastShare, 1.0);
        if (!progress(lastShare)) {
            stopped = true;
            return false;
        }
        return true;
    }

    // The anagram being reported, by slot.
    std::vector<int> indices;
    std::vector<int> ranks;
    std::vector<int> choice; // word of the slot's entry
    std::vector<int> runEnd; // end of the slot's run of one entry
};

// The words of a search's entries: entry e has words[start[e] ..
// start[e] + count[e]), by rank, with their ranks alongside.
struct EntryWords {
    const int* start;
    const int* count;
    const int* words;
    const int* ranks;
};

inline std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline std::size_t SlotOf(std::uint64_t hash, int bits) {
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

// The entry's letters, as prepared.
inline std::span<const LetterCount> LettersOf(const AnagramEntries& prepared, int entry) {
    return std::span<const LetterCount>(prepared.entryLetters)
        .subspan(static_cast<std::size_t>(At(prepared.letterBegin, entry)),
                 static_cast<std::size_t>(At(prepared.letterBegin, entry + 1) -
                                          At(prepared.letterBegin, entry)));
}

// The exact search for one multiset of letters, over the entries that fit it.
//
// The target's letters get lanes by rarity among the entries, rarest first.
// A search node covers the first letter left, so its candidates are the
// entries whose first letter that is (a group), and entries taken from one
// group go in non-decreasing order: every multiset of entries is met once.
// Within a group entries go longest first, so that the lengths that can still
// complete the anagram form one range. Candidates are tested a column block at
// a time, the last word of an anagram is looked up by its letters, and nodes
// that found nothing are remembered, for other paths to the same remainder.
template <typename Count> class Solver {
public:
    Solver(const AnagramEntries& prepared, const std::vector<int>& target,
           const std::vector<int>& entries);
    // entryWords_ points into the solver's own vectors.
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // False when the search was stopped.
    bool solve(Run& shared);

private:
    using B = Block<Count>;
    static constexpr int PerBlock = B::Lanes;

    struct Frame {
        int lo, end;         // candidate entries
        int next;            // first entry of the next column block to test
        std::size_t column;  // its columns
        int columns;         // lanes from the group's on
        unsigned pending;    // fitting entries of the block tested last, not yet taken
        int pendingBase;     // entry of bit 0
        int start;           // least entry allowed
        int total;           // letters left
        std::uint64_t hash;  // of the letters left
        std::int64_t before; // anagrams reported before
    };

    // The constructor's steps.
    std::vector<int> laneLetters(const AnagramEntries& prepared, const std::vector<int>& target,
                                 const std::vector<int>& entries);
    void placeEntries(const AnagramEntries& prepared, const std::vector<int>& entries,
                      const std::vector<int>& laneOf, const std::vector<std::uint64_t>& laneHash);
    void placeColumns();
    void placeTable();
    void setTarget(const std::vector<int>& target, const std::vector<int>& letters,
                   const std::vector<std::uint64_t>& laneHash);
    void sizeSearch();

    const B* counts(int entry) const {
        return &entryCounts_[static_cast<std::size_t>(entry) * static_cast<std::size_t>(blocks_)];
    }
    B* remainder(int depth) {
        return &remainders_[static_cast<std::size_t>(depth) * static_cast<std::size_t>(blocks_)];
    }
    B* wanted(int depth) {
        return &wanted_[static_cast<std::size_t>(depth) * static_cast<std::size_t>(lanes_)];
    }
    int lookup(std::uint64_t hash, const B* letters) const;
    bool enter(int depth);
    bool knownDead(std::uint64_t hash, int wordsLeft, const B* rest, int start) const;
    void rememberDead(std::uint64_t hash, int wordsLeft, const B* rest, int start);
    void leave(const Run& shared, const Frame& f);
    bool tick(Run& shared, int units) {
        return shared.tick(units,
                           [&] { return shared.targetBase + shared.targetWidth * shareDone(); });
    }
    double shareDone() const;
    bool report(Run& shared, int words);

    int lanes_ = 0;
    int blocks_ = 1;
    bool possible_ = true;
    int maxWords_ = 1;
    bool distinct_ = false;

    // Entries in search order.
    std::vector<B> entryCounts_;
    std::vector<int> length_;
    std::vector<std::uint64_t> hash_;
    std::vector<int> wordStart_; // into words_ and wordRank_
    std::vector<int> wordCount_;
    std::vector<int> words_; // the entries' words, by rank
    std::vector<int> wordRank_;
    EntryWords entryWords_{};

    std::vector<int> groupBegin_;           // per lane, and one past the last
    std::vector<int> longestFrom_;          // longest entry of the lane's group or a later one
    std::vector<std::size_t> groupColumns_; // per lane: where its column blocks start
    std::vector<B> columns_;

    // Entries by their letters, for the last word of an anagram.
    struct Slot {
        std::uint32_t tag; // the hash's high half
        int entry;         // -1: empty
    };
    std::vector<Slot> table_;
    int tableBits_ = 0;

    // Remainders that had no completion with wordsLeft words from entry
    // `start` on. Grows to a bound, then starts over.
    struct DeadEnd {
        std::uint64_t hash;
        int wordsLeft; // 0: empty
        int start;
    };
    std::vector<DeadEnd> dead_;
    std::vector<B> deadCounts_;
    int deadBits_ = 0;
    int mostDeadBits_ = 0;
    std::size_t deadUsed_ = 0;

    std::vector<B> target_;
    std::uint64_t targetHash_ = 0;
    int targetTotal_ = 0;

    std::vector<Frame> frames_;
    std::vector<B> remainders_;
    std::vector<B> wanted_;
    std::vector<int> path_;
    std::vector<int> uses_; // how many times in a row path_[d] was taken, up to d
    int depth_ = 0;
};

// Reports the anagrams of `target` (a count per letter) made of `entries`
// (ascending), counts of one byte a letter unless `wide`. False when the
// search was stopped.
bool SearchTarget(Run& shared, bool wide, const std::vector<int>& target,
                  const std::vector<int>& entries);

} // namespace Anagram
} // namespace Vorlaine
