// makewords under faults and load: killed mid-run, fed huge lines and long lists.

#include "support/TempFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>

namespace Vorlaine {
namespace {

using Testing::TempFiles;

const QString AllLettersFiveTimes = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(5);

// Writes `count` distinct lower-case words, one per line, in a shuffled order.
void WriteWordList(const QString& path, int count, quint32 seed) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QRandomGenerator random(seed);
    QByteArray chunk;
    for (int i = 0; i < count; ++i) {
        QByteArray word = QByteArray::number(i, 26);
        for (char& c : word)
            c = static_cast<char>(c <= '9' ? 'a' + (c - '0') : 'k' + (c - 'a'));
        chunk += word + QByteArray(random.bounded(3), 'e') + '\n';
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}

// Runs makewords under GNU time, which measures the peak memory of makewords
// alone (a child forked from this test would count the test's own memory).
// Returns the exit code; peakKiB gets the peak resident memory.
int MakeWords(const QStringList& arguments, const QString& folder, long& peakKiB,
              const QString& input = {}) {
    QProcess process;
    process.setWorkingDirectory(folder);
    if (!input.isEmpty())
        process.setStandardInputFile(input);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // Under AddressSanitizer freed memory waits in a quarantine of up to 256 MB
    // before it is used again; a small one lets the peak show live memory.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.contains(QStringLiteral("ASAN_OPTIONS")))
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) +
                               QStringLiteral(":quarantine_size_mb=1"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("/usr/bin/time"),
                  QStringList{"-f", "%M", "-o", "peak.txt", QStringLiteral(MAKEWORDS_PATH)} +
                      arguments);
    EXPECT_TRUE(process.waitForFinished(300000));
    QFile peak(folder + "/peak.txt");
    EXPECT_TRUE(peak.open(QIODevice::ReadOnly));
    peakKiB = peak.readAll().trimmed().toLong();
    return process.exitCode();
}

// Linux copies a write into a file a page at a time and gives up between two
// pages when the writer is killed, so a killed run can leave part of its last
// line, cut where a page of the file ends and nowhere else. The next run ends
// that line before its first word.
constexpr qsizetype PageSize = 4096;

TEST(Faults, KilledRunLeavesWholeAcceptedLinesInOrder) {
    TempFiles files;
    WriteWordList(files.path("list.txt"), 3'000'000, 7);
    QFile listFile(files.path("list.txt"));
    ASSERT_TRUE(listFile.open(QIODevice::ReadOnly));
    const QList<QByteArray> list = listFile.readAll().split('\n');

    files.write("out.txt", "kept\r\nno line end");
    QRandomGenerator random(2024);
    for (int round = 0; round < 4; ++round) {
        const QByteArray start = files.read("out.txt");
        QProcess process;
        process.setWorkingDirectory(files.path(""));
        process.setStandardOutputFile(files.path("printed.txt"));
        process.start(QStringLiteral(MAKEWORDS_PATH),
                      {"-s", AllLettersFiveTimes, "-m", "1", "-l", "list.txt", "-o", "out.txt"});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(20 + random.bounded(200u));
        process.kill();
        process.waitForFinished();
        ASSERT_EQ(process.exitStatus(), QProcess::CrashExit) << "killed before the end of its run";

        const QByteArray output = files.read("out.txt");
        ASSERT_TRUE(output.startsWith(start)) << "what was there before is unchanged";
        QByteArray added = output.mid(start.size());
        if (!added.isEmpty() && !start.endsWith('\n')) {
            const QByteArray ending = start.endsWith('\r') ? "\n" : "\r\n";
            ASSERT_TRUE(added.startsWith(ending)) << "an unfinished line is ended first";
            added.remove(0, ending.size());
        }
        // The lines are words of the list, in the list's order, each once;
        // the last may be cut, where a page ends.
        QList<QByteArray> lines = added.split('\n');
        const QByteArray cut = lines.takeLast();
        if (!cut.isEmpty()) {
            ASSERT_EQ(output.size() % PageSize, 0) << "a line cut elsewhere: " << cut.constData();
            std::printf("round %d: a line cut at the page boundary %lld\n", round,
                        static_cast<long long>(output.size()));
            lines.append(cut.endsWith('\r') ? cut : cut + '\r');
        }
        // Every word printed before the kill is in the file: a word is shown
        // only once it is written. (A line cut by the kill was not printed.)
        QList<QByteArray> printed = files.read("printed.txt").split('\n');
        printed.removeLast();
        ASSERT_LE(printed.size(), lines.size()) << "printed more words than the file has";
        for (qsizetype i = 0; i < printed.size(); ++i) {
            // Windows prints lines with CR LF.
            if (!printed[i].endsWith('\r'))
                printed[i] += '\r';
            ASSERT_EQ(printed[i], lines[i]) << "printed but not in the file";
        }

        qsizetype at = 0;
        QSet<QByteArray> seen;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QByteArray line = lines[i];
            ASSERT_TRUE(line.endsWith('\r'));
            line.chop(1);
            const bool last = i + 1 == lines.size() && !cut.isEmpty();
            while (at < list.size() && (last ? !list[at].startsWith(line) : list[at] != line))
                ++at;
            ASSERT_LT(at, list.size())
                << "not a word of the list, or out of order: " << line.constData();
            // A cut line is the start of a word, and may spell an earlier one.
            ASSERT_FALSE(!last && seen.contains(line)) << line.constData();
            seen.insert(line);
        }
    }
}

TEST(Faults, ProgressOnATerminalShowsTenthsOfAPercent) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: script(1) gives the run a terminal";
#endif
    TempFiles files;
    WriteWordList(files.path("list.txt"), 3'000'000, 19);
    // script(1) gives the run a terminal, so that it draws its progress.
    for (const QString& search : {QStringLiteral("-m 1"), QStringLiteral("-x 9")}) {
        QProcess script;
        script.setWorkingDirectory(files.path(""));
        script.start("script", {"-qec",
                                QStringLiteral(MAKEWORDS_PATH) + " -s " + AllLettersFiveTimes +
                                    " -l list.txt -o - " + search + " > /dev/null",
                                "/dev/null"});
        ASSERT_TRUE(script.waitForFinished(120000));
        const QString shown = QString::fromUtf8(script.readAllStandardOutput());
        const QRegularExpression percentage(QStringLiteral("\\r([0-9.]+)%"));
        int lines = 0;
        for (auto match = percentage.globalMatch(shown); match.hasNext(); ++lines) {
            const QString value = match.next().captured(1);
            EXPECT_TRUE(
                QRegularExpression(QStringLiteral("^[0-9]{1,3}\\.[0-9]$")).match(value).hasMatch())
                << value.toStdString();
        }
        EXPECT_GT(lines, 0) << search.toStdString() << ": no progress shown";
    }
}

TEST(Faults, SeedWithEveryLetterFindsMostOfAList) {
    TempFiles files;
    WriteWordList(files.path("list.txt"), 200000, 5);
    QProcess process;
    process.setWorkingDirectory(files.path(""));
    process.start(QStringLiteral(MAKEWORDS_PATH),
                  {"-s", AllLettersFiveTimes, "-m", "1", "-l", "list.txt", "-o", "out.txt"});
    ASSERT_TRUE(process.waitForFinished(300000));
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray words = process.readAllStandardOutput();
    const qsizetype count = words.count('\n');
    EXPECT_GT(count, 150000);
    EXPECT_EQ(files.read("out.txt").count("\r\n"), count);
    EXPECT_TRUE(
        process.readAllStandardError().contains(QByteArray::number(count) + " words found."));
}

// Debian's lower-case words, for phrases with tens of millions of anagrams.
QString LowerCaseWords(const TempFiles& files) {
    QFile dictionary(QStringLiteral("/usr/share/dict/american-english"));
    EXPECT_TRUE(dictionary.open(QIODevice::ReadOnly)) << "scripts/setup installs wamerican";
    QByteArray list;
    for (const QByteArray& word : dictionary.readAll().split('\n')) {
        if (!word.isEmpty() &&
            std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            list += word + '\n';
    }
    return files.write("lower.txt", list);
}

TEST(Faults, StoppedAnagramSearchLeavesWholeLines) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: signals sent with kill(); see WindowsConsoleTest";
#endif
    TempFiles files;
    LowerCaseWords(files);
    files.write("out.txt", "kept\r\n");
    for (const int signal : {SIGINT, SIGTERM}) {
        const QByteArray before = files.read("out.txt");
        QProcess process;
        process.setWorkingDirectory(files.path(""));
        process.start(QStringLiteral(MAKEWORDS_PATH), {"-s", "vorlaine developers", "-w", "6", "-m",
                                                       "2", "-l", "lower.txt", "-o", "out.txt"});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(500);
#ifndef _WIN32
        ::kill(static_cast<pid_t>(process.processId()), signal);
#endif
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 128 + signal);
        const QByteArray printed = process.readAllStandardOutput();
        EXPECT_TRUE(process.readAllStandardError().startsWith("Stopped!\n"));

        const QByteArray output = files.read("out.txt");
        ASSERT_TRUE(output.startsWith(before));
        const QByteArray added = output.mid(before.size());
        EXPECT_GT(added.count("\r\n"), 1000) << "it ran for a while";
        EXPECT_TRUE(added.endsWith("\r\n")) << "whole lines only";
        EXPECT_EQ(QByteArray(added).replace("\r\n", "\n"), printed)
            << "the file has every line printed";
    }
}

// --- Memory that does not grow with the input ---
//
// Each search runs on an input and on one ten times larger; streaming keeps
// the peak the same, so the difference is bounded, not the peak itself:
// under the sanitizers a peak measures their shadow memory and caches as
// much as the program. Builds without them bound the peak too.

#if defined(__has_feature)
#define VORLAINE_ASAN __has_feature(address_sanitizer)
#else
#define VORLAINE_ASAN 0
#endif
#if defined(__SANITIZE_ADDRESS__) || VORLAINE_ASAN
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

constexpr int Scales[] = {1, 10};
constexpr long MostGrowthKiB = 4 * 1024;
// About three times what these searches take.
constexpr long MostKiB = 32 * 1024;

struct StreamedSearch {
    const char* name;
    // Writes the input for the scale into the folder; returns the arguments.
    QStringList (*prepare)(const TempFiles& files, int scale);
    const char* standardInput; // a file of the folder, or nullptr
    // Checks the output file at the scale, if set.
    void (*checkOutput)(const TempFiles& files, int scale);
    // A search that keeps what it finds grows with it, and no more.
    long mostGrowthKiB = MostGrowthKiB;
    long mostKiB = MostKiB;
};

QStringList HugeLine(const TempFiles& files, int scale) {
    QFile file(files.path("line.txt"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray block(1 << 20, 'e');
    for (int i = 0; i < 10 * scale; ++i)
        file.write(block);
    file.write("\ngent\n");
    return {"-l", "line.txt", "-o", "out.txt", "-s", "gentee", "-m", "1"};
}
QStringList ManyLines(const TempFiles& files, int scale) {
    WriteWordList(files.path("list.txt"), 1'000'000 * scale, 11);
    return {"-l", "list.txt", "-o", "/dev/null", "-s", "tangle"};
}
QStringList InputWords(const TempFiles& files, int scale) {
    WriteWordList(files.path("input.txt"), 1'000'000 * scale, 13);
    return {"-l", "-", "-o", "out.txt", "-s", "tangle", "-x", "9"};
}
QStringList InputPhrases(const TempFiles& files, int scale) {
    return InputWords(files, scale) + QStringList{"-w", "2"};
}
QStringList BestTen(const TempFiles& files, int scale) {
    WriteWordList(files.path("list.txt"), 100'000 * scale, 23);
    return {"-s", AllLettersFiveTimes, "-m", "1",      "--sort", "score", "-n", "10",
            "-l", "list.txt",          "-o", "out.txt"};
}
QStringList Anagrams(const TempFiles& files, int scale) {
    LowerCaseWords(files);
    return {"-s", "vorlaine developers",
            "-w", "6",
            "-m", "2",
            "-n", QString::number(300'000 * scale),
            "-l", "lower.txt",
            "-o", "/dev/null"};
}
// Every word of the list found, each kept once: in the set of words met, or
// in the sort.
QStringList EveryWordOnce(const TempFiles& files, int scale) {
    WriteWordList(files.path("list.txt"), 200'000 * scale, 29);
    return {"-s", AllLettersFiveTimes, "-m", "1", "-x", "99", "-l", "list.txt", "-o", "/dev/null"};
}
QStringList EveryWordSorted(const TempFiles& files, int scale) {
    WriteWordList(files.path("list.txt"), 200'000 * scale, 31);
    return {"--contains-all", "-s", "",         "-m", "1",        "--sort",
            "alpha",          "-l", "list.txt", "-o", "/dev/null"};
}
QStringList ManySeeds(const TempFiles& files, int scale) {
    files.write("list.txt", "tangle\nangle\ngent\nglean\nleg\n");
    files.write("seeds.txt", QByteArray("tangle\nleg\nxyz\ngent\n").repeated(25'000 * scale));
    return {"--seeds", "seeds.txt", "-m", "3", "-l", "list.txt", "-o", "out.txt"};
}

void OutputLines(const TempFiles& files, qsizetype lines) {
    EXPECT_EQ(files.read("out.txt").count("\r\n"), lines);
}
// The same words as from the list as a file.
void SameAsFromFile(const TempFiles& files, int) {
    QProcess fromFile;
    fromFile.setWorkingDirectory(files.path(""));
    fromFile.start(QStringLiteral(MAKEWORDS_PATH),
                   {"-l", "input.txt", "-o", "again.txt", "-s", "tangle", "-x", "9"});
    ASSERT_TRUE(fromFile.waitForFinished(120000));
    const QByteArray again = files.read("again.txt");
    EXPECT_FALSE(again.isEmpty());
    EXPECT_EQ(files.read("out.txt"), again);
}

const StreamedSearch StreamedSearches[] = {
    {"HugeLine", HugeLine, nullptr, [](const TempFiles& files, int) { OutputLines(files, 1); }},
    {"ManyLines", ManyLines, nullptr, nullptr},
    {"StandardInput", InputWords, "input.txt", SameAsFromFile},
    {"StandardInputPhrases", InputPhrases, "input.txt", nullptr},
    {"BestTenOfMany", BestTen, nullptr,
     [](const TempFiles& files, int) { OutputLines(files, 10); }},
    {"PhraseAnagrams", Anagrams, nullptr, nullptr},
    // 1.8 million words more, of about six letters: the set of words met
    // keeps each in its bytes and a six-byte slot of a table at least 3/8
    // full, the sort in a record of a few bytes more; both took ten times as
    // much when each word was a string of its own.
    {"EveryWordOnce", EveryWordOnce, nullptr, nullptr, 1'800'000 * 24 / 1024, 96 * 1024},
    {"EveryWordSorted", EveryWordSorted, nullptr, nullptr, 1'800'000 * 18 / 1024, 96 * 1024},
    // tangle finds five words, leg one, xyz none, gent one.
    {"ManySeeds", ManySeeds, nullptr,
     [](const TempFiles& files, int scale) { OutputLines(files, 7 * 25'000 * qsizetype{scale}); }},
};

void PrintTo(const StreamedSearch& search, std::ostream* out) {
    *out << search.name;
}

class StreamsInBoundedMemory : public testing::TestWithParam<StreamedSearch> {};

TEST_P(StreamsInBoundedMemory, TenTimesTheInputTakesNoMoreMemory) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: GNU time measures the peak memory";
#endif
    const StreamedSearch& search = GetParam();
    long peaks[std::size(Scales)] = {};
    for (std::size_t i = 0; i < std::size(Scales); ++i) {
        TempFiles files;
        const QStringList arguments = search.prepare(files, Scales[i]);
        const QString input = search.standardInput ? files.path(search.standardInput) : QString();
        ASSERT_EQ(MakeWords(arguments, files.path(""), peaks[i], input), 0);
        EXPECT_GT(peaks[i], 0);
        if (search.checkOutput != nullptr)
            search.checkOutput(files, Scales[i]);
        if (!Sanitized) {
            EXPECT_LT(peaks[i], search.mostKiB) << "KiB at scale " << Scales[i];
        }
    }
    std::printf("%s: peaks of %ld and %ld KiB\n", search.name, peaks[0], peaks[1]);
    // A sanitizer pads every block it hands out: what grows with the words
    // found is held to its size only without one; what must not grow at all
    // is held in every build.
    const bool growsWithWords = search.mostGrowthKiB != MostGrowthKiB;
    if (!(Sanitized && growsWithWords)) {
        EXPECT_LT(peaks[1] - peaks[0], search.mostGrowthKiB) << "KiB more for ten times the input";
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, StreamsInBoundedMemory, testing::ValuesIn(StreamedSearches),
                         [](const testing::TestParamInfo<StreamedSearch>& row) {
                             return std::string(row.param.name);
                         });

// Starts a search that runs for a long time, asks it to stop `after`
// milliseconds into its search (once it has created its output file: the
// signals are caught from then on), and returns how long it took to stop.
qint64 StopDelay(const QStringList& arguments, const TempFiles& files, int after) {
    QFile::remove(files.path("out.txt"));
    QProcess process;
    process.setWorkingDirectory(files.path(""));
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(MAKEWORDS_PATH), arguments + QStringList{"-o", "out.txt"});
    EXPECT_TRUE(process.waitForStarted());
    while (!files.exists("out.txt") && !process.waitForFinished(10)) {
    }
    QThread::msleep(static_cast<unsigned long>(after));
    EXPECT_EQ(process.state(), QProcess::Running) << "still searching when asked to stop";
    QElapsedTimer timer;
    timer.start();
#ifndef _WIN32
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
#endif
    // The report says the search stopped; freeing its memory may take longer.
    QByteArray report;
    while (!report.contains("Stopped!") && process.waitForReadyRead(60000))
        report += process.readAllStandardError();
    const qint64 delay = timer.elapsed();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + SIGINT) << arguments.join(' ').toStdString();
    EXPECT_TRUE(report.contains("Stopped!"));
    return delay;
}

TEST(Faults, CtrlCStopsEveryLongSearchAtOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: signals sent with kill()";
#endif
    TempFiles files;
    LowerCaseWords(files);
    WriteWordList(files.path("list.txt"), 3'000'000, 17);
    {
        QFile seeds(files.path("seeds.txt"));
        ASSERT_TRUE(seeds.open(QIODevice::WriteOnly));
        seeds.write(QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(3).append('\n').repeated(50));
    }
    // The list four times over: twelve million words to sort, the repeats
    // weeded out by the sort, take seconds.
    files.write("long.txt", files.read("list.txt").repeated(4));
    const QStringList searches[] = {
        // Phrase anagrams with many blanks: a long walk over the blanks'
        // letters, in three words, as two end within two seconds.
        {"-s", "ab", "-b", "20", "-w", "3", "-m", "1", "-l", "lower.txt"},
        // A sort of millions of words, then their printing.
        {"--contains-all", "-s", "", "-m", "1", "--sort", "alpha", "-l", "long.txt"},
        // Seeds of every letter: long scans of the index.
        {"--seeds", "seeds.txt", "-m", "1", "-l", "list.txt"},
    };
    for (const QStringList& search : searches) {
        for (const int after : {100, 1500}) {
            const qint64 delay = StopDelay(search, files, after);
            std::printf("reported a stop %lld ms after Ctrl-C: %s\n", static_cast<long long>(delay),
                        qPrintable(search.join(' ')));
            // A fifth of a second is the aim; the bound leaves room for a busy machine.
            EXPECT_LT(delay, 2000) << search.join(' ').toStdString();
        }
    }
}

} // namespace
} // namespace Vorlaine
