#include "files/AffixCondition.h"

#include <algorithm>

namespace Vorlaine {

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
    for (Place& place : places_)
        markAscii(place);
    // A suffix's condition is matched from the word's end backwards.
    if (!atStart)
        std::reverse(places_.begin(), places_.end());
    return true;
}

namespace {
// The first or last byte of a character in UTF-8.
unsigned char EdgeByte(char32_t c, bool first) {
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (!first)
        return static_cast<unsigned char>(0x80 | (c & 0x3F));
    return static_cast<unsigned char>(c < 0x800     ? 0xC0 | (c >> 6)
                                      : c < 0x10000 ? 0xE0 | (c >> 12)
                                                    : 0xF0 | (c >> 18));
}
} // namespace

bool AffixCondition::markNextBytes(bool (&bytes)[256]) const {
    if (places_.empty())
        return false;
    const Place& place = places_.front();
    switch (place.kind) {
    case Kind::One:
        bytes[EdgeByte(place.one, atStart_)] = true;
        return true;
    case Kind::In:
        for (std::uint32_t i = 0; i < place.count; ++i)
            bytes[EdgeByte(sets_[place.first + i], atStart_)] = true;
        return true;
    case Kind::Any:
    case Kind::NotIn:
        break;
    }
    return false;
}

bool AffixCondition::fitsCharacter(const Place& place, char32_t c) const {
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

void AffixCondition::markAscii(Place& place) const {
    const auto bit = [](char32_t c) { return std::uint64_t{1} << (c & 63); };
    const bool negated = place.kind == Kind::Any || place.kind == Kind::NotIn;
    place.ascii[0] = place.ascii[1] = negated ? ~std::uint64_t{0} : 0;
    if (place.kind == Kind::One && place.one < 128)
        place.ascii[place.one >> 6] |= bit(place.one);
    if (place.kind != Kind::In && place.kind != Kind::NotIn)
        return;
    for (std::uint32_t i = 0; i < place.count; ++i) {
        const char32_t c = sets_[place.first + i];
        if (c >= 128)
            continue;
        if (negated)
            place.ascii[c >> 6] &= ~bit(c);
        else
            place.ascii[c >> 6] |= bit(c);
    }
}

} // namespace Vorlaine
