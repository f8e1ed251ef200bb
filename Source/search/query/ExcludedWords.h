#pragma once

#include "search/letters/WordSet.h"

#include <QString>
#include <QStringView>

namespace Vorlaine {

class LetterKeys;

// The words of another list, which no word found may be (--not-in): what a
// new edition of a lexicon adds to the old. They are compared as the search
// compares words, by their letter keys, so case never counts, and accents do
// not when folded. The list is read by the first search that asks for it.
class ExcludedWords {
public:
    explicit ExcludedWords(const QString& path) : path_(path) {}

    const QString& path() const { return path_; }
    // Reads the list, once; the message when it cannot be read.
    QString read(const LetterKeys& keys);
    bool holds(QStringView key) const { return keys_.contains(key); }

private:
    QString path_;
    WordSet keys_;
    bool read_ = false;
    QString failure_;
};

} // namespace Vorlaine
