// Words kept packed, and the sort that spills to files: against plain models.

#include "files/TextEncoding.h"
#include "search/letters/LetterKey.h"
#include "search/letters/PackedText.h"
#include "search/letters/WordSet.h"
#include "search/query/MatchSorter.h"
#include "support/TempFiles.h"

#include <QDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace Vorlaine {
namespace {

// ASCII, Latin-1, the last unit before the surrogates, a pair, and the last unit.
const QString Units = QString::fromUtf16(u"aAbZ~\u00e9\u00c9\u00df\ud7ff\U0001F600\uffff");

QString RandomText(std::mt19937& random, int most) {
    QString text;
    for (int n = static_cast<int>(random() % static_cast<unsigned>(most + 1)); n > 0; --n)
        text += Units[static_cast<qsizetype>(random() % static_cast<unsigned>(Units.size()))];
    return text;
}

std::string Packed(QStringView text) {
    std::string bytes;
    AppendPacked(bytes, text);
    return bytes;
}

TEST(PackedText, BytesCompareAsTheUnitsAndReadBack) {
    std::mt19937 random(11);
    for (int i = 0; i < 20000; ++i) {
        const QString a = RandomText(random, 5);
        const QString b = RandomText(random, 5);
        const int units = QStringView(a).compare(b, Qt::CaseSensitive);
        const int bytes = Packed(a).compare(Packed(b));
        ASSERT_EQ(units < 0, bytes < 0) << a.toStdString() << " / " << b.toStdString();
        ASSERT_EQ(units == 0, bytes == 0);
        ASSERT_EQ(UnpackText(Packed(a)), a);
        std::string lower;
        AppendPackedLower(lower, a);
        ASSERT_EQ(lower, Packed(LowerCaseKey(a)));
    }
    EXPECT_EQ(Packed(u"tangle").size(), 6u) << "a byte an ASCII letter";
}

TEST(PackedText, RecordsKeepTheirPlacesAcrossBlocks) {
    ByteRecords records;
    std::vector<std::pair<std::uint64_t, std::string>> added;
    std::mt19937 random(5);
    // Long records fill blocks to their ends; a record never straddles two.
    for (std::size_t total = 0; total < 3 * ByteRecords::BlockSize;) {
        const std::size_t size = random() % 4 == 0 ? random() % 70000 : random() % 20;
        std::string record(size, static_cast<char>('a' + added.size() % 26));
        added.emplace_back(records.add(record), record);
        total += size;
    }
    std::size_t seen = 0;
    records.forEach([&](std::uint64_t place) {
        ASSERT_LT(seen, added.size());
        EXPECT_EQ(place, added[seen].first);
        EXPECT_EQ(records.at(place), added[seen].second);
        ++seen;
    });
    EXPECT_EQ(seen, added.size());
    EXPECT_LT(records.capacity(), 4 * ByteRecords::BlockSize + 4 * 70000);
}

// Long words and words of every kind of unit, through the doublings; then
// the set emptied and filled again.
TEST(WordSet, LongWordsAndClearing) {
    WordSet set;
    std::set<QString> model;
    std::mt19937 random(3);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 30000; ++i) {
            QString word = RandomText(random, 4);
            if (i % 100 == 0)
                word += QString(static_cast<qsizetype>(random() % 40000), u'x');
            const bool known = model.count(word) != 0;
            ASSERT_EQ(set.insert(word), !known);
            model.insert(word);
        }
        EXPECT_EQ(set.size(), model.size());
        for (const QString& word : model)
            ASSERT_TRUE(set.contains(word));
        EXPECT_FALSE(set.contains(u"not there"));
        set.clear();
        model.clear();
        EXPECT_EQ(set.size(), 0u);
        EXPECT_FALSE(set.contains(u"a"));
    }
}

// A random match whose word is as the list's bytes decode: UTF-8, or bytes
// of Windows-1252, so that one word comes in two spellings. Its score,
// length and blanks follow from the word, as in a search.
WordMatch RandomMatch(std::mt19937& random) {
    QString word = RandomText(random, 4);
    // Now and then a long word, whose key's size takes more than a byte.
    if (random() % 64 == 0)
        word += QString(static_cast<qsizetype>(40 + random() % 200),
                        Units[static_cast<qsizetype>(random() % 8)]);
    const bool latin1 = random() % 3 == 0 && std::all_of(word.begin(), word.end(), [](QChar c) {
                            return c.unicode() < 0x100;
                        });
    WordMatch match;
    match.bytes = latin1 ? word.toLatin1() : word.toUtf8();
    match.word = DecodeItem(match.bytes);
    const std::size_t hash = qHash(match.word);
    match.score = static_cast<int>(hash % 24) - 3;
    match.length = match.word.size() + static_cast<qsizetype>(hash / 24 % 2);
    match.blanks = match.word.left(static_cast<qsizetype>(hash / 48 % 3));
    return match;
}

// The order as the sorts have always defined it, stable, and each word once
// if asked: the first of its repeats in the list's order.
std::vector<WordMatch> ModelSort(std::vector<WordMatch> matches, SortOrder order, bool once) {
    std::stable_sort(matches.begin(), matches.end(),
                     [order](const WordMatch& a, const WordMatch& b) {
                         if (order == SortOrder::Length && a.length != b.length)
                             return a.length > b.length;
                         if (order == SortOrder::Score && a.score != b.score)
                             return a.score > b.score;
                         return QStringView(LowerCaseKey(a.word))
                                    .compare(LowerCaseKey(b.word), Qt::CaseSensitive) < 0;
                     });
    if (once) {
        std::set<QString> seen;
        std::erase_if(matches, [&](const WordMatch& m) { return !seen.insert(m.word).second; });
    }
    return matches;
}

std::string Describe(const WordMatch& m) {
    return (m.word + u'|' + QString::fromLatin1(m.bytes.toHex()) + u'|' + QString::number(m.score) +
            u'|' + QString::number(m.length) + u'|' + m.blanks)
        .toStdString();
}

std::vector<std::string> Drained(MatchSorter& sorter) {
    std::vector<std::string> lines;
    EXPECT_TRUE(sorter.drain([&](const WordMatch& match) {
        lines.push_back(Describe(match));
        return true;
    }));
    EXPECT_TRUE(sorter.errorString().isEmpty()) << sorter.errorString().toStdString();
    return lines;
}

// The first line where two differ, for the failure's message.
std::string FirstDifference(const std::vector<std::string>& got,
                            const std::vector<std::string>& expected) {
    for (std::size_t i = 0; i < std::max(got.size(), expected.size()); ++i) {
        const std::string a = i < got.size() ? got[i] : "(none)";
        const std::string b = i < expected.size() ? expected[i] : "(none)";
        if (a != b)
            return "line " + std::to_string(i) + ": " + a + " against " + b;
    }
    return "none";
}

std::vector<std::string> Described(const std::vector<WordMatch>& matches, std::size_t most) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < std::min(most, matches.size()); ++i)
        lines.push_back(Describe(matches[i]));
    return lines;
}

// The files a sort leaves in the temporary folder while it runs and after.
class SortFolder : public testing::Test {
protected:
    // The variables that name the temporary folder, on Unix and on Windows.
    static constexpr const char* Variables[] = {"TMPDIR", "TMP", "TEMP"};
    void SetUp() override {
        for (std::size_t i = 0; i < std::size(Variables); ++i)
            saved_[i] = qgetenv(Variables[i]);
        setFolder(folder_.path(""));
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(Variables); ++i) {
            if (saved_[i].isNull())
                qunsetenv(Variables[i]);
            else
                qputenv(Variables[i], saved_[i]);
        }
    }
    static void setFolder(const QString& path) {
        for (const char* variable : Variables)
            qputenv(variable, QDir::toNativeSeparators(path).toLocal8Bit());
    }
    qsizetype filesLeft() const {
        return QDir(folder_.path("")).entryList(QDir::Files | QDir::NoDotAndDotDot).size();
    }

    Testing::TempFiles folder_;
    QByteArray saved_[std::size(Variables)];
};

// Each order, with and without the repeats, in memory and through many spilled
// runs (so many that they are merged into one file on the way).
TEST_F(SortFolder, AgreesWithAStableSortAndSpillsNothingThatStays) {
    std::mt19937 random(17);
    for (const SortOrder order : {SortOrder::Alpha, SortOrder::Length, SortOrder::Score}) {
        for (const bool once : {true, false}) {
            for (const std::size_t budget : {MatchSorter::DefaultBudget, std::size_t{1} << 14}) {
                std::vector<WordMatch> matches;
                MatchSorter sorter(order, once, budget);
                for (int i = 0; i < 30000; ++i) {
                    matches.push_back(RandomMatch(random));
                    ASSERT_TRUE(sorter.add(matches.back()));
                }
#ifdef Q_OS_UNIX
                EXPECT_EQ(filesLeft(), 0) << "the spilled runs have no names";
#endif
                const std::vector<std::string> got = Drained(sorter);
                const auto expected = Described(ModelSort(matches, order, once), SIZE_MAX);
                EXPECT_TRUE(got == expected)
                    << FirstDifference(got, expected) << ", order " << static_cast<int>(order)
                    << ", once " << once << ", budget " << budget;
                EXPECT_EQ(filesLeft(), 0);
            }
        }
    }
}

// Cut back to the best few whenever twice as many have come, as --limit does:
// the same first few as the whole sort.
TEST_F(SortFolder, KeepingTheFirstFewAsTheyComeMissesNone) {
    std::mt19937 random(23);
    for (const std::size_t budget : {MatchSorter::DefaultBudget, std::size_t{1} << 14}) {
        for (const std::size_t keep : {std::size_t{1}, std::size_t{10}, std::size_t{500}}) {
            std::vector<WordMatch> matches;
            MatchSorter sorter(SortOrder::Score, true, budget);
            for (int i = 0; i < 20000; ++i) {
                matches.push_back(RandomMatch(random));
                ASSERT_TRUE(sorter.add(matches.back()));
                if (sorter.size() >= 2 * keep + 64) {
                    ASSERT_TRUE(sorter.keepFirst(keep));
                }
                ASSERT_LT(sorter.size(), 2 * keep + 64);
            }
            ASSERT_TRUE(sorter.keepFirst(keep));
            const std::vector<std::string> got = Drained(sorter);
            const auto expected = Described(ModelSort(matches, SortOrder::Score, true), keep);
            EXPECT_TRUE(got == expected) << FirstDifference(got, expected) << ", keep " << keep;
        }
    }
}

TEST_F(SortFolder, StopsWhenAskedAndFailsWhenItCannotSpill) {
    std::mt19937 random(29);
    int asked = 0;
    MatchSorter stopped(SortOrder::Alpha, true, std::size_t{1} << 14);
    stopped.setGoOn([&asked] { return ++asked < 20; });
    bool added = true;
    for (int i = 0; i < 100000 && added; ++i)
        added = stopped.add(RandomMatch(random));
    EXPECT_FALSE(added);
    EXPECT_FALSE(stopped.drain([](const WordMatch&) { return true; }));
    EXPECT_TRUE(stopped.errorString().isEmpty());

#ifdef Q_OS_UNIX
    // A file where the folder should be.
    setFolder(folder_.write("file", "not a folder"));
    MatchSorter failed(SortOrder::Alpha, true, std::size_t{1} << 14);
    added = true;
    for (int i = 0; i < 100000 && added; ++i)
        added = failed.add(RandomMatch(random));
    EXPECT_FALSE(added);
    EXPECT_TRUE(failed.errorString().contains(QStringLiteral("temporary file")))
        << failed.errorString().toStdString();
#endif
}

} // namespace
} // namespace Vorlaine
