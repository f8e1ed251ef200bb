// Fuzzes the letter-fit test. The first byte of the input holds flags, the rest
// is lines: the first is the seed, every further one a candidate. Flag 1: the
// lines are UTF-16 code units, low byte first, instead of UTF-8. Flag 2: the
// seed is repeated to well over the longest candidate and the first candidate
// to exactly the longest one that can fit, or with flag 4 as well to one code
// unit more. Every answer is compared with a plain count of each code unit.

#include "FuzzCheck.h"
#include "search/letters/SeedLetters.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <map>
#include <string>
#include <vector>

using namespace Vorlaine;
using Fuzz::Escaped;

namespace {

constexpr qsizetype LongestFit = MaxWordLength;

using Counts = std::map<char16_t, qsizetype>;

Counts LowerCounts(QStringView text) {
    Counts counts;
    for (const QChar unit : text)
        ++counts[static_cast<char16_t>(QChar::toLower(unit.unicode()))];
    return counts;
}

// Fits when the candidate holds no lower-cased code unit more often than the
// seed does, and is not longer than the longest candidate.
bool OracleFits(const Counts& have, QStringView candidate) {
    if (candidate.size() > LongestFit)
        return false;
    for (const auto& [unit, need] : LowerCounts(candidate)) {
        const auto found = have.find(unit);
        if (found == have.end() || found->second < need)
            return false;
    }
    return true;
}

// fitsAscii: NotAscii at the first byte from 0x80 on, unless the ASCII bytes
// before it cannot fit already. The bytes may be many more than the longest
// candidate: other characters take two or three each.
SeedLetters::AsciiFit OracleFitsAscii(const Counts& have, QByteArrayView candidate) {
    qsizetype ascii = 0;
    while (ascii < candidate.size() && static_cast<unsigned char>(candidate[ascii]) < 0x80)
        ++ascii;
    if (!OracleFits(have, QString::fromLatin1(candidate.first(ascii))))
        return SeedLetters::AsciiFit::DoesNotFit;
    return ascii < candidate.size() ? SeedLetters::AsciiFit::NotAscii : SeedLetters::AsciiFit::Fits;
}

const char* Name(SeedLetters::AsciiFit fit) {
    switch (fit) {
    case SeedLetters::AsciiFit::Fits:
        return "Fits";
    case SeedLetters::AsciiFit::DoesNotFit:
        return "DoesNotFit";
    case SeedLetters::AsciiFit::NotAscii:
        return "NotAscii";
    }
    return "?";
}

struct Line {
    QString text;
    QByteArray bytes; // as fitsAscii gets it: the line's UTF-8
};

std::vector<Line> SplitLines(const std::uint8_t* data, std::size_t size, bool utf16) {
    std::vector<Line> lines;
    if (utf16) {
        QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8));
        for (const QString& part : text.split(u'\n'))
            lines.push_back(Line{part, part.toUtf8()});
    } else {
        const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        for (const QByteArray& part : bytes.split('\n'))
            lines.push_back(Line{QString::fromUtf8(part), part});
    }
    return lines;
}

QString RepeatedTo(const QString& text, qsizetype length) {
    QString result;
    result.reserve(length);
    while (result.size() < length)
        result += text;
    result.truncate(length);
    return result;
}

// CanMakeWord counts the seed anew for each candidate, which is slow enough
// to be asked only now and then.
void CheckCandidate(const SeedLetters& letters, const QString& seed, const Counts& have,
                    const Line& candidate, bool alsoCanMakeWord) {
    const bool expected = OracleFits(have, candidate.text);
    const auto where = [&] {
        return "seed " + Escaped(seed) + ", candidate " + Escaped(candidate.text) + ": expected " +
               (expected ? "a fit" : "no fit");
    };
    FUZZ_CHECK(letters.fits(candidate.text) == expected, "fits, " + where());
    if (alsoCanMakeWord)
        FUZZ_CHECK(CanMakeWord(seed, candidate.text) == expected, "CanMakeWord, " + where());

    const SeedLetters::AsciiFit ascii = letters.fitsAscii(candidate.bytes);
    const SeedLetters::AsciiFit expectedAscii = OracleFitsAscii(have, candidate.bytes);
    FUZZ_CHECK(ascii == expectedAscii, std::string("fitsAscii is ") + Name(ascii) + ", expected " +
                                           Name(expectedAscii) + "; seed " + Escaped(seed) +
                                           ", candidate " + Escaped(candidate.bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const unsigned flags = data[0];
    std::vector<Line> lines = SplitLines(data + 1, size - 1, flags & 1);
    constexpr std::size_t MostCandidates = 32;
    if (lines.size() > MostCandidates + 1)
        lines.resize(MostCandidates + 1);

    QString seed = lines.front().text;
    if ((flags & 2) && !seed.isEmpty() && lines.size() > 1 && !lines[1].text.isEmpty()) {
        seed = RepeatedTo(seed, 2 * LongestFit + 7);
        lines[1].text = RepeatedTo(lines[1].text, LongestFit + ((flags & 4) ? 1 : 0));
        lines[1].bytes = lines[1].text.toUtf8();
    }

    // One SeedLetters for all candidates, as the run uses it, and for all
    // inputs, reset for each: every answer must be as if it were the first.
    static SeedLetters letters;
    letters.reset(seed);
    const Counts have = LowerCounts(seed);
    for (std::size_t i = 1; i < lines.size(); ++i)
        CheckCandidate(letters, seed, have, lines[i], i == 1);

    // The same after a reset, with the roles of seed and candidate swapped.
    if (lines.size() > 1) {
        const QString& newSeed = lines[1].text;
        letters.reset(newSeed);
        CheckCandidate(letters, newSeed, LowerCounts(newSeed), Line{seed, seed.toUtf8()}, false);
    }
    return 0;
}
