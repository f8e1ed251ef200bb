#include "search/anagrams/PhraseAnagrams.h"

#include "support/AnagramModel.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <vector>

namespace Vorlaine {
namespace {

using Testing::Anagram;
using Testing::Model;

// Words ranked in the order given.
std::vector<AnagramWord> Words(const QStringList& keys) {
    std::vector<AnagramWord> words;
    for (const QString& key : keys)
        words.push_back({key, static_cast<int>(words.size())});
    return words;
}

AnagramOptions Options(int maxWords, bool distinct = false, int blanks = 0) {
    AnagramOptions options;
    options.maxWords = maxWords;
    options.distinct = distinct;
    options.blanks = blanks;
    return options;
}

// Every anagram in the order found.
std::vector<Anagram> Search(const QString& phrase, const std::vector<AnagramWord>& words,
                            const AnagramOptions& options) {
    const PhraseAnagrams anagrams(phrase, words, options);
    EXPECT_EQ(anagrams.problem(), QString());
    std::vector<Anagram> found;
    EXPECT_TRUE(anagrams.search([&found](std::span<const int> indices) {
        found.emplace_back(indices.begin(), indices.end());
        return true;
    }));
    return found;
}

// The anagrams spelled out, in the order found.
QStringList Spelled(const QString& phrase, const std::vector<AnagramWord>& words,
                    const AnagramOptions& options) {
    QStringList lines;
    for (const Anagram& anagram : Search(phrase, words, options)) {
        QStringList line;
        for (const int index : anagram)
            line << words[static_cast<std::size_t>(index)].key;
        lines << line.join(u' ');
    }
    return lines;
}

QStringList Sorted(QStringList lines) {
    lines.sort();
    return lines;
}

// The anagrams found as a set, once each has been checked to come only once
// and to list its words by rank.
std::set<Anagram> UniqueByRank(const std::vector<Anagram>& found,
                               const std::vector<AnagramWord>& words) {
    const std::set<Anagram> unique(found.begin(), found.end());
    EXPECT_EQ(unique.size(), found.size()) << "an anagram came twice";
    for (const Anagram& anagram : found)
        EXPECT_TRUE(std::is_sorted(anagram.begin(), anagram.end(), [&words](int a, int b) {
            return words[static_cast<std::size_t>(a)].rank <
                   words[static_cast<std::size_t>(b)].rank;
        }));
    return unique;
}

// The model's anagrams of at least `least` words.
std::set<Anagram> ModelOf(const QString& phrase, const std::vector<AnagramWord>& words,
                          const AnagramOptions& options, int least = 1) {
    std::set<Anagram> model;
    for (const Anagram& anagram : Model(phrase, words, options))
        if (static_cast<int>(anagram.size()) >= least)
            model.insert(anagram);
    return model;
}

// The engine agrees with the model, reports nothing twice, and lists every
// anagram's words by rank.
void ExpectAsModel(const QString& phrase, const std::vector<AnagramWord>& words,
                   const AnagramOptions& options) {
    EXPECT_EQ(UniqueByRank(Search(phrase, words, options), words), Model(phrase, words, options));
}

TEST(PhraseAnagrams, RoastBeef) {
    const auto words = Words({"freest", "boa", "forest", "bae", "feast", "robe", "sobre", "fat",
                              "beef", "roast", "a", "tears", "bora", "fest", "fees", "reef"});
    const QStringList found = Spelled("roastbeef", words, Options(3));
    EXPECT_TRUE(found.contains("freest boa"));
    EXPECT_TRUE(found.contains("beef roast"));
    EXPECT_TRUE(found.contains("forest bae"));
    ExpectAsModel("roastbeef", words, Options(3));
}

TEST(PhraseAnagrams, WordsWithTheSameLettersEachAppear) {
    const auto words = Words({"star", "rats", "tsar", "art", "s"});
    EXPECT_EQ(Sorted(Spelled("rast", words, Options(1))), QStringList({"rats", "star", "tsar"}));
    const QStringList two = Spelled("starrats", words, Options(2));
    EXPECT_EQ(two.size(), 6) << two.join(", ").toStdString();
    for (const char* pair :
         {"star star", "star rats", "star tsar", "rats rats", "rats tsar", "tsar tsar"})
        EXPECT_TRUE(two.contains(pair)) << pair;
}

TEST(PhraseAnagrams, DistinctNeverRepeatsAWord) {
    const auto words = Words({"star", "rats", "tsar", "ab"});
    const QStringList pairs = Spelled("starrats", words, Options(2, true));
    EXPECT_EQ(pairs.size(), 3) << pairs.join(", ").toStdString();
    for (const char* pair : {"star rats", "star tsar", "rats tsar"})
        EXPECT_TRUE(pairs.contains(pair)) << pair;
    EXPECT_EQ(Spelled("abab", words, Options(2, false)), QStringList({"ab ab"}));
    EXPECT_TRUE(Spelled("abab", words, Options(2, true)).isEmpty());
    // Three of "star", "rats" and "tsar" at most, never four.
    EXPECT_EQ(Spelled(QString("star").repeated(4), words, Options(4, true)).size(), 0);
    EXPECT_EQ(Spelled(QString("star").repeated(3), words, Options(4, true)),
              QStringList({"star rats tsar"}));
    // After "bba" and "a", the rest "a" is a dead end only because "a" was
    // just taken; after "ba" twice the same rest, as many words left, is not.
    const auto twice = Words({"bba", "ba", "ba", "aabb", "a"});
    EXPECT_EQ(Sorted(Spelled("aabba", twice, Options(5, true))),
              QStringList({"aabb a", "ba ba a"}));
}

TEST(PhraseAnagrams, BlanksAddExactlyThatManyLetters) {
    const auto words = Words({"tact", "act", "cat", "at", "t", "c", "cart", "a"});
    const QStringList one = Spelled("cat", words, Options(2, false, 1));
    for (const char* line : {"tact", "cart", "act t", "cat t", "act a", "cat c", "at c t"})
        EXPECT_EQ(one.contains(line), QString(line).count(u' ') < 2) << line;
    EXPECT_FALSE(one.contains("act")) << "the blank must be used";
    ExpectAsModel("cat", words, Options(3, false, 1));
    ExpectAsModel("cat", words, Options(3, true, 2));
    ExpectAsModel("", words, Options(2, false, 2));
}

TEST(PhraseAnagrams, AnyCodeUnitIsALetter) {
    const QString grin = QString::fromUtf8("😀");
    const auto words = Words({QString::fromUtf8("été"), "e", QString::fromUtf8("t\u00e9"), "l'a",
                              "a'l", "66", "6", grin, grin.left(1), grin.right(1), "E"});
    ExpectAsModel(QString::fromUtf8("été"), words, Options(3));
    ExpectAsModel("l'a66", words, Options(3));
    ExpectAsModel(grin + grin, words, Options(4));
    EXPECT_TRUE(Spelled("ee", words, Options(2)).contains("e e"));
    EXPECT_FALSE(Spelled("ee", words, Options(2)).join(u' ').contains(u'E')) << "no case folding";
}

TEST(PhraseAnagrams, WordsThatCannotTakePartAreLeftOut) {
    const auto words = Words({"", "cat", "dog", "cats", "ta", "c"});
    EXPECT_EQ(Sorted(Spelled("cat", words, Options(3))), QStringList({"cat", "ta c"}));
    EXPECT_TRUE(Spelled("", words, Options(3)).isEmpty());
    EXPECT_TRUE(Spelled("xyz", words, Options(3)).isEmpty());
}

TEST(PhraseAnagrams, ManyOfOneLetterAndManyLetters) {
    // More than 255 of one letter needs wider counts.
    const auto many = Words({QString(100, u'a'), QString(200, u'a'), QString(150, u'a'), "ab"});
    EXPECT_EQ(Spelled(QString(300, u'a'), many, Options(3)).size(), 3);
    ExpectAsModel(QString(300, u'a') + "b", many, Options(4));
    ExpectAsModel(QString(300, u'a'), many, Options(4, false, 2));
    // Or when the blanks take a letter beyond 255.
    const auto halves = Words({QString(128, u'a'), QString(256, u'a'), "a", "b"});
    EXPECT_EQ(Sorted(Spelled(QString(254, u'a'), halves, Options(2, false, 2))).size(), 2);
    ExpectAsModel(QString(254, u'a'), halves, Options(3, false, 2));

    // 64 different letters, several times over.
    QString phrase;
    for (int round = 0; round < 5; ++round)
        for (char16_t unit = u'0'; unit < u'0' + 64; ++unit)
            phrase += QChar(unit);
    QStringList keys;
    for (int i = 0; i < 64; i += 2)
        keys << phrase.mid(i, 2) << phrase.mid(i, 64);
    const auto words = Words(keys);
    const PhraseAnagrams anagrams(phrase, words, Options(10));
    EXPECT_EQ(anagrams.problem(), QString());
    ExpectAsModel(phrase.left(128), words, Options(2));
    ExpectAsModel(phrase.left(70), words, Options(3, false, 2));
}

TEST(PhraseAnagrams, ProblemsAreReportedAndNothingRuns) {
    QString allDifferent;
    for (int i = 0; i <= PhraseAnagrams::MaxLetters; ++i)
        allDifferent += QChar(static_cast<char16_t>(0x100 + i));
    const auto words = Words({"a"});
    const auto problem = [&words](const QString& phrase, const AnagramOptions& options) {
        const PhraseAnagrams anagrams(phrase, words, options);
        if (!anagrams.problem().isEmpty()) {
            EXPECT_FALSE(anagrams.search([](std::span<const int>) { return true; }));
        }
        return anagrams.problem();
    };
    EXPECT_NE(problem(allDifferent, Options(2)), QString());
    EXPECT_EQ(problem(allDifferent.left(PhraseAnagrams::MaxLetters), Options(2)), QString());
    EXPECT_NE(problem(QString(PhraseAnagrams::MaxLength + 1, u'a'), Options(2)), QString());
    EXPECT_NE(problem(QString(PhraseAnagrams::MaxLength, u'a'), Options(2, false, 1)), QString());
    EXPECT_EQ(problem(QString(PhraseAnagrams::MaxLength, u'a'), Options(2)), QString());
    EXPECT_NE(problem("a", Options(0)), QString());
    EXPECT_NE(problem("a", Options(1, false, -1)), QString());
}

TEST(PhraseAnagrams, StoppingFromFoundMakesNoFurtherCall) {
    // One entry of 400 words taken up to 12 times: far too many to list.
    QStringList keys(400, "a");
    const PhraseAnagrams anagrams(QString(12, u'a'), Words(keys), Options(12));
    for (const int wanted : {1, 10, 1000}) {
        int calls = 0;
        EXPECT_FALSE(anagrams.search([&](std::span<const int>) { return ++calls < wanted; }));
        EXPECT_EQ(calls, wanted);
    }
}

TEST(PhraseAnagrams, ProgressGoesForwardAndCanStop) {
    QStringList keys(400, "a");
    keys << "aa"
         << "aaa";
    const PhraseAnagrams anagrams(QString(12, u'a'), Words(keys), Options(12));
    std::vector<double> shares;
    EXPECT_FALSE(anagrams.search([](std::span<const int>) { return true; },
                                 [&shares](double share) {
                                     shares.push_back(share);
                                     return shares.size() < 20;
                                 }));
    ASSERT_EQ(shares.size(), 20u);
    EXPECT_GE(shares.front(), 0.0);
    EXPECT_LE(shares.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));

    // To the end, with blanks, searched either way: between 0 and 1, never
    // going back.
    QStringList pieces;
    const QString letters = "abcdef";
    for (const QChar first : letters)
        for (const QChar second : letters)
            pieces << (QString(first) + second);
    const auto words = Words(pieces);
    using How = PhraseAnagrams::BlankSearch;
    for (const How how : {How::EachTarget, How::WordsFirst}) {
        shares.clear();
        PhraseAnagrams blanks(u"abcdefabcdef", words, Options(7, false, 2));
        blanks.setBlankSearch(how);
        EXPECT_TRUE(blanks.search([](std::span<const int>) { return true; },
                                  [&shares](double share) {
                                      shares.push_back(share);
                                      return true;
                                  }));
        EXPECT_GE(shares.size(), 3u);
        EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
        EXPECT_TRUE(std::all_of(shares.begin(), shares.end(),
                                [](double share) { return share >= 0 && share <= 1; }));
    }
}

// Every anagram in the order found, by one way of searching blanks.
// shortest to longest letters drawn from the first `letters` of a-z.
QString RandomText(std::mt19937& random, int shortest, int longest, int letters) {
    QString result;
    const int length = std::uniform_int_distribution<int>(shortest, longest)(random);
    for (int i = 0; i < length; ++i)
        result += QChar(static_cast<char16_t>(
            u'a' + std::uniform_int_distribution<int>(0, letters - 1)(random)));
    return result;
}

std::vector<Anagram> SearchBy(PhraseAnagrams::BlankSearch how, const QString& phrase,
                              const std::vector<AnagramWord>& words, const AnagramOptions& options,
                              int minimumWords) {
    PhraseAnagrams anagrams(phrase, words, options);
    anagrams.setMinimumWords(minimumWords);
    anagrams.setBlankSearch(how);
    std::vector<Anagram> found;
    EXPECT_TRUE(anagrams.search([&found](std::span<const int> indices) {
        found.emplace_back(indices.begin(), indices.end());
        return true;
    }));
    return found;
}

// The words-first search and the search of each blank target find the same
// anagrams as the model, each once, by rank, in the same order every time.
TEST(PhraseAnagrams, WordsFirstAgreesWithEachTargetAndTheModel) {
    struct Case {
        const char* phrase;
        QStringList keys;
        int mostWords = 4;
    };
    // Every multiset of one to three of a, b, c and d: many words of one
    // length, so that the last word is looked up by its letters.
    QStringList small;
    const QString abcd = "abcd";
    for (int i = 0; i < 4; ++i) {
        small << abcd.mid(i, 1);
        for (int j = i; j < 4; ++j) {
            small << abcd.mid(i, 1) + abcd.mid(j, 1);
            for (int k = j; k < 4; ++k)
                small << abcd.mid(i, 1) + abcd.mid(j, 1) + abcd.mid(k, 1);
        }
    }
    small << "ba"
          << "cab";
    // Letters the phrase lacks, words of the same letters, words that are
    // all blanks, and one letter many times.
    const Case cases[] = {
        {"cat", {"tact", "act", "cat", "at", "t", "c", "cart", "a", "ox", "tic"}},
        {"ab", {"ab", "ba", "abc", "c", "cab", "d", "dd", "bad", "dab", "bc", "cd", "a", "b"}},
        {"", {"a", "ab", "ba", "b", "abc", "ccc", "c"}},
        {"aab", {"a", "aa", "aaa", "b", "ab", "ba", "bb", "aab", "aba"}},
        {"tone", {"note", "tone", "one", "eon", "ten", "net", "to", "on", "no", "toe", "e", "ex"}},
        {"xyz", {"x", "y", "xy", "zz", "z", "q", "qx", "zzq"}},
        {"abcd", small, 3},
        {"aab", small, 3},
        {"aaabb", small, 3},
    };
    using How = PhraseAnagrams::BlankSearch;
    int compared = 0;
    for (const Case& shape : cases) {
        // Ranks backwards, so that rank and index order differ.
        std::vector<AnagramWord> words;
        for (int i = 0; i < shape.keys.size(); ++i)
            words.push_back({shape.keys[i], static_cast<int>(shape.keys.size()) - i});
        for (int blanks = 1; blanks <= 6; ++blanks)
            for (int maxWords = 1; maxWords <= shape.mostWords; ++maxWords)
                for (const bool distinct : {false, true})
                    for (const int least : {1, 2, 3}) {
                        const auto options = Options(maxWords, distinct, blanks);
                        SCOPED_TRACE(QString("\"%1\" -b %2 -w %3 %4 at least %5")
                                         .arg(shape.phrase)
                                         .arg(blanks)
                                         .arg(maxWords)
                                         .arg(distinct ? "distinct" : "")
                                         .arg(least)
                                         .toStdString());
                        const std::vector<Anagram> first =
                            SearchBy(How::WordsFirst, shape.phrase, words, options, least);
                        const std::set<Anagram> unique = UniqueByRank(first, words);
                        const std::vector<Anagram> each =
                            SearchBy(How::EachTarget, shape.phrase, words, options, least);
                        EXPECT_EQ(unique, std::set<Anagram>(each.begin(), each.end()));
                        const std::set<Anagram> model =
                            ModelOf(shape.phrase, words, options, least);
                        EXPECT_EQ(unique, model);
                        EXPECT_EQ(SearchBy(How::WordsFirst, shape.phrase, words, options, least),
                                  first);
                        compared += !model.empty();
                    }
    }
    // Most cases have anagrams to compare.
    EXPECT_GT(compared, 400);
}

// Random vocabularies, more words than above, many blanks: against the model.
TEST(PhraseAnagrams, WordsFirstAgreesWithTheModelOnRandomWords) {
    std::mt19937 random(4321u);
    const auto text = [&random](int shortest, int longest, int letters) {
        return RandomText(random, shortest, longest, letters);
    };
    for (int round = 0; round < 200; ++round) {
        const int letters = 2 + round % 5;
        const QString phrase = text(0, 6, letters);
        std::vector<AnagramWord> words;
        const int count = std::uniform_int_distribution<int>(1, 14)(random);
        std::vector<int> ranks(static_cast<std::size_t>(count));
        std::iota(ranks.begin(), ranks.end(), 0);
        std::shuffle(ranks.begin(), ranks.end(), random);
        for (int i = 0; i < count; ++i)
            words.push_back({text(1, 4, letters + 1), ranks[static_cast<std::size_t>(i)]});
        const auto options = Options(1 + round % 4, round % 3 == 0, 1 + round % 6);
        const int least = 1 + round / 4 % 2;
        SCOPED_TRACE(QString("phrase \"%1\", round %2").arg(phrase).arg(round).toStdString());
        const std::vector<Anagram> found =
            SearchBy(PhraseAnagrams::BlankSearch::WordsFirst, phrase, words, options, least);
        EXPECT_EQ(UniqueByRank(found, words), ModelOf(phrase, words, options, least));
    }
}

// Hundreds of words over few letters, so that many have one length and the
// last word is looked up by its letters: against the search of each target.
TEST(PhraseAnagrams, WordsFirstAgreesWithEachTargetOnManyWords) {
    std::mt19937 random(777u);
    const auto text = [&random](int shortest, int longest, int letters) {
        return RandomText(random, shortest, longest, letters);
    };
    using How = PhraseAnagrams::BlankSearch;
    for (int round = 0; round < 24; ++round) {
        const int letters = 3 + round % 3;
        std::vector<AnagramWord> words;
        for (int i = 0; i < 300; ++i)
            words.push_back({text(1, 5, letters), (i * 7919) % 300});
        const auto options = Options(2 + round % 2, round % 4 == 1, 1 + round / 2 % 3);
        // Or the first word of five letters twice, less what the blanks add:
        // a word taken twice, the second time looked up.
        QString phrase = text(4, 9, letters);
        if (round % 2 == 0) {
            const auto five = std::find_if(words.begin(), words.end(), [](const AnagramWord& word) {
                return word.key.size() == 5;
            });
            phrase = five->key + five->key.left(5 - options.blanks);
        }
        const int least = 1 + round / 6 % 2;
        SCOPED_TRACE(QString("phrase \"%1\", round %2").arg(phrase).arg(round).toStdString());
        const std::vector<Anagram> first = SearchBy(How::WordsFirst, phrase, words, options, least);
        const std::set<Anagram> unique = UniqueByRank(first, words);
        const std::vector<Anagram> each = SearchBy(How::EachTarget, phrase, words, options, least);
        EXPECT_EQ(unique, std::set<Anagram>(each.begin(), each.end()));
    }
}

// Many words of one length over two letters: the last word is looked up by
// its letters, and may be the word before it again.
TEST(PhraseAnagrams, WordsFirstLooksUpTheLastWord) {
    QStringList keys{"aaaaaabbbbb", "bbbbbaaaaaa"};
    for (int length = 9; length <= 12; ++length)
        for (int b = 0; b <= length; ++b)
            keys << QString(length - b, u'a') + QString(b, u'b');
    const auto words = Words(keys);
    const QString phrase = QString(12, u'a') + QString(9, u'b');
    using How = PhraseAnagrams::BlankSearch;
    for (int blanks = 1; blanks <= 3; ++blanks)
        for (int maxWords = 1; maxWords <= 3; ++maxWords)
            for (const bool distinct : {false, true}) {
                const auto options = Options(maxWords, distinct, blanks);
                SCOPED_TRACE(QString("-b %1 -w %2 %3")
                                 .arg(blanks)
                                 .arg(maxWords)
                                 .arg(distinct ? "distinct" : "")
                                 .toStdString());
                const std::vector<Anagram> first =
                    SearchBy(How::WordsFirst, phrase, words, options, 1);
                const std::set<Anagram> unique = UniqueByRank(first, words);
                EXPECT_EQ(unique, Model(phrase, words, options));
                const std::vector<Anagram> each =
                    SearchBy(How::EachTarget, phrase, words, options, 1);
                EXPECT_EQ(unique, std::set<Anagram>(each.begin(), each.end()));
            }
    // The word taken twice, and its anagram with it.
    const std::vector<Anagram> twice =
        SearchBy(How::WordsFirst, phrase, words, Options(2, false, 1), 1);
    EXPECT_NE(std::find(twice.begin(), twice.end(), Anagram{0, 0}), twice.end());
    EXPECT_NE(std::find(twice.begin(), twice.end(), Anagram{0, 1}), twice.end());
}

// Many blanks over many words: the search tells its progress, going forward,
// and stops soon when asked, found anything or not.
TEST(PhraseAnagrams, ManyBlanksTellProgressAndStop) {
    std::mt19937 random(99u);
    QStringList keys;
    for (int i = 0; i < 3000; ++i) {
        QString key;
        const int length = std::uniform_int_distribution<int>(1, 8)(random);
        for (int j = 0; j < length; ++j)
            key += QChar(
                static_cast<char16_t>(u'a' + std::uniform_int_distribution<int>(0, 15)(random)));
        keys << key;
    }
    const auto words = Words(keys);
    // "z" is in no word: nothing is ever found, all the same the search is long.
    for (const QString& phrase : {QString("ab"), QString("z")}) {
        SCOPED_TRACE(phrase.toStdString());
        const PhraseAnagrams anagrams(phrase, words, Options(4, false, 20));
        std::vector<double> shares;
        int found = 0;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(anagrams.search(
            [&found](std::span<const int>) {
                ++found;
                return true;
            },
            [&shares](double share) {
                shares.push_back(share);
                return shares.size() < 10;
            }));
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(shares.size(), 10u);
        EXPECT_LT(seconds, 2.0) << "ten progress calls took too long";
        EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
        EXPECT_GE(shares.front(), 0.0);
        EXPECT_LE(shares.back(), 1.0);
        EXPECT_EQ(found > 0, phrase == "ab");

        if (phrase != "ab")
            continue;
        // Stopped from found, at once.
        int calls = 0;
        EXPECT_FALSE(anagrams.search([&calls](std::span<const int>) { return ++calls < 5; }));
        EXPECT_EQ(calls, 5);
    }
}

TEST(PhraseAnagrams, TheOrderIsTheSameEveryTime) {
    const auto words =
        Words({"ab", "ba", "abc", "c", "cab", "d", "dd", "bad", "dab", "bc", "cd", "a", "b"});
    const auto options = Options(4, false, 1);
    const std::vector<Anagram> first = Search("abcdabcd", words, options);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(Search("abcdabcd", words, options), first);
    const PhraseAnagrams reused(u"abcdabcd", words, options);
    std::vector<Anagram> again;
    for (int round = 0; round < 2; ++round) {
        again.clear();
        reused.search([&again](std::span<const int> indices) {
            again.emplace_back(indices.begin(), indices.end());
            return true;
        });
        EXPECT_EQ(again, first);
    }
}

// Random phrases over tiny random vocabularies, every option, against the
// model. Ranks are shuffled so that index and rank order differ.
TEST(PhraseAnagrams, AgreesWithTheModel) {
    struct Case {
        int letters; // the alphabet's size, from 'a' on
        int longestWord;
        int longestPhrase;
    };
    // Short words over few letters make many paths to the same remainder.
    const Case cases[] = {{2, 3, 6}, {4, 4, 8}, {6, 3, 9}, {24, 4, 10}, {2, 2, 12}, {3, 2, 12}};
    for (const Case& shape : cases) {
        std::mt19937 random(1234u + static_cast<unsigned>(shape.letters));
        const auto letter = [&] {
            return QChar(static_cast<char16_t>(
                u'a' + std::uniform_int_distribution<int>(0, shape.letters - 1)(random)));
        };
        const auto text = [&](int most) {
            QString result;
            const int length = std::uniform_int_distribution<int>(0, most)(random);
            for (int i = 0; i < length; ++i)
                result += letter();
            return result;
        };
        for (int round = 0; round < 300; ++round) {
            const QString phrase = text(shape.longestPhrase);
            std::vector<AnagramWord> words;
            const int count = std::uniform_int_distribution<int>(1, 9)(random);
            std::vector<int> ranks(static_cast<std::size_t>(count));
            std::iota(ranks.begin(), ranks.end(), 0);
            std::shuffle(ranks.begin(), ranks.end(), random);
            for (int i = 0; i < count; ++i) {
                // Mostly pieces of the phrase, so that anagrams exist.
                QString key = text(shape.longestWord);
                if (!phrase.isEmpty() && random() % 3 != 0) {
                    const qsizetype from =
                        std::uniform_int_distribution<qsizetype>(0, phrase.size() - 1)(random);
                    key = phrase.mid(from, std::uniform_int_distribution<qsizetype>(1, 4)(random));
                    std::shuffle(key.begin(), key.end(), random);
                }
                words.push_back({key, ranks[static_cast<std::size_t>(i)]});
            }
            // Five words and more reach the same remainder by different paths.
            const auto options = Options(1 + round % 6, round % 4 == 0, round / 6 % 3);
            SCOPED_TRACE(QString("phrase \"%1\", round %2").arg(phrase).arg(round).toStdString());
            ExpectAsModel(phrase, words, options);
        }
    }
}

} // namespace
} // namespace Vorlaine
