#include "search/letters/SeedLetters.h"

#include <QChar>
#include <algorithm>
#include <array>

namespace Vorlaine {

namespace {
constexpr std::size_t CodeUnits = 0x10000;
// No candidate can need more of one code unit than this.
constexpr quint16 CountCap = MaxWordLength;

inline char16_t Lower(char16_t unit) {
    return static_cast<char16_t>(QChar::toLower(unit));
}

constexpr std::array<unsigned char, 128> MakeAsciiLower() {
    std::array<unsigned char, 128> table{};
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return table;
}
constexpr std::array<unsigned char, 128> AsciiLower = MakeAsciiLower();
} // namespace

SeedLetters::SeedLetters() : counts_(CodeUnits, 0), used_(CodeUnits, 0) {}

SeedLetters::SeedLetters(QStringView seed) : SeedLetters() {
    reset(seed);
}

// Clears only the counts of the last seed: a search of many seeds resets often.
void SeedLetters::reset(QStringView seed) {
    for (const char16_t unit : seedUnits_)
        counts_[unit] = 0;
    seedUnits_.clear();
    for (const QChar unit : seed) {
        const char16_t lower = Lower(unit.unicode());
        quint16& count = counts_[lower];
        if (count == 0)
            seedUnits_.push_back(lower);
        if (count < CountCap)
            ++count;
    }
}

// Every test counts each code unit of the candidate and stops once more than
// `limit` are missing from the seed (or, for bytes, at the first one that is
// not ASCII); then it clears only the counts it touched. The answer is the
// number missing, or -1 for bytes that are not all ASCII.
template <typename Unit, bool AnyMissingFails>
qsizetype SeedLetters::countMissing(const Unit* units, qsizetype length, qsizetype limit) const {
    constexpr bool Bytes = sizeof(Unit) == 1;
    const auto lower = [](Unit unit) -> char16_t {
        if constexpr (Bytes)
            return AsciiLower[unit];
        else
            return Lower(unit);
    };
    qsizetype i = 0;
    qsizetype missing = 0;
    for (; i < length; ++i) {
        if constexpr (Bytes) {
            if (units[i] >= 0x80) {
                missing = -1;
                break;
            }
        }
        const char16_t unit = lower(units[i]);
        if (++used_[unit] > counts_[unit]) {
            ++missing;
            if (AnyMissingFails || missing > limit) {
                ++i;
                break;
            }
        }
    }
    for (qsizetype j = 0; j < i; ++j)
        used_[lower(units[j])] = 0;
    return missing;
}

bool SeedLetters::fits(QStringView candidate) const {
    if (candidate.size() > MaxWordLength)
        return false;
    return countMissing<char16_t, true>(candidate.utf16(), candidate.size(), 0) == 0;
}

qsizetype SeedLetters::missing(QStringView candidate, qsizetype limit) const {
    if (candidate.size() > MaxWordLength)
        return limit + 1;
    return countMissing<char16_t, false>(candidate.utf16(), candidate.size(), limit);
}

namespace {

// Longer than any word as ASCII. A word of other characters can take up to
// three bytes a code unit, so only a long run of ASCII rules it out.
bool TooLongForAscii(QByteArrayView candidate) {
    if (candidate.size() <= MaxWordLength)
        return false;
    const QByteArrayView head = candidate.first(MaxWordLength + 1);
    return std::all_of(head.begin(), head.end(), [](char c) { return (c & 0x80) == 0; });
}

const unsigned char* Bytes(QByteArrayView candidate) {
    return reinterpret_cast<const unsigned char*>(candidate.data());
}

} // namespace

SeedLetters::AsciiFit SeedLetters::fitsAscii(QByteArrayView candidate) const {
    if (TooLongForAscii(candidate))
        return AsciiFit::DoesNotFit;
    const qsizetype missing =
        countMissing<unsigned char, true>(Bytes(candidate), candidate.size(), 0);
    if (missing < 0)
        return AsciiFit::NotAscii;
    return missing == 0 ? AsciiFit::Fits : AsciiFit::DoesNotFit;
}

qsizetype SeedLetters::missingAscii(QByteArrayView candidate, qsizetype limit) const {
    if (TooLongForAscii(candidate))
        return limit + 1;
    return countMissing<unsigned char, false>(Bytes(candidate), candidate.size(), limit);
}

// For a single test, sorting both texts is cheaper than a seed's full tables.
bool CanMakeWord(QStringView seed, QStringView candidate) {
    if (candidate.size() > MaxWordLength)
        return false;
    const auto sortedLowerCase = [](QStringView text) {
        std::vector<char16_t> units(static_cast<std::size_t>(text.size()));
        std::transform(text.begin(), text.end(), units.begin(),
                       [](QChar unit) { return Lower(unit.unicode()); });
        std::sort(units.begin(), units.end());
        return units;
    };
    const std::vector<char16_t> seedUnits = sortedLowerCase(seed);
    const std::vector<char16_t> candidateUnits = sortedLowerCase(candidate);
    return std::includes(seedUnits.begin(), seedUnits.end(), candidateUnits.begin(),
                         candidateUnits.end());
}

} // namespace Vorlaine
