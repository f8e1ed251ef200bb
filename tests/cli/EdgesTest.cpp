// makewords at its edges: what a new user tries, and where a run must fail
// loudly rather than lose words or write into a file it reads.

#include "support/MakeWordsProcess.h"
#include "support/TempFiles.h"

#include <QElapsedTimer>
#include <QFile>
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

TEST(Edges, InputsAreNeverTheOutputFile) {
    TempFiles files;
    files.write("list.txt", "tangle\nangle\n");
    files.write("tiles.txt", "a 2\n");
    files.write("seeds.txt", "tangle\n");
    // Windows has no symbolic links that every user may make; there the
    // word list is named as a relative path instead.
#ifdef _WIN32
    const QString link = QStringLiteral("./list.txt");
#else
    const QString link = QStringLiteral("link.txt");
    ASSERT_TRUE(QFile::link(files.path("list.txt"), files.path(link)));
#endif
    const std::pair<QStringList, QString> cases[] = {
        {{"--tile-values", "tiles.txt", "-o", "./tiles.txt"},
         "./tiles.txt is the tile-values file itself!"},
        {{"--seeds", "seeds.txt", "-o", "seeds.txt"}, "seeds.txt is the seeds file itself!"},
        {{"-o", link}, link + " is the word list itself!"},
        {{"-x", "9", "-o", link}, link + " is the word list itself!"},
    };
    for (const auto& [arguments, message] : cases) {
        const Result result =
            MakeWords(QStringList{"-s", "tangle", "-l", "list.txt"} + arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_EQ(result.err, "makewords: " + message.toUtf8() + " Choose another output file.\n");
    }
    EXPECT_EQ(files.read("list.txt"), "tangle\nangle\n");
    EXPECT_EQ(files.read("tiles.txt"), "a 2\n");
    EXPECT_EQ(files.read("seeds.txt"), "tangle\n");
}

TEST(Edges, FailedRunsCreateNothing) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: named pipes made with mkfifo";
#endif
    TempFiles files;
    files.write("list.txt", "tangle\n");
    ASSERT_EQ(::system(("mkfifo " + files.path("pipe")).toLocal8Bit().constData()), 0);
    QString manyLetters;
    for (char16_t c = 0x4e00; c < 0x4e00 + 300; ++c)
        manyLetters += QChar(c);
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"--seeds", "missing.txt"}, "makewords: missing.txt not found!\n"},
        {{"--tile-values", "missing.txt"}, "makewords: missing.txt not found!\n"},
        // A named pipe would wait for a writer for ever.
        {{"--tile-values", "pipe"}, "makewords: pipe not found!\n"},
        {{"--seeds", "pipe"}, "makewords: pipe not found!\n"},
        {{"-w", "2", "-l", "pipe"}, "makewords: pipe not found!\n"},
        // A phrase the anagram search cannot take.
        {{"-w", "2", "-s", manyLetters},
         "makewords: The phrase has 300 different letters; at most 256 can be searched for.\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const Result result =
            MakeWords(QStringList{"-l", "list.txt", "-o", "new.txt"} + arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_EQ(result.err, message);
        EXPECT_FALSE(files.exists("new.txt")) << arguments.join(' ').toStdString();
    }
}

TEST(Edges, UsageErrorsForValuesThatSayNothing) {
    TempFiles files;
    files.write("wordlist.txt", "tangle\n");
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"-w", "2", "--include", ""}, "--include needs a word"},
        {{"-w", "2", "--include", " "}, "--include needs a word"},
        {{"--seeds", ""}, "--seeds needs a file name"},
        {{"--tile-values", ""}, "--tile-values needs a file name"},
        {{"-w", "2", "--exclude", ""}, "--exclude needs a word"},
        {{"-w", "2", "--exclude", "a b"}, "--exclude takes one word, not 'a b'"},
        {{"-w", "2", "--min-words", "3"}, "--min-words cannot be more than --words"},
        {{"--min-words", "1"}, "--min-words needs --words 2 or more"},
    };
    for (const auto& [arguments, message] : cases) {
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith("makewords: " + message + "\n"))
            << result.err.toStdString();
    }
    // --help-all is help too, and runs no search.
    const Result help = MakeWords({"--help-all"}, files.path(""));
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--min-length"));
    EXPECT_FALSE(files.exists("NewWordsList.txt"));
}

TEST(Edges, PhraseAnagramsTakeEachWordOnceWhateverItsCase) {
    TempFiles files;
    files.write("list.txt", "rats\nstar\ntsar\nart\ns\nStar\n");
    const auto run = [&](QStringList arguments) {
        const Result result = MakeWords(arguments + Args("-l list.txt -o - -m 1"), files.path(""));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return QString::fromUtf8(result.out).split('\n', Qt::SkipEmptyParts);
    };
    // The word the anagrams hold is the list's, in the list's spelling, and
    // with --distinct no anagram has it twice, however it is typed.
    EXPECT_EQ(run({"-s", "star rats", "-w", "2", "--distinct", "--include", "STAR"}),
              QStringList({"rats star", "star tsar"}));
    EXPECT_EQ(run({"-s", "star rats", "-w", "2", "--include", "STAR"}),
              QStringList({"rats star", "star star", "star tsar"}));
    // A word the list lacks is printed as typed.
    EXPECT_EQ(run({"-s", "starzz", "-w", "2", "--include", "ZZ"}),
              QStringList({"rats ZZ", "star ZZ", "tsar ZZ"}));
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
