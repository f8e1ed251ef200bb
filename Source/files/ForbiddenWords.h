#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Vorlaine {

// The words that a dictionary forbids (FORBIDDENWORD). hunspell rejects such a
// word even where another word's affixes make it, so the forms made are
// checked against them.
class ForbiddenWords {
public:
    // A word of the dictionary that has the FORBIDDENWORD flag.
    void add(std::string_view word) {
        words_.insert_or_assign(std::string(word), true);
        mark(word);
    }
    // A form of such a word. hunspell rejects it where it finds the forbidden
    // word first, which depends on its hash table; it is left out as well,
    // unless it is a word of the dictionary itself.
    void addForm(std::string_view form) {
        words_.emplace(form, false);
        mark(form);
    }
    bool empty() const { return words_.empty(); }

    // Whether the form is to be left out among the forms of `word`, which is
    // one of them by itself (empty if it needs an affix).
    bool blocks(std::string_view form, std::string_view word) const {
        if (!mayHold(form))
            return false;
        const auto found = words_.find(form);
        return found != words_.end() && (found->second || form != word);
    }

private:
    // Most forms are no forbidden word: a bit for a few of their bytes and
    // their length tells most of them at a glance.
    static std::size_t Sketch(std::string_view word) {
        const auto byte = [word](std::size_t i) { return static_cast<unsigned char>(word[i]); };
        const std::size_t n = word.size();
        return (n * 0x9E5 + byte(0) * 0x3B + byte(n - 1) * 0x1F3 + byte(n / 2) * 0x65) &
               (SketchBits - 1);
    }
    void mark(std::string_view word) {
        if (!word.empty())
            sketch_[Sketch(word) / 64] |= std::uint64_t{1} << (Sketch(word) % 64);
    }
    bool mayHold(std::string_view word) const {
        return !word.empty() && (sketch_[Sketch(word) / 64] >> (Sketch(word) % 64) & 1) != 0;
    }

    static constexpr std::size_t SketchBits = std::size_t{1} << 16;
    std::vector<std::uint64_t> sketch_ = std::vector<std::uint64_t>(SketchBits / 64);
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>()(text);
        }
    };
    // Each word, and whether it is forbidden as a word of the dictionary too.
    std::unordered_map<std::string, bool, Hash, std::equal_to<>> words_;
};

} // namespace Vorlaine
