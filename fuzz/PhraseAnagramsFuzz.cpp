// Fuzzes the phrase anagram search. The first byte of the input holds the
// options: bits 0-2 the most words (1 to 6), bit 3 distinct words, bits 4-5
// the blanks (0 to 3), bit 6 a wide alphabet (each byte its own letter from
// U+0100 on, instead of one of six letters, a-f as themselves), bit 7 the
// phrase and every word repeated 43 times (counts beyond 255). Bit 0 of the
// second byte ranks the words in reverse order; bits 1-2 choose how blanks
// are searched (0 and 3 as makewords does, 1 each target, 2 words first).
// The rest is lines: the phrase, then up to eight words. Every search is
// compared with a plain enumeration of the multisets of words, and run again
// to be stopped halfway.

#include "FuzzCheck.h"
#include "search/anagrams/PhraseAnagrams.h"
#include "support/AnagramModel.h"

#include <QString>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace Vorlaine;
using Fuzz::Escaped;

namespace {

using Testing::Anagram;
using Testing::Model;

constexpr std::size_t MostWords = 8;
constexpr qsizetype LongestLine = 12;
constexpr int Repeats = 43;

std::string Shown(const Anagram& anagram) {
    std::string text = "{";
    for (const int index : anagram) {
        if (text.size() > 1)
            text += ' ';
        text += std::to_string(index);
    }
    text += '}';
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const unsigned flags = data[0];
    AnagramOptions options;
    options.maxWords = 1 + static_cast<int>(flags & 7) % 6;
    options.distinct = (flags & 8) != 0;
    options.blanks = static_cast<int>((flags >> 4) & 3);
    const bool wideAlphabet = (flags & 64) != 0;
    const int repeats = (flags & 128) != 0 ? Repeats : 1;
    const bool reverseRanks = (data[1] & 1) != 0;
    const PhraseAnagrams::BlankSearch ways[] = {
        PhraseAnagrams::BlankSearch::Automatic, PhraseAnagrams::BlankSearch::EachTarget,
        PhraseAnagrams::BlankSearch::WordsFirst, PhraseAnagrams::BlankSearch::Automatic};
    const PhraseAnagrams::BlankSearch way = ways[(data[1] >> 1) & 3];

    std::vector<QString> lines(1);
    for (std::size_t i = 2; i < size && lines.size() <= MostWords + 1; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else if (lines.back().size() < LongestLine) {
            lines.back() += QChar(wideAlphabet ? static_cast<char16_t>(0x100 + data[i])
                                               : static_cast<char16_t>(u'a' + (data[i] + 5) % 6));
        }
    }
    if (lines.size() > MostWords + 1)
        lines.resize(MostWords + 1);
    const QString phrase = lines.front().repeated(repeats);
    std::vector<AnagramWord> words;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int rank = static_cast<int>(reverseRanks ? lines.size() - i : i);
        words.push_back({lines[i].repeated(repeats), rank});
    }

    PhraseAnagrams anagrams(phrase, words, options);
    anagrams.setBlankSearch(way);
    const std::string where = "phrase " + Escaped(phrase) + ", " + std::to_string(words.size()) +
                              " words, flags " + std::to_string(flags) + ", blank search " +
                              std::to_string(static_cast<int>(way)) +
                              (reverseRanks ? ", ranks reversed" : "");
    FUZZ_CHECK(anagrams.problem().isEmpty(), where + ": " + anagrams.problem().toStdString());

    std::vector<Anagram> found;
    const bool finished = anagrams.search([&found](std::span<const int> indices) {
        found.emplace_back(indices.begin(), indices.end());
        return true;
    });
    FUZZ_CHECK(finished, where);

    const std::set<Anagram> expected = Model(phrase, words, options);
    std::set<Anagram> seen;
    for (const Anagram& anagram : found) {
        FUZZ_CHECK(seen.insert(anagram).second, where + ": twice " + Shown(anagram));
        FUZZ_CHECK(expected.count(anagram) == 1, where + ": unexpected " + Shown(anagram));
        FUZZ_CHECK(std::is_sorted(anagram.begin(), anagram.end(),
                                  [&words](int a, int b) {
                                      return words[static_cast<std::size_t>(a)].rank <
                                             words[static_cast<std::size_t>(b)].rank;
                                  }),
                   where + ": not by rank " + Shown(anagram));
    }
    for (const Anagram& anagram : expected)
        FUZZ_CHECK(seen.count(anagram) == 1, where + ": missing " + Shown(anagram));

    // Stopped after half of them: exactly that many calls, the same ones.
    if (!found.empty()) {
        const std::size_t half = (found.size() + 1) / 2;
        std::size_t calls = 0;
        const bool stopped = !anagrams.search([&](std::span<const int> indices) {
            FUZZ_CHECK(Anagram(indices.begin(), indices.end()) == found[calls],
                       where + ": another order, call " + std::to_string(calls));
            return ++calls < half;
        });
        FUZZ_CHECK(stopped && calls == half,
                   where + ": " + std::to_string(calls) + " calls for " + std::to_string(half));
    }
    return 0;
}
