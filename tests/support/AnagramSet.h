#pragma once

#include <QString>
#include <QStringList>

namespace Vorlaine::Testing {

// Each anagram's words lower-cased and in alphabetical order, the anagrams
// sorted: the same anagrams give the same list, however a tool orders them.
inline QStringList AnagramSet(const QStringList& anagrams) {
    QStringList set;
    for (const QString& anagram : anagrams) {
        QStringList words = anagram.toLower().split(u' ', Qt::SkipEmptyParts);
        words.sort();
        if (!words.isEmpty())
            set << words.join(u' ');
    }
    set.sort();
    return set;
}

// The same for printed lines.
inline QStringList AnagramSet(const QByteArray& printed) {
    return AnagramSet(QString::fromUtf8(printed).split(u'\n'));
}

} // namespace Vorlaine::Testing
