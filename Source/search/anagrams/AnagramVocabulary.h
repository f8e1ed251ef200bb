#pragma once

#include "files/WordLength.h"
#include "search/anagrams/PhraseAnagrams.h"
#include "search/letters/LetterKeys.h"
#include "search/letters/SeedLetters.h"
#include "search/letters/TileValues.h"
#include "search/query/WordSearch.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

namespace Vorlaine {

// What makes an anagram of a phrase, beyond its words: how many words, and
// which words it must or must not hold.
struct PhraseRules {
    int maxWords = 0;          // anagrams of 1 to maxWords words; 0: no phrase search
    int minimumWords = 1;      // the included words count too
    bool distinct = false;     // no word twice in one anagram
    QStringList included = {}; // words every anagram holds, as typed
    QStringList excluded = {}; // words no anagram may hold

    bool operator==(const PhraseRules&) const = default;
};

// The words of a list that take part in a search for a phrase's anagrams.
// Each word takes part once, spelled as the list first spells it (SameWord).
// Words every anagram must hold are taken out of the phrase; the rest is
// searched for in as many words fewer, and they are put back in their places
// when an anagram is printed.
class AnagramVocabulary {
public:
    // `phrase` as typed: blanks and tabs only separate its words. `words` is
    // what a word must be to take part, as for a search of single words:
    // its blanks, lengths and filters; its seed and mode are the vocabulary's.
    // The keys must outlive the vocabulary.
    AnagramVocabulary(const QString& phrase, const WordQuery& words, const PhraseRules& rules,
                      const LetterKeys& keys);

    // The phrase's letters, blanks and tabs left out.
    qsizetype phraseLength() const { return phraseKey_.size(); }
    // False when the phrase lacks letters of the included words.
    bool holdsIncluded() const { return searched_.has_value(); }
    // What to search the list for: every word that may take part, and more.
    WordQuery query() const;
    // Offers each word the query found, in the list's order.
    void offer(const QString& word);
    // After the last word: ranks them for the order inside an anagram, and
    // finds the included words' places among them.
    void rank();

    const std::vector<QString>& words() const { return words_; }
    // The words as the search takes them, ranked.
    const std::vector<AnagramWord>& keyedWords() const { return keyed_; }
    // The included words, in their order inside an anagram, as the list
    // spells them, or as typed where the list lacks them.
    const QStringList& included() const { return includedSpellings_; }
    // How many of the included words go before the vocabulary's word `index`.
    int includedBefore(std::size_t index) const { return includedBefore_[index]; }
    // How many words the search of the rest of the phrase may use, and
    // whether the included words are the whole anagram.
    int searchedWords() const;
    bool includedAreWholePhrase() const;
    // The search of the rest of the phrase; the vocabulary's words go to it.
    PhraseAnagrams takeSearch();

    // Every anagram scores the phrase's tiles: the blanks play the rest and
    // score nothing.
    int phraseScore(const TileValues& tiles) const;
    bool hasBlanks() const { return query_.blanks > 0; }
    // The letters the blanks stand for in an anagram of the vocabulary's
    // words, by their indices, in the order of the keys.
    QString blankLetters(std::span<const int> indices) const;

private:
    WordQuery query_;
    PhraseRules rules_;
    const LetterKeys& keys_;
    QString phraseKey_;
    std::optional<QString> searched_; // the phrase without the included words
    QStringList includedKeys_;
    QStringList includedSpellings_;
    std::vector<bool> includedListed_;
    SeedLetters searchedLetters_;
    QSet<QString> taken_;
    QSet<QString> excluded_;
    std::vector<QString> words_;
    std::vector<AnagramWord> keyed_;
    std::vector<QString> blankedKeys_; // the words' keys, kept for blankLetters
    QString sortedSearched_;
    std::vector<int> includedBefore_;
};

} // namespace Vorlaine
