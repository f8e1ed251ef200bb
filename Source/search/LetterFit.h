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

private:
    std::vector<quint16> counts_;       // per lower-cased code unit
    mutable std::vector<quint16> used_; // per candidate; all zero between calls
};

// Can the candidate be spelled from the seed's letters?
bool CanMakeWord(QStringView seed, QStringView candidate);

} // namespace Vorlaine
