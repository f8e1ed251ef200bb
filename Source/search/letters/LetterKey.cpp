#include "search/letters/LetterKey.h"

#include <algorithm>

namespace Vorlaine {

QString WithoutAccents(QStringView text) {
    // ASCII has nothing to take off, and most words are ASCII.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toString();
    QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    decomposed.removeIf([](QChar c) { return c.isMark(); });
    // Letters that are two letters, as German and French players write them
    // either way.
    static const std::pair<char16_t, const char16_t*> Pairs[] = {
        {u'\u00DF', u"ss"}, {u'\u1E9E', u"SS"}, {u'\u00E6', u"ae"},
        {u'\u00C6', u"AE"}, {u'\u0153', u"oe"}, {u'\u0152', u"OE"},
    };
    for (const auto& [letter, pair] : Pairs)
        decomposed.replace(QChar(letter), QString::fromUtf16(pair));
    return decomposed;
}

QString LetterKey(QStringView word, bool foldAccents) {
    QString key = foldAccents ? WithoutAccents(word) : word.toString();
    for (QChar& unit : key)
        unit = QChar(static_cast<char16_t>(QChar::toLower(unit.unicode())));
    return key;
}

bool SameWord(QStringView first, QStringView second, bool foldAccents) {
    // Without folding, a key is as long as its word.
    if (!foldAccents && first.size() != second.size())
        return false;
    return LetterKey(first, foldAccents) == LetterKey(second, foldAccents);
}

int CompareLongestFirst(QStringView firstLower, QStringView secondLower) {
    if (firstLower.size() != secondLower.size())
        return firstLower.size() > secondLower.size() ? -1 : 1;
    return firstLower.compare(secondLower, Qt::CaseSensitive);
}

} // namespace Vorlaine
