#pragma once

#include "cli/Options.h"
#include "cli/ResultLines.h"

#include <QByteArray>
#include <QString>
#include <span>
#include <vector>

namespace Vorlaine {

class AnagramVocabulary;
struct WordMatch;

// What turns a search's finds into lines: a word (with its seed, for many
// seeds) or an anagram, plain or as a JSON object, handed to the lines that
// go to standard output and, with CR LF, to the output file. A word on a
// plain line of its own goes to the file as the list has it, as from the
// window.
class ResultPrinter {
public:
    ResultPrinter(const Options& options, ResultLines& lines);

    bool printWord(const QString& seed, const WordMatch& match);

    // The words anagrams are made of, each made into its printed form once.
    void setAnagramWords(const AnagramVocabulary& vocabulary);
    // An anagram of the vocabulary's words, by their indices, with the
    // included words in their places.
    bool printAnagram(std::span<const int> indices);

    qint64 count() const { return lines_.count(); }

private:
    QByteArray printedWord(const QString& word) const;

    ResultLines& lines_;
    const OutputFormat format_;
    const bool withSeed_;
    QString seed_;
    QByteArray seedUtf8_;
    QByteArray line_;

    const AnagramVocabulary* vocabulary_ = nullptr;
    std::vector<QByteArray> anagramWords_;
    std::vector<QByteArray> included_;
    std::vector<QByteArrayView> parts_; // of the anagram being printed
};

} // namespace Vorlaine
