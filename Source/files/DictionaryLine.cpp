#include "files/DictionaryLine.h"

#include "files/LineScan.h"

#include <string_view>

namespace Vorlaine {

namespace {
using LineScan::IsBlank;

// Where the word and its flags end: before the first tab, or before the blanks
// ahead of the first field of two characters and a colon ("po:", "st:").
qsizetype WordPartEnd(QByteArrayView line) {
    const std::string_view text(line.data(), static_cast<std::size_t>(line.size()));
    std::size_t end = text.size();
    for (std::size_t colon = text.find(':'); colon != std::string_view::npos;
         colon = text.find(':', colon + 1)) {
        if (colon >= 3 && IsBlank(text[colon - 3])) {
            std::size_t start = colon - 3;
            while (start > 0 && IsBlank(text[start - 1]))
                --start;
            if (start > 0)
                end = start;
            break;
        }
    }
    const std::size_t tab = text.find('\t');
    return static_cast<qsizetype>(tab < end ? tab : end);
}
} // namespace

DictionaryLine SplitDictionaryLine(QByteArrayView line) {
    DictionaryLine parts;
    if (line.isEmpty() || line[0] == '\t')
        return parts;
    const QByteArrayView text = line.first(WordPartEnd(line));
    // A slash that begins the line is the word "/" itself, and the flags
    // follow it at once.
    if (text.startsWith('/')) {
        parts.word = text.first(1);
        parts.flags = text.sliced(1);
    } else {
        qsizetype slash = text.indexOf('/');
        while (slash > 0 && text[slash - 1] == '\\') {
            parts.escaped = true;
            slash = text.indexOf('/', slash + 1);
        }
        parts.word = slash < 0 ? text : text.first(slash);
        if (slash >= 0)
            parts.flags = text.sliced(slash + 1);
    }
    while (!parts.flags.isEmpty() && IsBlank(parts.flags.back()))
        parts.flags.chop(1);
    return parts;
}

} // namespace Vorlaine
