#pragma once

#include "search/letters/Edition.h"
#include "search/letters/LetterKeys.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>

namespace Vorlaine {

// What each letter scores when played from the seed. Letters are units of
// letter keys (LetterKeys): lower-cased code units, or an edition's tiles; a
// letter without a value scores 0.
class TileValues {
public:
    // The published values of the edition's single-letter tiles. Multi-letter
    // tiles (the Spanish ch, the Catalan ny) have no single letter: words score
    // those letters one by one. With foldAccents an accented letter scores as
    // the plain letter it folds to, as the words compare.
    static TileValues Edition(TileSet set, bool foldAccents);
    static TileValues English() { return Edition(TileSet::English, false); }
    // The values the keys compare by: with an edition, each of its tiles',
    // those of two letters too; without, the English edition's.
    static TileValues Of(const LetterKeys& keys);

    // Values from text of lines "letter value": a letter (or a tile of the
    // keys' edition, "ch"), blanks, a whole number. Empty lines are skipped.
    // The letters are keyed as the words are. On a malformed line, returns
    // nothing and says why.
    static std::optional<TileValues> parse(QStringView text, const LetterKeys& keys,
                                           QString& error);

    int value(char16_t letter) const { return values_.value(letter, 0); }

private:
    QHash<char16_t, int> values_;
};

} // namespace Vorlaine
