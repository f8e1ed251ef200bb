#pragma once

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
    // The English tiles: a1 b3 c3 d2 e1 f4 g2 h4 i1 j8 k5 l1 m3 n1 o1 p3 q10 r1 s1 t1 u1
    // v4 w4 x8 y4 z10.
    static TileValues English();

    // Values from text of lines "letter value": a letter, blanks, a whole number.
    // Empty lines are skipped. With foldAccents the letters lose their accents,
    // as the words do. On a malformed line, returns nothing and says why.
    static std::optional<TileValues> parse(QStringView text, bool foldAccents, QString& error);

    int value(char16_t letter) const { return values_.value(letter, 0); }

private:
    QHash<char16_t, int> values_;
};

} // namespace Vorlaine
