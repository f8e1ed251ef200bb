#include "search/letters/TileValues.h"

#include "search/letters/LetterKey.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
// A value far beyond any game's keeps every word's score within an int.
constexpr int MostValue = 10000;
} // namespace

TileValues TileValues::Edition(TileSet set, bool foldAccents) {
    TileValues tiles;
    // Plain letters first, so that a folded accented letter never takes the
    // value of the letter it folds to.
    for (const bool plain : {true, false}) {
        for (const EditionTile& tile : EditionOf(set).tiles) {
            if (tile.letters.size() != 1)
                continue;
            const char16_t letter = tile.letters.front();
            const QString key = LetterKey(QStringView(&letter, 1), foldAccents);
            const bool unchanged = key.size() == 1 && key.front() == QChar(letter);
            if (unchanged == plain && key.size() == 1 &&
                !tiles.values_.contains(key.front().unicode()))
                tiles.values_.insert(key.front().unicode(), tile.value);
        }
    }
    return tiles;
}

TileValues TileValues::Of(const LetterKeys& keys) {
    const EditionAlphabet* edition = keys.edition();
    if (edition == nullptr)
        return Edition(TileSet::English, keys.foldAccents());
    TileValues tiles;
    for (const EditionTile& tile : edition->tiles()) {
        const QString key = keys.key(QStringView(tile.letters.data(),
                                                 static_cast<qsizetype>(tile.letters.size())));
        if (key.size() == 1)
            tiles.values_.insert(key.front().unicode(), tile.value);
    }
    return tiles;
}

std::optional<TileValues> TileValues::parse(QStringView text, const LetterKeys& keys,
                                            QString& error) {
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
        const QString letter = keys.key(trimmed.first(blank));
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
