// The examples that makewords --help ends with; the README and the manual
// page show the same.

#include "cli/Options.h"

using namespace Qt::StringLiterals;

namespace Vorlaine {

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples{
        {u"The words of four letters or more in \"tangle\", printed only"_s,
         u"makewords -s tangle -l /usr/share/dict/american-english -o -"_s},
        {u"A crossword clue: c, any letter, t, then anything (an empty seed lets every word "
         "through)"_s,
         u"makewords --contains-all -s '' -m 1 -p 'c?t*' -l /usr/share/dict/american-english "
         "-o -"_s},
        {u"A Scrabble rack with a blank: the ten best words by their tiles' value"_s,
         u"makewords -s retain -b 1 -m 2 --sort score -n 10 -l "
         "/usr/share/dict/american-english -o -"_s},
        {u"A puzzle maker's batch of seeds, as JSON Lines"_s,
         u"makewords --seeds seeds.txt -m 3 --format json -l /usr/share/dict/american-english "
         "-o words.json"_s},
        {u"\"roast beef\" in up to three words of three letters or more"_s,
         u"makewords -s 'roast beef' -w 3 -m 3 -l /usr/share/dict/american-english -o -"_s},
    };
    return examples;
}

} // namespace Vorlaine
