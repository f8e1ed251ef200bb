#pragma once

#include "files/HunspellDictionary.h"
#include "support/TempFiles.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// Forms and errors print as text when a test fails.
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace Vorlaine::Testing {

using Forms = std::vector<QByteArray>;

// The least room the list reader gives a read.
inline constexpr qint64 ReadRoom = qint64{128} * 1024;

struct Expansion {
    Forms forms; // in the order read
    bool opened = false;
    bool failed = false; // a read returned -1
    QString error;
};

// Writes the pair as t.aff and t.dic and reads every form, as the list reader
// would; each read must end in a whole form.
inline Expansion Expand(const QByteArray& aff, const QByteArray& dic) {
    TempFiles files;
    files.write(QStringLiteral("t.aff"), aff);
    HunspellDictionary dictionary(files.write(QStringLiteral("t.dic"), dic));
    Expansion result;
    result.opened = dictionary.open();
    const auto buffer = std::make_unique<char[]>(ReadRoom);
    qint64 count = 0;
    while (result.opened && (count = dictionary.read(buffer.get(), ReadRoom)) > 0) {
        EXPECT_EQ(buffer[static_cast<std::size_t>(count - 1)], '\n');
        const QByteArray bytes(buffer.get(), count - 1);
        for (const QByteArray& form : bytes.split('\n'))
            result.forms.push_back(form);
    }
    result.failed = count < 0;
    result.error = dictionary.errorString();
    return result;
}

// The forms in order of their bytes, for tables that do not test the order.
inline Forms Sorted(Forms forms) {
    std::sort(forms.begin(), forms.end());
    return forms;
}

// One pair of files and the forms it gives, written out by hand.
struct ExpansionCase {
    const char* what;
    QByteArray aff;
    QByteArray dic;
    Forms forms; // any order
};

inline void ExpectForms(const std::vector<ExpansionCase>& table) {
    for (const ExpansionCase& entry : table) {
        const Expansion expansion = Expand(entry.aff, entry.dic);
        EXPECT_TRUE(expansion.opened) << entry.what << ": " << qPrintable(expansion.error);
        EXPECT_FALSE(expansion.failed) << entry.what << ": " << qPrintable(expansion.error);
        EXPECT_EQ(Sorted(expansion.forms), Sorted(entry.forms)) << entry.what;
    }
}

} // namespace Vorlaine::Testing
