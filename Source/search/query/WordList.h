#pragma once

#include "files/TextEncoding.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace Vorlaine {

class WordListReader;

// A word list read once and kept in memory, for searching it many times. The
// items keep the bytes they have in the list. Items longer than any word are
// left out: they can never fit.
class WordList {
public:
    // Reads the rest of the list; false when reading failed, with the reason.
    bool load(WordListReader& reader);
    const QString& errorString() const { return errorString_; }

    qsizetype size() const { return static_cast<qsizetype>(ends_.size()); }
    QByteArrayView bytes(qsizetype item) const {
        const qsizetype begin = item > 0 ? ends_[static_cast<std::size_t>(item - 1)] : 0;
        return QByteArrayView(bytes_.data() + begin, ends_[static_cast<std::size_t>(item)] - begin);
    }
    QString text(qsizetype item) const { return DecodeItem(bytes(item)); }
    // The first line of the list read as Windows-1252, or 0.
    qint64 firstLineNotUtf8() const { return firstLineNotUtf8_; }
    // The bytes of all items together.
    qsizetype byteCount() const { return static_cast<qsizetype>(bytes_.size()); }

private:
    std::vector<char> bytes_;     // every item, one after the other
    std::vector<qsizetype> ends_; // where each item ends in bytes_
    qint64 firstLineNotUtf8_ = 0;
    QString errorString_;
};

} // namespace Vorlaine
