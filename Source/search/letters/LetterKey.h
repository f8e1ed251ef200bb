#pragma once

#include <QString>
#include <QStringView>

namespace Vorlaine {

// The text with its accents taken off: canonical decomposition, then every
// combining mark dropped, so é, è and ê all become e; and ß, æ and œ written
// as the two letters they stand for: ss, ae, oe. Case stays.
QString WithoutAccents(QStringView text);

// The letters a word is compared by: each UTF-16 code unit lower-cased on its
// own, as the letter fit does, after taking the accents off when asked.
QString LetterKey(QStringView word, bool foldAccents);

// The word lower-cased as LetterKey does, its accents kept: what words are
// put in order by.
inline QString LowerCaseKey(QStringView word) {
    return LetterKey(word, false);
}

// Whether two words are the same word to a search: their letter keys are
// equal, so case never counts, and accents do not when folded. Phrase
// anagrams take each word once by this rule (keyed by LetterKey), and a word
// the anagrams must hold, or may hold once only, is found by it.
bool SameWord(QStringView first, QStringView second, bool foldAccents);

// The order of words inside an anagram, and of --sort length: longest first,
// then by their lower-cased letters in code-unit order. Takes the words
// lower-cased (as LetterKey without folding), which keeps their lengths.
// Negative when `first` goes first, 0 for a tie.
int CompareLongestFirst(QStringView firstLower, QStringView secondLower);

} // namespace Vorlaine
