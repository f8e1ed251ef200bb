#pragma once

#include "files/TextEncoding.h"
#include "files/WordLength.h"
#include "search/letters/TileValues.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QRegularExpression;

namespace Vorlaine {

class SeedLetters;
class WordIndex;
class WordList;
class WordListReader;
class WordPattern;

// How a word must use the seed's letters.
enum class FitMode {
    Within,      // no letter more often than the seed has it (blanks make up the rest)
    Anagram,     // every letter of the seed, and every blank
    ContainsAll, // at least every letter of the seed, with any others besides
};

// One search of a word list: a seed and what a word must be to be listed.
struct WordQuery {
    QString seed;
    qsizetype blanks = 0; // tiles that stand for any one letter each
    FitMode mode = FitMode::Within;
    double minimumLength = 0; // in letters played: UTF-16 code units, as the make-words run
                              // counts, after folding when the accents are folded
    qsizetype maximumLength = MaxWordLength;
    const WordPattern* pattern = nullptr;      // the whole word must match it
    const QRegularExpression* regex = nullptr; // found anywhere in the word
    bool scores = true;                        // whether matches need their score and blanks
    bool noProperNouns = false;                // leaves out words that begin with a capital
    // Each exact word only once. A caller that keeps only the best few of the
    // words can weed out repeats among those instead, and save the memory.
    bool eachWordOnce = true;
};

// A word of the list that the query lists.
struct WordMatch {
    QByteArray bytes;     // as the list has it (for a list in memory, no copy of them)
    QString word;         // as the list spells it
    int score = 0;        // the tile values of the letters played from the seed
    QString blanks;       // the letters the blanks stand for, in the word's order
                          // (both only when the query asks for scores)
    qsizetype length = 0; // the letters it plays, as the lengths are compared
};

// Searches word lists: a query yields the words that fit it, in the list's
// order, each exact word once.
class WordSearch {
public:
    // The tiles must outlive the search.
    WordSearch(const TileValues& tiles, bool foldAccents);
    ~WordSearch();

    enum class Outcome {
        Done,
        Stopped,      // `found` or `progress` asked to stop
        RegexTooSlow, // the regular expression hit its match limit on a word
    };
    // How a run ended, and what it found out on the way.
    struct Result {
        Outcome outcome = Outcome::Done;
        QString failedWord; // the word the expression gave up on
    };
    using Found = std::function<bool(const WordMatch&)>;
    // Told the share of the list searched now and then; false stops the search.
    using Progress = std::function<bool(double)>;

    // Searches the rest of a list as it is read, in one pass: the way for one
    // seed. itemTotal, from a counting pass, is for the progress only.
    Result run(const WordQuery& query, WordListReader& reader, qint64 itemTotal, const Found& found,
               const Progress& progress = {}) const;

    // Groups the list's words by the set of letters they use, so that every
    // later query of this list looks only at the groups whose letters the seed
    // has: the way for many seeds. The list must outlive the search.
    void buildIndex(const WordList& list);
    // Searches a list in memory, through its index if it has one.
    Result run(const WordQuery& query, const WordList& list, const Found& found,
               const Progress& progress = {}) const;

private:
    class Query;

    const TileValues& tiles_;
    bool foldAccents_;
    // The seed's letters, counted anew for each query; large, so kept.
    const std::unique_ptr<SeedLetters> letters_;

    // Built for one list at a time.
    const std::unique_ptr<WordIndex> index_;
};

// The orders a list of matches can be sorted in.
enum class SortOrder {
    List,   // as the list has them
    Alpha,  // the lower-cased words in code-unit order
    Length, // longest first, then alpha
    Score,  // highest first, then alpha
};
// Sorts, keeping the list's order among equals. `goOn`, when set, is asked now
// and then whether to go on; false stops the sort and leaves the matches in no
// particular order, and SortMatches returns false.
bool SortMatches(std::vector<WordMatch>& matches, SortOrder order,
                 const std::function<bool()>& goOn = {});

} // namespace Vorlaine
