#include "search/query/ExcludedWords.h"

#include "files/TextEncoding.h"
#include "files/WordListReader.h"
#include "search/letters/LetterKeys.h"
#include "search/run/RunMessages.h"

namespace Vorlaine {

QString ExcludedWords::read(const LetterKeys& keys) {
    if (read_)
        return failure_;
    read_ = true;
    WordListReader reader(path_);
    if (!reader.open())
        return failure_ = RunMessage::CannotOpen(path_, reader.errorString());
    WordListItem item;
    while (reader.readItem(item)) {
        if (!item.overlong)
            keys_.insert(keys.key(DecodeItem(item.bytes)));
    }
    if (reader.hasError())
        failure_ = RunMessage::CannotRead(path_, reader.errorString());
    return failure_;
}

} // namespace Vorlaine
