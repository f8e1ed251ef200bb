#pragma once

#include <QString>
#include <functional>
#include <map>

namespace Vorlaine::Testing {

// Of every draw of as many tiles as the word has, from a bag written one
// character a tile ('?' a blank), how many can play the word: each drawn tile
// takes a letter of its own, and blanks take what is left, standing only for
// tiles the bag has. Every draw is tried, so keep bags and words small.
struct Draws {
    double playing = 0;
    double all = 0;
};

inline Draws TryEveryDraw(const QString& bag, const QString& word) {
    Draws draws;
    QString drawn;
    const std::function<void(qsizetype)> choose = [&](qsizetype from) {
        if (drawn.size() == word.size()) {
            ++draws.all;
            std::map<QChar, int> need;
            for (const QChar unit : word)
                ++need[unit];
            for (const QChar tile : drawn)
                if (tile != u'?' && --need[tile] < 0)
                    return;
            for (const auto& [unit, left] : need)
                if (left > 0 && !bag.contains(unit))
                    return;
            ++draws.playing;
            return;
        }
        for (qsizetype i = from; i < bag.size(); ++i) {
            drawn += bag[i];
            choose(i + 1);
            drawn.chop(1);
        }
    };
    choose(0);
    return draws;
}

} // namespace Vorlaine::Testing
