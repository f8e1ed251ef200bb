#include "files/WordListReader.h"

#include "support/TempFiles.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace Vorlaine {
namespace {

using Testing::TempFiles;

struct ReadList {
    std::vector<QByteArray> items; // an overlong item reads as "<overlong>"
    qint64 counted = -1;
    qint64 firstLineNotUtf8 = 0;
};

// Reads the list both ways the run does: counting, then item by item.
ReadList Read(const QByteArray& bytes) {
    TempFiles files;
    const QString path = files.write("list.txt", bytes);
    ReadList result;
    {
        WordListReader counter(path);
        EXPECT_TRUE(counter.open());
        EXPECT_TRUE(counter.countItems(result.counted));
        result.firstLineNotUtf8 = counter.firstLineNotUtf8();
    }
    WordListReader reader(path);
    EXPECT_TRUE(reader.open());
    WordListItem item;
    while (reader.readItem(item))
        result.items.push_back(item.overlong ? QByteArray("<overlong>") : item.bytes.toByteArray());
    EXPECT_FALSE(reader.hasError());
    EXPECT_EQ(result.counted, static_cast<qint64>(result.items.size()))
        << "both passes must see the same items";
    return result;
}

using Items = std::vector<QByteArray>;

TEST(WordListReader, EveryKindOfLineEndEndsAnItem) {
    EXPECT_EQ(Read("angle\r\ngent\r\n").items, Items({"angle", "gent"}));
    EXPECT_EQ(Read("angle\ngent\n").items, Items({"angle", "gent"}));
    EXPECT_EQ(Read("angle\rgent\r").items, Items({"angle", "gent"}));
    EXPECT_EQ(Read("a\r\nb\nc\rd\n\re").items, Items({"a", "b", "c", "d", "e"}));
}

TEST(WordListReader, LastLineNeedsNoLineEnd) {
    EXPECT_EQ(Read("angle\ngent").items, Items({"angle", "gent"}));
    EXPECT_EQ(Read("gent").items, Items({"gent"}));
    EXPECT_EQ(Read("gent  ").items, Items({"gent"}));
}

TEST(WordListReader, BlankLinesAndBlanksAroundItemsAreNoPartOfTheList) {
    EXPECT_EQ(Read("").items, Items());
    EXPECT_EQ(Read("\n\r\n \t \n").items, Items());
    EXPECT_EQ(Read("\n\nangle\n\n \ngent\n\n").items, Items({"angle", "gent"}));
    EXPECT_EQ(Read(" \tangle \t\r\n").items, Items({"angle"}));
    // Blanks inside an item, commas and quotes are ordinary characters.
    EXPECT_EQ(Read("ice cream\n\"a,b\"\n").items, Items({"ice cream", "\"a,b\""}));
}

TEST(WordListReader, ByteOrderMarkIsSkippedAtTheStartOnly) {
    EXPECT_EQ(Read("\xEF\xBB\xBF"
                   "angle\n")
                  .items,
              Items({"angle"}));
    EXPECT_EQ(Read("\xEF\xBB\xBF").items, Items());
    EXPECT_EQ(Read("angle\n\xEF\xBB\xBFgent\n").items, Items({"angle", "\xEF\xBB\xBFgent"}));
}

TEST(WordListReader, EncodingIsDecidedLineByLine) {
    // The first line that is not UTF-8, counted as an editor counts lines.
    const std::pair<QByteArray, qint64> lists[] = {
        {"caf\xC3\xA9\n\xF0\x9F\x98\x80\n", 0},
        {"caf\xE9\n", 1},
        {"caf\xC3\xA9\nna\xEFve\n", 2},
        {"a\r\n\r\nb\rc\nd\r\n\xE9t\xE9\n", 6},
        {"truncated \xC3", 1},
        {"a\ntruncated \xC3\r\nb\n", 2},
        {"overlong \xC0\xAF\n", 1},
        {"surrogate \xED\xA0\x80\n", 1},
        {QByteArray("a\n").repeated(100000) + "caf\xE9\n", 100001},
    };
    for (const auto& [list, line] : lists)
        EXPECT_EQ(Read(list).firstLineNotUtf8, line) << list.left(40).toStdString();
    // NUL bytes are ordinary characters.
    EXPECT_EQ(Read(QByteArray("a\0b\n", 4)).items, Items({QByteArray("a\0b", 3)}));
}

// Lists of every kind of line end, blanks and characters, over several
// reads of the buffer, with at most one byte that no UTF-8 has: the items and
// the first line that is not UTF-8, against lines split and decoded one by
// one.
TEST(WordListReader, CountingFindsTheFirstLineNotUtf8AsLinesDecodedOneByOne) {
    std::mt19937 random(41);
    const QByteArray pieces[] = {"a", "gent", "\xC3\xA9", "\xF0\x9F\x98\x80", " ", "\t"};
    const QByteArray ends[] = {"\n", "\r\n", "\r", "\n\n"};
    for (int round = 0; round < 24; ++round) {
        std::vector<QByteArray> lines(static_cast<std::size_t>(1000 + random() % 90000));
        for (QByteArray& line : lines) {
            for (auto n = random() % 6; n > 0; --n)
                line += pieces[random() % std::size(pieces)];
        }
        if (round % 4 != 0) {
            QByteArray& bad = lines[random() % lines.size()];
            bad.insert(static_cast<qsizetype>(random() % static_cast<unsigned>(bad.size() + 1)),
                       round % 2 == 0 ? "\xE9" : "\xC3");
        }
        QByteArray list;
        qint64 items = 0;
        qsizetype badAt = -1; // where the first line that is no UTF-8 starts
        for (const QByteArray& line : lines) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = decoder.decode(line);
            if (badAt < 0 && decoder.hasError())
                badAt = list.size();
            items += line.trimmed().isEmpty() ? 0 : 1;
            list += line + ends[random() % std::size(ends)];
        }
        // Its number as an editor counts lines: a CR LF ends one.
        qint64 firstNotUtf8 = 0;
        if (badAt >= 0) {
            const QByteArray before = list.left(badAt);
            firstNotUtf8 = 1 + before.count('\r') + before.count('\n') - before.count("\r\n");
        }
        const ReadList read = Read(list);
        EXPECT_EQ(read.counted, items) << "round " << round;
        EXPECT_EQ(read.firstLineNotUtf8, firstNotUtf8) << "round " << round;
    }
}

TEST(WordListReader, DecodingKeepsEveryByte) {
    EXPECT_EQ(DecodeItem("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeItem("\xEF\xBB\xBFgent"), QChar(0xFEFF) + QString("gent"));
    EXPECT_EQ(DecodeItem("caf\xE9"), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeItem("\x80\x93\x94\x9F"), QString::fromUtf8("€“”Ÿ"));
    // The five bytes Windows-1252 leaves undefined stand for themselves.
    const QString undefined = DecodeItem("\x81\x8D\x8F\x90\x9D");
    EXPECT_EQ(undefined,
              QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D));
}

// UTF-16 with a byte-order mark, in either byte order, gives the items of
// the same list in UTF-8.
TEST(WordListReader, Utf16ListsReadAsTheirUtf8Copies) {
    const QString lists[] = {
        QString::fromUtf8("angle\r\ngent\r\n\r\ncafé\r\n😀x\r\n"),
        QString::fromUtf8(" tangle \nglean\rÅngström"),
        QString::fromUtf8("ü").repeated(200000) + QStringLiteral("\r\nlast"),
        QString(),
    };
    for (const QString& list : lists) {
        const ReadList utf8 = Read(list.toUtf8());
        for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
            QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
            const ReadList utf16 = Read(encoder.encode(list));
            EXPECT_EQ(utf16.items, utf8.items) << list.left(20).toStdString();
            EXPECT_EQ(utf16.firstLineNotUtf8, 0);
        }
    }
    // A mark alone is an empty list; an odd last byte is no character.
    EXPECT_EQ(Read("\xFF\xFE").items, Items());
    EXPECT_EQ(Read(QByteArray::fromHex("feff00670065006e007400")).items, Items({"gent"}));
}

TEST(WordListReader, ItemsAcrossTheReadBuffer) {
    // Enough words to need many reads; every one must come out whole.
    QByteArray bytes;
    Items expected;
    for (int i = 0; i < 60000; ++i) {
        const QByteArray word = "word" + QByteArray::number(i);
        expected.push_back(word);
        bytes += (i % 3 == 0 ? "  " : "") + word + (i % 2 ? "\r\n" : "\n");
    }
    EXPECT_EQ(Read(bytes).items, expected);
}

TEST(WordListReader, LastLineWithoutLineEndAfterManyReads) {
    // Far more than one read's worth, so the buffer holds bytes of earlier
    // reads behind the last word; none of them may stick to it.
    Items lines;
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i) {
        lines.push_back("word" + QByteArray::number(i));
        bytes += lines.back() + '\n';
    }
    for (const qsizetype length : {1, 2, 7, 15, 16, 17, 31, 33}) {
        Items expected = lines;
        expected.push_back(QByteArray(length, 'z'));
        EXPECT_EQ(Read(bytes + expected.back()).items, expected) << length;
    }
}

TEST(WordListReader, LongestItemAtTheEndOrAcrossReads) {
    // Short lines first, so that the longest item starts anywhere in the
    // reader's buffer and ends at the file's end or past a refill.
    const QByteArray longest(MaxItemBytes, 'a');
    for (const qsizetype lines : {0, 500, 30000, 65500, 100000}) {
        Items expected(static_cast<std::size_t>(lines), "w");
        expected.push_back(longest);
        for (const char* end : {"", "\n", "  ", " \t\r\n"}) {
            const Items items = Read(QByteArray("w\n").repeated(lines) + longest + end).items;
            EXPECT_TRUE(items == expected) << lines << " lines, then the longest item and '" << end
                                           << "': " << items.size() << " items";
        }
    }
}

TEST(WordListReader, LongestItemIsReadAndLongerAreMarked) {
    const QByteArray longest(MaxItemBytes, 'a');
    const Items longestAlone = Read(longest + "\nb\n").items;
    ASSERT_EQ(longestAlone.size(), 2u);
    EXPECT_EQ(longestAlone[0], longest);

    EXPECT_EQ(Read(longest + "a\nb\n").items, Items({"<overlong>", "b"}));
    // The same, wherever the line falls in the reader's buffer.
    for (const qsizetype before : {1000, 60000, 90000}) {
        const Items items = Read(QByteArray(before, 'x').append('\n') + longest + "a\nb\n").items;
        EXPECT_EQ(items, Items({QByteArray(before, 'x'), "<overlong>", "b"})) << before;
    }
    EXPECT_EQ(Read("x\n" + QByteArray(10 * 1024 * 1024, 'z')).items, Items({"x", "<overlong>"}));
    // Blanks do not make an item too long, wherever they are.
    const Items padded =
        Read(QByteArray(300000, ' ') + longest + QByteArray(300000, '\t') + "\nb").items;
    ASSERT_EQ(padded.size(), 2u);
    EXPECT_EQ(padded[0], longest);
    EXPECT_EQ(Read(longest + QByteArray(300000, ' ') + "a\nb\n").items, Items({"<overlong>", "b"}));
}

TEST(WordListReader, OpenFailures) {
    WordListReader reader(QStringLiteral("/nonexistent/list.txt"));
    EXPECT_FALSE(reader.open());
    EXPECT_TRUE(reader.hasError());
    EXPECT_FALSE(reader.errorString().isEmpty());
}

// A hunspell dictionary reads as the list of its forms, in both passes; the
// forms made once are read back, until the dictionary changes.
TEST(WordListReader, HunspellDictionaryIsTheListOfItsForms) {
    TempFiles files;
    files.write("t.aff", "SFX S Y 1\nSFX S 0 s .\n");
    const QString dic = files.write("t.dic", "2\ngent/S\nangle\n");
    const auto read = [&] {
        WordListReader reader(dic);
        EXPECT_TRUE(reader.open()) << reader.errorString().toStdString();
        Items items;
        WordListItem item;
        while (reader.readItem(item))
            items.push_back(item.bytes.toByteArray());
        qint64 counted = -1;
        WordListReader counter(dic);
        EXPECT_TRUE(counter.open() && counter.countItems(counted));
        EXPECT_EQ(counted, static_cast<qint64>(items.size()));
        return items;
    };
    EXPECT_EQ(read(), Items({"gent", "gents", "angle"}));
    EXPECT_EQ(read(), Items({"gent", "gents", "angle"}));
    QThread::msleep(20); // a newer time on every file system
    files.write("t.dic", "1\nangle/S\n");
    EXPECT_EQ(read(), Items({"angle", "angles"}));
    files.write("t.dic", "1\nangle/S\n");
    QFile::remove(files.path("t.aff"));
    WordListReader missing(dic);
    EXPECT_FALSE(missing.open());
    EXPECT_TRUE(missing.errorString().contains("t.aff")) << missing.errorString().toStdString();
}

} // namespace
} // namespace Vorlaine
