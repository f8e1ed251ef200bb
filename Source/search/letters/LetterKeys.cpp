#include "search/letters/LetterKeys.h"

#include "search/letters/LetterKey.h"

namespace Vorlaine {

QString LetterKeys::key(QStringView word) const {
    return edition_ ? edition_->key(word) : LetterKey(word, foldAccents_);
}

void LetterKeys::asciiKey(QByteArrayView word, QString& key) const {
    if (edition_) {
        edition_->asciiKey(word, key);
        return;
    }
    key.resize(word.size());
    QChar* out = key.data();
    for (const char c : word)
        *out++ = QChar(static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
}

QString LetterKeys::letters(char16_t unit) const {
    return edition_ ? edition_->letters(unit) : QString(QChar(unit));
}

QString LetterKeys::folded(QStringView word) const {
    if (edition_)
        return edition_->foldedText(word);
    return foldAccents_ ? WithoutAccents(word) : word.toString();
}

} // namespace Vorlaine
