// Benchmarks of the engine: the letter fit, the word list's two passes, the
// whole make-words run, and the query engine's steps for many seeds.
//
// The list is Debian's wamerican-insane (663,473 words) unless
// VORLAINE_BENCH_LIST names another. The "Load" benchmarks run over generated
// lists of 1, 3 and 10 million lines; they take a while and run only when a
// filter asks for them: engine_bench --benchmark_filter=Load

#include "files/WordListReader.h"
#include "search/letters/SeedLetters.h"
#include "search/letters/TileValues.h"
#include "search/query/WordList.h"
#include "search/query/WordSearch.h"
#include "search/run/FieldTexts.h"
#include "search/run/MakeWordsRun.h"
#include "search/run/RunWindow.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace Vorlaine;

namespace {

const QString DefaultList = QStringLiteral("/usr/share/dict/american-english-insane");

QString ListPath() {
    const QByteArray path = qgetenv("VORLAINE_BENCH_LIST");
    return path.isEmpty() ? DefaultList : QString::fromLocal8Bit(path);
}

qint64 FileSize(const QString& path) {
    return QFileInfo(path).size();
}

// A window that keeps its fields in memory and shows nothing.
class MemoryWindow : public RunWindow {
public:
    MemoryWindow(const QString& seed, const QString& list, const QString& minimumLength,
                 const QString& output) {
        settings_.setText(Field::Seed, seed);
        settings_.setText(Field::WordList, list);
        settings_.setText(Field::MinimumLength, minimumLength);
        settings_.setText(Field::Output, output);
    }

    const QString& fieldText(Field field) const override { return settings_.text(field); }
    void clearResults() override {}
    void addFoundWord(const QString&) override { ++wordsFound_; }
    void showProgress(double itemTotal, double) override { itemTotal_ = itemTotal; }
    void showMessage(MessageKind, const QString& prompt) override { lastPrompt_ = prompt; }
    bool yield() override { return true; }

    double itemTotal() const { return itemTotal_; }
    qint64 wordsFound() const { return wordsFound_; }
    const QString& lastPrompt() const { return lastPrompt_; }

private:
    FieldTexts settings_;
    double itemTotal_ = 0;
    qint64 wordsFound_ = 0;
    QString lastPrompt_;
};

// Everyday words against the seed tangle: some fit, most fail early or late.
const std::vector<QString>& TypicalWords() {
    static const std::vector<QString> words = {
        QStringLiteral("tangle"),   QStringLiteral("angel"),      QStringLiteral("Glean"),
        QStringLiteral("gate"),     QStringLiteral("late"),       QStringLiteral("tangles"),
        QStringLiteral("gentle"),   QStringLiteral("strength"),   QStringLiteral("alphabet"),
        QStringLiteral("Aachen"),   QStringLiteral("zygote"),     QStringLiteral("elegant"),
        QStringLiteral("tangelo"),  QStringLiteral("antelope"),   QStringLiteral("notable"),
        QStringLiteral("T'ang"),    QStringLiteral("well-known"), QStringLiteral("lantern"),
        QStringLiteral("galleons"), QStringLiteral("Natalie"),
    };
    return words;
}

void BM_SeedFits(benchmark::State& state) {
    const SeedLetters letters(u"tangle");
    const std::vector<QString>& words = TypicalWords();
    for (auto _ : state) {
        for (const QString& word : words)
            benchmark::DoNotOptimize(letters.fits(word));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_SeedFits);

void BM_SeedFitsAscii(benchmark::State& state) {
    const SeedLetters letters(u"tangle");
    std::vector<QByteArray> words;
    for (const QString& word : TypicalWords())
        words.push_back(word.toLatin1());
    for (auto _ : state) {
        for (const QByteArray& word : words)
            benchmark::DoNotOptimize(letters.fitsAscii(word));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_SeedFitsAscii);

// The seed's letters counted anew for every word, for comparison.
void BM_CanMakeWord(benchmark::State& state) {
    const std::vector<QString>& words = TypicalWords();
    for (auto _ : state) {
        for (const QString& word : words)
            benchmark::DoNotOptimize(CanMakeWord(u"tangle", word));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_CanMakeWord);

bool ListReadable(benchmark::State& state, const QString& path) {
    if (QFileInfo(path).isFile())
        return true;
    state.SkipWithError(qPrintable(path + QStringLiteral(" not found; set VORLAINE_BENCH_LIST")));
    return false;
}

// The first pass of a run: counts the items and checks the encoding.
void BM_CountItems(benchmark::State& state) {
    const QString path = ListPath();
    if (!ListReadable(state, path))
        return;
    qint64 count = 0;
    for (auto _ : state) {
        WordListReader reader(path);
        if (!reader.open() || !reader.countItems(count)) {
            state.SkipWithError("the list could not be read");
            return;
        }
        benchmark::DoNotOptimize(count);
    }
    state.counters["items"] = static_cast<double>(count);
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(BM_CountItems)->Unit(benchmark::kMillisecond);

// The second pass: every item in turn, the encoding already known.
void BM_ReadItems(benchmark::State& state) {
    const QString path = ListPath();
    if (!ListReadable(state, path))
        return;
    qint64 count = 0;
    for (auto _ : state) {
        WordListReader reader(path);
        reader.setChecksEncoding(false);
        if (!reader.open()) {
            state.SkipWithError("the list could not be opened");
            return;
        }
        WordListItem item;
        count = 0;
        qsizetype bytes = 0;
        while (reader.readItem(item)) {
            ++count;
            bytes += item.bytes.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["items"] = static_cast<double>(count);
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(BM_ReadItems)->Unit(benchmark::kMillisecond);

// The whole run, seed tangle, minimum 4, as makewords does it, into a file in
// a temporary folder.
void RunOver(benchmark::State& state, const QString& path) {
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QString output = folder.filePath(QStringLiteral("NewWordsList.txt"));
    qint64 found = 0;
    double items = 0;
    for (auto _ : state) {
        MemoryWindow window(QStringLiteral("tangle"), path, QStringLiteral("4"), output);
        if (RunMakeWords(window) != RunOutcome::Finished) {
            state.SkipWithError(qPrintable(window.lastPrompt()));
            return;
        }
        found = window.wordsFound();
        items = window.itemTotal();
        state.PauseTiming();
        QFile::remove(output);
        state.ResumeTiming();
    }
    state.counters["items"] = items;
    state.counters["found"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(items));
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    state.SetComplexityN(static_cast<int64_t>(items));
}

void BM_RunMakeWords(benchmark::State& state) {
    const QString path = ListPath();
    if (!ListReadable(state, path))
        return;
    RunOver(state, path);
}
BENCHMARK(BM_RunMakeWords)->Unit(benchmark::kMillisecond);

// The query engine's steps on the list: loading it into memory, grouping it by
// letter sets, and the searches for 100 seeds through that index against a
// scan of the whole list for each.
void BM_WordListLoad(benchmark::State& state) {
    const QString path = ListPath();
    if (!ListReadable(state, path))
        return;
    for (auto _ : state) {
        WordListReader reader(path);
        WordList list;
        if (!reader.open() || !list.load(reader)) {
            state.SkipWithError("the list could not be read");
            return;
        }
        benchmark::DoNotOptimize(list.size());
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(BM_WordListLoad)->Unit(benchmark::kMillisecond);

const WordList& LoadedList() {
    static WordList list;
    static const bool loaded = [] {
        WordListReader reader(ListPath());
        return reader.open() && list.load(reader);
    }();
    Q_UNUSED(loaded);
    return list;
}

void BM_BuildIndex(benchmark::State& state) {
    const TileValues tiles = TileValues::English();
    for (auto _ : state) {
        const LetterKeys keys;
        WordSearch search(tiles, keys);
        search.buildIndex(LoadedList());
    }
    state.counters["items"] = static_cast<double>(LoadedList().size());
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond);

// Seeds of 7 to 10 letters, as a puzzle maker's batch has them.
const QStringList HundredSeeds = [] {
    QStringList seeds;
    std::mt19937 random(7);
    static constexpr char Letters[] = "etaoinshrdlucmfwypvbgkjqxz";
    for (int i = 0; i < 100; ++i) {
        QString seed;
        for (int n = 7 + i % 4; n > 0; --n)
            seed += QLatin1Char(Letters[random() % 16]);
        seeds << seed;
    }
    return seeds;
}();

void SearchSeeds(benchmark::State& state, bool indexed) {
    if (LoadedList().size() == 0) {
        state.SkipWithError("the list could not be read");
        return;
    }
    const TileValues tiles = TileValues::English();
    const LetterKeys keys;
    WordSearch search(tiles, keys);
    if (indexed)
        search.buildIndex(LoadedList());
    WordQuery query;
    query.minimumLength = 3;
    qint64 found = 0;
    for (auto _ : state) {
        found = 0;
        for (const QString& seed : HundredSeeds) {
            query.seed = seed;
            search.run(query, LoadedList(), [&](const WordMatch&) { return ++found > 0; });
        }
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * HundredSeeds.size());
}
void BM_HundredSeedsByIndex(benchmark::State& state) {
    SearchSeeds(state, true);
}
void BM_HundredSeedsByScan(benchmark::State& state) {
    SearchSeeds(state, false);
}
BENCHMARK(BM_HundredSeedsByIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HundredSeedsByScan)->Unit(benchmark::kMillisecond);

// Generated lists, made once per size and kept until the program ends: words
// of 2 to 14 lower-case letters, common letters more often, from a fixed seed.
QString GeneratedList(qint64 lines) {
    static QTemporaryDir folder;
    static std::map<qint64, QString> made;
    if (const auto it = made.find(lines); it != made.end())
        return it->second;
    if (!folder.isValid())
        return {};
    const QString path = folder.filePath(QStringLiteral("lines-%1.txt").arg(lines));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    static constexpr char Letters[] = "etaoinshrdlucmfwypvbgkjqxz";
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> length(2, 14);
    std::uniform_real_distribution<double> pick(0.0, 1.0);
    QByteArray chunk;
    chunk.reserve(1 << 20);
    for (qint64 line = 0; line < lines; ++line) {
        const int letters = length(random);
        for (int i = 0; i < letters; ++i) {
            const double u = pick(random);
            chunk.append(Letters[static_cast<int>(26 * u * u)]);
        }
        chunk.append('\n');
        if (chunk.size() >= (1 << 20) - 16) {
            if (file.write(chunk) != chunk.size())
                return {};
            chunk.clear();
        }
    }
    if (file.write(chunk) != chunk.size() || !file.flush())
        return {};
    file.close();
    made.emplace(lines, path);
    return path;
}

// The whole run over 1, 3 and 10 million lines: the time per line should stay
// the same.
void BM_LoadLines(benchmark::State& state) {
    const QString path = GeneratedList(state.range(0));
    if (path.isEmpty()) {
        state.SkipWithError("the generated list could not be written");
        return;
    }
    RunOver(state, path);
}
BENCHMARK(BM_LoadLines)
    ->Arg(1'000'000)
    ->Arg(3'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

bool HasFilter(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--benchmark_filter", 18) == 0)
            return true;
    }
    return false;
}

} // namespace

// Without a filter of the user's own, the slow Load benchmarks are left out.
int main(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    std::string defaultFilter = "--benchmark_filter=-Load";
    if (!HasFilter(argc, argv))
        arguments.push_back(defaultFilter.data());
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
