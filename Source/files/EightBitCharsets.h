#pragma once

#include <QByteArrayView>
#include <array>
#include <string>

namespace Vorlaine {

// The characters of bytes 0x80 to 0xFF in an 8-bit character set; the bytes
// below are ASCII in every set hunspell names.
using HighHalf = std::array<char16_t, 128>;

// The 8-bit set that a hunspell SET line names ("ISO8859-2", "KOI8-R",
// "microsoft-cp1251"), spelled in any case, with or without its dashes; null
// for any other name, UTF-8 included. These tables are ours: the Windows build
// of Qt has no ICU to decode them.
const HighHalf* FindEightBitCharset(QByteArrayView name);

// Appends the bytes, read in the given set, to `out` as UTF-8.
void AppendAsUtf8(QByteArrayView bytes, const HighHalf& high, std::string& out);

} // namespace Vorlaine
