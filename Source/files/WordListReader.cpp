#include "files/WordListReader.h"

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
    while (end_ < 3 && fill()) {
    }
    if (end_ >= 3 && std::memcmp(buffer_.get(), "\xEF\xBB\xBF", 3) == 0)
        begin_ = 3;
    return !failed_;
}

void WordListReader::close() {
    if (file_.isOpen())
        file_.close();
}

// Moves the unread bytes to the front and reads more after them. False when
// nothing more could be read.
bool WordListReader::fill() {
    if (atFileEnd_ || failed_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_,
                     static_cast<std::size_t>(end_ - begin_));
        end_ -= begin_;
        begin_ = 0;
    }
    const qint64 count = file_.read(buffer_.get() + end_, BufferSize - end_);
    if (count < 0) {
        failed_ = true;
        errorString_ = file_.errorString();
        return false;
    }
    if (count == 0) {
        atFileEnd_ = true;
        return false;
    }
    if (checksEncoding_)
        validator_.feed(QByteArrayView(buffer_.get() + end_, count));
    end_ += count;
    return true;
}

bool WordListReader::countItems(qint64& count) {
    count = 0;
    bool inItem = false;
    for (;;) {
        count += LineScan::CountItemStarts(buffer_.get() + begin_, buffer_.get() + end_, inItem);
        begin_ = end_;
        if (!fill())
            return !failed_;
    }
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
