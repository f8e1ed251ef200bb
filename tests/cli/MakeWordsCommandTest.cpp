#include "support/AnagramSet.h"
#include "support/MakeWordsProcess.h"
#include "support/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace Vorlaine {
namespace {

using Testing::AnagramSet;
using Testing::Args;
using Testing::MakeWords;
using Testing::Result;
using Testing::Shell;
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

// Every file of the folder: its name, size and a hash of its bytes.
QStringList Snapshot(const TempFiles& files) {
    QStringList snapshot;
    for (const QString& name : QDir(files.path("")).entryList(QDir::Files | QDir::System)) {
        const QByteArray bytes =
            QFileInfo(files.path(name)).isFile() ? files.read(name) : QByteArray();
        snapshot << name + u' ' + QString::number(bytes.size()) + u' ' +
                        QString::number(qHash(bytes));
    }
    return snapshot;
}

// A run that cannot go ahead: its exit status and what its message says.
struct Refused {
    QStringList arguments;
    int exitCode;
    QString message;
    QString redirect = {}; // of bash, for standard input
};

// Every run refused says why, after "makewords: ", with 2 for the command
// line and 1 for a run that fails, and leaves the folder as it was: no output
// file made, no input written into.
TEST(MakeWordsCommand, RefusedRunsSayWhyAndTouchNothing) {
    TempFiles files;
    files.write("wordlist.txt", "tangle\n");
    files.write("list.txt", "rats\nstar\ntangle\nangle\n");
    files.write("tiles.txt", "a 2\n");
    files.write("seeds.txt", "tangle\n");
    files.write("lone.dic", "1\ntangle\n");
    files.write("bad.dic", "2\ntangle/S\nangle/SS\n");
    files.write("bad.aff", "FLAG long\n");
    QString manyLetters;
    for (char16_t c = 0x4e00; c < 0x4e00 + 300; ++c)
        manyLetters += QChar(c);
        // Windows has no symbolic links that every user may make; there the
        // word list is named as a relative path instead.
#ifdef _WIN32
    const QString link = QStringLiteral("./list.txt");
#else
    const QString link = QStringLiteral("link.txt");
    ASSERT_TRUE(QFile::link(files.path("list.txt"), files.path(link)));
#endif
    std::vector<Refused> cases{
        // The command line.
        {{"--bogus"}, 2, "Unknown option 'bogus'"},
        {{"-s"}, 2, "Missing value after '-s'"},
        {{"stray"}, 2, "unexpected argument 'stray'"},
        {{"-x", "four"}, 2, "--max-length needs a whole number, not 'four'"},
        {{"-b", "-1"}, 2, "--blanks"},
        {{"-n", "2.5"}, 2, "--limit"},
        {{"-w", "0"}, 2, "--words needs a whole number from 1 up"},
        {{"--contains-all", "--anagrams"}, 2, "--contains-all cannot go with --anagrams"},
        {{"--contains-all", "-b", "1"}, 2, "--contains-all cannot go with --blanks"},
        {{"--sort", "random"},
         2,
         "--sort takes list, alpha, length, score, probability, not 'random'"},
        {{"--format", "xml"}, 2, "xml"},
        {{"-r", "(unclosed"}, 2, "--regex"},
        {{"-p", "c[at"}, 2, "--pattern"},
        {{"--seeds", "-", "-l", "-"}, 2, "standard input"},
        {{"-w", "2", "--sort", "alpha"}, 2, "--sort cannot go with --words"},
        {{"-w", "2", "-p", "a*"}, 2, "--pattern"},
        {{"--distinct"}, 2, "--distinct needs --words"},
        {{"--min-words", "1"}, 2, "--min-words needs --words"},
        {{"-w", "2", "--min-words", "3"}, 2, "--min-words cannot be more than --words"},
        {{"-w", "2", "--include", ""}, 2, "--include needs a word"},
        {{"-w", "2", "--include", " "}, 2, "--include needs a word"},
        {{"-w", "2", "--exclude", ""}, 2, "--exclude needs a word"},
        {{"-w", "2", "--exclude", "a b"}, 2, "--exclude takes one word, not 'a b'"},
        {{"--seeds", ""}, 2, "--seeds needs a file name"},
        {{"--tile-values", ""}, 2, "--tile-values needs a file name"},
        {{"-o", ""}, 2, "--output needs a file name"},
        {{"-l", ""}, 2, "--list needs a file name"},
        // Options that contradict each other.
        {{"-x", "2", "-m", "4"}, 2, "--max-length 2 is less than --min-length 4"},
        {{"-w", "2", "--include", "tee", "--exclude", "TEE"},
         2,
         "--include and --exclude both name TEE"},
        {{"-w", "1", "--include", "a b"}, 2, "--include names 2 words, and --words allows 1"},
        {{"-w", "2", "--include", "tee Tee", "--distinct"},
         2,
         "--include names Tee twice, and --distinct takes a word once"},
        {{"--seeds", "seeds.txt", "-s", "tangle"}, 2, "--seeds cannot go with --seed"},
        {{"--seeds", "seeds.txt", "--hooks"}, 2, "--hooks cannot go with --seeds"},
        {{"-w", "2", "--board", "a*"}, 2, "--board cannot go with --words"},
        // Runs that fail before they search.
        {{"-l", "missing.txt"}, 1, "missing.txt not found!"},
        {{"-m", "7"}, 1, "Minimum length can't be greater the seed word's length."},
        {{"--seeds", "missing.txt"}, 1, "missing.txt not found!"},
        {{"--tile-values", "missing.txt"}, 1, "missing.txt not found!"},
        // A hunspell dictionary is read whole before anything is written.
        {{"-l", "lone.dic"}, 1, "lone.dic has no affix file lone.aff beside it"},
        {{"-l", "bad.dic"}, 1, "bad.dic line 2: \"S\" is no list of two-character flags"},
        {{"-s", "star", "-w", "2", "--include", "zoo", "-l", "list.txt"},
         1,
         "star lacks letters of zoo: no anagram of it can hold that word."},
        {{"-w", "2", "-s", manyLetters, "-l", "list.txt"},
         1,
         "The phrase has 300 different letters; at most 256 can be searched for."},
        // An output file that is an input, however it is spelled.
        {{"-l", "list.txt", "--tile-values", "tiles.txt", "-o", "./tiles.txt"},
         1,
         "./tiles.txt is the tile-values file itself! Choose another output file."},
        {{"-l", "list.txt", "--seeds", "seeds.txt", "-o", "seeds.txt"},
         1,
         "seeds.txt is the seeds file itself! Choose another output file."},
        {{"-l", "list.txt", "-o", link},
         1,
         link + " is the word list itself! Choose another output file."},
        {{"-l", "list.txt", "-x", "9", "-o", link},
         1,
         link + " is the word list itself! Choose another output file."},
    };
#ifndef _WIN32
    // An output file that is what standard input reads: the list, however
    // it is named, or the seeds; and nothing to read when it is closed.
    const std::vector<Refused> standardInput{
        {{"-s", "tangle", "-l", "-", "-m", "5", "-o", "list.txt"},
         1,
         "list.txt is the word list itself!",
         "< list.txt"},
        {{"-s", "tangle", "-l", "-", "-o", "/dev/stdin"},
         1,
         "/dev/stdin is the word list itself!",
         "< list.txt"},
        {{"--seeds", "-", "-l", "list.txt", "-o", "seeds.txt"},
         1,
         "seeds.txt is the seeds file itself!",
         "< seeds.txt"},
        {{"-s", "tangle", "-l", "-", "-o", "-"},
         1,
         "- could not be read: standard input is closed",
         "<&-"},
    };
    cases.insert(cases.end(), standardInput.begin(), standardInput.end());
    // What is no file is named, with the option that names it.
    for (const auto& [option, path, what] : {std::tuple{"--list", ".", "a folder"},
                                             {"--seeds", "/dev/zero", "a device"},
                                             {"--tile-values", "/dev/null", "a device"},
                                             {"--not-in", "/", "a folder"}})
        cases.push_back({{"-l", "list.txt", option, path},
                         1,
                         QString(path) + " is " + what + ", not a file to read for " + option});
#endif
    const auto before = Snapshot(files);
    for (const auto& [arguments, exitCode, message, redirect] : cases) {
        const Result result =
            redirect.isEmpty()
                ? MakeWords(arguments, files.path(""))
                : Shell("\"$M\" '" + arguments.join("' '") + "' " + redirect, files.path(""));
        const std::string where = (arguments.join(' ') + ' ' + redirect).toStdString();
        EXPECT_EQ(result.exitCode, exitCode) << where;
        EXPECT_TRUE(result.err.startsWith("makewords: ") && result.err.contains(message.toUtf8()))
            << where << ": " << result.err.toStdString();
        if (exitCode == 1) {
            EXPECT_EQ(result.err.count('\n'), 1) << where << ": " << result.err.toStdString();
        }
        EXPECT_EQ(result.out, "") << where;
        EXPECT_EQ(Snapshot(files).join(u", "), before.join(u", ")) << where;
    }
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

TEST(MakeWordsCommand, VersionAndHelp) {
    TempFiles files;
    Result result = MakeWords({"--version"}, files.path(""));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "makewords 1.00.0035\n");

    // --help-all is help too: Qt adds it beside --help.
    for (const QString help : {"--help", "--help-all"}) {
        result = MakeWords({help}, files.path(""));
        EXPECT_EQ(result.exitCode, 0);
        for (const char* option : {"--seed", "--list", "--min-length", "--output"})
            EXPECT_TRUE(result.out.contains(option)) << option;
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
    // The chance of drawing the tiles is a test of its own.
    const QRegularExpression probability(",\"probability\":[0-9.e-]+");
    EXPECT_EQ(QString::fromUtf8(result.out).remove(probability).toUtf8(), best);
    EXPECT_EQ(QString::fromUtf8(files.read("out.txt")).remove(probability).toUtf8(),
              QByteArray(best).replace("\n", "\r\n"));

    // Many seeds: the seeds too short for the minimum are passed over and
    // counted, in one line at the end, and in none with -q.
    files.write("seeds.txt", "  gnat \n\nab\nGALE\nxy\nz\n");
    for (const QString quiet : {"", "-q"}) {
        result =
            MakeWords(Args("--seeds seeds.txt -m 3 -l list.txt -o - " + quiet), files.path(""));
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "gnat\tgnat\n");
        EXPECT_EQ(result.err, quiet.isEmpty() ? "makewords: 3 seeds were shorter than the minimum "
                                                "length, and passed over.\nDone!\n1 words found.\n"
                                              : "");
    }
}

// An anagram's line is copied a word at a time, sixteen bytes at a time:
// words shorter and longer than that, and of more bytes than letters, each
// whole and in its place, plain and as JSON, with an included word too.
TEST(MakeWordsCommand, AnagramLinesHoldWordsOfEveryLength) {
    TempFiles files;
    const QString longest = QString(1, QChar(0xE9)) + QString(34, u'a');
    const QString longer = QString(17, u'b');
    const QString eight = QString(8, u'd');
    files.write("list.txt", (longer + "\nc\n" + longest + "\n" + eight + "\n").toUtf8());
    const QString phrase = "c " + eight + " " + longer + " " + longest;
    const QString line = longest + " " + longer + " " + eight + " c";
    const QString json = "{\"words\":[\"" + QStringList{longest, longer, eight, "c"}.join("\",\"") +
                         "\"],\"score\":104,\"blanks\":\"\"}"; // é has no tile: 34 + 51 + 16 + 3
    const std::vector<std::pair<QStringList, QString>> rows = {
        {{}, line},
        {{"--format", "json"}, json},
        {{"--include", "c"}, line},
        {{"--include", eight, "--format", "json"}, json},
    };
    for (const auto& [extra, expected] : rows) {
        QFile::remove(files.path("out.txt"));
        const Result result = MakeWords(
            QStringList{"-s", phrase, "-w", "4", "-m", "1", "-l", "list.txt", "-o", "out.txt"} +
                extra,
            files.path(""));
        EXPECT_EQ(result.exitCode, 0) << extra.join(' ').toStdString();
        EXPECT_EQ(result.out, (expected + "\n").toUtf8()) << extra.join(' ').toStdString();
        EXPECT_EQ(files.read("out.txt"), (expected + "\r\n").toUtf8());
    }
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

} // namespace
} // namespace Vorlaine
