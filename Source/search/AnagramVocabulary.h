#pragma once

#include "files/WordLength.h"
#include "search/LetterFit.h"
#include "search/PhraseAnagrams.h"
#include "search/WordSearch.h"

#include <QSet>
#include <QString>
#include <optional>
#include <vector>

namespace Vorlaine {

// The words of a list that take part in a search for a phrase's anagrams.
// Each word takes part once, spelled as the list first spells it (SameWord).
// A word every anagram must hold is taken out of the phrase; the rest is
// searched for in one word fewer, and the word is put back in its place when
// an anagram is printed.
class AnagramVocabulary {
public:
    struct Rules {
        bool foldAccents = false;
        bool distinct = false; // no word twice in one anagram
        int maxWords = 2;
        int blanks = 0;
        double minimumLength = 0;
        qsizetype maximumLength = MaxWordLength;
        QString include = {};      // as typed; empty for none
        QStringList excluded = {}; // words no anagram may hold
        int minimumWords = 1;      // the included word counts as one
        bool noProperNouns = false;
    };

    // `phrase` as typed: blanks and tabs only separate its words.
    AnagramVocabulary(const QString& phrase, const Rules& rules);

    // The phrase's letters, blanks and tabs left out.
    qsizetype phraseLength() const { return phraseKey_.size(); }
    // False when the phrase lacks letters of the included word.
    bool holdsInclude() const { return searched_.has_value(); }
    // What to search the list for: every word that may take part, and more.
    WordQuery query() const;
    // Offers each word the query found, in the list's order.
    void offer(const QString& word);
    // After the last word: ranks them for the order inside an anagram, and
    // finds the included word's place among them.
    void rank();

    const std::vector<QString>& words() const { return words_; }
    // Whether the included word goes before the vocabulary's word `index`.
    bool includeGoesBefore(std::size_t index) const { return includeBefore_[index]; }
    // The included word as the list spells it, or as typed when the list
    // lacks it; empty for none.
    const QString& include() const { return includeSpelling_; }
    // The included word is the whole phrase: its one anagram needs no search.
    bool includeIsWholePhrase() const;
    // The words as the search takes them, ranked.
    const std::vector<AnagramWord>& keyedWords() const { return keyed_; }
    // The search of the rest of the phrase; the vocabulary's words go to it.
    PhraseAnagrams takeSearch();

private:
    Rules rules_;
    QString phraseKey_;
    std::optional<QString> searched_; // the phrase without the included word
    QString includeKey_;
    QString includeSpelling_;
    bool includeListed_ = false;
    SeedLetters searchedLetters_;
    QSet<QString> taken_;
    QSet<QString> excluded_;
    std::vector<QString> words_;
    std::vector<AnagramWord> keyed_;
    std::vector<bool> includeBefore_;
};

} // namespace Vorlaine
