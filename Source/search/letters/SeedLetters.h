#pragma once

#include "files/WordLength.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

namespace Vorlaine {

// The letters of a seed word, counted once, so that many candidates can be
// tested against it. Case is ignored: every UTF-16 code unit is lower-cased on
// its own (QChar::toLower), so lengths never change. Every code unit counts,
// digits, blanks, apostrophes and hyphens included.
class SeedLetters {
public:
    SeedLetters();
    explicit SeedLetters(QStringView seed);

    void reset(QStringView seed);

    // True when the candidate's code units, with repetition, are all in the seed.
    // Not reentrant: it uses scratch space of its own.
    bool fits(QStringView candidate) const;
    // The same for a candidate given as bytes, as long as they are ASCII. It
    // answers NotAscii at the first other byte, unless an ASCII one before it
    // has already shown that the candidate cannot fit.
    enum class AsciiFit { Fits, DoesNotFit, NotAscii };
    AsciiFit fitsAscii(QByteArrayView candidate) const;

    // How many of the candidate's code units the seed lacks: each one beyond
    // the seed's count of it. Counting stops once it is more than `limit`, so
    // the answer is at most limit + 1. A candidate longer than any word lacks
    // limit + 1.
    qsizetype missing(QStringView candidate, qsizetype limit) const;
    // The same for ASCII bytes; -1 at the first other byte, unless the ASCII
    // ones before it already lack more than `limit`.
    qsizetype missingAscii(QByteArrayView candidate, qsizetype limit) const;

    // Calls visit(unit, fromSeed) for each of the candidate's code units in
    // turn, lower-cased: fromSeed is false for those beyond the seed's count.
    template <typename Visit> void play(QStringView candidate, Visit visit) const;

private:
    template <typename Unit, bool AnyMissingFails>
    qsizetype countMissing(const Unit* units, qsizetype length, qsizetype limit) const;

    std::vector<quint16> counts_;       // per lower-cased code unit
    std::vector<char16_t> seedUnits_;   // the units counted, to clear them again
    mutable std::vector<quint16> used_; // per candidate; all zero between calls
};

template <typename Visit> void SeedLetters::play(QStringView candidate, Visit visit) const {
    for (const QChar unit : candidate) {
        const char16_t lower = static_cast<char16_t>(QChar::toLower(unit.unicode()));
        quint16& used = used_[lower];
        visit(lower, used < counts_[lower]);
        if (used < counts_[lower])
            ++used;
    }
    for (const QChar unit : candidate)
        used_[static_cast<char16_t>(QChar::toLower(unit.unicode()))] = 0;
}

// Can the candidate be spelled from the seed's letters?
bool CanMakeWord(QStringView seed, QStringView candidate);

} // namespace Vorlaine
