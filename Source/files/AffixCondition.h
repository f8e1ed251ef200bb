#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Vorlaine {

// Reads one UTF-8 character forwards or backwards from valid UTF-8.
char32_t NextCharacter(const char*& p);
char32_t PreviousCharacter(const char*& p);

// What a word must look like where an affix goes: one place per character,
// each any character ("."), one character, or one of or none of a set
// ("[aeiou]", "[^aeiou]"), matched against the word's first characters for a
// prefix and its last ones for a suffix.
class AffixCondition {
public:
    // Reads a condition in UTF-8; false when a bracket is left open.
    bool parse(std::string_view text, bool atStart);

    bool matches(std::string_view word) const {
        return places_.empty() || (atStart_ ? matchesStart(word) : matchesEnd(word));
    }

private:
    enum class Kind : std::uint8_t { Any, One, In, NotIn };
    struct Place {
        Kind kind;
        char32_t one;            // Kind::One
        std::uint32_t first = 0; // Kind::In and NotIn: the set, in sets_
        std::uint32_t count = 0;
    };

    bool fits(const Place& place, char32_t c) const;
    bool matchesStart(std::string_view word) const;
    bool matchesEnd(std::string_view word) const;

    std::vector<Place> places_; // the place next to the affix first
    std::u32string sets_;
    bool atStart_ = false;
};

} // namespace Vorlaine
