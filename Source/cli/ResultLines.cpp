#include "cli/ResultLines.h"

#include "cli/Console.h"
#include "files/OutputWriter.h"
#include "search/run/RunMessages.h"

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
constexpr qsizetype BlockSize = 64 * 1024;
constexpr qint64 BlockAge = 200; // milliseconds
} // namespace

ResultLines::ResultLines(Console& console, OutputWriter* file) : console_(console), file_(file) {
    sinceFlushed_.start();
}

namespace {
// Copies a few bytes without a call: the words of an anagram are a handful
// of bytes each, and a call to memmove for each took a quarter of the time.
char* CopyShort(char* out, QByteArrayView bytes) {
    const char* in = bytes.data();
    qsizetype left = bytes.size();
    for (; left >= 8; left -= 8, in += 8, out += 8)
        std::memcpy(out, in, 8);
    if ((left & 4) != 0) {
        std::memcpy(out, in, 4);
        out += 4;
        in += 4;
    }
    if ((left & 2) != 0) {
        std::memcpy(out, in, 2);
        out += 2;
        in += 2;
    }
    if ((left & 1) != 0)
        *out++ = *in;
    return out;
}

// The bytes then the line end, at `out`.
void PutLine(char* out, QByteArrayView bytes, QByteArrayView end) {
    // std::copy, not memcpy: an empty view may hold no pointer at all.
    std::copy(end.begin(), end.end(), std::copy(bytes.begin(), bytes.end(), out));
}
} // namespace

char* ResultLines::Block::extend(qsizetype bytes, qsizetype slack) {
    if (size_ + bytes + slack > capacity_) {
        const qsizetype capacity =
            std::max({2 * capacity_, size_ + bytes + slack, BlockSize + 1024});
        auto grown = std::make_unique<char[]>(static_cast<std::size_t>(capacity));
        if (size_ > 0)
            std::memcpy(grown.get(), bytes_.get(), static_cast<std::size_t>(size_));
        bytes_ = std::move(grown);
        capacity_ = capacity;
    }
    char* const at = bytes_.get() + size_;
    size_ += bytes;
    return at;
}

bool ResultLines::add(QByteArrayView printed, QByteArrayView filed) {
    PutLine(printed_.extend(printed.size() + 1), printed, "\n");
    if (file_ != nullptr) {
        const QByteArrayView line = filed.isNull() ? printed : filed;
        PutLine(filed_.extend(line.size() + 2), line, "\r\n");
    }
    return added();
}

namespace {
// Copies sixteen bytes at a time, past the end of the bytes: both sides have
// the room.
char* CopyPadded(char* out, const char* in, qsizetype size) {
    for (qsizetype done = 0; done < size; done += 16)
        std::memcpy(out + done, in + done, 16);
    return out + size;
}
} // namespace

ResultLines::AnagramWords::AnagramWords(const Joins& joins, std::span<const QByteArray> printed)
    : joins_(joins) {
    starts_.reserve(printed.size() + 1);
    for (const QByteArray& word : printed) {
        starts_.push_back(static_cast<qsizetype>(bytes_.size()));
        bytes_.append(word.constData(), static_cast<std::size_t>(word.size()));
        bytes_.append(joins.between.data(), static_cast<std::size_t>(joins.between.size()));
    }
    starts_.push_back(static_cast<qsizetype>(bytes_.size()));
    bytes_.append(16, '\0');
}

bool ResultLines::addAnagram(const AnagramWords& words, std::span<const int> indices,
                             QByteArrayView tail) {
    const Joins& joins = words.joins_;
    if (tail.isNull())
        tail = joins.tail;
    const qsizetype* const starts = words.starts_.data();
    qsizetype length = joins.head.size() + tail.size();
    for (const int index : indices)
        length += starts[index + 1] - starts[index];
    if (!indices.empty())
        length -= joins.between.size();
    char* const line = printed_.extend(length + 1, 16);
    char* out = CopyShort(line, joins.head);
    for (const int index : indices)
        out =
            CopyPadded(out, words.bytes_.data() + starts[index], starts[index + 1] - starts[index]);
    // The last word's join gives way to the tail.
    if (!indices.empty())
        out -= joins.between.size();
    *CopyShort(out, tail) = '\n';
    // The file's line is the same but for its end: one copy of it whole.
    if (file_ != nullptr) {
        char* const filed = CopyPadded(filed_.extend(length + 2, 16), line, length);
        filed[0] = '\r';
        filed[1] = '\n';
    }
    return added();
}

bool ResultLines::added() {
    ++count_;
    if (printed_.size() >= BlockSize || (count_ % 64 == 0 && sinceFlushed_.elapsed() >= BlockAge))
        return flush();
    return true;
}

bool ResultLines::flushIfOld() {
    return sinceFlushed_.elapsed() < BlockAge || flush();
}

bool ResultLines::flush() {
    sinceFlushed_.restart();
    // The file first: whatever was printed is in the file too. Of a write
    // that failed part-way, the lines that reached the file whole are printed.
    bool filed = true;
    if (file_ != nullptr && filed_.size() > 0) {
        filed = file_->appendLines(filed_.view());
        filed_.clear();
        if (!filed) {
            errorString_ = RunMessage::CannotWrite(file_->path(), file_->errorString());
            const QByteArrayView printed = printed_.view();
            qsizetype end = 0;
            for (qsizetype line = 0; line < file_->linesKept(); ++line)
                end = printed.indexOf('\n', end) + 1;
            printed_.truncate(end);
        }
    }
    if (printed_.size() > 0) {
        console_.writeOut(printed_.view());
        printed_.clear();
        if (!console_.flushOut() && filed) {
            errorString_ = console_.outFailure();
            return false;
        }
    }
    return filed;
}

void AppendJsonString(QByteArray& json, QStringView text) {
    static constexpr char Hex[] = "0123456789abcdef";
    json.append('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool pairedSurrogate =
            QChar::isHighSurrogate(c)
                ? i + 1 < text.size() && text[i + 1].isLowSurrogate()
                : QChar::isLowSurrogate(c) && i > 0 && text[i - 1].isHighSurrogate();
        if (c == u'"' || c == u'\\') {
            json.append('\\').append(static_cast<char>(c));
        } else if (c < 0x20 || (QChar::isSurrogate(c) && !pairedSurrogate)) {
            // Control characters, and halves of a pair that UTF-8 cannot carry.
            json.append("\\u")
                .append(Hex[c >> 12])
                .append(Hex[(c >> 8) & 15])
                .append(Hex[(c >> 4) & 15])
                .append(Hex[c & 15]);
        } else if (c < 0x80) {
            json.append(static_cast<char>(c));
        } else {
            const qsizetype units = QChar::isHighSurrogate(c) ? 2 : 1;
            json.append(text.sliced(i, units).toUtf8());
            i += units - 1;
        }
    }
    json.append('"');
}

} // namespace Vorlaine
