#include "support/MakeWordsProcess.h"
#include "support/TempFiles.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace Vorlaine {
namespace {

using Testing::MakeWords;
using Testing::Result;
using Testing::TempFiles;

TEST(MakeWordsCommand, RunsWithTheWindowsDefaults) {
    TempFiles files;
    files.write("wordlist.txt", "tangle\r\ncat\r\nangle\r\ntan\r\nglean\r\n");
    files.write("NewWordsList.txt", "before\r\n");
    const Result result = MakeWords({}, files.path(""));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "tangle\nangle\nglean\n");
    EXPECT_EQ(result.err, "Done!\n3 words found.\nNewWordsList.txt created!\n")
        << "no progress line when standard error is no terminal";
    EXPECT_EQ(files.read("NewWordsList.txt"), "before\r\ntangle\r\nangle\r\nglean\r\n");
}

TEST(MakeWordsCommand, OptionsSetTheFourFields) {
    TempFiles files;
    files.write("words.txt", "star\nrats\ntsar\nsat\n");
    for (const QStringList& arguments :
         {QStringList{"-s", "RATS", "-l", "words.txt", "-m", "3", "-o", "found.txt"},
          QStringList{"--seed=RATS", "--list=words.txt", "--min-length=3", "--output=found.txt"}}) {
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "star\nrats\ntsar\nsat\n");
    }
    EXPECT_EQ(files.read("found.txt"),
              "star\r\nrats\r\ntsar\r\nsat\r\nstar\r\nrats\r\ntsar\r\nsat\r\n");
}

TEST(MakeWordsCommand, ErrorsExitWithOne) {
    TempFiles files;
    Result result = MakeWords({"-l", "missing.txt"}, files.path(""));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "makewords: missing.txt not found!\n");
    EXPECT_EQ(result.out, "");

    files.write("wordlist.txt", "tangle\n");
    result = MakeWords({"-m", "7"}, files.path(""));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "makewords: Minimum length can't be greater the seed word's length.\n");
    EXPECT_FALSE(files.exists("NewWordsList.txt"));
}

TEST(MakeWordsCommand, FullDiskKeepsWholeLinesOnly) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: bash's ulimit -f limits the file size";
#endif
    // Distinct seven-letter words, nine bytes a line: the 1,024-byte file-size
    // limit falls inside a line.
    TempFiles files;
    QByteArray list;
    QByteArray expected;
    QByteArray letters = "abcdefgh";
    for (int i = 0; i < 400 && std::next_permutation(letters.begin(), letters.end()); ++i) {
        list += letters.left(7) + '\n';
        if (!expected.contains(letters.left(7)))
            expected += letters.left(7) + "\r\n";
    }
    files.write("list.txt", list);
    files.write("out.txt", "before\r\n");

    QProcess shell;
    shell.setWorkingDirectory(files.path(""));
    shell.start("bash", {"-c",
                         "trap '' XFSZ; ulimit -f 1; exec \"$0\" -s abcdefgh -l list.txt -m 1 "
                         "-o out.txt >/dev/null",
                         QStringLiteral(MAKEWORDS_PATH)});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 1);
    EXPECT_EQ(shell.readAllStandardError(),
              "makewords: out.txt could not be written: File too large\n");

    const QByteArray output = files.read("out.txt");
    EXPECT_EQ(output.size(), 1024 - (1024 - 8) % 9)
        << "the part of a line that fitted was taken back";
    EXPECT_EQ(output, "before\r\n" + expected.left(output.size() - 8));
}

TEST(MakeWordsCommand, BadOptionsExitWithTwo) {
    TempFiles files;
    for (const QStringList& arguments :
         {QStringList{"--bogus"}, QStringList{"-s"}, QStringList{"stray"}}) {
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith("makewords: ")) << result.err.toStdString();
    }
}

TEST(MakeWordsCommand, VersionAndHelp) {
    TempFiles files;
    Result result = MakeWords({"--version"}, files.path(""));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "makewords 1.00.0035\n");

    result = MakeWords({"--help"}, files.path(""));
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option : {"--seed", "--list", "--min-length", "--output"})
        EXPECT_TRUE(result.out.contains(option)) << option;
    EXPECT_FALSE(files.exists("NewWordsList.txt"));
}

TEST(MakeWordsCommand, BadNewOptionsExitWithTwoAndTouchNothing) {
    TempFiles files;
    files.write("wordlist.txt", "tangle\n");
    const QList<std::pair<QStringList, const char*>> cases{
        {{"-x", "four"}, "--max-length"},
        {{"-b", "-1"}, "--blanks"},
        {{"-n", "2.5"}, "--limit"},
        {{"-w", "0"}, "--words"},
        {{"--contains-all", "--anagrams"}, "--contains-all"},
        {{"--contains-all", "-b", "1"}, "--blanks"},
        {{"--sort", "random"}, "random"},
        {{"--format", "xml"}, "xml"},
        {{"-r", "(unclosed"}, "--regex"},
        {{"-p", "c[at"}, "--pattern"},
        {{"--seeds", "-", "-l", "-"}, "standard input"},
        {{"-w", "2", "--sort", "alpha"}, "--sort"},
        {{"-w", "2", "-p", "a*"}, "--pattern"},
        {{"--distinct"}, "--distinct"},
    };
    for (const auto& [arguments, named] : cases) {
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith("makewords: ") && result.err.contains(named))
            << result.err.toStdString();
    }
    EXPECT_FALSE(files.exists("NewWordsList.txt"));
}

TEST(MakeWordsCommand, NewSearchesPrintAndAppendTheSameLines) {
    TempFiles files;
    files.write("list.txt", "tangle\nAngle\nelegant\ngnat\nangel\ntangle\nzebra\n");
    // The list from standard input, the words printed only: no file named -.
    Result result = MakeWords({"-s", "tangle", "-l", "-", "-o", "-", "-p", "[ag]*"}, files.path(""),
                              "tangle\nAngle\ngent\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "Angle\ngent\n");
    EXPECT_EQ(result.err, "Done!\n2 words found.\n");
    EXPECT_FALSE(files.exists("-"));

    // A blank, sorted by score, the best two, as JSON, appended with CR LF.
    files.write("tiles.txt", "e 5\nt 2\n");
    result = MakeWords({"-s", "tangle", "-b", "1", "--sort", "score", "-n", "2", "--format", "json",
                        "--tile-values", "tiles.txt", "-l", "list.txt", "-o", "out.txt"},
                       files.path(""));
    EXPECT_EQ(result.exitCode, 0);
    const QByteArray best = "{\"word\":\"elegant\",\"length\":7,\"score\":7,\"blanks\":\"e\"}\n"
                            "{\"word\":\"tangle\",\"length\":6,\"score\":7,\"blanks\":\"\"}\n";
    EXPECT_EQ(result.out, best);
    EXPECT_EQ(files.read("out.txt"), QByteArray(best).replace("\n", "\r\n"));

    // Many seeds: a seed too short for the minimum is passed over with a warning.
    files.write("seeds.txt", "  gnat \n\nab\nGALE\n");
    result =
        MakeWords({"--seeds", "seeds.txt", "-m", "3", "-l", "list.txt", "-o", "-"}, files.path(""));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "gnat\tgnat\n");
    EXPECT_EQ(result.err, "makewords: ab: Minimum length can't be greater the seed word's "
                          "length.\nDone!\n1 words found.\n");
}

TEST(MakeWordsCommand, RegularExpressionThatNeverEndsIsGivenUp) {
    TempFiles files;
    files.write("list.txt", QByteArray(40, 'a') + "!\n");
    const Result result = MakeWords({"-s", QString(41, 'a') + "!", "-m", "1", "-l", "list.txt",
                                     "-o", "-", "-r", "^(\\w+\\s?)*$"},
                                    files.path(""));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("gave up")) << result.err.toStdString();
}

// Each anagram with its words in alphabetical order, all of them sorted: the
// same set of anagrams gives the same list, however each tool orders them.
QStringList AnagramSet(const QByteArray& printed) {
    QStringList anagrams;
    for (const QByteArray& line : printed.split('\n')) {
        QStringList words = QString::fromUtf8(line).toLower().split(' ', Qt::SkipEmptyParts);
        words.sort();
        if (!words.isEmpty())
            anagrams << words.join(' ');
    }
    anagrams.sort();
    return anagrams;
}

TEST(MakeWordsCommand, PhraseAnagramsAreThoseOfAn) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: the peer, Debian's an, is a Linux program";
#endif
    // Every 25th lower-case word of Debian's list, and the short words an
    // anagram needs to come out.
    QFile dictionary(QStringLiteral("/usr/share/dict/american-english"));
    ASSERT_TRUE(dictionary.open(QIODevice::ReadOnly)) << "scripts/setup installs wamerican";
    QByteArray list;
    int line = 0;
    for (const QByteArray& word : dictionary.readAll().split('\n')) {
        const bool lower = !word.isEmpty() && std::all_of(word.begin(), word.end(), [](char c) {
            return c >= 'a' && c <= 'z';
        });
        if (lower && (++line % 25 == 0 || word.size() <= 3))
            list += word + '\n';
    }
    TempFiles files;
    files.write("list.txt", list);
    const QString an = QStringLiteral("/usr/games/an");
    ASSERT_TRUE(QFile::exists(an)) << "scripts/setup installs an";
    for (const auto& [phrase, words, shortest] :
         std::vector<std::tuple<QString, int, int>>{{"dog", 2, 1},
                                                    {"roast beef", 3, 1},
                                                    {"mississippi", 3, 1},
                                                    {"vorlaine developers", 3, 3},
                                                    {"quiz", 2, 1},
                                                    {"listen silent", 4, 2}}) {
        QProcess peer;
        peer.start(an, {"-d", files.path("list.txt"), "-l", QString::number(words), "-m",
                        QString::number(shortest), phrase});
        ASSERT_TRUE(peer.waitForFinished(60000));
        const Result ours = MakeWords({"-s", phrase, "-w", QString::number(words), "-m",
                                       QString::number(shortest), "-l", "list.txt", "-o", "-"},
                                      files.path(""));
        EXPECT_EQ(ours.exitCode, 0);
        const QStringList expected = AnagramSet(peer.readAllStandardOutput());
        const QStringList found = AnagramSet(ours.out);
        EXPECT_EQ(found, expected)
            << phrase.toStdString() << ": " << found.size() << " against " << expected.size();
        EXPECT_EQ(QSet<QString>(found.begin(), found.end()).size(), found.size())
            << "each anagram once";
    }
}

TEST(MakeWordsCommand, PhraseAnagramOptions) {
    TempFiles files;
    files.write("list.txt", "rats\nstar\ntsar\nart\ns\nrat\nstar\n");
    const auto run = [&](QStringList arguments) {
        arguments << "-l"
                  << "list.txt"
                  << "-o"
                  << "-"
                  << "-m"
                  << "1";
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return QString::fromUtf8(result.out).split('\n', Qt::SkipEmptyParts);
    };
    // The same word twice in the list gives each anagram once, longest word first.
    EXPECT_EQ(run({"-s", "star rats", "-w", "2"}),
              QStringList(
                  {"rats rats", "rats star", "rats tsar", "star star", "star tsar", "tsar tsar"}));
    EXPECT_EQ(run({"-s", "star rats", "-w", "2", "--distinct"}),
              QStringList({"rats star", "rats tsar", "star tsar"}));
    EXPECT_EQ(run({"-s", "starrats", "-w", "3", "--include", "art"}),
              QStringList({"rats art s", "star art s", "tsar art s"}));
    EXPECT_EQ(run({"-s", "star rats", "-w", "3", "-n", "2"}).size(), 2);
    EXPECT_EQ(run({"-s", "star", "-w", "2", "--include", "tsar"}), QStringList({"tsar"}));
    const Result nothing =
        MakeWords({"-s", " ", "-w", "2", "-m", "0", "-l", "list.txt", "-o", "-"}, files.path(""));
    EXPECT_EQ(nothing.out, "") << "nothing has no anagram";
    EXPECT_EQ(run({"-s", "ratss", "-w", "2", "--format", "json"}),
              QStringList({R"({"words":["rats","s"]})", R"({"words":["star","s"]})",
                           R"({"words":["tsar","s"]})"}));

    const Result lacking =
        MakeWords({"-s", "star", "-w", "2", "--include", "zoo", "-l", "list.txt"}, files.path(""));
    EXPECT_EQ(lacking.exitCode, 1);
    EXPECT_TRUE(lacking.err.contains("zoo")) << lacking.err.toStdString();
    EXPECT_FALSE(files.exists("NewWordsList.txt"));
}

} // namespace
} // namespace Vorlaine
