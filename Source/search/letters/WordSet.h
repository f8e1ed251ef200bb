#pragma once

#include "search/letters/PackedText.h"

#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Vorlaine {

// The words a run has met, to tell a repeat. They are kept packed, end to end
// (an ASCII word takes a byte a letter and one more), with an open-addressing
// table of eight bytes a slot, at most three quarters full: a run may meet
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
    // A slot holds the place of its word plus one (0: empty) below, and bits
    // of its hash that picked no slot above.
    static constexpr int PlaceBits = 40;
    static constexpr std::uint64_t PlaceMask = (std::uint64_t{1} << PlaceBits) - 1;
    // The slot that holds the word, or the empty one where it would go.
    std::size_t find(std::string_view packed, std::uint64_t hash) const;
    std::size_t slotOf(std::uint64_t hash) const {
        return static_cast<std::size_t>(hash >> (64 - bits_));
    }
    static std::uint64_t tagOf(std::uint64_t hash) { return hash << PlaceBits; }
    void grow();

    ByteRecords words_;
    std::vector<std::uint64_t> slots_;
    int bits_ = 0;
    std::size_t size_ = 0;
};

} // namespace Vorlaine
