#pragma once

// Checks for the fuzz targets. A failed check prints what was expected and
// what was found, then aborts, which libFuzzer reports as a crash and the
// corpus driver as a failed test.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Vorlaine::Fuzz {

// Bytes as a C string literal would spell them, shortened when long.
inline std::string Escaped(QByteArrayView bytes) {
    constexpr qsizetype Shown = 200;
    std::string text = "\"";
    for (qsizetype i = 0; i < bytes.size() && i < Shown; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '"' || b == '\\') {
            text += '\\';
            text += static_cast<char>(b);
        } else if (b >= 0x20 && b < 0x7F) {
            text += static_cast<char>(b);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            text += hex;
        }
    }
    text += '"';
    if (bytes.size() > Shown)
        text += "... (" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

// UTF-16 text with every code unit outside printable ASCII as \uXXXX.
inline std::string Escaped(QStringView text) {
    constexpr qsizetype Shown = 200;
    std::string result = "u\"";
    for (qsizetype i = 0; i < text.size() && i < Shown; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == u'"' || unit == u'\\') {
            result += '\\';
            result += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            result += static_cast<char>(unit);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(unit));
            result += hex;
        }
    }
    result += '"';
    if (text.size() > Shown)
        result += "... (" + std::to_string(text.size()) + " code units)";
    return result;
}

inline std::string Escaped(const QString& text) {
    return Escaped(QStringView(text));
}

inline std::string Escaped(const QByteArray& bytes) {
    return Escaped(QByteArrayView(bytes));
}

[[noreturn]] inline void Fail(const char* file, int line, const char* condition,
                              const std::string& details) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", file, line, condition, details.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace Vorlaine::Fuzz

// FUZZ_CHECK(condition, details): details is a std::string, built only when
// the check fails.
#define FUZZ_CHECK(condition, details)                                                             \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::Vorlaine::Fuzz::Fail(__FILE__, __LINE__, #condition, (details));                     \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
