#include "search/TileValues.h"

#include "search/LetterKey.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
// A value far beyond any game's keeps every word's score within an int.
constexpr int MostValue = 10000;
} // namespace

TileValues TileValues::English() {
    static constexpr int Values[26] = {1, 3, 3, 2,  1, 4, 2, 4, 1, 8, 5, 1, 3,
                                       1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10};
    TileValues tiles;
    for (char16_t letter = u'a'; letter <= u'z'; ++letter)
        tiles.values_.insert(letter, Values[letter - u'a']);
    return tiles;
}

std::optional<TileValues> TileValues::parse(QStringView text, bool foldAccents, QString& error) {
    TileValues tiles;
    qsizetype lineNumber = 0;
    for (const QStringView line : text.tokenize(u'\n')) {
        ++lineNumber;
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        const auto fail = [&](const QString& why) {
            error = u"line "_s + QString::number(lineNumber) + u": "_s + why;
            return std::nullopt;
        };
        const auto blankAt =
            std::find_if(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isSpace(); });
        const qsizetype blank = blankAt - trimmed.begin();
        if (blankAt == trimmed.end())
            return fail(u"expected a letter, a blank and a value, not '"_s + trimmed.toString() +
                        u'\'');
        const QString letter = LetterKey(trimmed.first(blank), foldAccents);
        if (letter.size() != 1)
            return fail(u"'"_s + trimmed.first(blank).toString() + u"' is not one letter"_s);
        bool number = false;
        const QStringView valueText = trimmed.sliced(blank).trimmed();
        const int value = valueText.toInt(&number);
        if (!number || value < 0 || value > MostValue)
            return fail(u"'"_s + valueText.toString() + u"' is not a whole number from 0 to "_s +
                        QString::number(MostValue));
        tiles.values_.insert(letter.front().unicode(), value);
    }
    return tiles;
}

} // namespace Vorlaine
