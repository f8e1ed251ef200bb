// Expands a hunspell dictionary as the word-list reader would pull it: every
// form, one a line, on standard output; or, with --count, only the number of
// forms and bytes. Peak memory and time: /usr/bin/time -f '%e %M'.
//   hunspell_expand [--count] [--passes N] FILE.dic
#include "files/HunspellDictionary.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool countOnly = arguments.removeAll(QStringLiteral("--count")) > 0;
    int passes = 1;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--passes")); at >= 0) {
        passes = arguments.value(at + 1).toInt();
        arguments.remove(at, 2);
    }
    if (arguments.size() != 1 || passes < 1) {
        std::fputs("usage: hunspell_expand [--count] [--passes N] FILE.dic\n", stderr);
        return 2;
    }
    constexpr qint64 Room = qint64{128} * 1024;
    const auto buffer = std::make_unique<char[]>(Room);
    qint64 forms = 0, bytes = 0;
    for (int pass = 0; pass < passes; ++pass) {
        forms = bytes = 0;
        Vorlaine::HunspellDictionary dictionary(arguments[0]);
        if (!dictionary.open()) {
            std::fprintf(stderr, "%s\n", qPrintable(dictionary.errorString()));
            return 1;
        }
        qint64 count = 0;
        while ((count = dictionary.read(buffer.get(), Room)) > 0) {
            bytes += count;
            forms += std::count(buffer.get(), buffer.get() + count, '\n');
            if (!countOnly && pass == 0)
                std::fwrite(buffer.get(), 1, static_cast<std::size_t>(count), stdout);
        }
        if (count < 0) {
            std::fprintf(stderr, "%s\n", qPrintable(dictionary.errorString()));
            return 1;
        }
    }
    if (countOnly)
        std::printf("%lld forms, %lld bytes\n", static_cast<long long>(forms),
                    static_cast<long long>(bytes));
    return 0;
}
