#include "search/letters/WordSet.h"

#include <algorithm>

namespace Vorlaine {

std::uint64_t WordSet::hashOf(QStringView word) {
    // FNV-1a over the code units, then mixed so that the high bits pick slots.
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const QChar c : word)
        hash = (hash ^ c.unicode()) * 0x100000001B3ull;
    hash ^= hash >> 29;
    return hash * 0x9E3779B97F4A7C15ull;
}

std::size_t WordSet::find(QStringView word, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t at = tag & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.length1 == 0)
            return at;
        if (slot.hash == tag && slot.length1 == static_cast<std::size_t>(word.size()) + 1 &&
            std::equal(word.begin(), word.end(),
                       text_.begin() + static_cast<std::ptrdiff_t>(slot.begin),
                       [](QChar a, char16_t b) { return a.unicode() == b; }))
            return at;
    }
}

bool WordSet::contains(QStringView word) const {
    return !slots_.empty() && slots_[find(word, hashOf(word))].length1 != 0;
}

bool WordSet::insert(QStringView word) {
    // At most half full, so that probes stay short.
    if ((size_ + 1) * 2 > slots_.size())
        grow();
    const std::uint64_t hash = hashOf(word);
    Slot& slot = slots_[find(word, hash)];
    if (slot.length1 != 0)
        return false;
    slot.begin = text_.size();
    slot.length1 = static_cast<std::uint32_t>(word.size()) + 1;
    slot.hash = static_cast<std::uint32_t>(hash >> 32);
    for (const QChar c : word)
        text_.push_back(c.unicode());
    ++size_;
    return true;
}

void WordSet::grow() {
    std::vector<Slot> old(std::max<std::size_t>(slots_.size() * 2, 64));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.length1 == 0)
            continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].length1 != 0)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

} // namespace Vorlaine
