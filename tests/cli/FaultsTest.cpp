// makewords under faults and load: killed mid-run, fed huge lines and long lists.

#include "support/TempFiles.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
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
int MakeWords(const QStringList& arguments, const QString& folder, long& peakKiB) {
    QProcess process;
    process.setWorkingDirectory(folder);
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

TEST(Faults, KilledRunLeavesWholeAcceptedLinesInOrder) {
    TempFiles files;
    WriteWordList(files.path("list.txt"), 300000, 7);
    QFile listFile(files.path("list.txt"));
    ASSERT_TRUE(listFile.open(QIODevice::ReadOnly));
    const QList<QByteArray> list = listFile.readAll().split('\n');

    const QByteArray before = "kept\r\nno line end";
    files.write("out.txt", before);
    QRandomGenerator random(2024);
    for (int round = 0; round < 4; ++round) {
        const QByteArray start = files.read("out.txt");
        QProcess process;
        process.setWorkingDirectory(files.path(""));
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(MAKEWORDS_PATH),
                      {"-s", AllLettersFiveTimes, "-m", "1", "-l", "list.txt", "-o", "out.txt"});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(20 + random.bounded(200u));
        process.kill();
        process.waitForFinished();
        ASSERT_EQ(process.exitStatus(), QProcess::CrashExit) << "killed before the end of its run";

        const QByteArray output = files.read("out.txt");
        ASSERT_TRUE(output.startsWith(start)) << "what was there before is unchanged";
        const QByteArray added = output.mid(start.size());
        ASSERT_TRUE(added.isEmpty() || added.endsWith("\r\n")) << "whole lines only";
        // The lines are words of the list, in the list's order, each once.
        QList<QByteArray> lines = added.split('\n');
        lines.removeLast();
        qsizetype at = 0;
        QSet<QByteArray> seen;
        for (QByteArray line : lines) {
            ASSERT_TRUE(line.endsWith('\r'));
            line.chop(1);
            while (at < list.size() && list[at] != line)
                ++at;
            ASSERT_LT(at, list.size())
                << "not a word of the list, or out of order: " << line.constData();
            ASSERT_FALSE(seen.contains(line));
            seen.insert(line);
        }
    }
}

TEST(Faults, HugeSingleLineTakesBoundedMemory) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: GNU time measures the peak memory";
#endif
    TempFiles files;
    {
        QFile file(files.path("line.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block(1 << 20, 'e');
        for (int i = 0; i < 100; ++i)
            file.write(block);
        file.write("\ngent\n");
    }
    long peak = 0;
    EXPECT_EQ(MakeWords({"-l", "line.txt", "-o", "out.txt", "-s", "gentee", "-m", "1"},
                        files.path(""), peak),
              0);
    EXPECT_EQ(files.read("out.txt"), "gent\r\n");
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 32 * 1024) << "KiB";
}

TEST(Faults, TenMillionLinesInBoundedMemory) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: GNU time measures the peak memory";
#endif
    TempFiles files;
    WriteWordList(files.path("list.txt"), 10'000'000, 11);
    long peak = 0;
    EXPECT_EQ(
        MakeWords({"-l", "list.txt", "-o", "/dev/null", "-s", "tangle"}, files.path(""), peak), 0);
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 32 * 1024) << "KiB";
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

TEST(Faults, AnagramsStreamInBoundedMemory) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: GNU time measures the peak memory";
#endif
    TempFiles files;
    LowerCaseWords(files);
    long peak = 0;
    EXPECT_EQ(MakeWords({"-s", "vorlaine developers", "-w", "6", "-m", "2", "-n", "3000000", "-l",
                         "lower.txt", "-o", "/dev/null"},
                        files.path(""), peak),
              0);
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 64 * 1024) << "KiB for three million anagrams";
}

TEST(Faults, MillionSeedsStreamInBoundedMemory) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: GNU time measures the peak memory";
#endif
    TempFiles files;
    files.write("list.txt", "tangle\nangle\ngent\nglean\nleg\n");
    {
        QFile seeds(files.path("seeds.txt"));
        ASSERT_TRUE(seeds.open(QIODevice::WriteOnly));
        seeds.write(QByteArray("tangle\nleg\nxyz\ngent\n").repeated(250'000));
    }
    long peak = 0;
    EXPECT_EQ(MakeWords({"--seeds", "seeds.txt", "-m", "3", "-l", "list.txt", "-o", "out.txt"},
                        files.path(""), peak),
              0);
    // tangle finds five words, leg one, xyz none, gent one.
    EXPECT_EQ(files.read("out.txt").count("\r\n"), 7 * 250'000);
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 32 * 1024) << "KiB for a million seeds";
}

} // namespace
} // namespace Vorlaine
