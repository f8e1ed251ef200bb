// What the run makes of odd word lists, paths, seeds and minimum lengths: each
// case with the answer a user should get.

#include "search/run/MakeWordsRun.h"
#include "support/ScriptedWindow.h"
#include "support/TempFiles.h"

#include <QFile>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace Vorlaine {
namespace {

using Testing::ScriptedWindow;
using Testing::TempFiles;

class BadInputTest : public ::testing::Test {
protected:
    BadInputTest() { window.set(Field::Output, files.path("out.txt")); }

    // Runs on the list and returns the single message it ended with.
    ScriptedWindow::Message runOn(const QString& list) {
        window.set(Field::WordList, list);
        window.messages.clear();
        window.found.clear();
        RunMakeWords(window);
        EXPECT_EQ(window.messages.size(), 1u);
        return window.messages.empty() ? ScriptedWindow::Message{} : window.messages.back();
    }
    QStringList foundWith(const QString& seed, const QString& minimum, const QByteArray& list) {
        window.set(Field::Seed, seed);
        window.set(Field::MinimumLength, minimum);
        const ScriptedWindow::Message message = runOn(files.write("list.txt", list));
        EXPECT_EQ(message.kind, MessageKind::Report) << message.prompt.toStdString();
        return window.found;
    }

    TempFiles files;
    ScriptedWindow window;
};

TEST_F(BadInputTest, WordListsThatAreNoFilesAreNotFound) {
    for (const QString& path : {QString(), files.path("missing.txt"), files.path(""),
                                QStringLiteral("/dev/zero"), QStringLiteral("/dev/null")}) {
        const ScriptedWindow::Message message = runOn(path);
        EXPECT_EQ(message.prompt, path + " not found!");
        EXPECT_EQ(message.kind, MessageKind::Error);
    }
    EXPECT_FALSE(files.exists("out.txt")) << "nothing is opened for a list that is not there";
}

TEST_F(BadInputTest, NamedPipesAndSocketsAreNotFound) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: Windows keeps no named pipes or sockets in folders";
#else
    ASSERT_EQ(mkfifo(QFile::encodeName(files.path("pipe")).constData(), 0600), 0);

    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(files.path("socket"));
    ASSERT_LT(static_cast<std::size_t>(socketPath.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.constData(),
                static_cast<std::size_t>(socketPath.size()));
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    for (const QString& path : {files.path("pipe"), files.path("socket")}) {
        const ScriptedWindow::Message message = runOn(path);
        EXPECT_EQ(message.prompt, path + " not found!");
        EXPECT_EQ(message.kind, MessageKind::Error);
    }
    ::close(sock);
    EXPECT_FALSE(files.exists("out.txt")) << "nothing is opened for a list that is not there";
#endif
}

TEST_F(BadInputTest, OddButReadableWordLists) {
    EXPECT_EQ(foundWith("TANGLE", "4", ""), QStringList());
    EXPECT_EQ(foundWith("TANGLE", "4", " \n\t\r\n\n"), QStringList());
    // NUL bytes are characters like any other: not in the seed, so no fit.
    EXPECT_EQ(foundWith("TANGLE", "4", QByteArray("ang\0le\ngent\n\0\0\0\0\n", 17)),
              QStringList({"gent"}));
    EXPECT_EQ(foundWith(QString(QChar(0)) + "angle", "4", QByteArray("ang\0le\n", 7)),
              QStringList({QString("ang") + QChar(0) + "le"}));
    EXPECT_EQ(foundWith("TANGLE", "4", "angle\rgent\r\nglean\ntangle"),
              QStringList({"angle", "gent", "glean", "tangle"}));
}

TEST_F(BadInputTest, PathsWithBlanksAndLetters) {
    for (const QString& name : {QStringLiteral("my words.txt"), QString::fromUtf8("Wörter ß.txt"),
                                QStringLiteral(" leading.txt")}) {
        window.set(Field::Output, files.path("out " + name));
        const ScriptedWindow::Message message = runOn(files.write(name, "tangle\n"));
        EXPECT_EQ(message.kind, MessageKind::Report) << name.toStdString();
        EXPECT_EQ(files.read("out " + name), "tangle\r\n");
    }
}

TEST_F(BadInputTest, PathsPastedWithALineEnd) {
    // A copied line brings its line end along; the box shows nothing of it.
    files.write("list.txt", "tangle\n");
    window.set(Field::Output, files.path("out.txt") + "\r\n");
    EXPECT_EQ(runOn(files.path("list.txt") + "\n").kind, MessageKind::Report);
    EXPECT_EQ(files.read("out.txt"), "tangle\r\n");

    EXPECT_EQ(runOn(files.path("missing.txt") + "\r\n").prompt,
              files.path("missing.txt") + " not found!");
}

TEST_F(BadInputTest, Seeds) {
    // An empty seed is shorter than any positive minimum length.
    window.set(Field::Seed, "");
    EXPECT_EQ(runOn(files.write("list.txt", "a\n")).prompt,
              "Minimum length can't be greater the seed word's length.");
    EXPECT_EQ(foundWith("", "0", "a\nb\n"), QStringList());

    // Seeds of the longest candidate's length and beyond work like any other.
    const QString longest(32766, QLatin1Char('e'));
    const QByteArray longestBytes(32766, 'e');
    EXPECT_EQ(foundWith(longest, "1", longestBytes + "\nee\n" + longestBytes + "e\n"),
              QStringList({longest, "ee"}));
    EXPECT_EQ(foundWith(longest + 'e', "32767", longestBytes + "e\n"), QStringList())
        << "a candidate longer than 32,766 never fits";
    EXPECT_EQ(foundWith(longest + 'e', "1", "tee\nee\n"), QStringList({"ee"}));
    // The limit counts code units, not bytes: é takes two bytes in UTF-8.
    const QString e = QString::fromUtf8("é");
    for (const qsizetype length : {16383, 16384, 32766, 32767}) {
        const QString word = e.repeated(length);
        EXPECT_EQ(foundWith(word + e, "1", word.toUtf8() + "\n"),
                  length <= 32766 ? QStringList({word}) : QStringList())
            << length;
    }

    // Characters outside the basic plane are two code units each.
    const QString emoji = QString::fromUtf8("😀🎉");
    EXPECT_EQ(foundWith(emoji, "4", "\xF0\x9F\x98\x80\xF0\x9F\x8E\x89\n"), QStringList({emoji}));
    EXPECT_EQ(foundWith(emoji, "2", "\xF0\x9F\x98\x80\n\xF0\x9F\x98\x80\xF0\x9F\x98\x80\n"),
              QStringList({QString::fromUtf8("😀")}));
}

TEST_F(BadInputTest, MinimumLengths) {
    const QByteArray list = "a\ntan\ngent\nangle\n";
    EXPECT_EQ(foundWith("TANGLE", "-5", list), QStringList({"a", "tan", "gent", "angle"}));
    EXPECT_EQ(foundWith("TANGLE", " 4", list), QStringList({"gent", "angle"}));
    EXPECT_EQ(foundWith("TANGLE", "4abc", list), QStringList({"gent", "angle"}));
    EXPECT_EQ(foundWith("TANGLE", "0x10", list), QStringList({"a", "tan", "gent", "angle"}));
    EXPECT_EQ(foundWith("TANGLE", "NaN", list), QStringList({"a", "tan", "gent", "angle"}));
    EXPECT_EQ(foundWith("TANGLE", "", list), QStringList({"a", "tan", "gent", "angle"}));
    EXPECT_EQ(foundWith("TANGLE", "3.0000001", list), QStringList({"gent", "angle"}));

    EXPECT_EQ(foundWith("TANGLE", "4" + QString(32766, 'x'), list), QStringList({"gent", "angle"}));
    EXPECT_EQ(foundWith("TANGLE", QString(32766, '0') + "4", list), QStringList({"gent", "angle"}));

    window.set(Field::MinimumLength, QString(32767, '9')); // far beyond any length
    EXPECT_EQ(runOn(files.path("list.txt")).prompt,
              "Minimum length can't be greater the seed word's length.");
    window.set(Field::MinimumLength, "1e308");
    EXPECT_EQ(runOn(files.path("list.txt")).prompt,
              "Minimum length can't be greater the seed word's length.");
}

TEST_F(BadInputTest, ListThatChangesBetweenThePasses) {
    const QString full = files.write("list.txt", "tangle\nangle\n");
    const QString longer = files.write("longer.txt", "tangle\nangle\ngent\nglean\n");
    const QString gone = files.path("gone.txt");

    // Grown: the second pass reads as many items as the first one counted.
    window.scriptReads(Field::WordList, {full, full, longer});
    EXPECT_EQ(runOn(full).kind, MessageKind::Report);
    EXPECT_EQ(window.found, QStringList({"tangle", "angle"}));

    // Vanished before the second pass.
    window.scriptReads(Field::WordList, {full, full, gone});
    const ScriptedWindow::Message message = runOn(full);
#ifdef _WIN32 // Windows words the reason in its own way
    EXPECT_TRUE(message.prompt.startsWith(gone + " could not be opened: "))
        << message.prompt.toStdString();
#else
    EXPECT_EQ(message.prompt, gone + " could not be opened: No such file or directory");
#endif
    EXPECT_EQ(message.kind, MessageKind::Error);
}

} // namespace
} // namespace Vorlaine
