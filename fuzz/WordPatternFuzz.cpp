// Fuzzes the crossword pattern. The first byte holds flags (1: fold accents),
// then lines of UTF-8: the first is the pattern, every further one a word. The
// pattern's verdict on each word, and whether it compiles at all, are compared
// with a plain recursive matcher that reads the pattern as it goes.

#include "FuzzCheck.h"
#include "search/letters/LetterKey.h"
#include "search/letters/LetterKeys.h"
#include "search/query/WordPattern.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

using namespace Vorlaine;
using Fuzz::Escaped;

namespace {

// Where the bracket expression that starts at `open` ends (the index of its
// ]), and whether the unit is in it; nothing when it is malformed.
std::optional<qsizetype> ReadSet(QStringView p, qsizetype open, char16_t unit, bool& inSet) {
    qsizetype i = open + 1;
    bool negated = false;
    if (i < p.size() && (p[i] == u'!' || p[i] == u'^')) {
        negated = true;
        ++i;
    }
    bool listed = false;
    for (const qsizetype first = i; i < p.size(); ++i) {
        if (p[i] == u']' && i != first) {
            inSet = listed != negated;
            return i;
        }
        if (i + 2 < p.size() && p[i + 1] == u'-' && p[i + 2] != u']') {
            if (p[i + 2] < p[i])
                return std::nullopt;
            listed = listed || (p[i] <= unit && unit <= p[i + 2]);
            i += 2;
        } else {
            listed = listed || p[i] == unit;
        }
    }
    return std::nullopt;
}

bool OracleValid(QStringView p) {
    bool unused = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        if (p[i] == u'[') {
            const auto close = ReadSet(p, i, 0, unused);
            if (!close)
                return false;
            i = *close;
        }
    }
    return true;
}

bool OracleMatches(QStringView p, QStringView w) {
    if (p.isEmpty())
        return w.isEmpty();
    if (p[0] == u'*')
        return OracleMatches(p.sliced(1), w) || (!w.isEmpty() && OracleMatches(p, w.sliced(1)));
    if (w.isEmpty())
        return false;
    if (p[0] == u'?')
        return OracleMatches(p.sliced(1), w.sliced(1));
    if (p[0] == u'[') {
        bool inSet = false;
        const auto close = ReadSet(p, 0, w[0].unicode(), inSet);
        return inSet && OracleMatches(p.sliced(*close + 1), w.sliced(1));
    }
    return p[0] == w[0] && OracleMatches(p.sliced(1), w.sliced(1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool fold = data[0] & 1;
    const QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1))
            .split('\n');
    const QString patternText = QString::fromUtf8(lines.front());
    // Each * tries every split of the rest; keep the model's work small.
    if (patternText.count(u'*') > 6 || patternText.size() > 64)
        return 0;

    QString error;
    const std::optional<WordPattern> pattern = WordPattern::compile(patternText, LetterKeys(fold), error);
    const QString key = LetterKey(patternText, fold);
    FUZZ_CHECK(pattern.has_value() == OracleValid(key),
               "pattern " + Escaped(patternText) + (pattern ? " compiled" : " was refused"));
    if (!pattern)
        return 0;
    for (qsizetype i = 1; i < lines.size() && i <= 32; ++i) {
        const QString word = LetterKey(QString::fromUtf8(lines[i]).left(40), fold);
        const bool expected = OracleMatches(key, word);
        FUZZ_CHECK(pattern->matches(word) == expected,
                   "pattern " + Escaped(patternText) + ", word " + Escaped(word) + ": expected " +
                       (expected ? "a match" : "no match"));
    }
    return 0;
}
