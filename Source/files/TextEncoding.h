#pragma once

#include <QByteArrayView>
#include <QString>

namespace Vorlaine {

// How the bytes of a line turn into text, decided line by line: a line that
// is valid UTF-8 is UTF-8, any other is Windows-1252. One stray byte in a
// UTF-8 list so changes only its own line.
bool IsUtf8(QByteArrayView bytes);
bool IsAscii(QByteArrayView bytes);
QString DecodeItem(QByteArrayView bytes);

// Windows-1252, one character for every byte.
QString DecodeWindows1252(QByteArrayView bytes);

// A small text file read whole, such as tile values: UTF-16 when it starts
// with a UTF-16 byte-order mark, otherwise line by line as a list's items,
// each line ending in LF. `firstLineNotUtf8`, when given, gets the first line
// read as Windows-1252, counting from 1, or 0.
QString DecodeText(QByteArrayView bytes, qint64* firstLineNotUtf8 = nullptr);

// Checks UTF-8 validity of a byte stream fed in pieces of any size, and
// remembers where it first failed.
class Utf8Validator {
public:
    void feed(QByteArrayView bytes);
    // Valid so far, and no sequence left unfinished.
    bool isValid() const { return valid_ && pending_ == 0; }
    // The offset, among all bytes fed, of the first byte that cannot be
    // UTF-8 there; -1 while there is none.
    qint64 failedAt() const { return failedAt_; }
    qint64 fed() const { return fed_; }
    // A sequence is waiting for more bytes: at the end, the stream is no UTF-8.
    bool unfinished() const { return valid_ && pending_ != 0; }

private:
    bool valid_ = true;
    int pending_ = 0;                        // continuation bytes still expected
    unsigned char low_ = 0x80, high_ = 0xBF; // range of the next continuation byte
    qint64 fed_ = 0;                         // before the bytes being fed
    qint64 failedAt_ = -1;
};

} // namespace Vorlaine
