#pragma once

// A plain model of the phrase anagram search, for the tests and the fuzz
// target to check the engine against.

#include "search/anagrams/PhraseAnagrams.h"

#include <QString>
#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace Vorlaine::Testing {

using Anagram = std::vector<int>;

inline std::map<char16_t, int> Letters(const QString& text) {
    std::map<char16_t, int> counts;
    for (const QChar unit : text)
        ++counts[unit.unicode()];
    return counts;
}

// The plain way: every multiset of 1 to maxWords words, as non-decreasing
// index lists (increasing when distinct), whose letters hold all of the
// phrase's and exactly `blanks` more.
inline std::set<Anagram> Model(const QString& phrase, const std::vector<AnagramWord>& words,
                               const AnagramOptions& options) {
    std::set<Anagram> result;
    const qsizetype length = phrase.size() + options.blanks;
    const std::map<char16_t, int> need = Letters(phrase);
    Anagram chosen;
    const auto visit = [&](auto& self, int from, qsizetype letters) -> void {
        if (letters == length && !chosen.empty()) {
            QString all;
            for (const int index : chosen)
                all += words[static_cast<std::size_t>(index)].key;
            const std::map<char16_t, int> have = Letters(all);
            if (std::all_of(need.begin(), need.end(), [&have](const auto& letter) {
                    const auto found = have.find(letter.first);
                    return found != have.end() && found->second >= letter.second;
                })) {
                Anagram sorted = chosen;
                std::sort(sorted.begin(), sorted.end(), [&words](int a, int b) {
                    return words[static_cast<std::size_t>(a)].rank <
                           words[static_cast<std::size_t>(b)].rank;
                });
                result.insert(sorted);
            }
        }
        if (static_cast<int>(chosen.size()) == options.maxWords)
            return;
        for (int i = from; i < static_cast<int>(words.size()); ++i) {
            const qsizetype size = words[static_cast<std::size_t>(i)].key.size();
            if (size == 0 || letters + size > length)
                continue;
            chosen.push_back(i);
            self(self, options.distinct ? i + 1 : i, letters + size);
            chosen.pop_back();
        }
    };
    visit(visit, 0, 0);
    return result;
}

} // namespace Vorlaine::Testing
