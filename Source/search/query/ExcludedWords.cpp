#include "search/query/ExcludedWords.h"

#include "files/TextEncoding.h"
#include "files/WordListReader.h"
#include "search/letters/LetterKey.h"
#include "search/run/RunMessages.h"

namespace Vorlaine {

QString ExcludedWords::read(bool foldAccents) {
    if (read_)
        return failure_;
    read_ = true;
    WordListReader reader(path_);
    if (!reader.open())
        return failure_ = RunMessage::CannotOpen(path_, reader.errorString());
    WordListItem item;
    while (reader.readItem(item)) {
        if (!item.overlong)
            keys_.insert(LetterKey(DecodeItem(item.bytes), foldAccents));
    }
    if (reader.hasError())
        failure_ = RunMessage::CannotRead(path_, reader.errorString());
    return failure_;
}

} // namespace Vorlaine
