#pragma once

#include "search/letters/Edition.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>

namespace Vorlaine {

// What each letter scores when played from the seed. Letters are lower-cased
// UTF-16 code units; a letter without a value scores 0.
class TileValues {
public:
    // The published values of the edition's single-letter tiles. Multi-letter
    // tiles (the Spanish ch, the Catalan ny) have no single letter: words score
    // those letters one by one. With foldAccents an accented letter scores as
    // the plain letter it folds to, as the words compare.
    static TileValues Edition(TileSet set, bool foldAccents);
    static TileValues English() { return Edition(TileSet::English, false); }

    // Values from text of lines "letter value": a letter, blanks, a whole number.
    // Empty lines are skipped. With foldAccents the letters lose their accents,
    // as the words do. On a malformed line, returns nothing and says why.
    static std::optional<TileValues> parse(QStringView text, bool foldAccents, QString& error);

    int value(char16_t letter) const { return values_.value(letter, 0); }

private:
    QHash<char16_t, int> values_;
};

} // namespace Vorlaine
