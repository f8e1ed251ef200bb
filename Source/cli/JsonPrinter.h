#pragma once

#include "cli/ResultPrinter.h"

namespace Vorlaine {

// JSON Lines: an object a line, {"word", "length", "score", "blanks",
// "probability"} (and "seed", for many seeds; "hooks_before" and
// "hooks_after", with hooks), or {"words": [...], "score", "blanks"} for an
// anagram.
class JsonPrinter : public ResultPrinter {
public:
    JsonPrinter(ResultLines& lines, bool withSeed) : ResultPrinter(lines, withSeed) {}

    bool showsScores() const override { return true; }
    bool printWord(const QString& seed, const WordMatch& match) override;

protected:
    QByteArray anagramWord(const QString& word) const override;
    ResultLines::Joins anagramJoins() const override { return {"{\"words\":[", ",", "]}"}; }
    QByteArrayView anagramTail(std::span<const int> indices) override;

private:
    QByteArray line_;
    QByteArray fixedTail_; // of every anagram, when the phrase has no blanks
    QByteArray tail_;
};

} // namespace Vorlaine
