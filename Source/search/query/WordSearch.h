#pragma once

#include "files/TextEncoding.h"
#include "files/WordLength.h"
#include "search/letters/LetterKeys.h"
#include "search/letters/TileValues.h"
#include "search/query/WordQuery.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Vorlaine {

class SeedLetters;
class WordIndex;
class WordList;
class WordListReader;

// Searches word lists: a query yields the words that fit it, in the list's
// order, each exact word once.
class WordSearch {
public:
    // The tiles and the keys must outlive the search.
    WordSearch(const TileValues& tiles, const LetterKeys& keys);
    ~WordSearch();

    enum class Outcome {
        Done,
        Stopped, // `found` or `progress` asked to stop
        Failed,  // the query could not be answered; `failure` says why
    };
    // How a run ended.
    struct Result {
        Outcome outcome = Outcome::Done;
        QString failure;
    };
    using Found = std::function<bool(const WordMatch&)>;
    // Told the share of the list searched now and then; false stops the search.
    using Progress = std::function<bool(double)>;

    // Reads what the query needs besides the list (the words it leaves out),
    // so that a search, once begun, never waits for a file; a search does it
    // itself otherwise. The message when it cannot.
    QString prepare(const WordQuery& query) const;

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
    const LetterKeys& keys_;
    // The bag the chance of drawing a word is reckoned from: the edition's,
    // or the English one.
    const EditionAlphabet bag_;
    // The seed's letters, counted anew for each query; large, so kept.
    const std::unique_ptr<SeedLetters> letters_;

    // Built for one list at a time.
    const std::unique_ptr<WordIndex> index_;
};

// The orders a list of matches can be sorted in; AppendSortKey says what each
// compares, and MatchSorter sorts by it.
enum class SortOrder {
    List,        // as the list has them
    Alpha,       // the lower-cased words in code-unit order
    Length,      // the most letters played first, then alpha
    Score,       // highest first, then alpha
    Probability, // the likeliest to be drawn from a full bag first, then alpha
};

} // namespace Vorlaine
