#pragma once

#include "search/query/WordSearch.h"

#include <QByteArrayView>
#include <QStringView>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace Vorlaine {

class LetterKeys;
class WordList;

// Steps of a long walk (a group, a subset, a word or a comparison) between
// two looks at whether to go on.
constexpr std::uint64_t ProgressSteps = 1 << 12;

// A word's letter set as 64 bits: one for each of a to z, and the other
// letters shared out over the rest. A word can use only letters the seed has
// when its bits are among the seed's.
std::uint64_t LetterSet(QStringView key);

// Counts the steps of a search through an index, and tells the progress
// every ProgressSteps of them; false once it asked to stop.
class IndexSteps {
public:
    explicit IndexSteps(const std::function<bool(double)>& progress) : progress_(progress) {}

    bool goOn(double share) {
        return !progress_ || ++steps_ % ProgressSteps != 0 || progress_(share);
    }

private:
    const std::function<bool(double)>& progress_;
    std::uint64_t steps_ = 0;
};

// A list's words grouped by the set of letters they use, so that a query
// looks only at the groups whose letters can make a word it lists.
class WordIndex {
public:
    // The list must outlive the index. A list of 4 GiB or more is left
    // without one.
    void build(const WordList& list, const LetterKeys& keys);
    bool covers(const WordList& list) const { return indexed_ == &list; }

    // The items of the groups whose letters can make a word that the query
    // lists, less those that `mayList(bytes)` turns down, into `items` in the
    // list's order. `seedKey` is the seed's letters as the query compares
    // them. False when `steps` stopped the walk.
    template <typename MayList>
    bool collect(const WordQuery& query, QStringView seedKey, const MayList& mayList,
                 IndexSteps& steps, std::vector<std::uint32_t>& items) const;

private:
    void markRepeats();
    void putInListOrder(std::vector<std::uint32_t>& items) const;

    // The index: the words' places grouped by their letter sets, and where
    // the words of each set start.
    const WordList* indexed_ = nullptr;
    std::vector<std::uint64_t> groupLetters_;
    std::vector<std::uint32_t> groupStarts_;
    std::vector<std::uint32_t> groupedItems_;
    // The words' bytes once more, in the groups' order: a query reads the
    // words of a group one after the other, not all over the list.
    std::vector<char> groupedBytes_;
    std::vector<std::uint32_t> groupedEnds_;
    // Words of letters a to z, each at most once: such a word fits every seed
    // that has its letter set, with no count to check.
    std::vector<bool> groupedSingleLetters_;
    // The items whose bytes an earlier item of their group has: the same word
    // again, as a list has one encoding throughout. The items collected are
    // each word once, with no set of the words listed.
    std::vector<bool> groupedRepeats_;
    // Where each letter set is among the groups: open addressing, keyed by
    // the set, which is never 0 for a word.
    std::vector<std::uint64_t> slotLetters_;
    std::vector<std::uint32_t> slotGroup_;
    std::size_t findSlot(std::uint64_t letters) const;
    std::optional<std::uint32_t> findGroup(std::uint64_t letters) const;
    void growSlots();
};

// A template, so that the test of each word inlines here as the search's own.
template <typename MayList>
bool WordIndex::collect(const WordQuery& query, QStringView seedKey, const MayList& mayList,
                        IndexSteps& steps, std::vector<std::uint32_t>& items) const {
    // The groups whose letters can make a listed word, then their words in
    // the list's order. A seed with many letters can mean a long walk over
    // groups or subsets, so the progress is told along the way.
    const std::uint64_t seed = LetterSet(seedKey);
    const bool withinSeed = query.mode != FitMode::ContainsAll && query.blanks == 0;
    const bool lettersSettle = query.mode == FitMode::Within && query.blanks == 0;
    const auto take = [&](std::size_t group) {
        std::size_t begin = groupStarts_[group] > 0 ? groupedEnds_[groupStarts_[group] - 1] : 0;
        for (std::uint32_t i = groupStarts_[group]; i < groupStarts_[group + 1]; ++i) {
            const std::size_t end = groupedEnds_[i];
            const QByteArrayView bytes(groupedBytes_.data() + begin,
                                       static_cast<qsizetype>(end - begin));
            // A word repeated in the list is listed once: its first time.
            const bool fits = !groupedRepeats_[i] &&
                              (lettersSettle && groupedSingleLetters_[i]
                                   ? query.minimumLength <= static_cast<double>(bytes.size())
                                   : mayList(bytes));
            if (fits)
                items.push_back(groupedItems_[i]);
            begin = end;
        }
    };
    const int seedBits = std::popcount(seed);
    // At most a subset for every eighth group; a seed with all 64 bits set
    // has more subsets than a size_t counts, and is walked group by group.
    const bool fewSubsets = seedBits < std::numeric_limits<std::size_t>::digits &&
                            (std::size_t{1} << seedBits) < groupLetters_.size() / 8;
    if (withinSeed && fewSubsets) {
        // Few letters: look up each of their subsets.
        for (std::uint64_t subset = seed; subset != 0; subset = (subset - 1) & seed) {
            if (!steps.goOn(0))
                return false;
            if (const auto group = findGroup(subset))
                take(*group);
        }
    } else {
        const qsizetype extraLetters = std::min<qsizetype>(query.blanks, 64);
        const auto groups = static_cast<double>(groupLetters_.size());
        for (std::size_t group = 0; group < groupLetters_.size(); ++group) {
            if (!steps.goOn(static_cast<double>(group) / groups / 2))
                return false;
            const std::uint64_t letters = groupLetters_[group];
            const bool possible = query.mode == FitMode::ContainsAll
                                      ? (letters & seed) == seed
                                      : std::popcount(letters & ~seed) <= extraLetters;
            if (possible)
                take(group);
        }
    }
    putInListOrder(items);
    return true;
}

} // namespace Vorlaine
