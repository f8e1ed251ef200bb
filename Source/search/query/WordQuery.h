#pragma once

#include "files/WordLength.h"

#include <QByteArray>
#include <QString>
#include <memory>

class QRegularExpression;

namespace Vorlaine {

class ExcludedWords;
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
    double minimumLength = 0; // in letters played: the units of the words' letter keys
                              // (code units, or an edition's tiles)
    qsizetype maximumLength = MaxWordLength;
    std::shared_ptr<const WordPattern> pattern; // the whole word must match it
    // Letters on the board: the whole word must match it, and its letters are
    // played with the seed's.
    std::shared_ptr<const WordPattern> board;
    std::shared_ptr<const QRegularExpression> regex; // found anywhere in the word
    bool scores = true;                              // whether matches need their score and blanks
    bool probability = false;             // whether matches need the chance of drawing their tiles
    bool noProperNouns = false;           // leaves out words that begin with a capital
    std::shared_ptr<ExcludedWords> notIn; // leaves out the words of another list
    // Each exact word only once. A caller that keeps only the best few of the
    // words can weed out repeats among those instead, and save the memory.
    bool eachWordOnce = true;

    bool operator==(const WordQuery&) const = default;
};

// A word of the list that the query lists.
struct WordMatch {
    QByteArray bytes;     // as the list has it (for a list in memory, no copy of them)
    QString word;         // as the list spells it
    int score = 0;        // the tile values of the letters played from the seed
    QString blanks;       // the letters the blanks stand for, in the word's order
                          // (both only when the query asks for scores)
    qsizetype length = 0; // the letters it plays, as the lengths are compared
    // The chance of drawing its tiles from a full bag (only when the query
    // asks for it).
    double probability = 0;
};

} // namespace Vorlaine
