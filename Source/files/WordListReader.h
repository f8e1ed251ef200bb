#pragma once

#include "files/LineScan.h"
#include "files/TextEncoding.h"
#include "files/WordLength.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <memory>

namespace Vorlaine {

class DictionarySpool;
class HunspellDictionary;

// One item of a word list: the bytes of a line without the blanks and tabs
// around it. The bytes stay valid until the next read.
struct WordListItem {
    QByteArrayView bytes;
    // Too long to be a word (more than MaxItemBytes); its bytes were skipped.
    bool overlong = false;
};

// The most bytes a word of MaxWordLength code units can take in UTF-8.
inline constexpr qsizetype MaxItemBytes = 3 * MaxWordLength;

// Reads a word list item by item. An item ends at CR LF, a lone LF or a lone
// CR; a UTF-8 byte-order mark at the start is skipped; lines that are empty
// once blanks and tabs are removed are no items. Memory stays bounded however
// long a line is. A list that starts with a UTF-16 byte-order mark, of either
// byte order (Notepad's "Unicode"), is read as UTF-16 and its items come as
// UTF-8. A hunspell dictionary (a .dic with its .aff beside it) is read as the
// list of its word forms, in UTF-8.
class WordListReader {
public:
    explicit WordListReader(const QString& path);
    ~WordListReader();
    WordListReader(const WordListReader&) = delete;
    WordListReader& operator=(const WordListReader&) = delete;

    bool open();
    // Reads standard input instead of the file named by the path.
    bool openStandardInput();
    // Reads from an open file from where it stands; the file stays open.
    bool openDescriptor(int descriptor);
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

    // Whether to look for the first line that is not UTF-8; the counting pass
    // does, the pass after it need not.
    void setChecksEncoding(bool checks) { checksEncoding_ = checks; }

    // The size of the list file; -1 for a pipe, whose size is not known.
    qint64 fileSize() const { return dictionary_ || file_.isSequential() ? -1 : file_.size(); }

    bool hasError() const { return failed_; }
    QString errorString() const { return errorString_; }

    // The first line of the file, counting from 1, that is not UTF-8 and so
    // is read as Windows-1252, among the lines read so far; 0 while there is
    // none. Final once the list was read to its end.
    qint64 firstLineNotUtf8() const { return firstLineNotUtf8_; }

private:
    // Where [first, end) ends once the blanks at its end are dropped.
    static const char* EndWithoutBlanks(const char* first, const char* end) {
        while (end > first && LineScan::IsBlank(end[-1]))
            --end;
        return end;
    }
    // The item that starts at `first` and whose line ends at `lineEnd`.
    static WordListItem TrimmedItem(const char* first, const char* lineEnd) {
        const char* const last = EndWithoutBlanks(first, lineEnd);
        if (last - first > MaxItemBytes)
            return WordListItem{{}, true};
        return WordListItem{QByteArrayView(first, last - first), false};
    }

    bool start(bool opened);
    qint64 readSource(char* into, qint64 room);
    qint64 readUtf16(char* into, qint64 room);
    void checkEncoding(QByteArrayView bytes);
    void noteCutSequence();
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
    qint64 lineEnds_ = 0; // before the bytes being checked
    bool afterCr_ = false;
    // The counting pass counts the line ends itself, with the items: the
    // check of the bytes read last leaves it how many of them to count, and
    // whether the first line that is no UTF-8 ends them.
    bool countsLineEnds_ = false;
    qsizetype lineEndsToCount_ = 0;
    bool failsAfterThem_ = false;
    qint64 firstLineNotUtf8_ = 0;
    // A list in UTF-16: its bytes as read, and the decoder that keeps a code
    // unit or a pair split between two reads.
    std::unique_ptr<QStringDecoder> utf16_;
    std::unique_ptr<HunspellDictionary> dictionary_;
    std::unique_ptr<DictionarySpool> spool_;
    std::unique_ptr<char[]> raw_;
    qint64 rawPending_ = 0;
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
    item = TrimmedItem(p, lineEnd);
    begin_ = lineEnd - data;
    return true;
}

} // namespace Vorlaine
