#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Vorlaine {

// Reads one UTF-8 character forwards or backwards from valid UTF-8.
inline char32_t NextCharacter(const char*& p) {
    const auto b = static_cast<unsigned char>(*p++);
    if (b < 0x80)
        return b;
    const int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    char32_t c = b & (0x3F >> more);
    for (int i = 0; i < more; ++i)
        c = (c << 6) | (static_cast<unsigned char>(*p++) & 0x3F);
    return c;
}

inline char32_t PreviousCharacter(const char*& p) {
    if (static_cast<unsigned char>(p[-1]) < 0x80)
        return static_cast<unsigned char>(*--p);
    const char* start = p - 1;
    while ((static_cast<unsigned char>(*start) & 0xC0) == 0x80)
        --start;
    p = start;
    const char* q = start;
    return NextCharacter(q);
}

// What a word must look like where an affix goes: one place per character,
// each any character ("."), one character, or one of or none of a set
// ("[aeiou]", "[^aeiou]"), matched against the word's first characters for a
// prefix and its last ones for a suffix.
class AffixCondition {
public:
    // Reads a condition in UTF-8; false when a bracket is left open.
    bool parse(std::string_view text, bool atStart);

    // Marks the bytes that the word may have next to the affix (its last for
    // a suffix, its first for a prefix); false when any byte may stand there.
    bool markNextBytes(bool (&bytes)[256]) const;

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
        std::uint64_t ascii[2] = {}; // the ASCII characters that fit, a bit each
    };

    bool fits(const Place& place, char32_t c) const {
        if (c < 128)
            return (place.ascii[c >> 6] >> (c & 63) & 1) != 0;
        return fitsCharacter(place, c);
    }
    // The same without the table of ASCII characters, which it fills in.
    bool fitsCharacter(const Place& place, char32_t c) const;
    void markAscii(Place& place) const;
    bool matchesStart(std::string_view word) const {
        const char* p = word.data();
        const char* const end = p + word.size();
        for (const Place& place : places_) {
            if (p == end || !fits(place, NextCharacter(p)))
                return false;
        }
        return true;
    }
    bool matchesEnd(std::string_view word) const {
        const char* const begin = word.data();
        const char* p = begin + word.size();
        for (const Place& place : places_) {
            if (p == begin || !fits(place, PreviousCharacter(p)))
                return false;
        }
        return true;
    }

    std::vector<Place> places_; // the place next to the affix first
    std::u32string sets_;
    bool atStart_ = false;
};

} // namespace Vorlaine
