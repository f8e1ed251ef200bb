#include "search/LetterKey.h"

#include <algorithm>

namespace Vorlaine {

QString WithoutAccents(QStringView text) {
    // ASCII has nothing to take off, and most words are ASCII.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toString();
    QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    decomposed.removeIf([](QChar c) { return c.isMark(); });
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
