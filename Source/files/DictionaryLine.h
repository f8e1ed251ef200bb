#pragma once

#include <QByteArrayView>

namespace Vorlaine {

// The parts of a line of a hunspell .dic file, as hunspell reads it: the word,
// up to its flags after an unescaped slash, and the morphological fields
// ("po:noun") after a blank or tab, which are left out.
struct DictionaryLine {
    QByteArrayView word;  // may still hold "\/" escapes
    QByteArrayView flags; // empty when the word has none
    bool escaped = false; // the word holds "\/"
    // A line that is empty or begins with a tab (a comment) holds no word.
    bool empty() const { return word.isEmpty(); }
};

// Splits a line without its line end.
DictionaryLine SplitDictionaryLine(QByteArrayView line);

} // namespace Vorlaine
