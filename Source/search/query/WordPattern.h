#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <utility>
#include <vector>

namespace Vorlaine {

class LetterKeys;

// A crossword pattern that a whole word must match: ? stands for any one
// character, * for any run of characters (also none), [...] for one of the
// characters listed, where a-e stands for a range and a ! or ^ first for
// "none of these"; any other character stands for itself. Patterns and words
// are compared as letter keys (LetterKeys), so case is ignored, and with an
// edition's tiles, "ch" in a Spanish pattern is one tile.
class WordPattern {
public:
    // The pattern, or nothing when it is malformed (an unclosed [ or a
    // backwards range), with the reason in `error`.
    static std::optional<WordPattern> compile(QStringView pattern, const LetterKeys& keys,
                                              QString& error);

    // Whether the letter key of a word matches, as a whole.
    bool matches(QStringView key) const;
    // The units the pattern names as they are (not ?, * nor [...]): the
    // letters on the board, for --board.
    QString literals() const;

private:
    enum class Kind { Unit, AnyUnit, AnyRun, Set };
    struct Token {
        Kind kind;
        char16_t unit = 0; // Unit
        int set = 0;       // Set: index into sets_
    };
    struct Set {
        bool negated = false;
        std::vector<std::pair<char16_t, char16_t>> ranges; // inclusive
        bool contains(char16_t unit) const;
    };

    bool matchesOne(const Token& token, char16_t unit) const;

    std::vector<Token> tokens_;
    std::vector<Set> sets_;
};

} // namespace Vorlaine
