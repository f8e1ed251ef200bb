#include "search/query/WordList.h"

#include "files/WordListReader.h"

namespace Vorlaine {

bool WordList::load(WordListReader& reader) {
    bytes_.clear();
    ends_.clear();
    // Growing step by step would copy the list over and over.
    if (const qint64 size = reader.fileSize(); size > 0) {
        bytes_.reserve(static_cast<std::size_t>(size));
        ends_.reserve(static_cast<std::size_t>(size / 8));
    }
    WordListItem item;
    while (reader.readItem(item)) {
        if (item.overlong)
            continue;
        bytes_.insert(bytes_.end(), item.bytes.begin(), item.bytes.end());
        ends_.push_back(static_cast<qsizetype>(bytes_.size()));
    }
    if (reader.hasError()) {
        errorString_ = reader.errorString();
        return false;
    }
    firstLineNotUtf8_ = reader.firstLineNotUtf8();
    return true;
}

} // namespace Vorlaine
