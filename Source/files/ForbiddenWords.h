#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace Vorlaine {

// The words that a dictionary forbids (FORBIDDENWORD). hunspell rejects such a
// word even where another word's affixes make it, so the forms made are
// checked against them.
class ForbiddenWords {
public:
    // A word of the dictionary that has the FORBIDDENWORD flag.
    void add(std::string_view word) { words_.insert_or_assign(std::string(word), true); }
    // A form of such a word. hunspell rejects it where it finds the forbidden
    // word first, which depends on its hash table; it is left out as well,
    // unless it is a word of the dictionary itself.
    void addForm(std::string_view form) { words_.emplace(form, false); }
    bool empty() const { return words_.empty(); }

    // Drops the forbidden ones from the forms in `forms` from `from` on, each
    // followed by '\n': the forms of `word`, which is one of them by itself
    // (empty if it needs an affix).
    void removeFrom(std::string& forms, std::size_t from, std::string_view word) const;

private:
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
