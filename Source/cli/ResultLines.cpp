#include "cli/ResultLines.h"

#include "cli/Console.h"
#include "files/OutputWriter.h"
#include "search/run/RunMessages.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
constexpr qsizetype BlockSize = 64 * 1024;
constexpr qint64 BlockAge = 200; // milliseconds
} // namespace

ResultLines::ResultLines(Console& console, OutputWriter* file) : console_(console), file_(file) {
    sinceFlushed_.start();
}

bool ResultLines::add(QByteArrayView printed, QByteArrayView filed) {
    AppendBytes(printed_, printed, "\n");
    if (file_ != nullptr)
        AppendBytes(filed_, filed.isNull() ? printed : filed, "\r\n");
    return added();
}

bool ResultLines::addJoined(QByteArrayView head, std::span<const QByteArrayView> parts,
                            QByteArrayView between, QByteArrayView tail) {
    qsizetype length = head.size() + tail.size();
    for (const QByteArrayView part : parts)
        length += part.size() + between.size();
    if (!parts.empty())
        length -= between.size();
    const auto write = [&](QByteArray& to, QByteArrayView end) {
        const qsizetype at = to.size();
        to.resize(at + length + end.size());
        char* out = std::copy(head.begin(), head.end(), to.data() + at);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0)
                out = std::copy(between.begin(), between.end(), out);
            out = std::copy(parts[i].begin(), parts[i].end(), out);
        }
        out = std::copy(tail.begin(), tail.end(), out);
        std::copy(end.begin(), end.end(), out);
    };
    write(printed_, "\n");
    if (file_ != nullptr)
        write(filed_, "\r\n");
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
    if (file_ != nullptr && !filed_.isEmpty()) {
        filed = file_->appendLines(filed_);
        filed_.resize(0);
        if (!filed) {
            errorString_ = RunMessage::CannotWrite(file_->path(), file_->errorString());
            qsizetype end = 0;
            for (qsizetype line = 0; line < file_->linesKept(); ++line)
                end = printed_.indexOf('\n', end) + 1;
            printed_.truncate(end);
        }
    }
    if (!printed_.isEmpty()) {
        console_.writeOut(printed_);
        printed_.resize(0);
        if (!console_.flushOut() && filed) {
            errorString_ = console_.outFailure();
            return false;
        }
    }
    return filed;
}

void AppendBytes(QByteArray& to, QByteArrayView bytes, QByteArrayView end) {
    // QByteArray::append takes the general way of insert(); a search that
    // prints millions of lines spends a quarter of its time there.
    const qsizetype at = to.size();
    to.resize(at + bytes.size() + end.size());
    // std::copy, not memcpy: an empty view may hold no pointer at all.
    char* const out = std::copy(bytes.begin(), bytes.end(), to.data() + at);
    std::copy(end.begin(), end.end(), out);
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
