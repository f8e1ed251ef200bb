#pragma once

#include "cli/ResultPrinter.h"

namespace Vorlaine {

// A word a line (after its seed and a tab, for many seeds; between its hooks
// before and after it, and tabs, with hooks); an anagram's words on one
// line, a blank between them. A word on a line of its own goes to the file
// as the list has it, as from the window.
class PlainPrinter : public ResultPrinter {
public:
    PlainPrinter(ResultLines& lines, bool withSeed) : ResultPrinter(lines, withSeed) {}

    bool showsScores() const override { return false; }
    bool printWord(const QString& seed, const WordMatch& match) override;

protected:
    QByteArray anagramWord(const QString& word) const override { return word.toUtf8(); }
    ResultLines::Joins anagramJoins() const override { return {{}, " ", {}}; }

private:
    QString seed_;
    QByteArray seedUtf8_;
    QByteArray line_;
};

} // namespace Vorlaine
