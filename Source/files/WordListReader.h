#pragma once

#include "LineScan.h"
#include "TextEncoding.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <memory>

namespace Vorlaine {

// One item of a word list: the bytes of a line without the blanks and tabs
// around it. The bytes stay valid until the next read.
struct WordListItem {
    QByteArrayView bytes;
    // Too long to be a word (more than MaxItemBytes); its bytes were skipped.
    bool overlong = false;
};

// Reads a word list item by item. An item ends at CR LF, a lone LF or a lone
// CR; a UTF-8 byte-order mark at the start is skipped; lines that are empty
// once blanks and tabs are removed are no items. Memory stays bounded however
// long a line is.
class WordListReader {
public:
    // The longest word the search handles, in UTF-16 code units, and the most
    // bytes such a word can take in UTF-8.
    static constexpr qsizetype MaxItemLength = 32766;
    static constexpr qsizetype MaxItemBytes = 3 * MaxItemLength;

    explicit WordListReader(const QString& path);
    ~WordListReader();
    WordListReader(const WordListReader&) = delete;
    WordListReader& operator=(const WordListReader&) = delete;

    bool open();
    void close();

    // False at the end of the list, or when reading failed (hasError).
    bool readItem(WordListItem& item) {
        if (readBufferedItem(item))
            return true;
        return readItemAcrossReads(item);
    }

    // Reads the rest of the list and counts its items, as readItem would yield
    // them. False when reading failed.
    bool countItems(qint64& count);

    // The encoding check can be left out when the encoding is known already.
    void setChecksEncoding(bool checks) { checksEncoding_ = checks; }

    bool hasError() const { return failed_; }
    QString errorString() const { return errorString_; }

    // The encoding of everything read so far; final once the list was read to
    // its end.
    TextEncoding encoding() const {
        return validator_.isValid() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    }

private:
    bool readBufferedItem(WordListItem& item);
    bool readItemAcrossReads(WordListItem& item);
    bool fill();
    bool skipRestOfLine();
    bool skipOverlongItem(WordListItem& item);

    QFile file_;
    std::unique_ptr<char[]> buffer_;
    qsizetype begin_ = 0; // first byte not yet consumed
    qsizetype end_ = 0;   // end of the bytes read
    bool atFileEnd_ = false;
    bool failed_ = false;
    bool checksEncoding_ = true;
    QString errorString_;
    Utf8Validator validator_;
};

// The common case, kept inline: the item and its line end are in the buffer.
inline bool WordListReader::readBufferedItem(WordListItem& item) {
    const char* const data = buffer_.get();
    const char* p = data + begin_;
    const char* const end = data + end_;
    while (p < end && (LineScan::IsLineEnd(*p) || LineScan::IsBlank(*p)))
        ++p;
    begin_ = p - data;
    if (p == end)
        return false;
    const char* const lineEnd = LineScan::FindLineEnd(p, end);
    if (lineEnd == end)
        return false;
    const char* last = lineEnd;
    while (LineScan::IsBlank(last[-1])) // stops at the item's first byte, which is no blank
        --last;
    if (last - p > MaxItemBytes)
        item = WordListItem{{}, true};
    else
        item = WordListItem{QByteArrayView(p, last - p), false};
    begin_ = lineEnd - data;
    return true;
}

} // namespace Vorlaine
