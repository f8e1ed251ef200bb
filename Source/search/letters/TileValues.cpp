#include "search/letters/TileValues.h"

#include "search/letters/LetterKey.h"

#include <algorithm>
#include <span>
#include <string_view>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
// A value far beyond any game's keeps every word's score within an int.
constexpr int MostValue = 10000;
} // namespace

namespace {
// An edition's letters by value, as the published tables group them.
struct ValueGroup {
    int value;
    std::u16string_view letters;
};

std::span<const ValueGroup> Groups(TileSet set) {
    static constexpr ValueGroup English[] = {{1, u"aeilnorstu"}, {2, u"dg"}, {3, u"bcmp"},
                                             {4, u"fhvwy"},      {5, u"k"},  {8, u"jx"},
                                             {10, u"qz"}};
    static constexpr ValueGroup French[] = {{1, u"aeilnorstu"}, {2, u"dgm"}, {3, u"bcp"},
                                            {4, u"fhv"},        {8, u"jq"},  {10, u"kwxyz"}};
    static constexpr ValueGroup German[] = {{1, u"adeinrstu"}, {2, u"ghlo"}, {3, u"bmwz"},
                                            {4, u"cfkp"},      {6, u"äjüv"}, {8, u"öx"},
                                            {10, u"qy"}};
    static constexpr ValueGroup Spanish[] = {{1, u"aeilnorstu"}, {2, u"dg"}, {3, u"bcmp"},
                                             {4, u"fhvy"},       {5, u"q"},  {8, u"jñx"},
                                             {10, u"z"}};
    static constexpr ValueGroup Italian[] = {{1, u"aeio"},  {2, u"crst"}, {3, u"lmnu"},
                                             {5, u"bdfpv"}, {8, u"ghz"},  {10, u"q"}};
    static constexpr ValueGroup Dutch[] = {{1, u"aeino"},  {2, u"drst"}, {3, u"bgklmp"},
                                           {4, u"fhjuvz"}, {5, u"cw"},   {8, u"xy"},
                                           {10, u"q"}};
    static constexpr ValueGroup Polish[] = {{1, u"aeinorswz"}, {2, u"cdklmpty"}, {3, u"bghjłu"},
                                            {5, u"ąęfóśż"},    {6, u"ć"},        {7, u"ń"},
                                            {9, u"ź"}};
    switch (set) {
    case TileSet::English:
        return English;
    case TileSet::French:
        return French;
    case TileSet::German:
        return German;
    case TileSet::Spanish:
        return Spanish;
    case TileSet::Italian:
        return Italian;
    case TileSet::Dutch:
        return Dutch;
    case TileSet::Polish:
        return Polish;
    }
    return English;
}
} // namespace

TileValues TileValues::Edition(TileSet set, bool foldAccents) {
    TileValues tiles;
    // Plain letters first, so that a folded accented letter never takes the
    // value of the letter it folds to.
    for (const bool plain : {true, false}) {
        for (const ValueGroup& group : Groups(set)) {
            for (const char16_t letter : group.letters) {
                const QString key = LetterKey(QStringView(&letter, 1), foldAccents);
                const bool unchanged = key.size() == 1 && key.front() == QChar(letter);
                if (unchanged == plain && key.size() == 1 &&
                    !tiles.values_.contains(key.front().unicode()))
                    tiles.values_.insert(key.front().unicode(), group.value);
            }
        }
    }
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
