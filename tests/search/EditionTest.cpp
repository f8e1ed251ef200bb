#include "search/Edition.h"

#include "search/TileValues.h"

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

} // namespace
} // namespace Vorlaine
