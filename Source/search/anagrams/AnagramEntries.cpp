#include "search/anagrams/AnagramEntries.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

namespace Vorlaine {
namespace Anagram {

namespace {

using PhraseCounts = std::map<char16_t, int>;

// Why the options cannot be searched, or nothing.
QString OptionsProblem(QStringView phraseKey, const AnagramOptions& options) {
    if (options.maxWords < 1)
        return QStringLiteral("An anagram needs at least one word.");
    if (options.blanks < 0)
        return QStringLiteral("The number of blank tiles cannot be negative.");
    if (phraseKey.size() + options.blanks > PhraseAnagrams::MaxLength)
        return QStringLiteral("The phrase has %1 letters with its blanks; at most %2 can be "
                              "searched for.")
            .arg(phraseKey.size() + options.blanks)
            .arg(PhraseAnagrams::MaxLength);
    return {};
}

// The letters of a sorted key beyond the phrase's, counted until they pass
// the blanks.
int Excess(const std::u16string& key, const PhraseCounts& phraseCounts, int blanks) {
    int excess = 0;
    for (std::size_t i = 0; i < key.size() && excess <= blanks;) {
        std::size_t j = i;
        while (j < key.size() && key[j] == key[i])
            ++j;
        const auto found = phraseCounts.find(key[i]);
        const int have = found == phraseCounts.end() ? 0 : found->second;
        excess += std::max(0, static_cast<int>(j - i) - have);
        i = j;
    }
    return excess;
}

// The words that fit, merged by their sorted letters: one key and one list
// of words an entry.
struct MergedWords {
    std::vector<std::u16string> keys;
    std::vector<std::vector<int>> words;
};

// Also records each word's rank.
MergedWords MergeWords(const std::vector<AnagramWord>& words, const PhraseCounts& phraseCounts,
                       AnagramEntries& p) {
    MergedWords merged;
    std::unordered_map<std::u16string, int> entryOf;
    p.rank.resize(words.size());
    std::u16string key;
    for (std::size_t w = 0; w < words.size(); ++w) {
        p.rank[w] = words[w].rank;
        const QString& text = words[w].key;
        if (text.isEmpty() || text.size() > p.totalLength)
            continue;
        key.assign(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
        std::sort(key.begin(), key.end());
        if (Excess(key, phraseCounts, p.blanks) > p.blanks)
            continue;
        const auto [at, added] = entryOf.try_emplace(key, static_cast<int>(merged.keys.size()));
        if (added) {
            merged.keys.push_back(key);
            merged.words.emplace_back();
        }
        At(merged.words, at->second).push_back(static_cast<int>(w));
    }
    return merged;
}

// The alphabet, by code unit.
std::u16string Alphabet(const PhraseCounts& phraseCounts, const std::vector<std::u16string>& keys) {
    std::u16string units;
    for (const auto& [unit, count] : phraseCounts)
        units += unit;
    for (const std::u16string& k : keys)
        units += k;
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    return units;
}

// The merged words as entries of letter ids, their words by rank.
void AddEntries(AnagramEntries& p, const PhraseCounts& phraseCounts, const std::u16string& units,
                MergedWords& merged) {
    p.letters = static_cast<int>(units.size());
    const auto idOf = [&units](char16_t unit) {
        return static_cast<int>(std::lower_bound(units.begin(), units.end(), unit) - units.begin());
    };
    p.phraseCount.assign(units.size(), 0);
    for (const auto& [unit, count] : phraseCounts)
        At(p.phraseCount, idOf(unit)) = count;

    std::vector<bool> inEntries(units.size(), false);
    std::vector<int> excess;
    for (std::size_t e = 0; e < merged.keys.size(); ++e) {
        const std::u16string& k = merged.keys[e];
        excess.clear();
        for (std::size_t i = 0; i < k.size();) {
            std::size_t j = i;
            while (j < k.size() && k[j] == k[i])
                ++j;
            const int letter = idOf(k[i]);
            const int count = static_cast<int>(j - i);
            p.entryLetters.push_back({letter, count});
            inEntries[static_cast<std::size_t>(letter)] = true;
            for (int c = At(p.phraseCount, letter); c < count; ++c)
                excess.push_back(letter);
            i = j;
        }
        p.letterBegin.push_back(static_cast<int>(p.entryLetters.size()));
        std::vector<int>& list = merged.words[e];
        std::sort(list.begin(), list.end(), [&p](int a, int b) {
            return At(p.rank, a) != At(p.rank, b) ? At(p.rank, a) < At(p.rank, b) : a < b;
        });
        p.entryWords.insert(p.entryWords.end(), list.begin(), list.end());
        p.wordBegin.push_back(static_cast<int>(p.entryWords.size()));
        p.length.push_back(static_cast<int>(k.size()));
        if (p.blanks > 0)
            p.byExcess[excess].push_back(static_cast<int>(e));
    }
    if (p.blanks > 0)
        for (int letter = 0; letter < p.letters; ++letter)
            if (inEntries[static_cast<std::size_t>(letter)])
                p.extraLetters.push_back(letter);
}

} // namespace

std::unique_ptr<AnagramEntries> Prepare(QStringView phraseKey,
                                        const std::vector<AnagramWord>& words,
                                        const AnagramOptions& options) {
    auto prepared = std::make_unique<AnagramEntries>();
    AnagramEntries& p = *prepared;
    p.maxWords = options.maxWords;
    p.distinct = options.distinct;
    p.blanks = options.blanks;
    p.problem = OptionsProblem(phraseKey, options);
    if (!p.problem.isEmpty())
        return prepared;
    p.totalLength = static_cast<int>(phraseKey.size()) + options.blanks;
    PhraseCounts phraseCounts;
    for (const QChar unit : phraseKey)
        ++phraseCounts[unit.unicode()];
    if (static_cast<int>(phraseCounts.size()) > PhraseAnagrams::MaxLetters) {
        p.problem = QStringLiteral("The phrase has %1 different letters; at most %2 can be "
                                   "searched for.")
                        .arg(phraseCounts.size())
                        .arg(PhraseAnagrams::MaxLetters);
        return prepared;
    }

    MergedWords merged = MergeWords(words, phraseCounts, p);
    AddEntries(p, phraseCounts, Alphabet(phraseCounts, merged.keys), merged);
    return prepared;
}

std::vector<int> EntriesFor(const AnagramEntries& p, const std::vector<int>& extras,
                            std::int64_t& work) {
    std::vector<int> entries;
    std::vector<std::pair<int, int>> runs; // letter, count
    for (const int letter : extras) {
        if (!runs.empty() && runs.back().first == letter)
            ++runs.back().second;
        else
            runs.push_back({letter, 1});
    }
    // Look up each part of the extras when there are fewer parts than groups
    // of entries; otherwise test every group.
    double parts = 1;
    for (const auto& run : runs)
        parts *= run.second + 1;
    work += static_cast<std::int64_t>(std::min(parts, static_cast<double>(p.byExcess.size()))) + 1;
    if (parts <= static_cast<double>(p.byExcess.size())) {
        std::vector<int> taken(runs.size(), 0);
        std::vector<int> key;
        for (;;) {
            key.clear();
            for (std::size_t i = 0; i < runs.size(); ++i)
                key.insert(key.end(), static_cast<std::size_t>(taken[i]), runs[i].first);
            const auto found = p.byExcess.find(key);
            if (found != p.byExcess.end())
                entries.insert(entries.end(), found->second.begin(), found->second.end());
            std::size_t i = 0;
            while (i < runs.size() && taken[i] == runs[i].second)
                taken[i++] = 0;
            if (i == runs.size())
                break;
            ++taken[i];
        }
    } else {
        for (const auto& [beyond, list] : p.byExcess)
            if (std::includes(extras.begin(), extras.end(), beyond.begin(), beyond.end()))
                entries.insert(entries.end(), list.begin(), list.end());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

} // namespace Anagram
} // namespace Vorlaine
