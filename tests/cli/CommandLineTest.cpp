// makewords's options seen through its command line, each checked against a
// plain model of what the manual promises or against results worked out by
// hand. They run in this process; a list on standard input needs one of its own.

#include "support/AnagramSet.h"
#include "support/DrawModel.h"
#include "support/MakeWordsInProcess.h"
#include "support/TempFiles.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;

namespace Vorlaine {
namespace {

using Testing::AnagramSet;
using Testing::Args;
using Testing::Result;

Result MakeWords(const QStringList& arguments, const QString& folder,
                 const QByteArray& input = {}) {
    return Testing::MakeWordsHere(arguments, folder, input);
}
using Testing::TempFiles;

QStringList Lines(const QByteArray& out) {
    return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray ListFile(const QStringList& words) {
    return words.join(u'\n').toUtf8() + '\n';
}

std::string Text(const QStringList& list, QChar between = u' ') {
    return list.join(between).toStdString();
}

// Lists compared as text, so that a failure shows the words.
#define EXPECT_LIST(found, expected) EXPECT_EQ(Text(found, u'|'), Text(expected, u'|'))

// Every line parsed as one JSON object. Qt's parser lets raw control
// characters through; JSON does not.
std::vector<QJsonObject> JsonLines(const QByteArray& out) {
    std::vector<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x20; }))
            << line.toStdString();
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        EXPECT_TRUE(document.isObject()) << line.toStdString();
        objects.push_back(document.object());
    }
    return objects;
}

// --- The model: letters counted in plain Qt, facts taken from the manual ---

// Lower case; with --fold-accents also without the marks of accented letters.
QString Folded(const QString& text, bool fold) {
    QString key = fold ? text.normalized(QString::NormalizationForm_D) : text;
    key.removeIf([fold](QChar c) { return fold && c.isMark(); });
    return key.toLower();
}

// The published English tiles.
int EnglishValue(QChar letter) {
    static const QString tiles =
        u"A1 B3 C3 D2 E1 F4 G2 H4 I1 J8 K5 L1 M3 N1 O1 P3 Q10 R1 S1 T1 U1 V4 W4 X8 Y4 Z10"_s;
    const qsizetype at = letter.isLetter() ? tiles.indexOf(letter.toUpper()) : -1;
    return at < 0 ? 0 : tiles.mid(at + 1, 2).trimmed().toInt();
}

enum class Mode { Within, Anagram, ContainsAll };

struct Found {
    QString word;
    int score = 0;
    QString blanks;
};

// Each letter of the word comes from the seed while the seed has it left; the
// rest are blanks, or with --contains-all the letters it holds besides.
std::optional<Found> Fit(const QString& seed, const QString& word, int blanks, Mode mode,
                         bool fold) {
    std::map<QChar, int> left;
    for (const QChar c : Folded(seed, fold))
        ++left[c];
    Found found{word, 0, {}};
    for (const QChar c : Folded(word, fold)) {
        if (left[c] > 0) {
            --left[c];
            found.score += EnglishValue(c);
        } else {
            found.blanks += c;
        }
    }
    const bool seedUsedUp =
        std::all_of(left.begin(), left.end(), [](auto& l) { return !l.second; });
    const qsizetype extra = found.blanks.size();
    if (mode == Mode::ContainsAll)
        found.blanks.clear();
    const bool fits = mode == Mode::Within    ? extra <= blanks
                      : mode == Mode::Anagram ? seedUsedUp && extra == blanks
                                              : seedUsedUp;
    return fits ? std::optional(found) : std::nullopt;
}

// The words the model lists, in the list's order, each spelling once.
std::vector<Found> ModelWords(const QStringList& list, const QString& seed, int blanks, Mode mode,
                              int shortest, int longest = 1000) {
    std::vector<Found> found;
    QStringList listed;
    for (const QString& word : list) {
        if (word.size() < shortest || word.size() > longest || listed.contains(word))
            continue;
        if (const auto fit = Fit(seed, word, blanks, mode, false)) {
            listed << word;
            found.push_back(*fit);
        }
    }
    return found;
}

// --sort, then -n.
QStringList Sorted(std::vector<Found> found, const QString& order, int limit) {
    std::stable_sort(found.begin(), found.end(), [&](const Found& a, const Found& b) {
        if (order == u"list")
            return false;
        if (order == u"length" && a.word.size() != b.word.size())
            return a.word.size() > b.word.size();
        if (order == u"score" && a.score != b.score)
            return a.score > b.score;
        return a.word.toLower() < b.word.toLower();
    });
    QStringList words;
    for (qsizetype i = 0; i < qsizetype(found.size()) && (limit < 0 || i < limit); ++i)
        words << found[std::size_t(i)].word;
    return words;
}

// --- Pattern and expression ---

// Without a seed of their own the cases run with an empty one and
// --contains-all, which lets every word through to the filter.
void CheckFilters(const std::vector<std::pair<QStringList, QStringList>>& cases) {
    TempFiles files;
    files.write("list.txt", ListFile({"Café", "cafe", "CAFES", "fête", "Fete", "élan", "Elan",
                                      "Straße", "niño", "self-made", "o'clock", "4x4", "Tangle"}));
    for (const auto& [options, expected] : cases) {
        QStringList arguments = Args("-l list.txt -o -") + options;
        if (!options.contains("-s"))
            arguments += QStringList{"--contains-all", "-s", "", "-m", "1"};
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 0) << Text(options) << result.err.toStdString();
        EXPECT_LIST(Lines(result.out), expected) << Text(options);
    }
}

TEST(CommandLine, PatternAndExpressionIgnoreCaseAndFoldAccents) {
    CheckFilters({
        {{"-p", "caf?"}, {"Café", "cafe"}},
        {{"-p", "CAF?"}, {"Café", "cafe"}},
        {{"-p", "caf[é]"}, {"Café"}},
        {{"-p", "caf[é]", "--fold-accents"}, {"Café", "cafe"}},
        {{"-p", "CAFE", "--fold-accents"}, {"Café", "cafe"}},
        {{"-p", "[!e]lan"}, {"élan"}},
        {{"-p", "[!e]lan", "--fold-accents"}, {}},
        {{"-p", "[a-f]*"}, {"Café", "cafe", "CAFES", "fête", "Fete", "Elan"}},
        {{"-p", "[a-f]*", "--fold-accents"},
         {"Café", "cafe", "CAFES", "fête", "Fete", "élan", "Elan"}},
        {{"-p", "STRA?E"}, {"Straße"}},
        {{"-r", "^CAFE$"}, {"cafe"}},
        {{"-r", "^CAFE$", "--fold-accents"}, {"Café", "cafe"}},
        {{"-r", "^café$"}, {"Café"}},
        {{"-r", "ÉLAN"}, {"élan"}},
        {{"-r", "ÉLAN", "--fold-accents"}, {"élan", "Elan"}},
        {{"-r", "^f.te$"}, {"fête", "Fete"}},
        {{"-r", "ni[n]o", "--fold-accents"}, {"niño"}},
        // The seed's accents fold too.
        {{"-s", "fete", "-m", "4", "-p", "f*"}, {"Fete"}},
        {{"-s", "fête", "-m", "4", "-p", "f*"}, {"fête"}},
        {{"-s", "FÊTE", "-m", "4", "-p", "F*", "--fold-accents"}, {"fête", "Fete"}},
    });
}

// Folded, ß, æ and œ are the two letters they stand for, in the seed, the
// words, the pattern and the expression alike.
TEST(CommandLine, LettersThatAreTwoLettersWhenFolded) {
    TempFiles files;
    files.write("list.txt",
                ListFile({"Straße", "strasse", "cœur", "coeur", "æther", "ether", "steers"}));
    const std::pair<QString, QStringList> cases[] = {
        // Sorted by the letters they play: folded, Straße has seven.
        {"-s strasseeer -m 1 -x 9 --fold-accents --sort length", {"strasse", "Straße", "steers"}},
        {"-s strasse -m 1 -x 9", {"strasse"}},
        {"-s strasse -m 1 -x 9 --fold-accents", {"Straße", "strasse"}},
        {"-s STRAẞE -m 7 -x 7 --fold-accents", {"Straße", "strasse"}},
        {"-s coeur -m 5 --fold-accents", {"cœur", "coeur"}},
        {"--contains-all -m 1 -p c?eur --fold-accents", {"cœur", "coeur"}},
        {"--contains-all -m 1 -p c?ur", {"cœur"}},
        {"--contains-all -m 1 -r ^ae --fold-accents", {"æther"}},
        {"--contains-all -m 6 -r ^..ther$ --fold-accents", {"æther"}},
    };
    for (const auto& [options, expected] : cases) {
        QStringList arguments = Args("-l list.txt -o - " + options);
        if (!arguments.contains("-s"))
            arguments << "-s"
                      << "";
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 0) << options.toStdString() << result.err.toStdString();
        EXPECT_LIST(Lines(result.out), expected) << options.toStdString();
    }
    // Its length and score count the letters it plays.
    const Result json = MakeWords(
        Args("-s strasse -m 1 -x 9 --fold-accents --format json -l list.txt -o -"), files.path(""));
    EXPECT_EQ(JsonLines(json.out).at(0)["length"].toInt(), 7);
    EXPECT_EQ(JsonLines(json.out).at(0)["score"].toInt(), 7);
}

TEST(CommandLine, ExpressionClassesKnowAccentedLetters) {
    // All but the words with a hyphen or an apostrophe, and 4x4 with [[:alpha:]].
    const QStringList word{"Café", "cafe",   "CAFES", "fête", "Fete",  "élan",
                           "Elan", "Straße", "niño",  "4x4",  "Tangle"};
    QStringList letters = word;
    letters.removeOne("4x4");
    CheckFilters({
        {{"-r", "^\\w+$"}, word},
        {{"-r", "^[[:alpha:]]+$"}, letters},
        {{"-r", "^\\w+$", "--fold-accents"}, word},
        {{"-r", "f\\b"}, {"self-made"}},
        {{"-r", "\\bé"}, {"élan"}},
        // An edition's letters leave the escapes as they are: \W is no \w.
        {{"-r", "\\W", "--tiles", "de", "--fold-accents"}, {"self-made", "o'clock"}},
    });
}

// --- Lengths, order and limits ---

TEST(CommandLine, MaxLengthAloneBoundsPrintedAndFiledWords) {
    const QStringList list{"tangle", "angle", "gnat", "at", "a", "TANGLE", "glean", "Tan", "gent"};
    TempFiles files;
    files.write("list.txt", ListFile(list));
    for (const int longest : {0, 2, 3, 5, 6}) {
        const QString out = u"out%1.txt"_s.arg(longest);
        files.write(out, "before\r\n");
        const Result result = MakeWords(
            Args(u"-s tangle -m %1 -l list.txt -x %2 -o "_s.arg(std::min(longest, 1)).arg(longest) +
                 out),
            files.path(""));
        EXPECT_EQ(result.exitCode, 0);
        QByteArray filed = "before\r\n";
        QStringList expected;
        for (const Found& f : ModelWords(list, "tangle", 0, Mode::Within, 1, longest)) {
            expected << f.word;
            filed += f.word.toUtf8() + "\r\n";
        }
        EXPECT_LIST(Lines(result.out), expected) << "-x " << longest;
        EXPECT_EQ(files.read(out), filed) << "-x " << longest;
    }
}

TEST(CommandLine, LimitCountsAfterSortingAndPerSeed) {
    const QStringList list{"tangle", "Angle", "glean", "Gents",  "rang",  "RANGE",
                           "earl",   "tans",  "TANS",  "gnat",   "LATE",  "stern",
                           "gazer",  "a",     "Zeal",  "jangle", "large", "strangle"};
    TempFiles files;
    files.write("list.txt", ListFile(list));
    for (const QString order : {"list", "alpha", "length", "score"}) {
        for (const int limit : {-1, 0, 1, 4}) {
            QStringList arguments = Args("-s strangle -b 1 -m 1 -l list.txt -o - --sort " + order);
            if (limit >= 0)
                arguments << "-n" << QString::number(limit);
            const Result result = MakeWords(arguments, files.path(""));
            EXPECT_EQ(result.exitCode, 0);
            EXPECT_LIST(Lines(result.out),
                        Sorted(ModelWords(list, "strangle", 1, Mode::Within, 1), order, limit))
                << Text(arguments);
        }
    }

    // A list long enough that only the best are kept while searching, with
    // words repeated, some far apart.
    QStringList many;
    for (int i = 0; i < 400; ++i)
        many << list[i % list.size()] + QString(QChar(u'a' + i % 7)).repeated(i % 3);
    many << list;
    files.write("many.txt", ListFile(many));
    for (const QString order : {"alpha", "length", "score"}) {
        for (const int limit : {1, 3, 40}) {
            const QStringList arguments = Args(u"-s strangleaaabbbcccdddeeefffggg -m 1 -l many.txt "
                                               "-o - --sort %1 -n %2"_s.arg(order)
                                                   .arg(limit));
            EXPECT_LIST(
                Lines(MakeWords(arguments, files.path("")).out),
                Sorted(ModelWords(many, "strangleaaabbbcccdddeeefffggg", 0, Mode::Within, 1), order,
                       limit))
                << Text(arguments);
        }
    }

    // Each seed gets its own N.
    files.write("seeds.txt", "strangle\ngent\n\nLAGER\n");
    for (const QString order : {"list", "score"}) {
        const Result result = MakeWords(
            Args("--seeds seeds.txt -n 2 -m 1 -l list.txt -o - --sort " + order), files.path(""));
        QStringList expected;
        for (const QString seed : {"strangle", "gent", "LAGER"}) {
            for (const QString& word : Sorted(ModelWords(list, seed, 0, Mode::Within, 1), order, 2))
                expected << seed + u'\t' + word;
        }
        EXPECT_LIST(Lines(result.out), expected) << order.toStdString();
    }
}

// --- JSON Lines ---

struct JsonCase {
    QString options;
    QStringList seeds; // more than one go through --seeds
    int blanks;
    Mode mode;
    int shortest;
};

// Each JSON line against the model: the same words in the list's order, each
// with its length, score, blanks and seed.
void CheckJson(const QStringList& list, const std::vector<JsonCase>& cases) {
    TempFiles files;
    files.write("list.txt", ListFile(list));
    for (const JsonCase& c : cases) {
        const bool many = c.seeds.size() > 1;
        files.write("seeds.txt", ListFile(c.seeds));
        const QStringList arguments =
            QStringList{many ? "--seeds" : "-s", many ? "seeds.txt" : c.seeds[0]} +
            Args("-l list.txt -o - --format json " + c.options);
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        std::vector<std::pair<QString, Found>> expected;
        for (const QString& seed : c.seeds) {
            for (const Found& f : ModelWords(list, seed, c.blanks, c.mode, c.shortest))
                expected.emplace_back(seed, f);
        }
        const std::vector<QJsonObject> objects = JsonLines(result.out);
        ASSERT_EQ(objects.size(), expected.size()) << Text(arguments);
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const QJsonObject& o = objects[i];
            const auto& [seed, model] = expected[i];
            const std::string word = model.word.toStdString();
            EXPECT_EQ(o["word"].toString(), model.word) << Text(arguments);
            EXPECT_EQ(o["length"].toInt(-1), model.word.size()) << word;
            EXPECT_EQ(o["score"].toInt(-1), model.score) << word;
            EXPECT_EQ(o["blanks"].toString(u"none"_s).toStdString(), model.blanks.toStdString())
                << word;
            EXPECT_EQ(o["seed"].toString(u"none"_s), many ? seed : u"none"_s) << word;
        }
    }
}

TEST(CommandLine, JsonScoresAndBlanksAreThoseOfTheModel) {
    CheckJson({"tangle", "Angle", "elegant", "gent", "tablet", "beagle", "TANGLE", "bagel", "gale",
               "lag", "legal", "tan", "zebra", "agent"},
              {
                  {"-m 3", {"tangle"}, 0, Mode::Within, 3},
                  {"-b 2 -m 2", {"tangle"}, 2, Mode::Within, 2},
                  {"-b 1 --anagrams", {"TANGLE"}, 1, Mode::Anagram, 4},
                  {"-b 1 -m 3", {"ta\"n\\gle", "gent"}, 1, Mode::Within, 3},
              });
    // A minimum above the seed's letters, within its letters and blanks.
    CheckJson({"abed", "bead", "ab", "abba", "crab", "scab", "crabs", "babe"},
              {{"-b 2 -m 4", {"ab"}, 2, Mode::Within, 4}});
}

// The letters beyond the seed are not blanks: --contains-all has none.
TEST(CommandLine, ContainsAllHasNoBlanks) {
    CheckJson({"abc", "bad", "cab", "Abba", "xyz", "ba", "bay", "a"},
              {{"--contains-all -m 1", {"ab"}, 0, Mode::ContainsAll, 1},
               {"--contains-all -m 1", {"ab", "b"}, 0, Mode::ContainsAll, 1}});
}

TEST(CommandLine, JsonCarriesAnyCharacterAndCountsUtf16Units) {
    TempFiles files;
    // A quote, a backslash, a tab and a control character inside one word.
    const QString odd = u"a\"b\\c\td\x01"_s;
    files.write("list.txt",
                ListFile({odd, "\"", "\\", "cafe\u0301", "Straße", "a😀", "nai\u0308ve"}));
    const QStringList options = Args("-m 1 -l list.txt -o - --format json");
    QStringList words;
    for (const QJsonObject& o :
         JsonLines(MakeWords(QStringList{"-s", odd} + options, files.path("")).out))
        words << o["word"].toString();
    EXPECT_LIST(words, QStringList({odd, "\"", "\\"}));

    // -x compares the letters the word plays, in UTF-16 code units, the length
    // JSON gives: folded, an accent is no letter, and ß is two.
    const std::vector<std::tuple<QString, QString, int>> cases{
        {"cafe --fold-accents", "cafe\u0301", 4},
        {"cafe\u0301", "cafe\u0301", 5},
        {"Straße", "Straße", 6},
        {"strasse --fold-accents", "Straße", 7},
        {"a😀", "a😀", 3},
        {"naive --fold-accents", "nai\u0308ve", 5},
    };
    for (const auto& [seed, word, length] : cases) {
        for (const int longest : {length, length - 1}) {
            const QStringList arguments = options + Args(u"-x %1 -s "_s.arg(longest) + seed);
            std::optional<int> reported;
            for (const QJsonObject& o : JsonLines(MakeWords(arguments, files.path("")).out)) {
                if (o["word"].toString() == word)
                    reported = o["length"].toInt(-1);
            }
            EXPECT_EQ(reported.value_or(0), longest == length ? length : 0) << Text(arguments);
        }
    }
}

// --- Tile values ---

TEST(CommandLine, TileValuesAreThePublishedOnesOrTheFilesUpToTenThousand) {
    TempFiles files;
    QStringList letters;
    for (char16_t c = u'a'; c <= u'z'; ++c)
        letters << QString(QChar(c > u'm' ? c - u'a' + u'A' : c));
    files.write("list.txt", ListFile(letters << "quiz"));
    Result result =
        MakeWords(Args("-s abcdefghijklmnopqrstuvwxyz -m 1 -x 1 --format json -l list.txt -o -"),
                  files.path(""));
    const std::vector<QJsonObject> objects = JsonLines(result.out);
    ASSERT_EQ(objects.size(), 26u);
    for (const QJsonObject& o : objects) {
        const QString letter = o["word"].toString();
        EXPECT_EQ(o["score"].toInt(-1), EnglishValue(letter.front())) << letter.toStdString();
    }

    files.write("most.txt", "q 10000\nz 9999\n");
    files.write("over.txt", "q 10001\n");
    const QStringList quiz = Args("-s quiz --format json -l list.txt -o out.txt --tile-values");
    result = MakeWords(quiz + QStringList{"most.txt"}, files.path(""));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(JsonLines(result.out).at(0)["score"].toInt(), 19999);
    // A tile-values file that cannot be used is a failed run, not a usage error.
    result = MakeWords(quiz + QStringList{"over.txt"}, files.path(""));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("10001")) << result.err.toStdString();
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(files.read("out.txt").count('\n'), 1) << "the refused run wrote nothing";
}

// Each edition's published table, letter by letter; letters without a tile score 0.
TEST(CommandLine, TileSetsAreThePublishedTablesLetterByLetter) {
    const std::pair<const char*, const char*> editions[] = {
        {"en", "a1 b3 c3 d2 e1 f4 g2 h4 i1 j8 k5 l1 m3 n1 o1 p3 q10 r1 s1 t1 u1 v4 w4 x8 y4 z10"},
        {"fr",
         "a1 b3 c3 d2 e1 f4 g2 h4 i1 j8 k10 l1 m2 n1 o1 p3 q8 r1 s1 t1 u1 v4 w10 x10 y10 z10"},
        {"de", "a1 ä6 b3 c4 d1 e1 f4 g2 h2 i1 j6 k4 l2 m3 n1 o2 ö8 p4 q10 r1 s1 t1 u1 ü6 v6 w3 x8 "
               "y10 z3"},
        {"es", "a1 b3 c3 d2 e1 f4 g2 h4 i1 j8 k0 l1 m3 n1 ñ8 o1 p3 q5 r1 s1 t1 u1 v4 w0 x8 y4 z10"},
        {"it", "a1 b5 c2 d5 e1 f5 g8 h8 i1 j0 k0 l3 m3 n3 o1 p5 q10 r2 s2 t2 u3 v5 w0 x0 y0 z8"},
        {"nl", "a1 b3 c5 d2 e1 f4 g3 h4 i1 j4 k3 l3 m3 n1 o1 p3 q10 r2 s2 t2 u4 v4 w5 x8 y8 z4"},
        {"pl", "a1 ą5 b3 c2 ć6 d2 e1 ę5 f5 g3 h3 i1 j3 k2 l2 ł3 m2 n1 ń7 o1 ó5 p2 q0 r1 s1 ś5 t2 "
               "u3 v0 w1 x0 y2 z1 ź9 ż5"},
    };
    TempFiles files;
    for (const auto& [language, table] : editions) {
        std::map<QString, int> published;
        QString seed;
        for (const QString& entry : QString::fromUtf8(table).split(u' ')) {
            published[entry.first(1)] = entry.sliced(1).toInt();
            seed += entry.first(1);
        }
        QStringList words;
        for (const auto& [letter, value] : published)
            words << letter.toUpper();
        files.write("list.txt", words.join(u'\n').toUtf8() + '\n');
        const QStringList arguments =
            Args(u"-m 1 -x 1 --format json -l list.txt -o - --tiles "_s + QLatin1String(language)) +
            QStringList{u"-s"_s, seed};
        std::map<QString, int> scored;
        for (const QJsonObject& o : JsonLines(MakeWords(arguments, files.path("")).out))
            scored[o["word"].toString().toLower()] = o["score"].toInt(-1);
        EXPECT_EQ(scored, published) << language;
    }

    // Accented letters fold to the plain letter's value; a file overrides the set.
    files.write("list.txt", "Ärger\nquiz\n");
    files.write("tiles.txt", "q 7\n");
    const std::tuple<const char*, const char*, int> cases[] = {
        {"-s ärger --tiles de", "Ärger", 6 + 1 + 2 + 1 + 1},
        // The German edition has an Ä: folding leaves it be.
        {"-s ärger --tiles de --fold-accents", "Ärger", 6 + 1 + 2 + 1 + 1},
        {"-s quiz --tiles fr", "quiz", 8 + 1 + 1 + 10},
        {"-s quiz --tiles fr --tile-values tiles.txt", "quiz", 7},
    };
    for (const auto& [options, word, score] : cases) {
        const QStringList arguments =
            Args(u"--format json -l list.txt -o - "_s + QString::fromUtf8(options));
        const std::vector<QJsonObject> objects =
            JsonLines(MakeWords(arguments, files.path("")).out);
        ASSERT_EQ(objects.size(), 1u) << options;
        EXPECT_EQ(objects.at(0)["word"].toString(), QString::fromUtf8(word)) << options;
        EXPECT_EQ(objects.at(0)["score"].toInt(-1), score) << options;
    }
    const Result refused = MakeWords(Args("-s quiz --tiles xx -l list.txt -o -"), files.path(""));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("--tiles takes en, fr, de, es, it, nl, pl, ca"))
        << refused.err.toStdString();
}

// --- Editions ---

// Words as an edition plays them, worked out by hand from its published
// table: lengths count tiles, a blank stands for one tile, and only the
// letters the edition has no tile for fold.
TEST(CommandLine, EditionsPlayTheirOwnTiles) {
    struct Case {
        const char* options;
        QStringList list;
        QStringList found; // "word length score blanks"
    };
    const Case cases[] = {
        {"--tiles de --fold-accents -s strasse",
         {"Straße", "Strasse", "Bär", "Bar"},
         {"Straße 7 7 ", "Strasse 7 7 "}},
        {"--tiles de --fold-accents -s bar", {"Bär", "Bar"}, {"Bar 3 5 "}},
        {"--tiles de --fold-accents -s bär", {"Bär", "Bar"}, {"Bär 3 10 "}},
        {"--tiles de -s straße", {"Straße", "Strasse"}, {"Straße 6 5 "}},
        {"--tiles es --fold-accents -s ñandúo",
         {"ñandú", "nandu", "año", "ano"},
         {"ñandú 5 13 ", "año 3 10 ", "ano 3 3 "}},
        {"--tiles es -s chorro", {"chorro", "corro", "choro", "horro"}, {"chorro 4 15 "}},
        {"--tiles es -s chorro -m 5", {"chorro"}, {}},
        {"--tiles es -s choo -b 1", {"chorro", "choro", "coro"}, {"chorro 4 7 rr", "choro 4 7 r"}},
        {"--tiles es -s llama", {"llama", "lama", "ama"}, {"llama 4 13 ", "ama 3 5 "}},
        {"--tiles pl --fold-accents -s żółw", {"żółw", "zolw"}, {"żółw 4 14 "}},
        {"--tiles ca -s cel·la", {"cel.la", "cel·la", "cella"}, {"cel.la 4 14 ", "cel·la 4 14 "}},
        {"--tiles ca -s quatreany", {"quatre", "any", "tatra"}, {"quatre 5 12 ", "any 2 11 "}},
    };
    // A phrase's anagrams score its tiles; the blanks stand for what the
    // words hold beyond them.
    const QStringList spanish{"charro", "chorra", "ello", "olla",  "cholla",
                              "erro",   "chorro", "lla",  "llorar"};
    TempFiles files;
    for (const Case& c : cases) {
        files.write("list.txt", ListFile(c.list));
        const QStringList arguments =
            Args(u"-m 1 --format json -l list.txt -o - "_s + QString::fromUtf8(c.options));
        QStringList found;
        for (const QJsonObject& o : JsonLines(MakeWords(arguments, files.path("")).out))
            found << u"%1 %2 %3 %4"_s.arg(o["word"].toString())
                         .arg(o["length"].toInt(-1))
                         .arg(o["score"].toInt(-1))
                         .arg(o["blanks"].toString(u"none"_s));
        EXPECT_LIST(found, c.found) << c.options;
    }
    files.write("list.txt", ListFile(spanish));
    const Result phrase =
        MakeWords(QStringList{"-s", "chorro lla"} +
                      Args("-m 1 -b 1 -w 2 --tiles es --format json -l list.txt -o -"),
                  files.path(""));
    QStringList anagrams;
    for (const QJsonObject& o : JsonLines(phrase.out))
        anagrams << o["words"].toVariant().toStringList().join(u' ') + u' ' +
                        o["blanks"].toString() + u' ' + QString::number(o["score"].toInt(-1));
    anagrams.sort();
    EXPECT_LIST(anagrams,
                QStringList({"charro ello e 24", "charro olla a 24", "cholla erro e 24",
                             "chorra ello e 24", "chorra olla a 24", "chorro olla o 24"}));
    // Hooks of two-letter tiles stand apart from those of their letters.
    files.write("list.txt", ListFile({"hola", "chola", "cola", "ola", "olas", "hol"}));
    EXPECT_LIST(
        Lines(MakeWords(Args("--tiles es -s hola -m 3 --hooks -l list.txt -o -"), files.path(""))
                  .out),
        QStringList({"\thola\t", "c h ch\tola\ts", "\thol\ta"}));
}

// The published English bag, blanks as '?'.
QString EnglishBag() {
    QString bag = u"??"_s;
    for (const QString& tile : u"e12 a9 i9 o8 n6 r6 t6 l4 s4 u4 d4 g3 b2 c2 m2 p2 f2 h2 v2 w2 "
                               "y2 k1 j1 x1 q1 z1"_s.split(u' '))
        bag += QString(tile.sliced(1).toInt(), tile.front());
    return bag;
}

// --sort probability: the likeliest draw first, then alphabetical.
TEST(CommandLine, ProbabilityIsTheShareOfEveryDrawTried) {
    const QStringList list{"zoo", "eat", "Tea", "qi", "za", "aa", "ax", "zzz", "jeu", "ewe", "ee"};
    TempFiles files;
    files.write("list.txt", ListFile(list));
    const QString bag = EnglishBag();
    std::vector<std::pair<double, QString>> model;
    for (const QString& word : list) {
        const Testing::Draws draws = Testing::TryEveryDraw(bag, word.toLower());
        model.emplace_back(draws.playing / draws.all, word);
    }
    std::stable_sort(model.begin(), model.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second.toLower() < b.second.toLower();
    });
    const Result result = MakeWords(
        Args("-s eatzoqixjuw -b 2 -m 1 --sort probability --format json -l list.txt -o -"),
        files.path(""));
    const std::vector<QJsonObject> objects = JsonLines(result.out);
    ASSERT_EQ(objects.size(), model.size()) << result.err.toStdString();
    for (std::size_t i = 0; i < model.size(); ++i) {
        EXPECT_EQ(objects[i]["word"].toString(), model[i].second) << i;
        EXPECT_NEAR(objects[i]["probability"].toDouble(), model[i].first, model[i].first * 1e-8)
            << model[i].second.toStdString();
    }
}

// Debian's list, lower case, for models of whole-list searches.
QStringList DebianWords() {
    QFile dictionary(QStringLiteral("/usr/share/dict/american-english"));
    EXPECT_TRUE(dictionary.open(QIODevice::ReadOnly)) << "scripts/setup installs wamerican";
    return QString::fromUtf8(dictionary.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// --board: the word matches the pattern, and what the pattern's letters leave
// comes from the seed and its blanks. --hooks: the letters that make a word
// of the list of it, at either end.
TEST(CommandLine, BoardAndHooksAreThoseOfTheModelOnDebiansList) {
    const QStringList list = DebianWords();
    TempFiles files;
    files.write("list.txt", ListFile(list));
    const auto fits = [](QString word, const QString& letters, int blanks) {
        for (const QChar letter : letters)
            if (const qsizetype at = word.indexOf(letter); at >= 0)
                word.remove(at, 1);
        return word.size() <= blanks;
    };
    const std::tuple<QString, QString, int> boards[] = {
        {"retains", "*x*", 0},     {"retains", "?a??", 0},    {"retains", "*x*", 1},
        {"aeinst", "[bc]*ing", 1}, {"lemon", "[!a-d]?z*", 2},
    };
    for (const auto& [seed, board, blanks] : boards) {
        QString expression = board;
        expression.replace(u'?', u'.').replace(u"*"_s, u".*"_s).replace(u"[!"_s, u"[^"_s);
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(expression));
        QString literals = board;
        literals.remove(QRegularExpression(u"\\[[^]]*\\]|[?*]"_s));
        QStringList expected;
        for (const QString& word : list) {
            const QString lower = word.toLower();
            if (word.size() >= 2 && pattern.match(lower).hasMatch() &&
                fits(lower, seed + literals, blanks))
                expected << word;
        }
        const QStringList arguments =
            Args(u"-m 2 -l list.txt -o - -b %1 -s %2 --board"_s.arg(blanks).arg(seed)) << board;
        EXPECT_LIST(Lines(MakeWords(arguments, files.path("")).out), expected) << Text(arguments);
    }

    // Words with a letter beyond ASCII inside and ASCII at both ends.
    const QStringList words = list + QStringList{u"naïf"_s, u"naïfs"_s, u"anaïf"_s};
    files.write("hooks.txt", ListFile(words));
    std::map<QString, QString> before;
    std::map<QString, QString> after;
    for (const QString& word : words) {
        const QString lower = word.toLower();
        if (lower.size() > 1) {
            before[lower.sliced(1)] += lower.front();
            after[lower.chopped(1)] += lower.back();
        }
    }
    const auto shown = [](QString letters) {
        std::sort(letters.begin(), letters.end());
        letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
        return letters;
    };
    for (const QString& seed : {u"aeilnrst"_s, u"naïfs"_s}) {
        QStringList expected;
        for (const QString& word : words) {
            const QString lower = word.toLower();
            if (word.size() >= 3 && fits(lower, seed, 0) && lower.size() <= seed.size())
                expected << shown(before[lower]) + u'\t' + word + u'\t' + shown(after[lower]);
        }
        const QStringList arguments = Args("-m 3 --hooks -l hooks.txt -o - -s") << seed;
        EXPECT_LIST(Lines(MakeWords(arguments, files.path("")).out), expected) << Text(arguments);
    }
}

// Tile values and seeds are read as lists are: a byte-order mark of UTF-8 or
// UTF-16, or line by line UTF-8 or Windows-1252.
TEST(CommandLine, TileAndSeedFilesInEveryEncoding) {
    const QString tiles = QString::fromUtf8("é 7\r\nt 2\r\ne 1\r\n");
    const QString seeds = QString::fromUtf8("tée\r\n");
    const auto encoded = [](const QString& text,
                            std::optional<QStringConverter::Encoding> to) -> QByteArray {
        if (!to)
            return text.toLatin1();
        return QStringEncoder(*to, QStringEncoder::Flag::WriteBom).encode(text);
    };
    using enum QStringConverter::Encoding;
    const std::optional<QStringConverter::Encoding> encodings[] = {Utf8, Utf16LE, Utf16BE,
                                                                   std::nullopt};
    TempFiles files;
    files.write("list.txt", "t\xC3\xA9"
                            "e\n");
    for (const auto& encoding : encodings) {
        files.write("tiles.txt", encoded(tiles, encoding));
        files.write("seeds.txt", encoded(seeds, encoding));
        const Result result = MakeWords(Args("--seeds seeds.txt -m 1 --format json --tile-values "
                                             "tiles.txt -l list.txt -o -"),
                                        files.path(""));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        const std::vector<QJsonObject> objects = JsonLines(result.out);
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_EQ(objects[0]["seed"].toString(), QString::fromUtf8("tée"));
        EXPECT_EQ(objects[0]["word"].toString(), QString::fromUtf8("tée"));
        EXPECT_EQ(objects[0]["score"].toInt(), 10);
        // Windows-1252 is said once for each file.
        EXPECT_EQ(result.err.count("line 1 is not UTF-8"), encoding ? 0 : 2) << result.err.data();
    }
}

// --- Lists in Windows-1252 ---

// Each line of a list is UTF-8 when it is valid UTF-8 and Windows-1252
// otherwise; a list in UTF-16 reads as its UTF-8 copy. Through the window's
// run, the searches' and standard input alike.
TEST(CommandLine, EncodingsFromFileAndStandardInput) {
    const QString words = QString::fromUtf8("café\n€uro\nnaïve\n");
    const auto utf16 = [&](QStringConverter::Encoding encoding) {
        QString crlf = words;
        return QByteArray(QStringEncoder(encoding, QStringEncoder::Flag::WriteBom)
                              .encode(crlf.replace(u"\n"_s, u"\r\n"_s)));
    };
    struct EncodedList {
        QByteArray bytes;
        QByteArray filed;   // what the output file gets
        qint64 notUtf8 = 0; // the first line read as Windows-1252
    };
    const EncodedList lists[] = {
        {"caf\xe9\n\x80uro\nna\xefve\nzz\n", "caf\xe9\r\n\x80uro\r\nna\xefve\r\n", 1},
        // One stray byte changes only its own line.
        {"caf\xc3\xa9\n\x80uro\nna\xc3\xafve\n", "caf\xc3\xa9\r\n\x80uro\r\nna\xc3\xafve\r\n", 2},
        {utf16(QStringConverter::Utf16LE), words.toUtf8().replace("\n", "\r\n"), 0},
        {utf16(QStringConverter::Utf16BE), words.toUtf8().replace("\n", "\r\n"), 0},
    };
    TempFiles files;
    for (const EncodedList& list : lists) {
        files.write("list.txt", list.bytes);
        for (const QString options : {"-l list.txt -o window.txt",
                                      "-l list.txt -o search.txt -x 20", "-l - -o input.txt"}) {
            const QString output = Args(options)[3];
            QFile::remove(files.path(output));
            const bool input = options.contains(" - ");
            const Result result = MakeWords(Args("-s cafénaïve€uro -m 1 " + options),
                                            files.path(""), input ? list.bytes : QByteArray());
            const std::string where =
                options.toStdString() + " " + list.bytes.toHex().toStdString();
            EXPECT_EQ(result.exitCode, 0) << where;
            EXPECT_EQ(result.out, words.toUtf8()) << where;
            EXPECT_EQ(files.read(output), list.filed) << where;
            const QByteArray notice = (input ? "-" : "list.txt") + QByteArray(": line ") +
                                      QByteArray::number(list.notUtf8) + " is not UTF-8";
            EXPECT_EQ(result.err.contains(notice), list.notUtf8 > 0) << where << result.err.data();
            EXPECT_EQ(result.err.contains("not UTF-8"), list.notUtf8 > 0) << where;
        }
    }
}

// --- Anagrams of a phrase ---

struct PhraseCase {
    QString phrase;
    int words;
    int shortest;
    int longest;
    bool distinct;
    QStringList excluded = {}; // --exclude, each
    int fewestWords = 1;       // --min-words
    QString included = {};     // --include: words of the list, within the lengths
};

// Every multiset of 1 to N words whose letters are the phrase's. Words equal
// but for case (and accents, when folded) are one word, spelled as the list
// first has it.
QStringList ModelAnagrams(const QStringList& list, const PhraseCase& c, bool fold) {
    QStringList spellings;
    QStringList keys;
    for (const QString& word : list) {
        const QString key = Folded(word, fold);
        const bool excluded = std::any_of(c.excluded.begin(), c.excluded.end(),
                                          [&](const QString& e) { return Folded(e, fold) == key; });
        if (!keys.contains(key) && !excluded && word.size() >= c.shortest &&
            word.size() <= c.longest) {
            keys << key;
            spellings << word;
        }
    }
    std::map<QChar, int> left;
    for (const QChar letter : Folded(c.phrase, fold))
        left[letter] += letter != u' ';
    QStringList anagrams;
    QStringList chosen;
    const std::function<void(qsizetype)> add = [&](qsizetype from) {
        if (chosen.size() >= std::max(c.fewestWords, 1) &&
            std::all_of(left.begin(), left.end(), [](auto& l) { return l.second == 0; }))
            anagrams << chosen.join(u' ');
        for (qsizetype i = from; i < keys.size() && chosen.size() < c.words; ++i) {
            const std::map<QChar, int> before = left;
            bool fits = true;
            for (const QChar letter : keys[i])
                fits = fits && left[letter]-- > 0;
            if (fits) {
                chosen << spellings[i];
                add(c.distinct ? i + 1 : i);
                chosen.removeLast();
            }
            left = before;
        }
    };
    add(0);
    // Those that hold every included word, as often as it is included.
    anagrams.removeIf([&](const QString& anagram) {
        QStringList words = anagram.split(u' ');
        for (const QString& word : c.included.split(u' ', Qt::SkipEmptyParts)) {
            const auto at = std::find_if(words.begin(), words.end(), [&](const QString& w) {
                return Folded(w, fold) == Folded(word, fold);
            });
            if (at == words.end())
                return true;
            words.erase(at);
        }
        return false;
    });
    return AnagramSet(anagrams);
}

void CheckAnagrams(const QStringList& list, const std::vector<PhraseCase>& cases, bool fold) {
    TempFiles files;
    files.write("list.txt", ListFile(list));
    for (const PhraseCase& c : cases) {
        QStringList arguments{"-s", c.phrase};
        arguments += Args(
            u"-w %1 -m %2 -x %3 -l list.txt -o -"_s.arg(c.words).arg(c.shortest).arg(c.longest));
        if (c.distinct)
            arguments << "--distinct";
        for (const QString& word : c.excluded)
            arguments << "--exclude" << word;
        if (c.fewestWords > 1)
            arguments << "--min-words" << QString::number(c.fewestWords);
        if (!c.included.isEmpty())
            arguments << "--include" << c.included;
        if (fold)
            arguments << "--fold-accents";
        const Result result = MakeWords(arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 0) << Text(arguments) << result.err.toStdString();
        EXPECT_LIST(AnagramSet(Lines(result.out)), ModelAnagrams(list, c, fold)) << Text(arguments);
        // Within an anagram: longest first, then alphabetical.
        for (const QString& anagram : Lines(result.out)) {
            QStringList words = anagram.split(u' ');
            std::stable_sort(words.begin(), words.end(), [](const QString& a, const QString& b) {
                return a.size() != b.size() ? a.size() > b.size() : a.toLower() < b.toLower();
            });
            EXPECT_EQ(words.join(u' '), anagram);
        }
    }
}

TEST(CommandLine, PhraseAnagramsAreThoseOfTheModel) {
    // Up to 124 anagrams of 16 letters in up to 8 words, and fewer for each
    // bound taken off.
    const QStringList list{"a",    "ab",  "ba",   "abc",  "cab",  "bee",    "fed",      "deaf",
                           "fade", "bad", "cad",  "ee",   "ff",   "d",      "dd",       "cc",
                           "bb",   "aa",  "abbe", "face", "bead", "aaabbb", "ccddeeff", "abcdef"};
    CheckAnagrams(list,
                  {
                      {"aaabbbcc dd eeff", 8, 1, 16, false},
                      {"aaabbbcc dd eeff", 8, 1, 16, true},
                      {"aaabbbcc dd eeff", 7, 1, 16, false},
                      {"aaabbbcc dd eeff", 4, 2, 16, false},
                      {"aaabbbcc dd eeff", 6, 2, 16, true},
                      {"aaabbbcc dd eeff", 5, 2, 3, true},
                      {"aaabbbcc dd eeff", 2, 1, 16, false},
                      {"abc cab", 2, 1, 16, false},
                      {"deaf bee", 3, 2, 16, false},
                      {"aabbccdd", 8, 1, 2, false},
                      {"aaabbbcc dd eeff", 8, 1, 16, false, {"AB", "ee"}},
                      {"aaabbbcc dd eeff", 8, 1, 16, true, {"dd"}, 6},
                      {"aaabbbcc dd eeff", 5, 1, 16, false, {}, 5},
                      {"aaabbbcc dd eeff", 6, 1, 16, false, {}, 1, "ff DD"},
                      {"aaabbbcc dd eeff", 6, 1, 16, true, {"bb"}, 4, "ee ab"},
                      {"aaabbbcc dd eeff", 3, 1, 16, false, {}, 1, "aaabbb ccddeeff"},
                      {"aaabbbcc dd eeff", 2, 1, 16, false, {}, 1, "aaabbb ccddeeff"},
                      {"aaabbbcc dd eeff", 2, 1, 16, false, {}, 1, "aaabbb dd"},
                  },
                  false);
    // The included words count toward --min-words.
    CheckAnagrams({"star", "rats", "tsar", "art", "s", "rat", "arts", "ta", "r"},
                  {{"star rats", 3, 1, 16, false, {}, 2, "star"},
                   {"star rats", 3, 1, 16, false, {}, 3, "star"},
                   {"star rats", 2, 1, 16, true, {}, 2, "rats"}},
                  false);
}

// Phrase anagrams as printed: each once, its longest word first; a word the
// list holds twice, or in another case, is one word, spelled as the list
// first has it, and --distinct never takes it twice; an included word is
// the list's, or as typed where the list lacks it.
TEST(CommandLine, PhraseAnagramWordsTakenOnceAndIncluded) {
    struct Case {
        QByteArray list;
        QStringList arguments;
        QStringList lines;
    };
    const QByteArray twice = "rats\nstar\ntsar\nart\ns\nrat\nstar\n";
    const QByteArray capital = "rats\nstar\ntsar\nart\ns\nStar\n";
    const Case cases[] = {
        {twice,
         {"-s", "star rats", "-w", "2"},
         {"rats rats", "rats star", "rats tsar", "star star", "star tsar", "tsar tsar"}},
        {twice,
         {"-s", "star rats", "-w", "2", "--distinct"},
         {"rats star", "rats tsar", "star tsar"}},
        {twice, {"-s", "star rats", "-w", "3", "-n", "2"}, {"rats rats", "rats star"}},
        {twice,
         {"-s", "starrats", "-w", "3", "--include", "art"},
         {"rats art s", "star art s", "tsar art s"}},
        {twice, {"-s", "star", "-w", "2", "--include", "tsar"}, {"tsar"}},
        {twice, {"-s", " ", "-w", "2", "-m", "0"}, {}},
        {twice,
         {"-s", "ratss", "-w", "2", "--format", "json"},
         {R"({"words":["rats","s"],"score":5,"blanks":""})",
          R"({"words":["star","s"],"score":5,"blanks":""})",
          R"({"words":["tsar","s"],"score":5,"blanks":""})"}},
        {capital,
         {"-s", "star rats", "-w", "2", "--distinct", "--include", "STAR"},
         {"rats star", "star tsar"}},
        {capital,
         {"-s", "star rats", "-w", "2", "--include", "STAR"},
         {"rats star", "star star", "star tsar"}},
        {capital,
         {"-s", "starzz", "-w", "2", "--include", "ZZ"},
         {"rats ZZ", "star ZZ", "tsar ZZ"}},
    };
    TempFiles files;
    for (const auto& [list, arguments, lines] : cases) {
        files.write("list.txt", list);
        const Result result = MakeWords(Args("-l list.txt -o - -m 1") + arguments, files.path(""));
        EXPECT_EQ(result.exitCode, 0) << Text(arguments) << result.err.toStdString();
        EXPECT_LIST(Lines(result.out), lines) << Text(arguments);
    }
    // Against the model, with words that differ in case or accents only.
    CheckAnagrams({"Ab", "ab", "AB", "a", "A", "bA", "ba", "Bee", "bee", "b", "cab", "CAB", "d",
                   "Dd", "dd", "ee", "EE", "bad"},
                  {{"aabb dd ee", 6, 1, 16, false},
                   {"aabb dd ee", 6, 1, 16, true},
                   {"abc bad", 3, 1, 16, false}},
                  false);
    CheckAnagrams({"é", "e", "E", "ée", "ÉE", "f", "fé", "Fe", "fe"},
                  {{"eee ff", 5, 1, 16, false}, {"eeeff", 5, 1, 16, true}}, true);
}

// --not-in: the words of another list take part in no search, whatever their
// case, nor their accents when folded.
TEST(CommandLine, NotInLeavesOutTheWordsOfAnotherList) {
    TempFiles files;
    files.write("new.txt", ListFile({"angle", "Gent", "tangle", "gnat", "\u00E9tang", "tan"}));
    files.write("old.txt", ListFile({"ANGLE", "gent", "etang", "zebra"}));
    const auto run = [&](const QString& options) {
        const Result result =
            MakeWords(Args("-l new.txt -o - --not-in old.txt -m 1 " + options), files.path(""));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return Lines(result.out);
    };
    EXPECT_LIST(run("-s tangle\u00E9"), QStringList({"tangle", "gnat", "\u00E9tang", "tan"}));
    EXPECT_LIST(run("-s tangle\u00E9 --fold-accents"), QStringList({"tangle", "gnat", "tan"}));
    // Many seeds search the list through its index.
    files.write("seeds.txt", "tangle\n");
    EXPECT_LIST(run("--seeds seeds.txt"),
                QStringList({"tangle\ttangle", "tangle\tgnat", "tangle\ttan"}));
    EXPECT_LIST(AnagramSet(run("-s gnattan -w 2")), AnagramSet(QStringList{"gnat tan"}));
    EXPECT_LIST(AnagramSet(run("-s gentangle -w 2")), QStringList());
}

// --no-proper-nouns: the words of the list that begin with a capital letter
// take part in no search.
TEST(CommandLine, NoProperNounsInAnySearch) {
    // Capitals at both ends of the alphabet, A and Z.
    const QStringList list{"Angle", "angle", "Tangle", "gent", "Gent", "\u00C9tang", "\u00E9tang",
                           "tag",   "Nat",   "ant",    "an",   "tan",  "Zeta",       "zeal"};
    QStringList common;
    for (const QString& word : list) {
        if (!word.front().isUpper())
            common << word;
    }
    TempFiles files;
    files.write("list.txt", ListFile(list));
    files.write("seeds.txt", "tanglez\n\u00E9tang\n");
    const auto run = [&](const QString& options) {
        const Result result = MakeWords(
            Args("--no-proper-nouns -l list.txt -o - " + options) +
                (options.contains("--seeds") ? QStringList() : QStringList{"-s", "tanglez"}),
            files.path(""));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return Lines(result.out);
    };
    QStringList expected;
    for (const Found& f : ModelWords(common, "tanglez", 0, Mode::Within, 2))
        expected << f.word;
    EXPECT_LIST(run("-m 2 -x 9"), expected);
    EXPECT_LIST(run("-m 2 --sort alpha"),
                Sorted(ModelWords(common, "tanglez", 0, Mode::Within, 2), "alpha", -1));
    expected.clear();
    for (const QString seed : {"tanglez", "\u00E9tang"}) {
        for (const Found& f : ModelWords(common, seed, 0, Mode::Within, 2))
            expected << seed + u'\t' + f.word;
    }
    EXPECT_LIST(run("-m 2 --seeds seeds.txt"), expected);
    EXPECT_LIST(AnagramSet(run("-m 1 -w 1")), AnagramSet(run("-m 1 --anagrams")))
        << "-w 1 gives the anagrams of one word";
    EXPECT_LIST(AnagramSet(run("-m 1 -w 3")),
                ModelAnagrams(common, {"tanglez", 3, 1, 16, false}, false));
}

} // namespace
} // namespace Vorlaine
