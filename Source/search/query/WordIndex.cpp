#include "search/query/WordIndex.h"

#include "search/letters/LetterKeys.h"
#include "search/query/WordList.h"

#include <QSet>
#include <cstring>

namespace Vorlaine {

namespace {

// The bit of a lower-case code unit in a letter set.
std::uint64_t LetterBit(char16_t lowerUnit) {
    if (lowerUnit >= u'a' && lowerUnit <= u'z')
        return std::uint64_t{1} << (lowerUnit - u'a');
    return std::uint64_t{1} << (26 + lowerUnit % 38);
}

// The same for ASCII bytes; nothing when they are not all ASCII.
std::optional<std::uint64_t> AsciiLetterSet(QByteArrayView bytes) {
    std::uint64_t letters = 0;
    for (const char c : bytes) {
        if (c & 0x80)
            return std::nullopt;
        letters |= LetterBit(static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    }
    return letters;
}

std::size_t HashSlot(std::uint64_t letters, std::size_t mask) {
    return static_cast<std::size_t>((letters * 0x9E3779B97F4A7C15ull) >> 20) & mask;
}

} // namespace

std::uint64_t LetterSet(QStringView key) {
    std::uint64_t letters = 0;
    for (const QChar unit : key)
        letters |= LetterBit(unit.unicode());
    return letters;
}

void WordIndex::build(const WordList& list, const LetterKeys& keys) {
    // With tiles of two letters, an ASCII word's bytes are not its letters.
    const bool asciiKeyIsBytes = keys.asciiKeyIsBytes();
    indexed_ = nullptr;
    // Places in the grouped bytes are 32 bits; a larger list is searched
    // without an index.
    if (list.byteCount() >= std::numeric_limits<std::uint32_t>::max())
        return;
    indexed_ = &list;
    const auto items = static_cast<std::size_t>(list.size());

    // Each letter set becomes a group, numbered as first met.
    std::size_t slotCount = 1024;
    while (slotCount < items)
        slotCount *= 2;
    slotLetters_.assign(slotCount / 2, 0);
    slotGroup_.assign(slotCount / 2, 0);
    groupLetters_.clear();
    std::vector<std::uint32_t> groupOfItem(items);
    std::vector<std::uint32_t> sizes;
    std::vector<std::uint32_t> byteSizes;
    for (std::size_t item = 0; item < items; ++item) {
        const auto index = static_cast<qsizetype>(item);
        const QByteArrayView bytes = list.bytes(index);
        const std::optional<std::uint64_t> ascii =
            asciiKeyIsBytes ? AsciiLetterSet(bytes) : std::nullopt;
        const std::uint64_t letters = ascii ? *ascii : LetterSet(keys.key(list.text(index)));
        std::size_t slot = findSlot(letters);
        if (slotLetters_[slot] == 0) {
            if (2 * (groupLetters_.size() + 1) > slotLetters_.size()) {
                growSlots();
                slot = findSlot(letters);
            }
            slotLetters_[slot] = letters;
            slotGroup_[slot] = static_cast<std::uint32_t>(groupLetters_.size());
            groupLetters_.push_back(letters);
            sizes.push_back(0);
            byteSizes.push_back(0);
        }
        const std::uint32_t group = slotGroup_[slot];
        groupOfItem[item] = group;
        ++sizes[group];
        byteSizes[group] += static_cast<std::uint32_t>(bytes.size());
    }

    // Then the items are counted out into their groups, in the list's order,
    // and their bytes with them.
    groupStarts_.assign(groupLetters_.size() + 1, 0);
    std::vector<std::uint32_t> nextByte(groupLetters_.size() + 1, 0);
    for (std::size_t group = 0; group < sizes.size(); ++group) {
        groupStarts_[group + 1] = groupStarts_[group] + sizes[group];
        nextByte[group + 1] = nextByte[group] + byteSizes[group];
    }
    std::vector<std::uint32_t> next(groupStarts_.begin(), groupStarts_.end() - 1);
    groupedItems_.resize(items);
    groupedBytes_.resize(static_cast<std::size_t>(list.byteCount()));
    groupedEnds_.resize(items);
    groupedSingleLetters_.assign(items, false);
    for (std::size_t item = 0; item < items; ++item) {
        const std::uint32_t group = groupOfItem[item];
        const std::uint32_t place = next[group]++;
        const QByteArrayView bytes = list.bytes(static_cast<qsizetype>(item));
        std::memcpy(groupedBytes_.data() + nextByte[group], bytes.data(),
                    static_cast<std::size_t>(bytes.size()));
        nextByte[group] += static_cast<std::uint32_t>(bytes.size());
        groupedItems_[place] = static_cast<std::uint32_t>(item);
        groupedEnds_[place] = nextByte[group];
        std::uint32_t seen = 0;
        bool single = asciiKeyIsBytes;
        for (const char c : bytes) {
            const int letter = (c | 0x20) - 'a';
            single = single && letter >= 0 && letter < 26 && !(seen & (1u << letter));
            if (single)
                seen |= 1u << letter;
        }
        groupedSingleLetters_[place] = single;
    }

    markRepeats();
}

// A word repeated in the list has its bytes again, in the same group.
void WordIndex::markRepeats() {
    groupedRepeats_.assign(groupedItems_.size(), false);
    QSet<QByteArrayView> seen;
    for (std::size_t group = 0; group + 1 < groupStarts_.size(); ++group) {
        if (groupStarts_[group + 1] - groupStarts_[group] < 2)
            continue;
        seen.clear();
        std::size_t begin = groupStarts_[group] > 0 ? groupedEnds_[groupStarts_[group] - 1] : 0;
        for (std::uint32_t i = groupStarts_[group]; i < groupStarts_[group + 1]; ++i) {
            const QByteArrayView bytes(groupedBytes_.data() + begin,
                                       static_cast<qsizetype>(groupedEnds_[i] - begin));
            groupedRepeats_[i] = seen.contains(bytes);
            seen.insert(bytes);
            begin = groupedEnds_[i];
        }
    }
}

// The slot that holds the letter set, or the empty one where it would go.
std::size_t WordIndex::findSlot(std::uint64_t letters) const {
    const std::size_t mask = slotLetters_.size() - 1;
    std::size_t slot = HashSlot(letters, mask);
    while (slotLetters_[slot] != 0 && slotLetters_[slot] != letters)
        slot = (slot + 1) & mask;
    return slot;
}

void WordIndex::growSlots() {
    std::vector<std::uint64_t> letters(slotLetters_.size() * 2, 0);
    std::vector<std::uint32_t> groups(letters.size(), 0);
    letters.swap(slotLetters_);
    groups.swap(slotGroup_);
    for (std::size_t slot = 0; slot < letters.size(); ++slot) {
        if (letters[slot] != 0) {
            const std::size_t to = findSlot(letters[slot]);
            slotLetters_[to] = letters[slot];
            slotGroup_[to] = groups[slot];
        }
    }
}

std::optional<std::uint32_t> WordIndex::findGroup(std::uint64_t letters) const {
    const std::size_t slot = findSlot(letters);
    if (slotLetters_[slot] == 0)
        return std::nullopt;
    return slotGroup_[slot];
}

// Most of a large list is put in order by marking the items: a sort of
// millions would not notice a stop.
void WordIndex::putInListOrder(std::vector<std::uint32_t>& items) const {
    const auto listSize = static_cast<std::size_t>(indexed_->size());
    if (items.size() * 16 > listSize) {
        std::vector<std::uint64_t> marked((listSize + 63) / 64, 0);
        for (const std::uint32_t item : items)
            marked[item / 64] |= std::uint64_t{1} << (item % 64);
        std::size_t next = 0;
        for (std::size_t word = 0; word < marked.size(); ++word) {
            for (std::uint64_t bits = marked[word]; bits != 0; bits &= bits - 1)
                items[next++] = static_cast<std::uint32_t>(
                    word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
    } else {
        std::sort(items.begin(), items.end());
    }
}

} // namespace Vorlaine
