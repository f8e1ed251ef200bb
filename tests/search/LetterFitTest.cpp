#include "search/letters/SeedLetters.h"

#include <QString>
#include <gtest/gtest.h>

namespace Vorlaine {
namespace {

bool Fits(const QString& seed, const QString& candidate) {
    return CanMakeWord(seed, candidate);
}

TEST(LetterFit, WordsFromTangle) {
    for (const char* word : {"angle", "gent", "Tangle", "LEG", "tan", "glean"})
        EXPECT_TRUE(Fits("TANGLE", word)) << word;
    EXPECT_FALSE(Fits("TANGLE", "tangled")) << "the seed has no d";
    EXPECT_FALSE(Fits("TANGLE", "gentle")) << "two e, the seed has one";
    EXPECT_FALSE(Fits("TANGLE", "tat")) << "two t";
}

TEST(LetterFit, RepeatedLettersAllowAsManyRepeats) {
    for (const char* word : {"tree", "retel", "letter", "LETTER"})
        EXPECT_TRUE(Fits("LETTER", word)) << word;
    EXPECT_FALSE(Fits("LETTER", "tetter")) << "three t, the seed has two";
}

TEST(LetterFit, CaseIsIgnoredOnBothSides) {
    EXPECT_TRUE(Fits("TaNgLe", "GLEAN"));
    EXPECT_TRUE(Fits(QString::fromUtf8("ÉTÉ"), QString::fromUtf8("été")));
    EXPECT_FALSE(Fits("e", QString::fromUtf8("é"))) << "accents are letters of their own";
}

TEST(LetterFit, EmptyTexts) {
    EXPECT_TRUE(Fits("TANGLE", ""));
    EXPECT_TRUE(Fits("", ""));
    EXPECT_FALSE(Fits("", "a"));
}

TEST(LetterFit, BlanksHyphensApostrophesAndDigitsCountLikeLetters) {
    EXPECT_FALSE(Fits("tangle", "t-angle"));
    EXPECT_TRUE(Fits("t-angle", "t-angle"));
    EXPECT_FALSE(Fits("t-angle", "t--angle"));
    EXPECT_FALSE(Fits("tangle", "tan gle"));
    EXPECT_TRUE(Fits("tan gle", "gel tan"));
    EXPECT_FALSE(Fits("tangle", "angle's"));
    EXPECT_TRUE(Fits("tangle's", "angle's"));
    EXPECT_TRUE(Fits("route66", "66"));
    EXPECT_FALSE(Fits("route66", "6 6"));
    EXPECT_FALSE(Fits("route6", "66"));
}

TEST(LetterFit, CharactersOutsideTheBasicPlaneAreTwoCodeUnits) {
    const QString grin = QString::fromUtf8("😀");
    ASSERT_EQ(grin.size(), 2);
    EXPECT_TRUE(Fits(grin + "tangle", "angle" + grin));
    EXPECT_FALSE(Fits(grin + "tangle", grin + grin));
    // The two halves are counted separately.
    EXPECT_TRUE(Fits(grin, grin.left(1)));
}

TEST(LetterFit, LongestCandidateFitsAndLongerNeverDoes) {
    const QString longest(MaxWordLength, QLatin1Char('a'));
    const QString seed = longest + QLatin1Char('a');
    EXPECT_TRUE(Fits(seed, longest));
    EXPECT_FALSE(Fits(seed, longest + QLatin1Char('a')));
    EXPECT_FALSE(Fits(seed + seed, longest + QLatin1Char('a')));
}

TEST(LetterFit, OneSeedTestsManyCandidatesIndependently) {
    // Each test must leave nothing behind for the next one.
    const SeedLetters letters(u"tangle");
    EXPECT_FALSE(letters.fits(u"tat"));
    EXPECT_TRUE(letters.fits(u"tan"));
    EXPECT_FALSE(letters.fits(u"gentle"));
    EXPECT_TRUE(letters.fits(u"gent"));
    EXPECT_TRUE(letters.fits(u"tangle"));
    EXPECT_TRUE(letters.fits(u"tangle"));

    // Nor for the next seed: a candidate that failed on its first letter, as
    // text and as bytes.
    SeedLetters text(u"a");
    EXPECT_FALSE(text.fits(u"b"));
    text.reset(u"b");
    EXPECT_TRUE(text.fits(u"b"));
    SeedLetters bytes(u"a");
    EXPECT_EQ(bytes.fitsAscii("b"), SeedLetters::AsciiFit::DoesNotFit);
    bytes.reset(u"b");
    EXPECT_EQ(bytes.fitsAscii("b"), SeedLetters::AsciiFit::Fits);
}

TEST(LetterFit, BytesAgreeWithText) {
    const SeedLetters letters(QString::fromUtf8("Tangleé"));
    using Fit = SeedLetters::AsciiFit;
    EXPECT_EQ(letters.fitsAscii("ANGLE"), Fit::Fits);
    EXPECT_EQ(letters.fitsAscii("angled"), Fit::DoesNotFit);
    EXPECT_EQ(letters.fitsAscii("tat"), Fit::DoesNotFit);
    EXPECT_EQ(letters.fitsAscii(""), Fit::Fits);
    EXPECT_EQ(letters.fitsAscii("gl\xC3\xA9"), Fit::NotAscii);
    EXPECT_EQ(letters.fitsAscii("dl\xC3\xA9"), Fit::DoesNotFit) << "d already rules it out";
    // A byte test that stopped early leaves nothing behind either.
    EXPECT_EQ(letters.fitsAscii("tangle"), Fit::Fits);
    EXPECT_TRUE(letters.fits(QString::fromUtf8("glé")));

    // Every ASCII character, in either case on either side, as the text test has it.
    for (const char* seed : {"the quick brown fox jumps over the lazy dog 0123456789",
                             "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG !?"}) {
        const SeedLetters pangram(QString::fromLatin1(seed));
        for (int code = 1; code < 128; ++code) {
            const char c = static_cast<char>(code);
            const Fit expected =
                pangram.fits(QString(QLatin1Char(c))) ? Fit::Fits : Fit::DoesNotFit;
            EXPECT_EQ(pangram.fitsAscii(QByteArrayView(&c, 1)), expected) << seed << " " << code;
        }
    }
}

} // namespace
} // namespace Vorlaine
