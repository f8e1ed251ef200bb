#pragma once

// The phrase anagram search's words, merged into entries by their letters.

#include "search/anagrams/PhraseAnagrams.h"

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Vorlaine {

namespace Anagram {

// A letter of an entry: its id in the alphabet and how often it occurs.
struct LetterCount {
    int letter;
    int count;
};

// The search counts in int; the vectors want size_t.
template <typename Vector> inline auto& At(Vector& vector, int i) {
    return vector[static_cast<std::size_t>(i)];
}

} // namespace Anagram

// The words merged into entries by their letters, with all that does not
// depend on which letters the blanks stand for.
struct AnagramEntries {
    QString problem;
    int maxWords = 1;
    bool distinct = false;
    int blanks = 0;
    int totalLength = 0; // the phrase's letters and the blanks

    int letters = 0;               // the alphabet: the phrase's and the entries' letters
    std::vector<int> phraseCount;  // per letter
    std::vector<int> extraLetters; // letters a blank can stand for, ascending

    std::vector<int> rank; // per word

    // Entry i has the letters letterBegin[i] .. letterBegin[i + 1] of
    // entryLetters and the words wordBegin[i] .. wordBegin[i + 1] of
    // entryWords, those by rank.
    std::vector<int> letterBegin{0};
    std::vector<Anagram::LetterCount> entryLetters;
    std::vector<int> wordBegin{0};
    std::vector<int> entryWords;
    std::vector<int> length;

    // Entries by the letters they have beyond the phrase's (with blanks only).
    std::map<std::vector<int>, std::vector<int>> byExcess;

    int entries() const { return static_cast<int>(length.size()); }
};

namespace Anagram {

// The entries of the words that fit the phrase with the blanks, or the
// problem that keeps the search from running.
std::unique_ptr<AnagramEntries> Prepare(QStringView phraseKey,
                                        const std::vector<AnagramWord>& words,
                                        const AnagramOptions& options);

// The entries that fit the phrase with the given extra letters (ascending):
// those whose letters beyond the phrase's are among the extras. `work` grows
// by the groups looked at, so that a search of many extras with few entries
// still tells its progress.
std::vector<int> EntriesFor(const AnagramEntries& p, const std::vector<int>& extras,
                            std::int64_t& work);

} // namespace Anagram

} // namespace Vorlaine
