#include "search/anagrams/AnagramSolver.h"

#include <algorithm>
#include <bit>

// The solver's setup for one target: its lanes, entries, columns and tables.

namespace Vorlaine {
namespace Anagram {

template <typename Count>
Solver<Count>::Solver(const AnagramEntries& prepared, const std::vector<int>& target,
                      const std::vector<int>& entries)
    : maxWords_(prepared.maxWords), distinct_(prepared.distinct) {
    const std::vector<int> letters = laneLetters(prepared, target, entries);
    if (!possible_)
        return;
    lanes_ = static_cast<int>(letters.size());
    std::vector<int> laneOf(static_cast<std::size_t>(prepared.letters), -1);
    for (int lane = 0; lane < lanes_; ++lane)
        At(laneOf, At(letters, lane)) = lane;
    blocks_ = (lanes_ + B::Lanes - 1) / B::Lanes;

    // A remainder's hash is the sum of its letters' hashes, so that taking an
    // entry away takes its hash away.
    std::uint64_t seed = 0x5EED;
    std::vector<std::uint64_t> laneHash(static_cast<std::size_t>(lanes_));
    for (auto& h : laneHash)
        h = SplitMix(seed);

    placeEntries(prepared, entries, laneOf, laneHash);
    placeColumns();
    placeTable();
    setTarget(target, letters, laneHash);
    sizeSearch();
    entryWords_ = {wordStart_.data(), wordCount_.data(), words_.data(), wordRank_.data()};
}

// Lanes: the target's letters, those in fewer entries first. Clears
// possible_ when the target is empty or has a letter that no entry covers.
template <typename Count>
std::vector<int> Solver<Count>::laneLetters(const AnagramEntries& prepared,
                                            const std::vector<int>& target,
                                            const std::vector<int>& entries) {
    std::vector<int> containing(static_cast<std::size_t>(prepared.letters), 0);
    for (const int entry : entries)
        for (const LetterCount& letter : LettersOf(prepared, entry))
            ++At(containing, letter.letter);
    std::vector<int> letters;
    for (int letter = 0; letter < prepared.letters; ++letter) {
        if (At(target, letter) == 0)
            continue;
        if (At(containing, letter) == 0)
            possible_ = false; // no entry can cover it
        letters.push_back(letter);
        targetTotal_ += At(target, letter);
    }
    if (!possible_ || targetTotal_ == 0) {
        possible_ = false;
        return letters;
    }
    std::stable_sort(letters.begin(), letters.end(),
                     [&](int a, int b) { return At(containing, a) < At(containing, b); });
    return letters;
}

// The entries in search order: by first lane, longest first, then as
// prepared; with their counts, hashes and words, and where each group starts.
template <typename Count>
void Solver<Count>::placeEntries(const AnagramEntries& prepared, const std::vector<int>& entries,
                                 const std::vector<int>& laneOf,
                                 const std::vector<std::uint64_t>& laneHash) {
    const auto laneBlocks = static_cast<std::size_t>(blocks_);
    struct Key {
        int firstLane;
        int length;
        int entry;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (const int entry : entries) {
        int first = lanes_;
        for (const LetterCount& letter : LettersOf(prepared, entry))
            first = std::min(first, At(laneOf, letter.letter));
        keys.push_back({first, At(prepared.length, entry), entry});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.firstLane != b.firstLane)
            return a.firstLane < b.firstLane;
        if (a.length != b.length)
            return a.length > b.length;
        return a.entry < b.entry;
    });

    const int count = static_cast<int>(keys.size());
    entryCounts_.assign(keys.size() * laneBlocks, B{});
    length_.resize(keys.size());
    hash_.resize(keys.size());
    wordStart_.resize(keys.size());
    wordCount_.resize(keys.size());
    groupBegin_.assign(static_cast<std::size_t>(lanes_) + 1, 0);
    longestFrom_.assign(static_cast<std::size_t>(lanes_) + 1, 0);
    for (int i = 0; i < count; ++i) {
        const Key& key = At(keys, i);
        B* vector = &entryCounts_[static_cast<std::size_t>(i) * laneBlocks];
        std::uint64_t hash = 0;
        for (const LetterCount& letter : LettersOf(prepared, key.entry)) {
            const int lane = At(laneOf, letter.letter);
            vector[lane / B::Lanes].lane[lane % B::Lanes] = static_cast<Count>(letter.count);
            hash += static_cast<std::uint64_t>(letter.count) * At(laneHash, lane);
        }
        At(length_, i) = key.length;
        At(hash_, i) = hash;
        At(wordStart_, i) = static_cast<int>(words_.size());
        for (int w = At(prepared.wordBegin, key.entry); w < At(prepared.wordBegin, key.entry + 1);
             ++w) {
            const int word = At(prepared.entryWords, w);
            words_.push_back(word);
            wordRank_.push_back(At(prepared.rank, word));
        }
        At(wordCount_, i) = static_cast<int>(words_.size()) - At(wordStart_, i);
        ++At(groupBegin_, key.firstLane + 1);
        At(longestFrom_, key.firstLane) = std::max(At(longestFrom_, key.firstLane), key.length);
    }
    for (int lane = 0; lane < lanes_; ++lane)
        At(groupBegin_, lane + 1) += At(groupBegin_, lane);
    for (int lane = lanes_ - 1; lane >= 0; --lane)
        At(longestFrom_, lane) = std::max(At(longestFrom_, lane), At(longestFrom_, lane + 1));
}

// Each group's entries as column blocks of its lane and the later ones:
// the earlier lanes are zero in both the entries and any remainder that
// the group serves.
template <typename Count> void Solver<Count>::placeColumns() {
    groupColumns_.assign(static_cast<std::size_t>(lanes_), 0);
    std::size_t columnCount = 0;
    for (int lane = 0; lane < lanes_; ++lane) {
        At(groupColumns_, lane) = columnCount;
        const int size = At(groupBegin_, lane + 1) - At(groupBegin_, lane);
        columnCount += static_cast<std::size_t>((size + PerBlock - 1) / PerBlock) *
                       static_cast<std::size_t>(lanes_ - lane);
    }
    columns_.assign(columnCount, B{});
    for (int lane = 0; lane < lanes_; ++lane) {
        const int columnsPerBlock = lanes_ - lane;
        for (int entry = At(groupBegin_, lane); entry < At(groupBegin_, lane + 1); ++entry) {
            const int offset = entry - At(groupBegin_, lane);
            B* block = &columns_[At(groupColumns_, lane) +
                                 static_cast<std::size_t>(offset / PerBlock * columnsPerBlock)];
            for (int c = 0; c < columnsPerBlock; ++c)
                block[c].lane[offset % PerBlock] = LaneOf(counts(entry), lane + c);
        }
    }
}

// Entries by their letters, for the last word of an anagram.
template <typename Count> void Solver<Count>::placeTable() {
    tableBits_ = 4;
    while ((std::size_t{1} << tableBits_) < 2 * length_.size())
        ++tableBits_;
    table_.assign(std::size_t{1} << tableBits_, Slot{0, -1});
    const std::size_t mask = table_.size() - 1;
    const int count = static_cast<int>(length_.size());
    for (int i = 0; i < count; ++i) {
        std::size_t slot = SlotOf(At(hash_, i), tableBits_);
        while (table_[slot].entry >= 0)
            slot = (slot + 1) & mask;
        table_[slot] = Slot{static_cast<std::uint32_t>(At(hash_, i) >> 32), i};
    }
}

template <typename Count>
void Solver<Count>::setTarget(const std::vector<int>& target, const std::vector<int>& letters,
                              const std::vector<std::uint64_t>& laneHash) {
    target_.assign(static_cast<std::size_t>(blocks_), B{});
    for (int lane = 0; lane < lanes_; ++lane) {
        const int letterCount = At(target, At(letters, lane));
        target_[static_cast<std::size_t>(lane / B::Lanes)].lane[lane % B::Lanes] =
            static_cast<Count>(letterCount);
        targetHash_ += static_cast<std::uint64_t>(letterCount) * At(laneHash, lane);
    }
}

// The stacks of the search, and the bound of the dead ends.
template <typename Count> void Solver<Count>::sizeSearch() {
    const auto laneBlocks = static_cast<std::size_t>(blocks_);
    maxWords_ = std::min(maxWords_, targetTotal_);
    const auto depths = static_cast<std::size_t>(maxWords_) + 1;
    frames_.resize(depths);
    remainders_.assign(depths * laneBlocks, B{});
    wanted_.assign(depths * static_cast<std::size_t>(lanes_), B{});
    path_.assign(depths, 0);
    uses_.assign(depths, 0);

    // At most some 16 MB of dead ends.
    const std::size_t slotBytes = sizeof(DeadEnd) + laneBlocks * sizeof(B);
    mostDeadBits_ = 10;
    while (mostDeadBits_ < 20 && (std::size_t{2} << mostDeadBits_) * slotBytes <= (16u << 20))
        ++mostDeadBits_;
}

template Solver<quint8>::Solver(const AnagramEntries&, const std::vector<int>&,
                                const std::vector<int>&);
template Solver<quint16>::Solver(const AnagramEntries&, const std::vector<int>&,
                                 const std::vector<int>&);

} // namespace Anagram
} // namespace Vorlaine
