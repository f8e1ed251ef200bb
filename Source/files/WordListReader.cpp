#include "files/WordListReader.h"

#include "files/DictionarySpool.h"
#include "files/HunspellDictionary.h"

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace Vorlaine {

using LineScan::IsBlank;
using LineScan::IsLineEnd;

namespace {
// Room for the longest item plus a generous read size, and the slack that the
// sixteen-byte scans may read past the end.
constexpr qsizetype BufferSize = MaxItemBytes + qsizetype{128} * 1024;
constexpr qsizetype ScanSlack = 16;
} // namespace

WordListReader::WordListReader(const QString& path)
    : file_(path), buffer_(std::make_unique<char[]>(BufferSize + ScanSlack)) {}

WordListReader::~WordListReader() {
    close();
}

bool WordListReader::open() {
    if (HunspellDictionary::IsDictionaryPath(file_.fileName())) {
        // Forms made in this run already are read back.
        if (const QString kept = DictionarySpool::FormsOf(file_.fileName()); !kept.isEmpty()) {
            file_.setFileName(kept);
        } else {
            dictionary_ = std::make_unique<HunspellDictionary>(file_.fileName());
            if (!dictionary_->open()) {
                failed_ = true;
                errorString_ = dictionary_->errorString();
                return false;
            }
            spool_ = std::make_unique<DictionarySpool>(file_.fileName());
            return true;
        }
    }
    // Unbuffered: the reader keeps its own buffer, so QFile needs none.
    return start(file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
}

bool WordListReader::openStandardInput() {
#ifdef Q_OS_WIN
    // Text mode would turn CR LF into LF and end the list at the first Ctrl-Z.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    return openDescriptor(fileno(stdin));
}

bool WordListReader::openDescriptor(int descriptor) {
    return start(file_.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered));
}

bool WordListReader::start(bool opened) {
    if (!opened) {
        failed_ = true;
        errorString_ = file_.errorString();
        return false;
    }
    // The first bytes tell the encoding: read them one read at a time, as a
    // pipe may hand out fewer than asked for.
    char* const head = buffer_.get();
    qint64 count = 0;
    for (qint64 got = 1; count < 3 && got > 0; count += got) {
        got = file_.read(head + count, 3 - count);
        if (got < 0) {
            failed_ = true;
            errorString_ = file_.errorString();
            return false;
        }
        atFileEnd_ = got == 0;
    }
    const auto startsWith = [&](const char* mark, qint64 length) {
        return count >= length && std::memcmp(head, mark, static_cast<std::size_t>(length)) == 0;
    };
    if (startsWith("\xFF\xFE", 2) || startsWith("\xFE\xFF", 2)) {
        // The mark is read here: one more after it is a character of the
        // first line, which Qt's decoder would otherwise drop as a mark.
        utf16_ = std::make_unique<QStringDecoder>(head[0] == '\xFF' ? QStringConverter::Utf16LE
                                                                    : QStringConverter::Utf16BE,
                                                  QStringDecoder::Flag::ConvertInitialBom);
        raw_ = std::make_unique<char[]>(BufferSize);
        rawPending_ = count - 2;
        std::memcpy(raw_.get(), head + 2, static_cast<std::size_t>(rawPending_));
        atFileEnd_ = false;
        return true;
    }
    end_ = count;
    if (checksEncoding_)
        checkEncoding(QByteArrayView(head, count));
    if (atFileEnd_)
        noteCutSequence();
    if (startsWith("\xEF\xBB\xBF", 3))
        begin_ = 3;
    return true;
}

void WordListReader::close() {
    if (file_.isOpen())
        file_.close();
}

qint64 WordListReader::readSource(char* into, qint64 room) {
    if (dictionary_) {
        const qint64 count = dictionary_->read(into, room);
        if (count > 0)
            spool_->append(QByteArrayView(into, count));
        else if (count == 0)
            spool_->finish();
        return count;
    }
    return utf16_ ? readUtf16(into, room) : file_.read(into, room);
}

// Reads UTF-16 and hands out UTF-8: at most three bytes for each code unit.
qint64 WordListReader::readUtf16(char* into, qint64 room) {
    const qint64 rawRoom = std::min<qint64>(room / 3 * 2, BufferSize);
    for (;;) {
        const qint64 count = file_.read(raw_.get() + rawPending_, rawRoom - rawPending_);
        if (count < 0)
            return count;
        const QByteArrayView raw(raw_.get(), rawPending_ + count);
        rawPending_ = 0;
        if (raw.isEmpty())
            return 0;
        const QByteArray utf8 = QString(utf16_->decode(raw)).toUtf8();
        if (!utf8.isEmpty() || count == 0) {
            std::memcpy(into, utf8.constData(), static_cast<std::size_t>(utf8.size()));
            return utf8.size();
        }
    }
}

// Counts the lines up to the first byte that cannot be UTF-8.
void WordListReader::checkEncoding(QByteArrayView bytes) {
    if (firstLineNotUtf8_ != 0)
        return;
    const qint64 start = validator_.fed();
    validator_.feed(bytes);
    const qint64 failed = validator_.failedAt();
    const qint64 upTo = failed < 0 ? bytes.size() : failed - start;
    if (countsLineEnds_) {
        lineEndsToCount_ = upTo;
        failsAfterThem_ = failed >= 0;
        return;
    }
    lineEnds_ += LineScan::CountLineEnds(bytes.data(), bytes.data() + upTo, afterCr_);
    if (failed >= 0)
        firstLineNotUtf8_ = lineEnds_ + 1;
}

// A sequence cut off by the end of the file leaves the last line no UTF-8.
void WordListReader::noteCutSequence() {
    if (checksEncoding_ && firstLineNotUtf8_ == 0 && validator_.unfinished())
        firstLineNotUtf8_ = lineEnds_ + 1;
}

// Moves the unread bytes to the front and reads more after them. False when
// nothing more could be read.
bool WordListReader::fill() {
    if (atFileEnd_ || failed_)
        return false;
    LineScan::MoveUnreadToFront(buffer_.get(), begin_, end_);
    const qint64 count = readSource(buffer_.get() + end_, BufferSize - end_);
    if (count < 0) {
        failed_ = true;
        errorString_ = dictionary_ ? dictionary_->errorString() : file_.errorString();
        return false;
    }
    if (count == 0) {
        atFileEnd_ = true;
        noteCutSequence();
        return false;
    }
    // A dictionary's forms are UTF-8 already: it checked or converted each.
    if (checksEncoding_ && !utf16_ && !dictionary_)
        checkEncoding(QByteArrayView(buffer_.get() + end_, count));
    end_ += count;
    return true;
}

bool WordListReader::countItems(qint64& count) {
    count = 0;
    bool inItem = false;
    // The bytes read on opening had their line ends counted then.
    count += LineScan::CountItemStarts(buffer_.get() + begin_, buffer_.get() + end_, inItem);
    begin_ = end_;
    countsLineEnds_ = true;
    while (fill()) {
        const char* const from = buffer_.get() + begin_;
        const char* const checked = from + lineEndsToCount_;
        count += LineScan::CountItemStartsAndLineEnds(from, checked, inItem, afterCr_, lineEnds_);
        count += LineScan::CountItemStarts(checked, buffer_.get() + end_, inItem);
        if (failsAfterThem_)
            firstLineNotUtf8_ = lineEnds_ + 1;
        lineEndsToCount_ = 0;
        failsAfterThem_ = false;
        begin_ = end_;
    }
    countsLineEnds_ = false;
    return !failed_;
}

// Drops everything up to the next line end (or the end of the file).
bool WordListReader::skipRestOfLine() {
    for (;;) {
        const char* const data = buffer_.get();
        begin_ = LineScan::FindLineEnd(data + begin_, data + end_) - data;
        if (begin_ < end_)
            return true;
        if (!fill())
            return !failed_;
    }
}

bool WordListReader::skipOverlongItem(WordListItem& item) {
    if (!skipRestOfLine())
        return false;
    item = WordListItem{{}, true};
    return true;
}

bool WordListReader::readItemAcrossReads(WordListItem& item) {
    // Skip blanks, tabs and line ends up to the first byte of an item, so that
    // blank lines yield nothing.
    for (;;) {
        const char* const data = buffer_.get();
        while (begin_ < end_ && (IsBlank(data[begin_]) || IsLineEnd(data[begin_])))
            ++begin_;
        if (begin_ < end_)
            break;
        if (!fill())
            return false;
    }

    // Offsets count from begin_, which fill() moves.
    qsizetype scanned = 0;     // bytes known to hold no line end
    qsizetype contentEnd = -1; // the item's length, once its trailing blanks were dropped
    for (;;) {
        const char* const data = buffer_.get();
        if (contentEnd < 0) {
            const qsizetype p = LineScan::FindLineEnd(data + begin_ + scanned, data + end_) - data;
            if (p < end_ || atFileEnd_) {
                item = TrimmedItem(data + begin_, data + p);
                begin_ = p;
                return true;
            }
            scanned = end_ - begin_;
            if (scanned > MaxItemBytes) {
                // The line outgrew the longest item. It is still one if only
                // blanks follow: keep what may be the item and drop the blanks.
                const qsizetype last = EndWithoutBlanks(data + begin_, data + end_) - data;
                if (last - begin_ > MaxItemBytes) {
                    begin_ = end_;
                    return skipOverlongItem(item);
                }
                contentEnd = last - begin_;
                end_ = last;
                scanned = contentEnd;
            }
        } else {
            qsizetype p = begin_ + scanned;
            while (p < end_ && IsBlank(data[p]))
                ++p;
            if (p < end_ && !IsLineEnd(data[p])) {
                begin_ = p; // more text after the blanks: far too long
                return skipOverlongItem(item);
            }
            if (p < end_ || atFileEnd_) {
                item = WordListItem{QByteArrayView(data + begin_, contentEnd), false};
                begin_ = p;
                return true;
            }
            end_ = begin_ + contentEnd;
        }
        if (!fill() && failed_)
            return false;
    }
}

} // namespace Vorlaine
