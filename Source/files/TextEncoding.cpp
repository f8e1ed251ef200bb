#include "files/TextEncoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace Vorlaine {

namespace {
// Windows-1252 from 0x80 to 0x9F; the five bytes the code page leaves undefined
// map to the character of the same number, so no byte is ever lost.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

bool IsAscii(QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; p < end; ++p) {
        if (*p & 0x80)
            return false;
    }
    return true;
}

QString DecodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

namespace {
bool IsUtf8NotAscii(QByteArrayView bytes) {
    Utf8Validator validator;
    validator.feed(bytes);
    return validator.isValid();
}
} // namespace

bool IsUtf8(QByteArrayView bytes) {
    return IsAscii(bytes) || IsUtf8NotAscii(bytes);
}

QString DecodeItem(QByteArrayView bytes) {
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    if (!IsUtf8NotAscii(bytes))
        return DecodeWindows1252(bytes);
    // A byte-order mark inside the list is part of its item, like any character.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString DecodeText(QByteArrayView bytes, qint64* firstLineNotUtf8) {
    if (firstLineNotUtf8 != nullptr)
        *firstLineNotUtf8 = 0;
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (littleEndian || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE
                                            : QStringConverter::Utf16BE);
        return decoder.decode(bytes.sliced(2));
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QString text;
    qint64 line = 0;
    while (!bytes.isEmpty()) {
        ++line;
        qsizetype end = 0;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArrayView content = bytes.first(end);
        if (firstLineNotUtf8 != nullptr && *firstLineNotUtf8 == 0 && !IsUtf8(content))
            *firstLineNotUtf8 = line;
        text += DecodeItem(content);
        text += u'\n';
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        bytes = bytes.sliced(std::min(end + 1, bytes.size()));
    }
    return text;
}

void Utf8Validator::feed(QByteArrayView bytes) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* p = begin;
    const auto* const end = p + bytes.size();
    while (valid_ && p < end) {
        if (pending_ == 0) {
            // Skip plain ASCII eight bytes at a time.
            while (end - p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, p, sizeof word);
                if (word & 0x8080808080808080ull)
                    break;
                p += 8;
            }
            if (p == end)
                break;
            const unsigned char b = *p++;
            if (b < 0x80)
                continue;
            low_ = 0x80;
            high_ = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                pending_ = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                pending_ = 2;
                if (b == 0xE0)
                    low_ = 0xA0; // no overlong forms
                else if (b == 0xED)
                    high_ = 0x9F; // no surrogates
            } else if (b >= 0xF0 && b <= 0xF4) {
                pending_ = 3;
                if (b == 0xF0)
                    low_ = 0x90;
                else if (b == 0xF4)
                    high_ = 0x8F; // nothing above U+10FFFF
            } else {
                valid_ = false;
                failedAt_ = fed_ + (p - 1 - begin);
            }
        } else {
            const unsigned char b = *p++;
            if (b < low_ || b > high_) {
                valid_ = false;
                failedAt_ = fed_ + (p - 1 - begin);
                break;
            }
            low_ = 0x80;
            high_ = 0xBF;
            --pending_;
        }
    }
    fed_ += bytes.size();
}

} // namespace Vorlaine
