#include "search/run/MakeWordsRun.h"

#include "support/ScriptedWindow.h"
#include "support/TempFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace Vorlaine {
namespace {

using Testing::ScriptedWindow;
using Testing::TempFiles;

const QString MinimumTooLong =
    QStringLiteral("Minimum length can't be greater the seed word's length.");

// A window with the design's settings, reading `list` and writing to out.txt.
class MakeWordsRunTest : public ::testing::Test {
protected:
    void useList(const QByteArray& bytes, const QString& output = QStringLiteral("out.txt")) {
        window.set(Field::WordList, files.write("list.txt", bytes));
        window.set(Field::Output, files.path(output));
    }
    RunOutcome run() { return RunMakeWords(window); }
    QByteArray output() const { return files.read("out.txt"); }
    QString report(int count) const {
        return "Done!\r\n" + QString::number(count) + " words found.\r\n" + files.path("out.txt") +
               " created!";
    }
    void expectOnlyError(const QString& prompt) {
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].prompt, prompt);
        EXPECT_EQ(window.messages[0].kind, MessageKind::Error);
    }
    void expectOnlyErrorStartingWith(const QString& start) {
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_TRUE(window.messages[0].prompt.startsWith(start))
            << window.messages[0].prompt.toStdString();
        EXPECT_GT(window.messages[0].prompt.size(), start.size()) << "with a reason";
        EXPECT_EQ(window.messages[0].kind, MessageKind::Error);
    }

    TempFiles files;
    ScriptedWindow window;
};

TEST_F(MakeWordsRunTest, FindsTheWordsShowsThemAndAppendsThem) {
    useList("tangle\r\nangle\r\ncat\r\ngent\r\ntangled\r\nleg\r\n");
    window.results = "left from before\r\n";

    EXPECT_EQ(run(), RunOutcome::Finished);

    EXPECT_EQ(window.found, QStringList({"tangle", "angle", "gent"}));
    EXPECT_EQ(window.results, "tangle\r\nangle\r\ngent\r\n");
    EXPECT_EQ(output(), "tangle\r\nangle\r\ngent\r\n");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].prompt, report(3));
    EXPECT_EQ(window.messages[0].kind, MessageKind::Report);
    // One yield per item and one more per accepted word.
    EXPECT_EQ(window.yields, 6 + 3);

    // Whatever is shown is in the file already, through a long run.
    window = ScriptedWindow();
    QByteArray many;
    for (int i = 0; i < 300000; ++i)
        many += "a" + QByteArray::number(i, 36) + '\n';
    useList(many, "many.txt");
    window.set(Field::Seed, "a0123456789abcdefghijklmnopqrstuvwxyz");
    window.set(Field::MinimumLength, "1");
    QByteArray shown; // every line shown so far
    qsizetype checked = 0;
    int looks = 0;
    bool shownOnDisk = true;
    window.onYield = [&](ScriptedWindow& w, int) {
        if (w.found.size() == checked)
            return;
        for (; checked < w.found.size(); ++checked)
            shown += w.found[checked].toLatin1() + "\r\n";
        shownOnDisk = shownOnDisk && files.read("many.txt").startsWith(shown);
        ++looks;
    };
    EXPECT_EQ(run(), RunOutcome::Finished);
    EXPECT_GT(checked, 100000);
    EXPECT_GT(looks, 1) << "words are shown as the run goes";
    EXPECT_TRUE(shownOnDisk);
}

TEST_F(MakeWordsRunTest, DuplicatesAreExactlyTheSameWordOnly) {
    useList("tangle\nangle\nglean\nAngle\ntangle\n");
    run();
    EXPECT_EQ(window.found, QStringList({"tangle", "angle", "glean", "Angle"}));

    // A word that is part of an earlier one is still a word of its own.
    window = ScriptedWindow();
    useList("angel\ngel\nangle\n");
    window.set(Field::Seed, "ANGLE");
    window.set(Field::MinimumLength, "3");
    run();
    EXPECT_EQ(window.found, QStringList({"angel", "gel", "angle"}));
}

TEST_F(MakeWordsRunTest, ProgressForEveryItem) {
    useList("a\nb\nc\nd\n");
    run();
    ASSERT_EQ(window.progress.size(), 4u);
    QStringList percentages, left;
    for (const auto& [total, index] : window.progress) {
        const ProgressTexts texts = ProgressText(total, index);
        percentages << texts.percentage;
        left << texts.wordsLeft;
    }
    EXPECT_EQ(percentages, QStringList({" 25%", " 50%", " 75%", " 100%"}));
    EXPECT_EQ(left,
              QStringList({" 3 words left", " 2 words left", " 1 words left", " 0 words left"}));
    EXPECT_EQ(ProgressText(3, 1).percentage, " 33.3333333333333%");
    EXPECT_EQ(ProgressText(3, 1).wordsLeft, " 2 words left");
}

TEST_F(MakeWordsRunTest, EmptyListCreatesTheOutputAndReportsNone) {
    useList("");
    EXPECT_EQ(run(), RunOutcome::Finished);
    EXPECT_TRUE(window.progress.empty());
    EXPECT_TRUE(files.exists("out.txt"));
    EXPECT_EQ(output(), "");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].prompt, report(0));
}

TEST_F(MakeWordsRunTest, MinimumLength) {
    useList("tan\ngent\nangle\ntangle\n");
    window.set(Field::MinimumLength, "4.5");
    run();
    EXPECT_EQ(window.found, QStringList({"angle", "tangle"}));

    window.found.clear();
    window.set(Field::MinimumLength, "abc"); // no number: every length
    run();
    EXPECT_EQ(window.found, QStringList({"tan", "gent", "angle", "tangle"}));

    window.found.clear();
    window.set(Field::MinimumLength, "6"); // the seed's own length is allowed
    run();
    EXPECT_EQ(window.found, QStringList({"tangle"}));
}

TEST_F(MakeWordsRunTest, MinimumLongerThanTheSeedIsRefusedBeforeAnythingIsOpened) {
    useList("tangle\n");
    window.results = "old";
    window.set(Field::MinimumLength, "7");
    EXPECT_EQ(run(), RunOutcome::Failed);
    expectOnlyError(MinimumTooLong);
    EXPECT_EQ(window.results, "");
    EXPECT_FALSE(files.exists("out.txt"));

    window.messages.clear();
    window.set(Field::MinimumLength, "1e308");
    EXPECT_EQ(run(), RunOutcome::Failed);
    expectOnlyError(MinimumTooLong);
}

TEST_F(MakeWordsRunTest, MissingListIsNotFound) {
    useList("tangle\n");
    for (const QString& path :
         {files.path("nothing.txt"), QString(), files.path(""), QStringLiteral("/dev/zero")}) {
        window.messages.clear();
        window.set(Field::WordList, path);
        EXPECT_EQ(run(), RunOutcome::Failed);
        expectOnlyError(path + " not found!");
    }
    EXPECT_FALSE(files.exists("out.txt"));
}

TEST_F(MakeWordsRunTest, EditsDuringAYieldApplyFromTheNextCheck) {
    useList("tangle\nstar\nrats\ntangle\narts\n");
    // The first yield of the second item: from then on the seed is "star".
    window.onYield = [](ScriptedWindow& w, int number) {
        if (number == 3)
            w.set(Field::Seed, "STAR");
    };
    run();
    EXPECT_EQ(window.found, QStringList({"tangle", "star", "rats", "arts"}));

    // The minimum length, changed during the accepted first word's second yield.
    window = ScriptedWindow();
    useList("tangle\ngent\nangle\ntan\n");
    window.onYield = [](ScriptedWindow& w, int number) {
        if (number == 2)
            w.set(Field::MinimumLength, "5");
    };
    run();
    EXPECT_EQ(window.found, QStringList({"tangle", "angle"}));
}

TEST_F(MakeWordsRunTest, RunningTwiceAppendsTwice) {
    useList("gent\n");
    files.write("out.txt", "older");
    run();
    run();
    EXPECT_EQ(window.results, "gent\r\n");
    // An output file without a final line end gets one before the first word,
    // so that no word is glued to the line before it.
    EXPECT_EQ(output(), "older\r\ngent\r\ngent\r\n");
}

TEST_F(MakeWordsRunTest, WordsAreWrittenAsTheListHasThem) {
    // Not UTF-8, so the list is Windows-1252; the bytes go back unchanged.
    useList("caf\xE9\r\n\x93\x66\x61\x63\x65\x94\r\nface\r\n");
    window.set(Field::Seed, QString::fromUtf8("Éfac“”e"));
    window.set(Field::MinimumLength, "1");
    run();
    EXPECT_EQ(window.found,
              QStringList({QString::fromUtf8("café"), QString::fromUtf8("“face”"), "face"}));
    EXPECT_EQ(output(), "caf\xE9\r\n\x93\x66\x61\x63\x65\x94\r\nface\r\n");

    window = ScriptedWindow();
    useList("  caf\xC3\xA9\t\nfac\xC3\xA9tie\n", "utf8.txt");
    window.set(Field::Seed, QString::fromUtf8("ÉFAC"));
    run();
    EXPECT_EQ(window.found, QStringList({QString::fromUtf8("café")}));
    EXPECT_EQ(files.read("utf8.txt"), "caf\xC3\xA9\r\n")
        << "the blanks around an item are no part of it";
}

TEST_F(MakeWordsRunTest, LengthCountsCodeUnitsNotBytes) {
    // Four letters in eight bytes, five code units with the emoji.
    useList("\xC3\xA9t\xC3\xA9s\n\xF0\x9F\x98\x80tan\n");
    window.set(Field::Seed, QString::fromUtf8("ÉTÉS😀tan"));
    window.set(Field::MinimumLength, "5");
    run();
    EXPECT_EQ(window.found, QStringList({QString::fromUtf8("😀tan")}));
}

TEST_F(MakeWordsRunTest, OutputThatIsTheListItselfIsRefused) {
    const QByteArray list = "tangle\nangle\n";
    useList(list);
    QStringList outputs{files.path("list.txt"), files.path("./list.txt"),
                        QDir::toNativeSeparators(files.path("list.txt"))};
#ifndef _WIN32 // QFile::link makes a Windows shortcut, a file of its own
    QFile::link(files.path("list.txt"), files.path("link.txt"));
    outputs << files.path("link.txt");
#endif
    for (const QString& output : outputs) {
        window.messages.clear();
        window.set(Field::Output, output);
        EXPECT_EQ(run(), RunOutcome::Failed);
        expectOnlyError(output + " is the word list itself! Choose another output file.");
    }
    EXPECT_EQ(files.read("list.txt"), list);
}

TEST_F(MakeWordsRunTest, OutputThatCannotBeOpened) {
    useList("tangle\n");
    const QString output = files.path("missing/out.txt");
    window.set(Field::Output, output);
    EXPECT_EQ(run(), RunOutcome::Failed);
#ifdef _WIN32 // Windows words the reason in its own way
    expectOnlyErrorStartingWith(output + " could not be opened for appending: ");
#else
    expectOnlyError(output + " could not be opened for appending: No such file or directory");
#endif
    EXPECT_TRUE(window.found.isEmpty());
}

TEST_F(MakeWordsRunTest, WriteFailureIsReported) {
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: /dev/full, a file that is always full";
#endif
    useList("tangle\nangle\n");
    window.set(Field::Output, "/dev/full");
    EXPECT_EQ(run(), RunOutcome::Failed);
    expectOnlyError("/dev/full could not be written: No space left on device");
    EXPECT_TRUE(window.found.isEmpty()) << "a word not in the file is not shown";
}

TEST_F(MakeWordsRunTest, ListThatVanishesAfterTheExistenceTest) {
    useList("tangle\n");
    const QString gone = files.path("gone.txt");
    // Read for the checks of the files, then the counting pass.
    window.scriptReads(Field::WordList, {files.path("list.txt"), gone});
    EXPECT_EQ(run(), RunOutcome::Failed);
#ifdef _WIN32 // Windows words the reason in its own way
    expectOnlyErrorStartingWith(gone + " could not be opened: ");
#else
    expectOnlyError(gone + " could not be opened: No such file or directory");
#endif
    EXPECT_FALSE(files.exists("out.txt"));
}

TEST_F(MakeWordsRunTest, ListThatShrinksBetweenThePasses) {
    useList("tangle\nangle\ngent\nglean\n");
    const QString shorter = files.write("shorter.txt", "tangle\nangle\n");
    const QString full = files.path("list.txt");
    window.scriptReads(Field::WordList, {full, full, shorter});
    EXPECT_EQ(run(), RunOutcome::Failed);
    expectOnlyError(shorter +
                    " ended after 2 of 4 items: it changed during the run. 2 words were found and "
                    "written to " +
                    files.path("out.txt") + ".");
    EXPECT_EQ(output(), "tangle\r\nangle\r\n");
}

TEST_F(MakeWordsRunTest, ClosingTheWindowEndsTheRunAndKeepsItsWords) {
    useList("tangle\nangle\ngent\nglean\n");
    // Closed during the second accepted word's yield: that word is still recorded.
    window.onYield = [](ScriptedWindow& w, int number) { w.closing = number == 4; };
    EXPECT_EQ(run(), RunOutcome::Abandoned);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.found, QStringList({"tangle", "angle"}));
    EXPECT_EQ(output(), "tangle\r\nangle\r\n");

    // Closed during an item's first yield: nothing more is looked at.
    window = ScriptedWindow();
    useList("gent\nglean\n");
    window.onYield = [](ScriptedWindow& w, int number) { w.closing = number == 1; };
    EXPECT_EQ(run(), RunOutcome::Abandoned);
    EXPECT_TRUE(window.found.isEmpty());
}

} // namespace
} // namespace Vorlaine
