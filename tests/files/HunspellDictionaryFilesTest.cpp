// How the files of a hunspell dictionary are read: their encodings, the lines
// of the .dic, the order of the forms, errors and reads of many forms.
#include "HunspellExpansion.h"

namespace Vorlaine {
namespace {

using Testing::Expand;
using Testing::Expansion;
using Testing::ExpectForms;
using Testing::Forms;
using Testing::ReadRoom;
using Testing::TempFiles;

TEST(HunspellDictionary, EncodingsOfTheSetLineBecomeUtf8) {
    ExpectForms({
        {"ISO8859-1",
         "SET ISO8859-1\nSFX S Y 1\nSFX S 0 s \xe9\n",
         "2\ncaf\xe9/S\nthe/S\n",
         {"café", "cafés", "the"}},
        {"ISO8859-1 without a SET line",
         "SFX S Y 1\nSFX S 0 s \xe9\n",
         "1\ncaf\xe9/S\n",
         {"café", "cafés"}},
        {"ISO8859-2",
         "SET ISO8859-2\nSFX S Y 1\nSFX S 0 \xb6 [\xb3\xbf]w\n",
         "1\n\xbf\xf3\xb3w/S\n",
         {"żółw", "żółwś"}},
        {"ISO8859-15",
         "SET ISO8859-15\nSFX S Y 1\nSFX S 0 s r\n",
         "1\nc\xbdur/S\n",
         {"cœur", "cœurs"}},
        {"KOI8-R",
         "SET KOI8-R\nSFX S Y 1\nSFX S 0 \xd9 \xd4\n",
         "1\n\xcb\xcf\xd4/S\n",
         {"кот", "коты"}},
        {"microsoft-cp1251",
         "SET microsoft-cp1251\nSFX S Y 1\nSFX S 0 \xfb \xf2\n",
         "1\n\xea\xee\xf2/S\n",
         {"кот", "коты"}},
        {"UTF-8 with byte-order marks",
         "\xEF\xBB\xBFSET UTF-8\nSFX S Y 1\nSFX S 0 s é\n",
         "\xEF\xBB\xBF"
         "1\ncafé/S\n",
         {"café", "cafés"}},
        // The forms as users write them, but for ASCII characters.
        {"OCONV",
         "SET UTF-8\nOCONV 2\nOCONV ĳ ij\nOCONV ' ’\nSFX S Y 1\nSFX S 0 s .\n",
         "2\nzwĳn/S\nl'ĳs\n",
         {"zwijn", "zwijns", "l'ijs"}},
    });
}

TEST(HunspellDictionary, DictionaryLines) {
    const QByteArray plural = "SFX S Y 1\nSFX S 0 s .\n";
    ExpectForms({
        {"morphological fields after a blank or a tab",
         plural,
         "4\nfoo/S po:noun\nbar po:noun st:bar\na lot\nbaz\tcomment\n",
         {"foo", "foos", "bar", "a lot", "baz"}},
        {"a colon inside a word", plural, "1\nfoo:bar/S\n", {"foo:bar", "foo:bars"}},
        {"escaped slashes", plural, "2\nkm\\/h\n1\\/2/S\n", {"km/h", "1/2", "1/2s"}},
        {"a line that begins with a tab is a comment; empty lines are none",
         plural,
         "3\n\tcomment/S\n\ncat/S\n",
         {"cat", "cats"}},
        {"a slash that begins the line is the word", plural, "1\n/S\n", {"/", "/s"}},
        {"CR LF", plural, "2\r\ncat/S\r\ndog\r\n", {"cat", "cats", "dog"}},
        {"the last line needs no line end", plural, "1\ncat/S", {"cat", "cats"}},
    });
}

TEST(HunspellDictionary, EachWordThenItsFormsInTheDictionarysOrder) {
    const Expansion expansion =
        Expand("PFX P Y 1\nPFX P 0 un .\nSFX S Y 1\nSFX S 0 s .\n", "3\nb/S\na/PS\nc\n");
    EXPECT_EQ(expansion.forms, Forms({"b", "bs", "a", "as", "unas", "una", "c"}));
}

TEST(HunspellDictionary, ManyFormsComeWholeAcrossReads) {
    QByteArray dic = "20000\n";
    Forms expected;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray word = "word" + QByteArray::number(i);
        dic += word + "/S\n";
        expected.push_back(word);
        expected.push_back(word + "s");
    }
    const Expansion expansion = Expand("SFX S Y 1\nSFX S 0 s .\n", dic);
    EXPECT_FALSE(expansion.failed);
    EXPECT_EQ(expansion.forms, expected); // more than one read's worth, each read ends a form
}

TEST(HunspellDictionary, DictionaryPaths) {
    EXPECT_TRUE(HunspellDictionary::IsDictionaryPath("/usr/share/hunspell/fr_FR.dic"));
    EXPECT_TRUE(HunspellDictionary::IsDictionaryPath("FR.DIC"));
    EXPECT_TRUE(HunspellDictionary::IsDictionaryPath("a.Dic"));
    EXPECT_FALSE(HunspellDictionary::IsDictionaryPath("wordlist.txt"));
    EXPECT_FALSE(HunspellDictionary::IsDictionaryPath("fr_FR.aff"));
    EXPECT_FALSE(HunspellDictionary::IsDictionaryPath("dic"));
    EXPECT_EQ(HunspellDictionary::AffixPathFor("/x/fr_FR.dic"), "/x/fr_FR.aff");
    EXPECT_EQ(HunspellDictionary::AffixPathFor("FR.DIC"), "FR.AFF");
}

TEST(HunspellDictionary, MissingFiles) {
    TempFiles files;
    HunspellDictionary noDic(files.path("t.dic"));
    EXPECT_FALSE(noDic.open());
    EXPECT_TRUE(noDic.errorString().startsWith("t.dic cannot be read: "))
        << qPrintable(noDic.errorString());

    HunspellDictionary unopened(files.path("t.dic"));
    char room[16];
    EXPECT_EQ(unopened.read(room, sizeof room), -1);
    EXPECT_EQ(unopened.errorString(), "t.dic was not opened");

    HunspellDictionary noAff(files.write("t.dic", "1\ncat\n"));
    EXPECT_FALSE(noAff.open());
    EXPECT_EQ(noAff.errorString(), "t.dic has no affix file t.aff beside it");
    char out[16];
    EXPECT_EQ(noAff.read(out, sizeof out), -1);
}

struct ErrorCase {
    QByteArray aff;
    QByteArray dic;
    bool opens;       // the error shows in a read, not in open()
    Forms formsFirst; // read before the error
    QString error;
};

void ExpectErrors(const std::vector<ErrorCase>& table) {
    for (const ErrorCase& entry : table) {
        const Expansion expansion = Expand(entry.aff, entry.dic);
        EXPECT_EQ(expansion.opened, entry.opens) << qPrintable(entry.error);
        EXPECT_EQ(expansion.failed, entry.opens) << qPrintable(entry.error);
        EXPECT_EQ(expansion.forms, entry.formsFirst) << qPrintable(entry.error);
        EXPECT_EQ(expansion.error, entry.error);
    }
}

TEST(HunspellDictionary, MalformedAffixFilesNameTheFileAndLine) {
    const QByteArray cat = "1\ncat\n";
    ExpectErrors({
        {"SET ISCII-DEVANAGARI\n",
         cat,
         false,
         {},
         "t.aff line 1: the character set ISCII-DEVANAGARI is not supported"},
        {"FLAG double\n",
         cat,
         false,
         {},
         "t.aff line 1: unknown flag kind double (char, long, num or UTF-8)"},
        {"# plural\nSFX S Y x\n",
         cat,
         false,
         {},
         "t.aff line 2: SFX S needs a cross product Y or N and a number of lines"},
        {"SFX S Y 2\nSFX S 0 s .\n",
         cat,
         false,
         {},
         "t.aff line 1: the file ends before the 2 lines of SFX S"},
        {"SFX S Y 1\nSFX T 0 s .\n",
         cat,
         false,
         {},
         "t.aff line 2: a line \"SFX S strip affix condition\" was expected"},
        {"SFX S Y 1\nSFX S 0 s [ab\n",
         cat,
         false,
         {},
         "t.aff line 2: the condition [ab leaves a bracket open"},
        {"AF 2\nAF S\n", cat, false, {}, "t.aff line 1: 2 AF lines expected, found 1"},
        {"FLAG num\nSFX 70000 Y 1\n",
         cat,
         false,
         {},
         "t.aff line 2: \"70000\" is no list of flag numbers from 1 to 65535"},
        {"SET UTF-8\nSFX S Y 1\nSFX S 0 \xe9 .\n",
         cat,
         false,
         {},
         "t.aff line 3: the affix line is not UTF-8"},
    });
}

TEST(HunspellDictionary, MalformedDictionaryLinesNameTheFileAndLine) {
    const QByteArray plural = "SFX S Y 1\nSFX S 0 s .\n";
    ExpectErrors({
        {plural,
         "cat\ndog\n",
         false,
         {},
         "t.dic line 1: the first line should be the number of words, not \"cat\""},
        {plural,
         "",
         false,
         {},
         "t.dic line 1: the file is empty; it should begin with the number of its words"},
        {"AF 1\nAF S\n" + plural,
         "2\ncat/1\ndog/2\n",
         true,
         {"cat", "cats"},
         "t.dic line 3: unknown flag alias \"2\" (the AF lines define 1 to 1)"},
        {"FLAG num\nSFX 1 Y 1\nSFX 1 0 s .\n",
         "1\ncat/1,x\n",
         true,
         {},
         "t.dic line 2: \"1,x\" is no list of flag numbers from 1 to 65535"},
        {"FLAG long\n",
         "1\ncat/S1E\n",
         true,
         {},
         "t.dic line 2: \"S1E\" is no list of two-character flags"},
        {"SET UTF-8\n",
         "2\ncat\ncaf\xe9\n",
         true,
         {"cat"},
         "t.dic line 3: the word is not UTF-8, as the affix file's SET says"},
        {plural,
         "2\ncat\n" + QByteArray(ReadRoom + 10, 'a') + "\n",
         true,
         {"cat"},
         "t.dic line 3: a form of the word is longer than 131072 bytes"},
        {plural,
         "1\n" + QByteArray(300000, 'a') + "\n",
         true,
         {},
         "t.dic line 2: the line is longer than 262144 bytes"},
    });
}

} // namespace
} // namespace Vorlaine
