// Fuzzes the numeric value of a text and the number text form. The first byte
// of the input chooses how the rest becomes text: as Latin-1 (even) or as
// UTF-16 code units, low byte first (odd). NumericValue is compared with a
// plain reading of the number at the text's start by strtod; NumberText, given
// the bits of the first eight bytes as a double, must read back as the same
// value to 15 significant digits.

#include "FuzzCheck.h"
#include "search/run/NumberText.h"

#include <QString>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using namespace Vorlaine;
using Fuzz::Escaped;

namespace {

bool IsDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Blanks and tabs, then [sign] digits [. digits] [e|E [sign] digits], with at
// least one digit before the exponent; the exponent only with a digit of its
// own. The characters found are then read by strtod.
double OracleValue(QStringView text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number += static_cast<char>(text[i++].unicode());
    qsizetype digits = 0;
    for (; i < n && IsDigit(text[i]); ++i, ++digits)
        number += static_cast<char>(text[i].unicode());
    if (i < n && text[i] == u'.') {
        number += '.';
        for (++i; i < n && IsDigit(text[i]); ++i, ++digits)
            number += static_cast<char>(text[i].unicode());
    }
    if (digits == 0)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += static_cast<char>(text[j++].unicode());
        if (j < n && IsDigit(text[j])) {
            for (; j < n && IsDigit(text[j]); ++j)
                exponent += static_cast<char>(text[j].unicode());
            number += exponent;
        }
    }
    // strtod gives ±HUGE_VAL on overflow and 0 (or the nearest subnormal) on
    // underflow, as NumericValue should.
    return std::strtod(number.c_str(), nullptr);
}

bool SameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

std::string Show(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

void CheckNumericValue(QStringView text) {
    const double value = NumericValue(text);
    const double expected = OracleValue(text);
    FUZZ_CHECK(SameDouble(value, expected), "NumericValue(" + Escaped(text) + ") is " +
                                                Show(value) + ", expected " + Show(expected));
}

// " " or "-", then 0 or digits without a leading zero, then maybe a full stop
// and digits without a trailing zero; at most 15 significant digits.
bool IsNumberTextForm(const QString& text) {
    if (text.size() < 2 || (text[0] != u' ' && text[0] != u'-'))
        return false;
    qsizetype i = 1;
    const qsizetype intStart = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    const qsizetype intDigits = i - intStart;
    if (intDigits == 0 || (intDigits > 1 && text[intStart] == u'0'))
        return false;
    if (i < text.size()) {
        if (text[i] != u'.' || i + 1 == text.size() || text.back() == u'0')
            return false;
        for (++i; i < text.size(); ++i) {
            if (!IsDigit(text[i]))
                return false;
        }
    }
    // Significant digits: from the first non-zero digit to the last one.
    qsizetype first = -1;
    qsizetype last = -1;
    qsizetype significant = 0;
    for (qsizetype k = 1; k < text.size(); ++k) {
        if (IsDigit(text[k]) && text[k] != u'0') {
            if (first < 0)
                first = k;
            last = k;
        }
    }
    for (qsizetype k = first; first >= 0 && k <= last; ++k)
        significant += IsDigit(text[k]) ? 1 : 0;
    return significant <= 15;
}

void CheckNumberText(double value) {
    const QString text = NumberText(value);
    const auto where = [&] { return "NumberText(" + Show(value) + ") is " + Escaped(text); };
    if (std::isnan(value)) {
        FUZZ_CHECK(text == u" NaN", where());
        return;
    }
    if (std::isinf(value)) {
        FUZZ_CHECK(text == (value > 0 ? u" Infinity" : u"-Infinity"), where());
        return;
    }
    FUZZ_CHECK(IsNumberTextForm(text), where());
    FUZZ_CHECK((text[0] == u'-') == (value < 0), where());
    if (value == 0) {
        FUZZ_CHECK(text == u" 0", where());
        return;
    }

    const double back = NumericValue(text);
    const double magnitude = std::fabs(value);
    if (std::isinf(back)) {
        // Only the largest doubles round up, at 15 digits, past the largest
        // double: 1.79769313486232e308.
        FUZZ_CHECK(magnitude > 1.79769313486231e308 && std::signbit(back) == std::signbit(value),
                   where() + ", which reads back as " + Show(back));
        return;
    }
    // Rounding to 15 significant digits moves the value by at most half a
    // unit of the 15th digit; reading it back adds at most half a unit in
    // the last place.
    const double ulp =
        std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
    const double tolerance = 5e-15 * magnitude * (1 + 1e-12) + ulp;
    FUZZ_CHECK(std::signbit(back) == std::signbit(value) && std::fabs(back - value) <= tolerance,
               where() + ", which reads back as " + Show(back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // strtod reads a full stop only in the "C" locale, which is where a
    // program starts; make sure nothing changed it.
    static const bool cLocale = std::setlocale(LC_NUMERIC, "C") != nullptr;
    FUZZ_CHECK(cLocale, "no C locale");
    if (size == 0)
        return 0;

    const bool utf16 = data[0] & 1;
    const char* const rest = reinterpret_cast<const char*>(data + 1);
    const qsizetype restSize = static_cast<qsizetype>(size - 1);
    QString text;
    if (utf16) {
        text.resize(restSize / 2);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] =
                QChar(static_cast<char16_t>(static_cast<unsigned char>(rest[2 * i]) |
                                            static_cast<unsigned char>(rest[2 * i + 1]) << 8));
    } else {
        text = QString::fromLatin1(rest, restSize);
    }

    CheckNumericValue(text);
    CheckNumberText(NumericValue(text));
    if (restSize >= 8) {
        double bits;
        std::memcpy(&bits, rest, sizeof bits);
        CheckNumberText(bits);
    }
    return 0;
}
