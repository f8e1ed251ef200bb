// makewords at its edges: what a new user tries, and where a run must fail
// loudly rather than lose words or write into a file it reads.

#include "support/MakeWordsProcess.h"
#include "support/TempFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace Vorlaine {
namespace {

using Testing::Args;
using Testing::MakeWords;
using Testing::Result;
using Testing::Shell;
using Testing::TempFiles;

TEST(Edges, SeedOfSixtyFourLettersEnds) {
    // Every bit of the index's letter sets is taken; walking each subset of
    // them would never end.
    TempFiles files;
    files.write("seeds.txt", "abcdefghijklmnopqrstuvwxyz&'()*+,-./0123456789:;<=>?@\xC2\xB3\xC2\xB4"
                             "\xC2\xB5\xC2\xB6\xC2\xB7\xC2\xB8!\"#$%\n");
    files.write("list.txt", "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\nm\nn\no\np\n");
    QElapsedTimer timer;
    timer.start();
    const Result result =
        MakeWords({"--seeds", "seeds.txt", "-l", "list.txt", "-m", "1", "-o", "-"}, files.path(""));
    EXPECT_LT(timer.elapsed(), 30000);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.count('\n'), 16);
}

TEST(Edges, FailedWritesToStandardOutputAreErrors) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: bash, /dev/full and a closed standard output";
#endif
    TempFiles files;
    files.write("list.txt", "tangle\nangle\ngent\nglean\n");
    // A full device, for the window's run and the searches' two printers;
    // then a closed standard output, which must not pass its number on to
    // the output file.
    for (const QString options : {"", "-b 1", "-w 2 -m 2", "-x 9"}) {
        const Result full =
            Shell("\"$M\" -s tangle -l list.txt -o - " + options + " > /dev/full", files.path(""));
        EXPECT_EQ(full.exitCode, 1) << options.toStdString();
        EXPECT_EQ(full.err,
                  "makewords: standard output could not be written: No space left on device\n")
            << options.toStdString();

        const Result closed =
            Shell("\"$M\" -s tangle -l list.txt -o out.txt " + options + " >&-", files.path(""));
        EXPECT_EQ(closed.exitCode, 1) << options.toStdString();
        EXPECT_TRUE(closed.err.contains("standard output")) << closed.err.toStdString();
        EXPECT_FALSE(files.exists("out.txt")) << options.toStdString();
    }

    // A reader that has seen enough stays as quiet as ever.
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += "w" + QByteArray::number(i) + '\n';
    files.write("many.txt", many);
    for (const QString options : {"", "-x 9"}) {
        const Result piped = Shell("\"$M\" --contains-all -s '' -m 1 -l many.txt -o - " + options +
                                       " | head -c 1 > /dev/null; echo \"${PIPESTATUS[0]}\"",
                                   files.path(""));
        EXPECT_EQ(piped.err, "");
        EXPECT_EQ(piped.out, "141\n") << "ended by SIGPIPE";
    }
}

// A pipe given as a file (`-l <(zcat list.gz)`) is read once, as standard
// input is, with the same results as the file; one without a writer waits no
// longer than Ctrl-C.
TEST(Edges, PipesAreReadAsTheFilesTheyCarry) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: bash's process substitution and mkfifo";
#else
    TempFiles files;
    files.write("list.txt", "tangle\nangle\ngent\nglean\nleg\n");
    files.write("seeds.txt", "tangle\nleg\n");
    files.write("old.txt", "gent\n");
    files.write("tiles.txt", "g 7\n");
    const QString searches[] = {
        "-s tangle -l %1list.txt%2 -o out.txt",
        "-s tangle -l %1list.txt%2 -o - -x 9",
        "-s tangle -l %1list.txt%2 -o - -w 2 -m 3",
        "--seeds %1seeds.txt%2 -l list.txt -o - -m 3",
        "-s tangle -l list.txt -o - --not-in %1old.txt%2",
        "-s tangle -l list.txt -o - --tile-values %1tiles.txt%2 --format json",
    };
    for (const QString& search : searches) {
        QFile::remove(files.path("out.txt"));
        const Result file = Shell("\"$M\" " + search.arg("", ""), files.path(""));
        const QByteArray filed = files.read("out.txt");
        QFile::remove(files.path("out.txt"));
        const Result piped = Shell("\"$M\" " + search.arg("<(cat ", ")"), files.path(""));
        EXPECT_EQ(piped.exitCode, 0) << search.toStdString() << piped.err.toStdString();
        EXPECT_EQ(piped.out, file.out) << search.toStdString();
        EXPECT_EQ(files.read("out.txt"), filed) << search.toStdString();
        EXPECT_FALSE(file.out.isEmpty() && filed.isEmpty()) << search.toStdString();
    }

    ASSERT_EQ(::system(("mkfifo " + files.path("pipe")).toLocal8Bit().constData()), 0);
    for (const QString options :
         {"-l pipe", "-l list.txt --seeds pipe", "-l list.txt --not-in pipe"}) {
        QProcess process;
        process.setWorkingDirectory(files.path(""));
        process.start(QStringLiteral(MAKEWORDS_PATH), Args("-s tangle -o out.txt " + options));
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(300);
        EXPECT_EQ(process.state(), QProcess::Running) << "waiting for a writer";
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
        EXPECT_TRUE(process.waitForFinished(5000)) << options.toStdString();
        EXPECT_FALSE(files.exists("out.txt")) << options.toStdString();
    }
#endif
}

TEST(Edges, QuietShowsErrorsOnly) {
    TempFiles files;
    files.write("list.txt", "tangle\nangle\n");
    for (const QString options : {"", "-x 9", "-w 2 -m 1"}) {
        Result result =
            MakeWords(Args("-q -s tangle -l list.txt -o out.txt " + options), files.path(""));
        EXPECT_EQ(result.exitCode, 0) << options.toStdString();
        EXPECT_EQ(result.err, "") << options.toStdString();
        EXPECT_FALSE(result.out.isEmpty()) << options.toStdString();
        result = MakeWords(Args("-q -s tangle -l missing.txt " + options), files.path(""));
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "makewords: missing.txt not found!\n");
    }
}

} // namespace
} // namespace Vorlaine
