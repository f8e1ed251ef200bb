// The query engine against a plain model: random lists and queries over a
// small alphabet, every mode, bound and pattern, searched as a stream, as a
// list in memory and through the index.

#include "search/query/WordSearch.h"

#include "files/WordListReader.h"
#include "search/letters/LetterKey.h"
#include "search/letters/TileValues.h"
#include "search/letters/WordSet.h"
#include "search/query/MatchSorter.h"
#include "search/query/WordList.h"
#include "search/query/WordPattern.h"
#include "support/TempFiles.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace Vorlaine {
namespace {

using Testing::TempFiles;

// What a query lists, worked out the slow, obvious way.
std::vector<WordMatch> Model(const QStringList& words, const WordQuery& query, const QString& glob,
                             const TileValues& tiles, bool fold) {
    const auto counts = [fold](const QString& text) {
        std::map<char16_t, int> counted;
        for (const QChar c : LetterKey(text, fold))
            ++counted[c.unicode()];
        return counted;
    };
    const std::map<char16_t, int> seed = counts(query.seed);
    const qsizetype seedLength = LetterKey(query.seed, fold).size();
    const QRegularExpression pattern(
        QRegularExpression::wildcardToRegularExpression(LetterKey(glob, fold)));
    std::vector<WordMatch> listed;
    QStringList seen;
    for (const QString& word : words) {
        const QString key = LetterKey(word, fold);
        qsizetype missing = 0;
        for (const auto& [letter, count] : counts(word))
            missing += std::max(0, count - (seed.count(letter) ? seed.at(letter) : 0));
        const bool fits =
            query.mode == FitMode::ContainsAll
                ? key.size() - missing == seedLength
                : missing <= query.blanks &&
                      (query.mode == FitMode::Within || key.size() == seedLength + query.blanks);
        if (!fits || static_cast<double>(word.size()) < query.minimumLength ||
            word.size() > query.maximumLength ||
            (!glob.isEmpty() && !pattern.match(key).hasMatch()) || seen.contains(word))
            continue;
        seen << word;
        WordMatch match;
        match.word = word;
        std::map<char16_t, int> left = seed;
        for (const QChar c : key) {
            if (left[c.unicode()]-- > 0)
                match.score += tiles.value(c.unicode());
            else if (query.mode != FitMode::ContainsAll) // letters beyond the seed, not blanks
                match.blanks += c;
        }
        listed.push_back(match);
    }
    return listed;
}

QStringList Words(const std::vector<WordMatch>& matches) {
    QStringList words;
    for (const WordMatch& match : matches)
        words << match.word + '/' + QString::number(match.score) + '/' + match.blanks;
    return words;
}

TEST(WordSearch, AgreesWithTheModel) {
    // Few letters, so that many words fit; some capitals, accents and repeats.
    const QStringList alphabet{"a", "b", "e", "n", "r", "s", "t", "E", "é", "ê", "-"};
    QRandomGenerator random(17);
    const auto randomWord = [&](int longest) {
        QString word;
        for (int i = 1 + random.bounded(longest); i > 0; --i)
            word += alphabet[random.bounded(static_cast<int>(alphabet.size()))];
        return word;
    };
    const QStringList patterns{"", "*", "?a*", "*[a-e]", "[!st]*", "b*e", "*n?"};
    TempFiles files;
    const TileValues tiles = TileValues::English();

    for (int round = 0; round < 40; ++round) {
        QStringList words;
        for (int i = 0; i < 300; ++i)
            words << (i > 10 && random.bounded(10) == 0 ? words[random.bounded(i)] : randomWord(7));
        const QString path = files.write("list.txt", words.join('\n').toUtf8());
        WordList list;
        WordListReader loader(path);
        ASSERT_TRUE(loader.open() && list.load(loader));
        const bool fold = round % 2 == 1;
        const LetterKeys keys(fold);
        WordSearch indexed(tiles, keys);
        indexed.buildIndex(list);
        const WordSearch plain(tiles, keys);

        for (int q = 0; q < 20; ++q) {
            WordQuery query;
            query.seed = randomWord(8);
            query.mode = static_cast<FitMode>(random.bounded(3));
            query.blanks = query.mode == FitMode::ContainsAll ? 0 : random.bounded(3);
            query.minimumLength = random.bounded(4);
            query.maximumLength = 3 + random.bounded(6);
            const QString glob = patterns[random.bounded(static_cast<int>(patterns.size()))];
            QString error;
            const auto pattern = WordPattern::compile(glob, keys, error);
            ASSERT_TRUE(pattern) << error.toStdString();
            query.pattern =
                glob.isEmpty() ? nullptr : std::make_shared<const WordPattern>(*pattern);

            const QStringList expected = Words(Model(words, query, glob, tiles, fold));
            const auto collect = [](QStringList& into) {
                return [&into](const WordMatch& match) {
                    into << match.word + '/' + QString::number(match.score) + '/' + match.blanks;
                    return true;
                };
            };
            QStringList streamed, inMemory, throughIndex;
            WordListReader reader(path);
            ASSERT_TRUE(reader.open());
            plain.run(query, reader, list.size(), collect(streamed));
            plain.run(query, list, collect(inMemory));
            indexed.run(query, list, collect(throughIndex));
            const std::string where = "round " + std::to_string(round) + ", seed " +
                                      query.seed.toStdString() + ", pattern " + glob.toStdString();
            EXPECT_EQ(streamed, expected) << where;
            EXPECT_EQ(inMemory, expected) << where;
            EXPECT_EQ(throughIndex, expected) << where;
        }
    }
}

TEST(WordSearch, SortOrders) {
    std::vector<WordMatch> matches;
    for (const auto& [word, score] : std::vector<std::pair<QString, int>>{
             {"gent", 5}, {"Angle", 6}, {"tan", 3}, {"angle", 6}, {"LEG", 4}, {"tangle", 7}})
        matches.push_back({word.toUtf8(), word, score, {}, word.size()});
    const auto sorted = [&](SortOrder order) {
        MatchSorter sorter(order, true);
        for (const WordMatch& match : matches)
            EXPECT_TRUE(sorter.add(match));
        QStringList words;
        EXPECT_TRUE(sorter.drain([&](const WordMatch& match) {
            words << match.word;
            return true;
        }));
        return words;
    };
    // Angle and angle are equal once lower-cased, so they keep the list's order.
    EXPECT_EQ(sorted(SortOrder::Alpha),
              QStringList({"Angle", "angle", "gent", "LEG", "tan", "tangle"}));
    EXPECT_EQ(sorted(SortOrder::Length),
              QStringList({"tangle", "Angle", "angle", "gent", "LEG", "tan"}));
    EXPECT_EQ(sorted(SortOrder::Score),
              QStringList({"tangle", "Angle", "angle", "gent", "LEG", "tan"}));
}

TEST(WordSearch, PatternsAndTileValuesThatAreMalformed) {
    QString error;
    for (const char* bad : {"[abc", "c[!", "[z-a]", "x[]"})
        EXPECT_FALSE(WordPattern::compile(QString::fromLatin1(bad), LetterKeys(), error)) << bad;
    const auto pattern = WordPattern::compile(u"[]a]?[^x-z]*", LetterKeys(), error);
    ASSERT_TRUE(pattern);
    EXPECT_TRUE(pattern->matches(u"]ba"));
    EXPECT_FALSE(pattern->matches(u"ab"));
    EXPECT_FALSE(pattern->matches(u"aby"));

    const auto tiles = TileValues::parse(u"Q 10\n\n  é\t3 \r\nz 0\n", LetterKeys(true), error);
    ASSERT_TRUE(tiles);
    EXPECT_EQ(tiles->value(u'q'), 10);
    EXPECT_EQ(tiles->value(u'e'), 3) << "folded as the words are";
    EXPECT_EQ(tiles->value(u'a'), 0) << "the file replaces every value";
    for (const char* bad : {"a", "ab 3", "a three", "a -1", "a 3.5"})
        EXPECT_FALSE(TileValues::parse(QString::fromLatin1(bad), LetterKeys(), error)) << bad;
}

// The set of words met against a plain set, through several doublings, with
// words that differ only in case or length and the empty word.
TEST(WordSet, AgreesWithAPlainSet) {
    WordSet set;
    std::set<QString> model;
    std::mt19937 random(7);
    const QString letters = QStringLiteral("aAbé");
    for (int i = 0; i < 20000; ++i) {
        QString word;
        for (int n = static_cast<int>(random() % 8); n > 0; --n)
            word += letters[static_cast<qsizetype>(random() % 4)];
        const bool known = model.count(word) != 0;
        ASSERT_EQ(set.contains(word), known) << word.toStdString();
        ASSERT_EQ(set.insert(word), !known) << word.toStdString();
        model.insert(word);
        ASSERT_TRUE(set.contains(word));
    }
    EXPECT_EQ(set.size(), model.size());
}

} // namespace
} // namespace Vorlaine
