#pragma once

#include "search/letters/Edition.h"

#include <QString>
#include <QStringView>
#include <memory>

namespace Vorlaine {

// How a search compares words: by their letter keys, one UTF-16 code unit a
// letter (LetterKey) or, with an edition of the crossword tile game
// (--tiles), one a tile of the edition (EditionAlphabet). With foldAccents,
// letters lose their accents; with an edition, only those it has no tile for.
class LetterKeys {
public:
    explicit LetterKeys(bool foldAccents = false) : foldAccents_(foldAccents) {}
    LetterKeys(TileSet edition, bool foldAccents)
        : foldAccents_(foldAccents),
          edition_(std::make_shared<const EditionAlphabet>(edition, foldAccents)) {}

    QString key(QStringView word) const;
    // The key of an ASCII word into `key`, keeping its room.
    void asciiKey(QByteArrayView word, QString& key) const;
    bool operator==(const LetterKeys& other) const {
        return foldAccents_ == other.foldAccents_ && edition_ == other.edition_;
    }

    bool foldAccents() const { return foldAccents_; }
    // The edition's alphabet; null without one.
    const EditionAlphabet* edition() const { return edition_.get(); }
    // Whether the key of an ASCII word is its bytes lower-cased, one unit a
    // byte, so that the tests made on bytes hold; not with tiles of two
    // letters (the Spanish ch).
    bool asciiKeyIsBytes() const { return !edition_ || !edition_->hasMultiLetterTiles(); }
    // What a unit of a key shows as: "ch" for the Spanish ch tile.
    QString letters(char16_t unit) const;
    // A word as a regular expression sees it: folded as the keys are, its
    // tiles not split.
    QString folded(QStringView word) const;

private:
    bool foldAccents_;
    std::shared_ptr<const EditionAlphabet> edition_;
};

} // namespace Vorlaine
