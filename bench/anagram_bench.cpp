// Benchmarks of the phrase anagram search on "vorlaine developers".
//
// The list is Debian's american-english cut to its lower-case words
// (grep -E '^[a-z]+$' /usr/share/dict/american-english > /tmp/lower.txt,
// 63,875 words) unless VORLAINE_BENCH_LIST names another. It is read and
// filtered to the words that fit the phrase once, outside the timed loops, as
// makewords does before it searches.

#include "search/anagrams/AnagramVocabulary.h"
#include "search/anagrams/PhraseAnagrams.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

using namespace Vorlaine;

namespace {

const QString DefaultList = QStringLiteral("/tmp/lower.txt");
const QString Phrase = QStringLiteral("vorlainedevelopers");

QString ListPath() {
    const QByteArray path = qgetenv("VORLAINE_BENCH_LIST");
    return path.isEmpty() ? DefaultList : QString::fromLocal8Bit(path);
}

// The list's words, in its order; empty when unreadable.
const std::vector<QString>& ListWords() {
    static const std::vector<QString> words = [] {
        std::vector<QString> list;
        QFile file(ListPath());
        if (!file.open(QIODevice::ReadOnly))
            return list;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.trimmed().isEmpty())
                list.push_back(QString::fromUtf8(line.trimmed()));
        }
        return list;
    }();
    return words;
}

// The words of at least minLength letters that fit the phrase with the blanks,
// taken and ranked as makewords takes them.
const std::vector<AnagramWord>& Vocabulary(int minLength, int blanks,
                                           const QString& phrase = Phrase) {
    static std::map<std::tuple<QString, int, int>, std::vector<AnagramWord>> cache;
    const auto found = cache.find({phrase, minLength, blanks});
    if (found != cache.end())
        return found->second;
    WordQuery words;
    words.minimumLength = minLength;
    words.blanks = blanks;
    const LetterKeys keys;
    AnagramVocabulary vocabulary(phrase, words, PhraseRules{.maxWords = 2}, keys);
    for (const QString& word : ListWords())
        vocabulary.offer(word);
    vocabulary.rank();
    return cache[{phrase, minLength, blanks}] = vocabulary.keyedWords();
}

bool HaveList(benchmark::State& state) {
    if (!ListWords().empty())
        return true;
    state.SkipWithError(
        ("cannot read " + ListPath().toStdString() + "; set VORLAINE_BENCH_LIST to a word list")
            .c_str());
    return false;
}

// Times the search with a callback that only counts, as cheap as a caller
// can be, and reports the count.
void CountEach(benchmark::State& state, const PhraseAnagrams& anagrams) {
    qint64 count = 0;
    for (auto _ : state) {
        count = 0;
        anagrams.search([&count](std::span<const int>) {
            ++count;
            return true;
        });
        benchmark::DoNotOptimize(count);
    }
    state.counters["anagrams"] = static_cast<double>(count);
}

void SearchAll(benchmark::State& state, int maxWords, int minLength, int blanks) {
    if (!HaveList(state))
        return;
    const std::vector<AnagramWord>& words = Vocabulary(minLength, blanks);
    const PhraseAnagrams anagrams(Phrase, words, {maxWords, false, blanks});
    CountEach(state, anagrams);
    state.counters["words"] = static_cast<double>(words.size());
}

// Blanks searched each way: state.range(0) is the way (0 each target, 1
// words first), then the phrase (0 "vorlainedevelopers", 1 "ab"), the most
// words, the least letters a word and the blanks.
void BM_Blanks(benchmark::State& state) {
    if (!HaveList(state))
        return;
    const QString phrase = state.range(1) == 0 ? Phrase : QStringLiteral("ab");
    const auto maxWords = static_cast<int>(state.range(2));
    const auto blanks = static_cast<int>(state.range(4));
    const std::vector<AnagramWord>& words =
        Vocabulary(static_cast<int>(state.range(3)), blanks, phrase);
    PhraseAnagrams anagrams(phrase, words, {maxWords, false, blanks});
    anagrams.setBlankSearch(state.range(0) == 0 ? PhraseAnagrams::BlankSearch::EachTarget
                                                : PhraseAnagrams::BlankSearch::WordsFirst);
    CountEach(state, anagrams);
}

// Merging the words into entries, before any search.
void Setup(benchmark::State& state, int maxWords, int minLength) {
    if (!HaveList(state))
        return;
    const std::vector<AnagramWord>& words = Vocabulary(minLength, 0);
    for (auto _ : state) {
        const PhraseAnagrams anagrams(Phrase, words, {maxWords, false, 0});
        benchmark::DoNotOptimize(&anagrams);
    }
}

// How soon a caller that wants only the first ten anagrams has them.
void FirstTen(benchmark::State& state) {
    if (!HaveList(state))
        return;
    const std::vector<AnagramWord>& words = Vocabulary(3, 0);
    for (auto _ : state) {
        const PhraseAnagrams anagrams(Phrase, words, {4, false, 0});
        int count = 0;
        anagrams.search([&count](std::span<const int>) { return ++count < 10; });
        benchmark::DoNotOptimize(count);
    }
}

// (a) up to three words of any length: 8,050 anagrams with the default list.
void BM_ThreeWords(benchmark::State& state) {
    SearchAll(state, 3, 1, 0);
}
// (b) up to four words of at least three letters: 489,620 anagrams.
void BM_FourWordsOfThreeLetters(benchmark::State& state) {
    SearchAll(state, 4, 3, 0);
}
// Up to three words of at least three letters, with one blank tile.
void BM_ThreeWordsOneBlank(benchmark::State& state) {
    SearchAll(state, 3, 3, 1);
}
void BM_SetupThreeWords(benchmark::State& state) {
    Setup(state, 3, 1);
}
void BM_SetupFourWordsOfThreeLetters(benchmark::State& state) {
    Setup(state, 4, 3);
}
void BM_FirstTenOfFourWords(benchmark::State& state) {
    FirstTen(state);
}

} // namespace

BENCHMARK(BM_ThreeWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourWordsOfThreeLetters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeWordsOneBlank)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Blanks)
    ->ArgsProduct({{0, 1}, {0}, {2, 3}, {3}, {1, 2, 3}})
    ->ArgsProduct({{0, 1}, {1}, {2, 3}, {1}, {1, 2, 3, 4}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetupThreeWords)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetupFourWordsOfThreeLetters)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstTenOfFourWords)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
