#include "files/AffixCondition.h"

#include <algorithm>

namespace Vorlaine {

char32_t NextCharacter(const char*& p) {
    const auto b = static_cast<unsigned char>(*p++);
    if (b < 0x80)
        return b;
    const int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    char32_t c = b & (0x3F >> more);
    for (int i = 0; i < more; ++i)
        c = (c << 6) | (static_cast<unsigned char>(*p++) & 0x3F);
    return c;
}

char32_t PreviousCharacter(const char*& p) {
    const char* start = p - 1;
    while ((static_cast<unsigned char>(*start) & 0xC0) == 0x80)
        --start;
    p = start;
    const char* q = start;
    return NextCharacter(q);
}

bool AffixCondition::parse(std::string_view text, bool atStart) {
    atStart_ = atStart;
    places_.clear();
    sets_.clear();
    if (text == ".")
        return true;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        Place place{Kind::One, 0};
        const char32_t c = NextCharacter(p);
        if (c == '.') {
            place.kind = Kind::Any;
        } else if (c == '[') {
            place.kind = Kind::In;
            if (p < end && *p == '^') {
                place.kind = Kind::NotIn;
                ++p;
            }
            place.first = static_cast<std::uint32_t>(sets_.size());
            bool closed = false;
            while (p < end && !closed) {
                const char32_t member = NextCharacter(p);
                if (member == ']')
                    closed = true;
                else
                    sets_ += member;
            }
            if (!closed)
                return false;
            place.count = static_cast<std::uint32_t>(sets_.size()) - place.first;
        } else {
            place.one = c;
        }
        places_.push_back(place);
    }
    // A suffix's condition is matched from the word's end backwards.
    if (!atStart)
        std::reverse(places_.begin(), places_.end());
    return true;
}

bool AffixCondition::fits(const Place& place, char32_t c) const {
    switch (place.kind) {
    case Kind::Any:
        return true;
    case Kind::One:
        return c == place.one;
    case Kind::In:
    case Kind::NotIn: {
        const auto* const first = sets_.data() + place.first;
        const bool found = std::find(first, first + place.count, c) != first + place.count;
        return found == (place.kind == Kind::In);
    }
    }
    return false;
}

bool AffixCondition::matchesStart(std::string_view word) const {
    const char* p = word.data();
    const char* const end = p + word.size();
    for (const Place& place : places_) {
        if (p == end || !fits(place, NextCharacter(p)))
            return false;
    }
    return true;
}

bool AffixCondition::matchesEnd(std::string_view word) const {
    const char* const begin = word.data();
    const char* p = begin + word.size();
    for (const Place& place : places_) {
        if (p == begin || !fits(place, PreviousCharacter(p)))
            return false;
    }
    return true;
}

} // namespace Vorlaine
