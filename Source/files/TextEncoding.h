#pragma once

#include <QByteArrayView>
#include <QString>

namespace Vorlaine {

// How the bytes of a word list turn into text. It is decided once per file: a
// file that is valid UTF-8 throughout is UTF-8, any other is Windows-1252.
enum class TextEncoding { Utf8, Windows1252 };

QString DecodeItem(QByteArrayView bytes, TextEncoding encoding);

// Checks UTF-8 validity of a byte stream fed in pieces of any size.
class Utf8Validator {
public:
    void feed(QByteArrayView bytes);
    // Valid so far, and no sequence left unfinished.
    bool isValid() const { return valid_ && pending_ == 0; }

private:
    bool valid_ = true;
    int pending_ = 0;                        // continuation bytes still expected
    unsigned char low_ = 0x80, high_ = 0xBF; // range of the next continuation byte
};

} // namespace Vorlaine
