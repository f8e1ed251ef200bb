#include "search/LetterFit.h"

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

void SeedLetters::reset(QStringView seed) {
    std::fill(counts_.begin(), counts_.end(), 0);
    for (const QChar unit : seed) {
        quint16& count = counts_[Lower(unit.unicode())];
        if (count < CountCap)
            ++count;
    }
}

// Both tests count each code unit of the candidate and stop at the first one
// the seed has too few of; then they clear only the counts they touched.
bool SeedLetters::fits(QStringView candidate) const {
    if (candidate.size() > MaxWordLength)
        return false;
    const char16_t* const units = candidate.utf16();
    const qsizetype length = candidate.size();
    qsizetype i = 0;
    bool fit = true;
    for (; i < length; ++i) {
        const char16_t unit = Lower(units[i]);
        if (++used_[unit] > counts_[unit]) {
            fit = false;
            ++i;
            break;
        }
    }
    for (qsizetype j = 0; j < i; ++j)
        used_[Lower(units[j])] = 0;
    return fit;
}

SeedLetters::AsciiFit SeedLetters::fitsAscii(QByteArrayView candidate) const {
    // Longer than any word as ASCII; but a word of other characters can take up
    // to three bytes a code unit, so only a long run of ASCII rules it out.
    if (candidate.size() > MaxWordLength) {
        const QByteArrayView head = candidate.first(MaxWordLength + 1);
        if (std::all_of(head.begin(), head.end(), [](char c) { return (c & 0x80) == 0; }))
            return AsciiFit::DoesNotFit;
    }
    const auto* const bytes = reinterpret_cast<const unsigned char*>(candidate.data());
    const qsizetype length = candidate.size();
    qsizetype i = 0;
    AsciiFit fit = AsciiFit::Fits;
    for (; i < length; ++i) {
        if (bytes[i] >= 0x80) {
            fit = AsciiFit::NotAscii;
            break;
        }
        const unsigned char unit = AsciiLower[bytes[i]];
        if (++used_[unit] > counts_[unit]) {
            fit = AsciiFit::DoesNotFit;
            ++i;
            break;
        }
    }
    for (qsizetype j = 0; j < i; ++j)
        used_[AsciiLower[bytes[j]]] = 0;
    return fit;
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
