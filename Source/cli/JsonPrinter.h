#pragma once

#include "cli/ResultPrinter.h"

namespace Vorlaine {

// JSON Lines: an object a line, {"word", "length", "score", "blanks"} (and
// "seed", for many seeds), or {"words": [...]} for an anagram.
class JsonPrinter : public ResultPrinter {
public:
    JsonPrinter(ResultLines& lines, bool withSeed) : ResultPrinter(lines, withSeed) {}

    bool showsScores() const override { return true; }
    bool printWord(const QString& seed, const WordMatch& match) override;

protected:
    QByteArray anagramWord(const QString& word) const override;
    ResultLines::Joins anagramJoins() const override { return {"{\"words\":[", ",", "]}"}; }

private:
    QByteArray line_;
};

} // namespace Vorlaine
