#pragma once

#include "cli/Options.h"
#include "cli/ResultLines.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <span>
#include <vector>

namespace Vorlaine {

class AnagramVocabulary;
class WordHooks;
struct WordMatch;

// Turns a search's finds into lines, in one format: a word (with its seed,
// for many seeds) or an anagram, handed to the lines that go to standard
// output and, with CR LF, to the output file. One subclass per format.
class ResultPrinter {
public:
    virtual ~ResultPrinter() = default;

    // Whether the format shows a word's score and the letters of its blanks;
    // the search works them out only then.
    virtual bool showsScores() const = 0;

    // A word found for the seed in hand; the seed shows with many seeds.
    virtual bool printWord(const QString& seed, const WordMatch& match) = 0;
    // The hooks of the words found, shown with each word from now on.
    void setHooks(const WordHooks* hooks) { hooks_ = hooks; }

    // The words anagrams are made of, each made into its printed form once,
    // and the score every anagram has.
    void setAnagramWords(const AnagramVocabulary& vocabulary, int score);
    // An anagram of the vocabulary's words, by their indices, with the
    // included words in their places.
    bool printAnagram(std::span<const int> indices);

    qint64 count() const { return lines_.count(); }

protected:
    ResultPrinter(ResultLines& lines, bool withSeed) : lines_(lines), withSeed_(withSeed) {}

    // A word of an anagram as the format prints it.
    virtual QByteArray anagramWord(const QString& word) const = 0;
    // How the line of an anagram joins the words' printed forms.
    virtual ResultLines::Joins anagramJoins() const = 0;
    // The end of the line of the anagram of the vocabulary's words
    // `indices`, where it tells of them; null for the joins' tail.
    virtual QByteArrayView anagramTail(std::span<const int> /*indices*/) { return {}; }

    ResultLines& lines_;
    const bool withSeed_;
    const WordHooks* hooks_ = nullptr;
    const AnagramVocabulary* vocabulary_ = nullptr;
    int anagramScore_ = 0;

private:
    // The printed forms of the vocabulary's words, then of the included
    // words, by index.
    ResultLines::AnagramWords words_;
    int firstIncluded_ = 0;
    int included_ = 0;
    std::vector<int> order_; // of the anagram being printed, with the included words
};

// The printer of the format; withSeed when many seeds are searched.
std::unique_ptr<ResultPrinter> MakeResultPrinter(OutputFormat format, ResultLines& lines,
                                                 bool withSeed);

} // namespace Vorlaine
