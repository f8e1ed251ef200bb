#include "search/letters/Edition.h"

#include "search/letters/TileValues.h"
#include "support/DrawModel.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace Vorlaine {
namespace {

// Each edition's bag against the total its published table gives.
TEST(Edition, BagsHoldThePublishedNumberOfTiles) {
    const std::pair<TileSet, int> totals[] = {
        {TileSet::English, 100}, {TileSet::French, 102},  {TileSet::German, 102},
        {TileSet::Spanish, 100}, {TileSet::Italian, 120}, {TileSet::Dutch, 102},
        {TileSet::Polish, 100},  {TileSet::Catalan, 100},
    };
    for (const auto& [set, total] : totals) {
        const Edition& edition = EditionOf(set);
        EXPECT_EQ(edition.set, set);
        EXPECT_EQ(edition.blanks, 2);
        int tiles = edition.blanks;
        std::map<QString, int> seen;
        for (const EditionTile& tile : edition.tiles) {
            const QString letters = QString::fromUtf16(tile.letters.data(),
                                                       static_cast<qsizetype>(tile.letters.size()));
            EXPECT_EQ(letters, letters.toLower().normalized(QString::NormalizationForm_C));
            EXPECT_EQ(++seen[letters], 1) << letters.toStdString();
            EXPECT_GT(tile.count, 0);
            tiles += tile.count;
        }
        EXPECT_EQ(tiles, total) << static_cast<int>(set);
        EXPECT_EQ(EditionAlphabet(set, true).bagSize(), total);
    }
    // The English table's own check: its tiles are worth 187 points in all.
    int points = 0;
    for (const EditionTile& tile : EditionOf(TileSet::English).tiles)
        points += tile.value * tile.count;
    EXPECT_EQ(points, 187);
}

TEST(Edition, TileValuesAreTheSingleLetterTiles) {
    const TileValues catalan = TileValues::Edition(TileSet::Catalan, false);
    EXPECT_EQ(catalan.value(u'ç'), 10);
    EXPECT_EQ(catalan.value(u'x'), 10);
    EXPECT_EQ(catalan.value(u'l'), 1);
    EXPECT_EQ(catalan.value(u'q'), 0) << "only the qu tile";
    EXPECT_EQ(catalan.value(u'y'), 0) << "only the ny tile";
    EXPECT_EQ(TileValues::Edition(TileSet::Spanish, false).value(u'c'), 3);
}

struct Word {
    TileSet set;
    bool fold;
    const char16_t* word;
    const char16_t* letters; // the key read back, tile by tile, joined by '+'
    int score;
};

// Scores added up by hand from each edition's published table.
const Word Words[] = {
    {TileSet::English, true, u"Encyclopædia", u"e+n+c+y+c+l+o+p+a+e+d+i+a", 23},
    {TileSet::English, false, u"café", u"c+a+f+é", 3 + 1 + 4},
    {TileSet::English, true, u"rock'n'roll", u"r+o+c+k+'+n+'+r+o+l+l", 15},
    {TileSet::French, true, u"CŒUR", u"c+o+e+u+r", 3 + 1 + 1 + 1 + 1},
    {TileSet::French, true, u"maïs", u"m+a+i+s", 2 + 1 + 1 + 1},
    {TileSet::German, true, u"Straße", u"s+t+r+a+s+s+e", 7},
    {TileSet::German, false, u"Straße", u"s+t+r+a+ß+e", 5},
    {TileSet::German, true, u"Bär", u"b+ä+r", 3 + 6 + 1},
    {TileSet::German, false, u"Ba\u0308r", u"b+ä+r", 3 + 6 + 1},
    {TileSet::Spanish, true, u"ñandú", u"ñ+a+n+d+u", 8 + 1 + 1 + 2 + 1},
    {TileSet::Spanish, true, u"chorro", u"ch+o+rr+o", 5 + 1 + 8 + 1},
    {TileSet::Spanish, true, u"llama", u"ll+a+m+a", 8 + 1 + 3 + 1},
    {TileSet::Spanish, false, u"CHURRO", u"ch+u+rr+o", 5 + 1 + 8 + 1},
    {TileSet::Spanish, true, u"Chachacha", u"ch+a+ch+a+ch+a", 3 * (5 + 1)},
    {TileSet::Spanish, true, u"pingüino", u"p+i+n+g+u+i+n+o", 3 + 1 + 1 + 2 + 1 + 1 + 1 + 1},
    {TileSet::Spanish, true, u"kiwi", u"k+i+w+i", 1 + 1},
    {TileSet::Italian, true, u"perché", u"p+e+r+c+h+e", 5 + 1 + 2 + 2 + 8 + 1},
    {TileSet::Italian, true, u"qualità", u"q+u+a+l+i+t+a", 10 + 3 + 1 + 3 + 1 + 2 + 1},
    {TileSet::Dutch, true, u"ĳs", u"i+j+s", 1 + 4 + 2},
    {TileSet::Dutch, true, u"zeeën", u"z+e+e+e+n", 4 + 1 + 1 + 1 + 1},
    {TileSet::Polish, true, u"żółw", u"ż+ó+ł+w", 5 + 5 + 3 + 1},
    {TileSet::Polish, false, u"Źdźbło", u"ź+d+ź+b+ł+o", 9 + 2 + 9 + 3 + 3 + 1},
    {TileSet::Catalan, true, u"col·lecció", u"c+o+l·l+e+c+c+i+o", 2 + 1 + 10 + 1 + 2 + 2 + 1 + 1},
    {TileSet::Catalan, false, u"COL·LECCIÓ", u"c+o+l·l+e+c+c+i+ó", 2 + 1 + 10 + 1 + 2 + 2 + 1},
    {TileSet::Catalan, true, u"col.lecció", u"c+o+l·l+e+c+c+i+o", 20},
    {TileSet::Catalan, true, u"coŀlecció", u"c+o+l·l+e+c+c+i+o", 20},
    {TileSet::Catalan, true, u"Catalunya", u"c+a+t+a+l+u+ny+a", 2 + 1 + 1 + 1 + 1 + 1 + 10 + 1},
    {TileSet::Catalan, true, u"qualitat", u"qu+a+l+i+t+a+t", 8 + 6},
    {TileSet::Catalan, true, u"qüestió", u"qu+e+s+t+i+o", 8 + 5},
    {TileSet::Catalan, false, u"qüestió", u"q+ü+e+s+t+i+ó", 4},
    {TileSet::Catalan, true, u"plaça", u"p+l+a+ç+a", 3 + 1 + 1 + 10 + 1},
    {TileSet::Catalan, true, u"llibre", u"l+l+i+b+r+e", 1 + 1 + 1 + 3 + 1 + 1},
};

TEST(EditionAlphabet, WordsAsTheEditionsTiles) {
    for (const Word& w : Words) {
        const EditionAlphabet alphabet(w.set, w.fold);
        const QString key = alphabet.key(QStringView(w.word));
        QStringList letters;
        int score = 0;
        for (const QChar unit : key) {
            letters << alphabet.letters(unit.unicode());
            score += alphabet.value(unit.unicode());
        }
        const QString expected = QString::fromUtf16(w.letters);
        const std::string what = QString::fromUtf16(w.word).toStdString();
        EXPECT_EQ(letters.join(u'+'), expected) << what;
        EXPECT_EQ(key.size(), expected.split(u'+').size()) << what;
        EXPECT_EQ(score, w.score) << what;
    }
}

// A made-up bag small enough to try every draw from.
const EditionTile SmallTiles[] = {
    {u"a", 1, 3}, {u"b", 3, 2}, {u"c", 3, 1}, {u"ch", 5, 1}, {u"h", 4, 2},
};

// The small bag written one character a tile, as the draw model takes it.
QString BagOf(const Edition& edition) {
    QString bag(edition.blanks, u'?');
    for (std::size_t i = 0; i < edition.tiles.size(); ++i)
        bag +=
            QString(edition.tiles[i].count, edition.tiles[i].letters.size() > 1
                                                ? QChar(MultiLetterUnit(static_cast<qsizetype>(i)))
                                                : QChar(edition.tiles[i].letters.front()));
    return bag;
}

TEST(DrawCount, AgreesWithEveryDrawTried) {
    for (const int blanks : {0, 1, 2, 3}) {
        const Edition small{TileSet::English, SmallTiles, blanks, {}, {}};
        const EditionAlphabet alphabet(small, false);
        for (const char16_t* word : {u"", u"a", u"aa", u"aaaa", u"abba", u"bach", u"chacha", u"cab",
                                     u"hhh", u"bbbbb", u"chch", u"ax"}) {
            const QString key = alphabet.key(QStringView(word));
            const double expected = Testing::TryEveryDraw(BagOf(small), key).playing;
            EXPECT_EQ(DrawCount(alphabet, key), expected)
                << QString::fromUtf16(word).toStdString() << " with " << blanks << " blanks";
        }
    }
}

TEST(DrawCount, WorkedByHandFromThePublishedBags) {
    // English z ×1, o ×8, 2 blanks: z o o, z o ?, z ? ?, ? o o, ? o ?.
    const EditionAlphabet english(TileSet::English, false);
    EXPECT_EQ(DrawCount(english, u"zoo"), 1 * 28 + 1 * 8 * 2 + 1 * 1 + 2 * 28 + 1 * 8);
    EXPECT_DOUBLE_EQ(DrawProbability(english, u"zoo"), 109.0 / 161700); // C(100, 3)
    // Spanish ch ×1, o ×9, rr ×1: (1 + t)^2 (36 + 9t + t^2) = 36 + 81t + 55t^2 + ...
    const EditionAlphabet spanish(TileSet::Spanish, false);
    const QString chorro = spanish.key(u"chorro");
    EXPECT_EQ(DrawCount(spanish, chorro), 36 + 2 * 81 + 55);
    EXPECT_DOUBLE_EQ(DrawProbability(spanish, chorro), 253.0 / 3921225); // C(100, 4)
    EXPECT_EQ(DrawCount(spanish, spanish.key(u"kiwi")), 0) << "k has no tile, blank or not";
    EXPECT_EQ(DrawProbability(spanish, u""), 1.0);
    // Seven tiles the German bag holds once each: all seven, or blanks for one or two.
    const EditionAlphabet german(TileSet::German, false);
    EXPECT_EQ(DrawCount(german, u"qyxäöüj"), 1 + 7 * 2 + 21);
}

} // namespace
} // namespace Vorlaine
