#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace Vorlaine {

struct AnagramEntries;

struct AnagramWord {
    QString key;  // the letters the word is compared by, one per UTF-16 code unit
    int rank = 0; // order inside an anagram: lower first; distinct between words
};

struct AnagramOptions {
    int maxWords = 2;      // anagrams of 1 to maxWords words (>= 1)
    bool distinct = false; // a word may not appear twice in one anagram
    int blanks = 0; // the words hold the phrase's letters plus exactly this many more, any letters
};

// Every multiset of 1 to maxWords words whose letters together are exactly the
// phrase's letters plus `blanks` more. Keys are compared code unit by code
// unit: the caller folds case and accents beforehand. Words with the same
// letters are searched as one entry and spread back into their words only
// when an anagram is reported. Words with an empty key, or that do not fit
// the phrase with the blanks, never take part.
class PhraseAnagrams {
public:
    // Limits of the search's letter counts.
    static constexpr int MaxLetters = 256;  // different letters in the phrase
    static constexpr int MaxLength = 65535; // letters in the phrase with its blanks

    using Found = std::function<bool(std::span<const int> wordIndices)>;
    using Progress = std::function<bool(double shareDone)>;

    PhraseAnagrams(QStringView phraseKey, std::vector<AnagramWord> words,
                   const AnagramOptions& options);
    ~PhraseAnagrams();
    PhraseAnagrams(PhraseAnagrams&&) noexcept;
    PhraseAnagrams& operator=(PhraseAnagrams&&) noexcept;

    // Empty when the search can run; otherwise why not.
    QString problem() const;

    // Only anagrams of at least this many words are reported (1 to start with).
    void setMinimumWords(int words) { minimumWords_ = words; }

    // How anagrams with blanks are searched: each multiset of letters the
    // blanks can stand for on its own, or words first for all of them at
    // once. Automatic takes the one likely quicker; the others are there to
    // compare them.
    enum class BlankSearch { Automatic, EachTarget, WordsFirst };
    void setBlankSearch(BlankSearch how) { blankSearch_ = how; }

    // Calls `found` once per anagram with the indices (into the words given)
    // of its words, by rank; a word used twice appears twice. Anagrams come
    // as they are found, in the same order every time, and memory does not
    // grow with their number. `progress`, when set, is called after every
    // fraction of a millisecond of the search's own work with the share done
    // so far, which never goes back. Either returning false stops the search.
    // Returns true when the search ran to its end, false when it was stopped
    // or could not run. Searches keep their state to themselves, so several
    // may run at once.
    bool search(const Found& found, const Progress& progress = {}) const;

private:
    std::unique_ptr<const AnagramEntries> prepared_;
    int minimumWords_ = 1;
    BlankSearch blankSearch_ = BlankSearch::Automatic;
};

} // namespace Vorlaine
