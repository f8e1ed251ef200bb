#pragma once

#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Vorlaine {

// The words a run has met, to tell a repeat. They are kept end to end in one
// buffer with an open-addressing table of their places: a run may meet
// hundreds of thousands, and a node and a string apiece cost more in
// allocating and freeing than the search itself.
class WordSet {
public:
    // Adds the word; false when it was there already.
    bool insert(QStringView word);
    bool contains(QStringView word) const;
    std::size_t size() const { return size_; }

private:
    struct Slot {
        std::size_t begin = 0;     // into text_
        std::uint32_t length1 = 0; // the word's length plus one; 0: empty
        std::uint32_t hash = 0;    // the high half, which also picks the slot
    };
    static std::uint64_t hashOf(QStringView word);
    // The slot that holds the word, or the empty one where it would go.
    std::size_t find(QStringView word, std::uint64_t hash) const;
    void grow();

    std::vector<char16_t> text_;
    std::vector<Slot> slots_;
    std::size_t size_ = 0;
};

} // namespace Vorlaine
