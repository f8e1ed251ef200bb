#include "files/DictionaryLine.h"

namespace Vorlaine {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Where the word and its flags end: before the first tab, or before the blanks
// ahead of the first field of two characters and a colon ("po:", "st:").
qsizetype WordPartEnd(QByteArrayView line) {
    qsizetype end = line.size();
    for (qsizetype colon = line.indexOf(':'); colon >= 0; colon = line.indexOf(':', colon + 1)) {
        if (colon >= 3 && IsBlank(line[colon - 3])) {
            qsizetype start = colon - 3;
            while (start > 0 && IsBlank(line[start - 1]))
                --start;
            if (start > 0)
                end = start;
            break;
        }
    }
    const qsizetype tab = line.indexOf('\t');
    return tab >= 0 && tab < end ? tab : end;
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
