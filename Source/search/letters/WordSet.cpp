#include "search/letters/WordSet.h"

#include <algorithm>
#include <string>

namespace Vorlaine {

namespace {
// The packed word, on the stack when it is short.
class Packed {
public:
    explicit Packed(QStringView word) { AppendPacked(bytes_, word); }
    std::string_view bytes() const { return bytes_; }

private:
    std::string bytes_;
};
} // namespace

std::size_t WordSet::find(std::string_view packed, std::uint64_t hash) const {
    const std::size_t mask = slotCount() - 1;
    const std::uint64_t tag = tagOf(hash);
    for (std::size_t at = slotOf(hash);; at = (at + 1) & mask) {
        const std::uint64_t value = slot(at);
        if (value == 0)
            return at;
        if ((value & ~PlaceMask) == tag && words_.at((value & PlaceMask) - 1) == packed)
            return at;
    }
}

bool WordSet::contains(QStringView word) const {
    if (size_ == 0)
        return false;
    const Packed packed(word);
    return slot(find(packed.bytes(), HashBytes(packed.bytes()))) != 0;
}

bool WordSet::insert(QStringView word) {
    // At most three quarters full, so that probes stay short.
    if (4 * (size_ + 1) > 3 * slotCount())
        grow();
    const Packed packed(word);
    const std::uint64_t hash = HashBytes(packed.bytes());
    const std::size_t at = find(packed.bytes(), hash);
    if (slot(at) != 0)
        return false;
    setSlot(at, tagOf(hash) | (words_.add(packed.bytes()) + 1));
    ++size_;
    return true;
}

void WordSet::clear() {
    words_.clear();
    slots_.clear();
    bits_ = 0;
    size_ = 0;
}

void WordSet::grow() {
    bits_ = bits_ == 0 ? 6 : bits_ + 1;
    // The table is made anew from the words: the old one goes first, so
    // that the two are never held at once.
    std::vector<unsigned char>().swap(slots_);
    slots_.assign(slotCount() * SlotBytes + 2, 0);
    const std::size_t mask = slotCount() - 1;
    const auto place = [&](std::uint64_t hash, std::uint64_t word) {
        std::size_t at = slotOf(hash);
        while (slot(at) != 0)
            at = (at + 1) & mask;
        setSlot(at, tagOf(hash) | (word + 1));
    };
    // The words in the order they came, so that reading them is sequential;
    // their slots are all over the table, so each is fetched a few words
    // ahead of its turn.
    constexpr std::size_t Ahead = 16;
    std::uint64_t hashes[Ahead];
    std::uint64_t words[Ahead];
    std::size_t pending = 0;
    words_.forEach([&](std::uint64_t word) {
        const std::size_t i = pending++ % Ahead;
        if (pending > Ahead)
            place(hashes[i], words[i]);
        hashes[i] = HashBytes(words_.at(word));
        words[i] = word;
        __builtin_prefetch(slots_.data() + slotOf(hashes[i]) * SlotBytes, 1);
    });
    for (std::size_t i = 0; i < std::min(pending, Ahead); ++i)
        place(hashes[i], words[i]);
}

} // namespace Vorlaine
