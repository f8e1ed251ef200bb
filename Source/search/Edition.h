#pragma once

#include <span>
#include <string_view>
#include <utility>

namespace Vorlaine {

// The editions of the classic crossword tile game that are built in.
enum class TileSet { English, French, German, Spanish, Italian, Dutch, Polish, Catalan };

// One kind of tile: the letters it shows, lower-case and composed ("a", "ñ",
// "ch", "l·l"), what it scores and how many of it the bag holds.
struct EditionTile {
    std::u16string_view letters;
    int value;
    int count;
};

// Another way word lists write a multi-letter tile: "l.l" for l·l.
struct TileForm {
    std::u16string_view written;
    std::u16string_view tile;
};

// An edition's bag as published.
struct Edition {
    TileSet set;
    std::span<const EditionTile> tiles;
    int blanks;
    // Letters the edition has no tile for, beyond plain accents, as its
    // players write them: {u'ß', u"ss"}.
    std::span<const std::pair<char16_t, std::u16string_view>> spellings;
    std::span<const TileForm> tileForms;
};

const Edition& EditionOf(TileSet set);

} // namespace Vorlaine
