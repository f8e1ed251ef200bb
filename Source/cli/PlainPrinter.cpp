#include "cli/PlainPrinter.h"

#include "files/TextEncoding.h"
#include "search/query/WordHooks.h"
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
    if (hooks_ != nullptr)
        line_.append(hooks_->before(match.word).toUtf8()).append('\t');
    // A word that is UTF-8 in the list is printed as the list has it.
    line_.append(IsUtf8(match.bytes) ? match.bytes : match.word.toUtf8());
    if (hooks_ != nullptr)
        line_.append('\t').append(hooks_->after(match.word).toUtf8());
    const bool asListed = !withSeed_ && hooks_ == nullptr;
    return lines_.add(line_, asListed ? QByteArrayView(match.bytes) : QByteArrayView());
}

} // namespace Vorlaine
