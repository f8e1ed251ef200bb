#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <array>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

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

// The key unit of the multi-letter tile at `index` among its edition's tiles.
// Words are taken to hold no code units of this part of the Private Use Area.
constexpr char16_t MultiLetterUnit(qsizetype index) {
    return static_cast<char16_t>(0xE000 + index);
}

// An edition's alphabet as the search compares words: one UTF-16 code unit
// per tile. A single-letter tile is its lower-case letter, a multi-letter tile
// its MultiLetterUnit.
class EditionAlphabet {
public:
    EditionAlphabet(TileSet set, bool foldAccents) : EditionAlphabet(EditionOf(set), foldAccents) {}
    // Any edition, a made-up one too; it must outlive the alphabet.
    EditionAlphabet(const Edition& edition, bool foldAccents);

    // The word as the edition's tiles, composed (NFC) and lower-cased, each
    // multi-letter tile taken longest first, left to right. With foldAccents,
    // each letter the edition has no tile for is first written as its players
    // write it (its accents off, or the edition's spelling), so that "qü"
    // becomes the Catalan qu tile; without, such letters stay, one unit each.
    // Letters the edition has (ä in German, ñ in Spanish) never fold, and
    // characters other than letters (digits, hyphens, apostrophes) stay.
    QString key(QStringView word) const;
    // The word composed and folded as key() folds it, its case kept and its
    // tiles not split: a regular expression's escapes (\W, \D) keep their
    // meaning.
    QString foldedText(QStringView word) const;
    // The key of an ASCII word into `key`, whose room is kept: a search
    // keys hundreds of thousands of them.
    void asciiKey(QByteArrayView word, QString& key) const;
    // Whether some tile has more than one letter.
    bool hasMultiLetterTiles() const { return !forms_.empty(); }

    // What one unit of a key reads as: "ch" for the Spanish ch tile, the
    // unit itself otherwise.
    QString letters(char16_t unit) const;
    int value(char16_t unit) const; // 0 for a unit that is no tile
    int count(char16_t unit) const; // tiles of it in the full bag; 0 for none
    int blanks() const { return edition_->blanks; }
    std::span<const EditionTile> tiles() const { return edition_->tiles; }
    int bagSize() const { return bagSize_; } // blanks included

private:
    const EditionTile* tile(char16_t unit) const;
    QString folded(QStringView word) const;

    struct Form {
        QString written;
        char16_t unit;
    };

    const Edition* edition_;
    bool foldAccents_;
    int bagSize_ = 0;
    QHash<char16_t, qsizetype> singles_;      // a single-letter tile's letter, to its index
    std::vector<Form> forms_;                 // multi-letter tiles as written, longest first
    QString formStarts_;                      // the letters any of them starts with
    std::array<bool, 128> asciiFormStarts_{}; // the same, for ASCII
    QHash<char16_t, QString> spellings_;
};

// How many different draws of key.size() tiles from the edition's full bag can
// play the word whose key is given, each tile of the bag counted as distinct.
// A blank stands for any tile of the edition; a unit that is no tile (a
// Spanish k, a hyphen) cannot be played at all, so such a key has none.
double DrawCount(const EditionAlphabet& alphabet, QStringView key);
// The chance that a draw of key.size() tiles from the full bag can play it:
// DrawCount over the number of all such draws.
double DrawProbability(const EditionAlphabet& alphabet, QStringView key);

} // namespace Vorlaine
