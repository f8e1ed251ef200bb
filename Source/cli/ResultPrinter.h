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
    // The line of an anagram of these words, in their printed forms; by
    // `indices`, the vocabulary's words it is made of.
    virtual bool addAnagram(std::span<const QByteArrayView> words,
                            std::span<const int> indices) = 0;

    ResultLines& lines_;
    const bool withSeed_;
    const WordHooks* hooks_ = nullptr;
    const AnagramVocabulary* vocabulary_ = nullptr;
    int anagramScore_ = 0;

private:
    std::vector<QByteArray> anagramWords_;
    std::vector<QByteArray> included_;
    std::vector<QByteArrayView> parts_; // of the anagram being printed
};

// The printer of the format; withSeed when many seeds are searched.
std::unique_ptr<ResultPrinter> MakeResultPrinter(OutputFormat format, ResultLines& lines,
                                                 bool withSeed);

} // namespace Vorlaine
