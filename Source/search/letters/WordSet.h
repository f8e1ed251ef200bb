#pragma once

#include "search/letters/PackedText.h"

#include <QStringView>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace Vorlaine {

// The words a run has met, to tell a repeat. They are kept packed, end to end
// (an ASCII word takes a byte a letter and one more), with an open-addressing
// table of six bytes a slot, at most three quarters full: a run may meet
// millions of words, and a node and a string apiece cost more in memory, and
// in allocating and freeing, than the search itself.
class WordSet {
public:
    // Adds the word; false when it was there already.
    bool insert(QStringView word);
    bool contains(QStringView word) const;
    std::size_t size() const { return size_; }
    void clear();

private:
    // A slot holds the place of its word plus one (0: empty) in its low 40
    // bits, and 8 bits of the word's hash that picked no slot above them.
    static constexpr int SlotBytes = 6;
    static constexpr int PlaceBits = 40;
    static constexpr std::uint64_t PlaceMask = (std::uint64_t{1} << PlaceBits) - 1;
    static constexpr std::uint64_t SlotMask = (std::uint64_t{1} << (8 * SlotBytes)) - 1;

    std::uint64_t slot(std::size_t at) const {
        const unsigned char* bytes = slots_.data() + at * SlotBytes;
        std::uint64_t value = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&value, bytes, sizeof value);
            return value & SlotMask;
        }
        for (int i = SlotBytes; i-- > 0;)
            value = (value << 8) | bytes[i];
        return value;
    }
    void setSlot(std::size_t at, std::uint64_t value) {
        unsigned char* bytes = slots_.data() + at * SlotBytes;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(bytes, &value, SlotBytes);
            return;
        }
        for (int i = 0; i < SlotBytes; ++i, value >>= 8)
            bytes[i] = static_cast<unsigned char>(value);
    }
    std::size_t slotCount() const { return bits_ == 0 ? 0 : std::size_t{1} << bits_; }
    // The slot that holds the word, or the empty one where it would go.
    std::size_t find(std::string_view packed, std::uint64_t hash) const;
    std::size_t slotOf(std::uint64_t hash) const {
        return static_cast<std::size_t>(hash >> (64 - bits_));
    }
    static std::uint64_t tagOf(std::uint64_t hash) { return (hash & 0xFF) << PlaceBits; }
    void grow();

    ByteRecords words_;
    // Slots end to end, and two bytes more, so that every slot reads as eight.
    std::vector<unsigned char> slots_;
    int bits_ = 0;
    std::size_t size_ = 0;
};

} // namespace Vorlaine
