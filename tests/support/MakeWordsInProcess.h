#pragma once

// Runs makewords's main in this process, with streams of its own: for tests
// of what the options mean, which need no program of their own. What needs a
// process (signals, standard input, the exit of a process) goes through
// MakeWordsProcess.h.

#include "cli/Command.h"
#include "cli/Console.h"
#include "support/MakeWordsProcess.h"

#include <QDir>
#include <cstdio>

namespace Vorlaine::Testing {

inline QByteArray ReadBack(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, static_cast<qsizetype>(got));
    std::fclose(file);
    return bytes;
}

// makewords with the arguments, in the folder; with input for standard input,
// as a process of its own.
inline Result MakeWordsHere(const QStringList& arguments, const QString& folder,
                            const QByteArray& input = {}) {
    if (!input.isEmpty())
        return MakeWords(arguments, folder, input);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_TRUE(out != nullptr && err != nullptr);
    const QString started = QDir::currentPath();
    EXPECT_TRUE(QDir::setCurrent(folder));
    Result result;
    {
        Console console(out, err);
        result.exitCode = MakeWordsMain(QStringList{QStringLiteral("makewords")} + arguments, console);
    }
    QDir::setCurrent(started);
    result.out = ReadBack(out);
    result.err = ReadBack(err);
    return result;
}

} // namespace Vorlaine::Testing
