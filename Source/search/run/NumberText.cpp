#include "search/run/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace Vorlaine {

namespace {
inline bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

double NumericValue(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    std::string number; // the number's characters, as from_chars reads them
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qsizetype digits = 0;
    qsizetype magnitude = 0; // decimal place of the first non-zero digit, before the exponent
    bool seenNonZero = false;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsDigit(c)) {
            ++digits;
            if (c != u'0')
                seenNonZero = true;
            if (!inFraction && seenNonZero)
                ++magnitude;
            else if (inFraction && !seenNonZero)
                --magnitude;
        } else if (c == u'.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
        number += static_cast<char>(c.unicode());
    }
    if (digits == 0)
        return 0.0;

    // An exponent counts only with at least one digit.
    long long exponent = 0;
    if (i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        bool negativeExponent = false;
        if (text[j] == u'+' || text[j] == u'-') {
            negativeExponent = text[j] == u'-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                if (exponent < 1'000'000)
                    exponent = exponent * 10 + (text[j].unicode() - u'0');
            }
            if (negativeExponent)
                exponent = -exponent;
            number += 'e';
            number += std::to_string(exponent);
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = (seenNonZero && magnitude + exponent > 0) ? std::numeric_limits<double>::infinity()
                                                          : 0.0;
    return negative ? -value : value;
}

QString NumberText(double value) {
    if (std::isnan(value))
        return QStringLiteral(" NaN");
    QString text = std::signbit(value) && value != 0.0 ? QStringLiteral("-") : QStringLiteral(" ");
    value = std::fabs(value);
    if (std::isinf(value))
        return text + QStringLiteral("Infinity");
    if (value == 0.0)
        return text + u'0';

    // Fifteen significant digits as d.dddddddddddddde±x, then written out plainly.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string scientific(buffer, result.ptr);
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::stoi(scientific.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string plain;
    if (exponent < 0) {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
               wholeDigits >= digits.size()) {
        plain = digits + std::string(wholeDigits - digits.size(), '0');
    } else {
        plain = digits.substr(0, wholeDigits) + '.' + digits.substr(wholeDigits);
    }
    return text + QString::fromLatin1(plain.data(), static_cast<qsizetype>(plain.size()));
}

} // namespace Vorlaine
