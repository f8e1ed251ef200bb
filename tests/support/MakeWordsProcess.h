#pragma once

// Runs the makewords program as a user would, for the command-line tests.
// The test target defines MAKEWORDS_PATH.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace Vorlaine::Testing {

// Options written as on a command line; none of them holds a blank.
inline QStringList Args(const QString& line) {
    return line.split(u' ', Qt::SkipEmptyParts);
}

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs makewords with the arguments and standard input given; its output as
// it wrote it.
inline Result MakeWordsAsWritten(const QStringList& arguments, const QString& folder,
                                 const QByteArray& input = {}) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(MAKEWORDS_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The same, with lines ending in LF on every platform.
inline Result MakeWords(const QStringList& arguments, const QString& folder,
                        const QByteArray& input = {}) {
    Result result = MakeWordsAsWritten(arguments, folder, input);
#ifdef _WIN32
    // Windows' text-mode output ends every line with CR LF, its own convention.
    for (QByteArray* text : {&result.out, &result.err}) {
        EXPECT_EQ(text->count("\r\n"), text->count('\n')) << text->constData();
        text->replace("\r\n", "\n");
    }
#endif
    return result;
}

// Runs a bash command line in which "$M" is the program: for redirections
// that QProcess cannot make, such as a closed standard output.
inline Result Shell(const QString& command, const QString& folder) {
    QProcess shell;
    shell.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("M"), QStringLiteral(MAKEWORDS_PATH));
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("bash"), {QStringLiteral("-c"), command});
    EXPECT_TRUE(shell.waitForFinished(60000)) << command.toStdString();
    return {shell.exitCode(), shell.readAllStandardOutput(), shell.readAllStandardError()};
}

} // namespace Vorlaine::Testing
