// The word forms of small hand-written dictionaries, one table per kind of
// rule, each form written out by hand.
#include "HunspellExpansion.h"

namespace Vorlaine {
namespace {

using Testing::ExpectForms;
using Testing::Forms;

TEST(HunspellDictionary, SuffixesStripAndTestTheWordsEnd) {
    const QByteArray plural = "SFX S Y 4\n"
                              "SFX S y ies [^aeiou]y\n"
                              "SFX S 0 s [aeiou]y\n"
                              "SFX S 0 es [sxz]\n"
                              "SFX S 0 s [^sxyz]\n";
    ExpectForms({
        {"each plural where its condition holds",
         plural,
         "4\nfly/S\nboy/S\nbox/S\ncat/S\n",
         {"fly", "flies", "boy", "boys", "box", "boxes", "cat", "cats"}},
        {"a word without flags is only itself", plural, "1\nfly\n", {"fly"}},
        {"the strip must end the word",
         "SFX D Y 2\nSFX D e ed e\nSFX D y ied [^e]\n",
         "2\nhope/D\nwalk/D\n",
         {"hope", "hoped", "walk"}},
        {"a condition longer than the word never holds",
         "SFX L Y 1\nSFX L 0 er abc\n",
         "2\nbc/L\nabc/L\n",
         {"bc", "abc", "abcer"}},
        {"a dot is any one character",
         "SFX T Y 1\nSFX T 0 t a.b\n",
         "2\naxb/T\nab/T\n",
         {"axb", "axbt", "ab"}},
        {"the strip may not take the whole word",
         "SFX W Y 1\nSFX W ab xy ab\n",
         "1\nab/W\n",
         {"ab"}},
        {"unless FULLSTRIP", "FULLSTRIP\nSFX W Y 1\nSFX W ab xy ab\n", "1\nab/W\n", {"ab", "xy"}},
        {"a class named twice keeps both",
         "SFX S Y 1\nSFX S 0 s .\nSFX S Y 1\nSFX S 0 es .\n",
         "1\nbus/S\n",
         {"bus", "buss", "buses"}},
        {"comments and unknown directives are passed over",
         "# plural\nTRY abc\nREP 1\nREP f ph\nKEEPCASE K\nSFX S Y 1\nSFX S 0 s . is:plural\n",
         "1\ncat/SK\n",
         {"cat", "cats"}},
    });
}

TEST(HunspellDictionary, PrefixesTestTheWordsStart) {
    const QByteArray prefixes = "PFX U Y 1\nPFX U 0 un .\n"
                                "PFX R Y 2\nPFX R 0 re [^e]\nPFX R 0 re- e\n"
                                "PFX I N 1\nPFX I a in a\n";
    ExpectForms({
        {"prefixes with conditions and strips",
         prefixes,
         "3\ndo/UR\nedit/R\nact/I\n",
         {"do", "undo", "redo", "edit", "re-edit", "act", "inct"}},
        {"a prefix needs its flag on the word", prefixes, "1\ndo/R\n", {"do", "redo"}},
    });
}

TEST(HunspellDictionary, CrossProductsJoinAPrefixAndASuffixMarkedY) {
    const QByteArray aff = "PFX U Y 1\nPFX U 0 un .\n"
                           "PFX N N 1\nPFX N 0 non .\n"
                           "SFX S Y 1\nSFX S 0 s .\n"
                           "SFX E N 1\nSFX E 0 ed .\n";
    ExpectForms({
        {"only the pair that both allow",
         aff,
         "1\nlock/UNSE\n",
         {"lock", "locks", "locked", "unlock", "unlocks", "nonlock"}},
        // The prefix's condition and strip see the word with its suffix.
        {"prefix after suffix",
         "SFX A Y 1\nSFX A za bc za\nPFX P Y 1\nPFX P 0 x qz\nPFX Q Y 1\nPFX Q 0 y qb\n",
         "1\nqza/APQ\n",
         {"qza", "qbc", "xqza", "yqbc"}},
        {"a prefix strip reaching into the suffix",
         "SFX A Y 1\nSFX A za bc za\nPFX P Y 1\nPFX P qb x qb\n",
         "1\nqza/AP\n",
         {"qza", "qbc", "xc"}},
    });
}

TEST(HunspellDictionary, ContinuationClassesAddASecondAffix) {
    const QByteArray drink = "SFX X Y 1\nSFX X 0 able/S .\nSFX S Y 1\nSFX S 0 s .\n";
    ExpectForms({
        {"a suffix on a suffixed word",
         drink,
         "1\ndrink/X\n",
         {"drink", "drinkable", "drinkables"}},
        {"only through the first suffix",
         "SFX X Y 1\nSFX X 0 able .\nSFX S Y 1\nSFX S 0 s .\n",
         "1\ndrink/XS\n",
         {"drink", "drinkable", "drinks"}},
        {"the second suffix's condition sees the first",
         "SFX A Y 1\nSFX A 0 ab/E .\nSFX E Y 2\nSFX E b c b\nSFX E 0 d a\n",
         "1\nr/A\n",
         {"r", "rab", "rac"}},
        {"a prefix that the suffix allows",
         "PFX P Y 1\nPFX P 0 un .\nSFX S Y 1\nSFX S 0 s .\nSFX Q Y 1\nSFX Q 0 s .\n"
         "SFX R Y 1\nSFX R 0 able/PS .\n",
         "2\ndrink/RQ\ndrink/S\n",
         {"drink", "drinkable", "undrinkable", "drinkables", "undrinkables", "drinks", "drink",
          "drinks"}},
        {"a suffix that the prefix allows",
         "PFX P Y 1\nPFX P 0 p/E .\nSFX E Y 1\nSFX E 0 e .\n",
         "1\nr/P\n",
         {"r", "pr", "pre"}},
        {"a prefix that the second suffix allows",
         "SFX A Y 1\nSFX A 0 a/E .\nSFX E Y 1\nSFX E 0 e/P .\nPFX P Y 1\nPFX P 0 p .\n",
         "1\nr/A\n",
         {"r", "ra", "rae", "prae"}},
        {"a prefix with two suffixes needs the second to cross",
         "SFX A Y 1\nSFX A 0 a/E .\nSFX E N 1\nSFX E 0 e .\nPFX P Y 1\nPFX P 0 p .\n",
         "1\nr/AP\n",
         {"r", "ra", "rae", "pr", "pra"}},
        {"and the first to cross",
         "SFX A N 1\nSFX A 0 a/E .\nSFX E Y 1\nSFX E 0 e .\nPFX P Y 1\nPFX P 0 p .\n",
         "1\nr/AP\n",
         {"r", "ra", "rae", "pr"}},
        {"unless the second names the prefix",
         "SFX A N 1\nSFX A 0 a/E .\nSFX E Y 1\nSFX E 0 e/P .\nPFX P Y 1\nPFX P 0 p .\n",
         "1\nr/AP\n",
         {"r", "ra", "rae", "pr", "prae"}},
        {"COMPLEXPREFIXES: two prefixes and one suffix",
         "COMPLEXPREFIXES\nPFX A Y 1\nPFX A 0 a/E .\nPFX E Y 1\nPFX E 0 e .\n"
         "SFX S Y 1\nSFX S 0 s .\nSFX T Y 1\nSFX T 0 t/E .\n",
         "1\nr/AST\n",
         {"r", "ar", "ear", "rs", "ars", "ears", "rt", "art", "eart", "ert"}},
    });
}

TEST(HunspellDictionary, FlagKindsAndAliases) {
    const QByteArray aliases = "AF 3\nAF SD # 1\nAF D # 2\nAF X # 3\n"
                               "SFX S Y 1\nSFX S 0 s .\n"
                               "SFX D Y 2\nSFX D 0 d e\nSFX D 0 ed [^e]\n"
                               "SFX X Y 1\nSFX X 0 able/1 .\n";
    ExpectForms({
        {"one byte each, case counts",
         "SFX A Y 1\nSFX A 0 s .\nSFX a Y 1\nSFX a 0 ed .\n",
         "1\nwalk/a\n",
         {"walk", "walked"}},
        {"FLAG long",
         "FLAG long\nSFX S1 Y 1\nSFX S1 0 s .\nSFX Ed Y 1\nSFX Ed 0 ed .\n",
         "2\nwalk/S1Ed\ntalk/S1\n",
         {"walk", "walks", "walked", "talk", "talks"}},
        {"FLAG num",
         "FLAG num\nSFX 101 Y 1\nSFX 101 0 s .\nSFX 7 Y 1\nSFX 7 0 ed .\n"
         "PFX 65000 Y 1\nPFX 65000 0 re .\n",
         "1\nwalk/101,7,65000\n",
         {"walk", "walks", "walked", "rewalk", "rewalks", "rewalked"}},
        {"FLAG UTF-8",
         "FLAG UTF-8\nSFX é Y 1\nSFX é 0 s .\nSFX Ω Y 1\nSFX Ω 0 ed .\n",
         "1\nwalk/éΩ\n",
         {"walk", "walks", "walked"}},
        // A word without flags names no alias.
        {"AF in the words and in an affix's continuation",
         aliases,
         "3\nwalk/2\ndrink/3\ncat\n",
         {"walk", "walked", "drink", "drinkable", "drinkables", "drinkabled", "cat"}},
        {"FLAG long with AF",
         "FLAG long\nAF 1\nAF S1Ed\nSFX S1 Y 1\nSFX S1 0 s .\nSFX Ed Y 1\nSFX Ed 0 ed .\n",
         "1\nwalk/1\n",
         {"walk", "walks", "walked"}},
        {"flags that no line defines are passed over",
         "SFX S Y 1\nSFX S 0 s .\n",
         "1\ncat/QSZ\n",
         {"cat", "cats"}},
    });
}

TEST(HunspellDictionary, NeedAffixMakesNoFormByItself) {
    const QByteArray aff = "NEEDAFFIX N\n"
                           "PFX P Y 1\nPFX P 0 un/N .\nPFX Q Y 1\nPFX Q 0 re/N .\n"
                           "SFX S Y 1\nSFX S 0 s .\nSFX T Y 1\nSFX T 0 able/NS .\n"
                           "SFX Z Y 1\nSFX Z 0 0 .\n";
    ExpectForms({
        {"a word that needs an affix", aff, "1\nfoo/NS\n", {"foos"}},
        {"unless an affix adds nothing", aff, "1\nfoo/NZ\n", {"foo"}},
        {"PSEUDOROOT is its old name",
         "PSEUDOROOT N\nSFX S Y 1\nSFX S 0 s .\n",
         "1\nfoo/NS\n",
         {"foos"}},
        {"a prefix that needs a suffix", aff, "1\ndo/PS\n", {"do", "dos", "undos"}},
        {"a suffix that needs another affix", aff, "1\ndrink/T\n", {"drink", "drinkables"}},
        {"one on each side still needs a third",
         aff,
         "1\ndrink/QT\n",
         {"drink", "drinkables", "redrinkables"}},
    });
}

TEST(HunspellDictionary, CircumfixesGoOnBothSidesOrNeither) {
    ExpectForms({
        {"the superlatives of hunspell's manual",
         "CIRCUMFIX X\nPFX A Y 1\nPFX A 0 leg/X .\nPFX B Y 1\nPFX B 0 legesleg/X .\n"
         "SFX C Y 3\nSFX C 0 obb .\nSFX C 0 obb/AX .\nSFX C 0 obb/BX .\n",
         "1\nnagy/C\n",
         {"nagy", "nagyobb", "legnagyobb", "legeslegnagyobb"}},
        {"neither half alone",
         "CIRCUMFIX X\nPFX A Y 1\nPFX A 0 leg/X .\nSFX C Y 1\nSFX C 0 obb/X .\n",
         "1\nnagy/AC\n",
         {"nagy", "legnagyobb"}},
        // hunspell takes "legnagy" too, against its manual; it is left out.
        {"a circumfix prefix with a plain suffix, a plain prefix with a circumfix suffix",
         "CIRCUMFIX X\nPFX A Y 1\nPFX A 0 leg/X .\nPFX B Y 1\nPFX B 0 un .\n"
         "SFX C Y 2\nSFX C 0 obb .\nSFX C 0 obb/X .\nSFX S Y 1\nSFX S 0 s .\n",
         "1\nnagy/ABCS\n",
         {"nagy", "nagyobb", "unnagyobb", "legnagyobb", "nagys", "unnagys", "unnagy"}},
        {"a circumfix suffix cannot be the first of two alone",
         "CIRCUMFIX X\nSFX A Y 1\nSFX A 0 a/EX .\nSFX E Y 1\nSFX E 0 e .\n"
         "PFX P Y 1\nPFX P 0 p/X .\n",
         "1\nr/AP\n",
         {"r", "pra", "prae"}},
    });
}

TEST(HunspellDictionary, ForbiddenWordsAndTheirFormsAreNoWords) {
    const QByteArray aff = "FORBIDDENWORD F\nSFX S Y 1\nSFX S 0 s .\nSFX E Y 1\nSFX E 0 es .\n";
    ExpectForms({
        {"a forbidden word and its forms", aff, "2\ncat/S\ndog/FS\n", {"cat", "cats"}},
        {"a forbidden word that another word's affix makes", aff, "2\ncat/S\ncats/F\n", {"cat"}},
        {"a form of a forbidden word that another word makes",
         aff,
         "2\nbox/FE\nboxe/S\n",
         {"boxe"}},
        {"but not where it is a word of its own", aff, "2\nbox/FE\nboxes\n", {"boxes"}},
        {"WARN words are words",
         "WARN W\nSFX S Y 1\nSFX S 0 s .\n",
         "1\ncat/SW\n",
         {"cat", "cats"}},
        {"unless FORBIDWARN; a word of its own stays",
         "FORBIDWARN\nWARN W\nSFX S Y 1\nSFX S 0 s .\n",
         "2\ncat/SW\ncats\n",
         {"cats"}},
    });
}

TEST(HunspellDictionary, IgnoredCharactersLeaveWordsAndAffixes) {
    ExpectForms({
        {"in words and affixes, not in strips",
         "IGNORE -'\nSFX S Y 1\nSFX S y ie-s y\nPFX P Y 1\nPFX P 0 u- .\n",
         "2\nb-oy/SP\nco'y\n",
         {"boy", "boies", "uboy", "uboies", "coy"}},
        {"in UTF-8", "SET UTF-8\nIGNORE ́\nSFX S Y 1\nSFX S 0 ы .\n", "1\nко́т/S\n", {"кот", "коты"}},
    });
}

TEST(HunspellDictionary, OnlyInCompoundPartsAreLeftOut) {
    const QByteArray aff = "ONLYINCOMPOUND O\nCOMPOUNDFLAG Z\n"
                           "SFX S Y 1\nSFX S 0 en .\nSFX F Y 1\nSFX F 0 s/O .\n"
                           "PFX P Y 1\nPFX P 0 ge/O .\nSFX A Y 1\nSFX A 0 a/FS .\n";
    ExpectForms({
        {"a word only in compounds", aff, "2\nfoo/OSZ\nbar/SZ\n", {"bar", "baren"}},
        {"a joining suffix", aff, "1\narbeit/FSZ\n", {"arbeit", "arbeiten"}},
        {"a prefix only in compounds", aff, "1\nhalt/PS\n", {"halt", "halten"}},
        {"as a second suffix", aff, "1\nr/A\n", {"r", "ra", "raen"}},
    });
}

} // namespace
} // namespace Vorlaine
