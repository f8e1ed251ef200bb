#include "search/query/WordPattern.h"

#include "search/letters/LetterKeys.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

bool WordPattern::Set::contains(char16_t unit) const {
    const bool listed = std::any_of(ranges.begin(), ranges.end(), [unit](const auto& range) {
        return range.first <= unit && unit <= range.second;
    });
    return listed != negated;
}

std::optional<WordPattern> WordPattern::compile(QStringView pattern, const LetterKeys& keys,
                                                QString& error) {
    const QString key = keys.key(pattern);
    WordPattern compiled;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        if (c == u'?') {
            compiled.tokens_.push_back({Kind::AnyUnit});
        } else if (c == u'*') {
            // A run of stars matches what one does.
            if (compiled.tokens_.empty() || compiled.tokens_.back().kind != Kind::AnyRun)
                compiled.tokens_.push_back({Kind::AnyRun});
        } else if (c != u'[') {
            compiled.tokens_.push_back({Kind::Unit, c});
        } else {
            const qsizetype open = i++;
            Set set;
            if (i < key.size() && (key[i] == u'!' || key[i] == u'^')) {
                set.negated = true;
                ++i;
            }
            // A ] right after the opening lists itself.
            const qsizetype first = i;
            for (; i < key.size() && (key[i] != u']' || i == first); ++i) {
                const char16_t low = key[i].unicode();
                if (i + 2 < key.size() && key[i + 1] == u'-' && key[i + 2] != u']') {
                    const char16_t high = key[i + 2].unicode();
                    if (high < low) {
                        error =
                            u"the range "_s + key.sliced(i, 3) + u" in the pattern is backwards"_s;
                        return std::nullopt;
                    }
                    set.ranges.emplace_back(low, high);
                    i += 2;
                } else {
                    set.ranges.emplace_back(low, low);
                }
            }
            if (i >= key.size()) {
                error = u"the [ at character "_s + QString::number(open + 1) +
                        u" of the pattern is not closed"_s;
                return std::nullopt;
            }
            compiled.tokens_.push_back({Kind::Set, 0, static_cast<int>(compiled.sets_.size())});
            compiled.sets_.push_back(std::move(set));
        }
    }
    return compiled;
}

QString WordPattern::literals() const {
    QString units;
    for (const Token& token : tokens_) {
        if (token.kind == Kind::Unit)
            units += QChar(token.unit);
    }
    return units;
}

bool WordPattern::matchesOne(const Token& token, char16_t unit) const {
    switch (token.kind) {
    case Kind::Unit:
        return token.unit == unit;
    case Kind::AnyUnit:
        return true;
    case Kind::Set:
        return sets_[static_cast<std::size_t>(token.set)].contains(unit);
    case Kind::AnyRun:
        break;
    }
    return false;
}

// Every token but * takes exactly one unit, so on a mismatch it is enough to
// let the last * take one unit more and go on from there.
bool WordPattern::matches(QStringView key) const {
    const std::size_t tokens = tokens_.size();
    std::size_t t = 0;
    qsizetype w = 0;
    std::size_t starToken = tokens; // none yet
    qsizetype starUnits = 0;
    while (w < key.size()) {
        if (t < tokens && tokens_[t].kind == Kind::AnyRun) {
            starToken = t++;
            starUnits = w;
        } else if (t < tokens && matchesOne(tokens_[t], key[w].unicode())) {
            ++t;
            ++w;
        } else if (starToken < tokens) {
            t = starToken + 1;
            w = ++starUnits;
        } else {
            return false;
        }
    }
    while (t < tokens && tokens_[t].kind == Kind::AnyRun)
        ++t;
    return t == tokens;
}

} // namespace Vorlaine
