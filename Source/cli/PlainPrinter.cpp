#include "cli/PlainPrinter.h"

#include "files/TextEncoding.h"
#include "search/query/WordQuery.h"

namespace Vorlaine {

bool PlainPrinter::printWord(const QString& seed, const WordMatch& match) {
    line_.resize(0);
    if (withSeed_) {
        if (seed != seed_) {
            seed_ = seed;
            seedUtf8_ = seed.toUtf8();
        }
        line_.append(seedUtf8_).append('\t');
    }
    // A word that is UTF-8 in the list is printed as the list has it.
    line_.append(IsUtf8(match.bytes) ? match.bytes : match.word.toUtf8());
    return lines_.add(line_, withSeed_ ? QByteArrayView() : QByteArrayView(match.bytes));
}

} // namespace Vorlaine
