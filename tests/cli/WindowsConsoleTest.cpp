// makewords as a Windows console program: UTF-8 arguments and output, standard
// input read as bytes, and Ctrl-Break, which stops a search as Ctrl-C does.
// (Wine sends no console events to another process, so the signals are
// raised in this one.)

#include "cli/StopSignals.h"
#include "support/MakeWordsProcess.h"
#include "support/TempFiles.h"

#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

namespace Vorlaine {
namespace {

using Testing::TempFiles;

using Testing::Result;
// The output as makewords wrote it, CR LF and all.
using Testing::MakeWordsAsWritten;

TEST(WindowsConsole, ArgumentsAndOutputAreUtf8) {
    TempFiles files;
    // ç is a letter of its own: "face" and "café" need a c.
    files.write(QString::fromUtf8("Wörter.txt"), "caf\xC3\xA9\nface\nfa\xC3\xA7"
                                                 "ade\nfade\n");
    const Result result = MakeWordsAsWritten({QString::fromUtf8("--seed=façade"), "-m", "3", "-l",
                                              QString::fromUtf8("Wörter.txt"), "-o", "-"},
                                             files.path(""));
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    // Text-mode output: CR LF, as Windows programs write lines.
    EXPECT_EQ(result.out, "fa\xC3\xA7"
                          "ade\r\nfade\r\n");
}

TEST(WindowsConsole, StandardInputIsReadAsBytes) {
    // In text mode Ctrl-Z would end the list, and CR LF would lose its CR.
    TempFiles files;
    const Result result =
        MakeWordsAsWritten({"-s", "tangle", "-m", "1", "-l", "-", "-o", "out.txt"}, files.path(""),
                           "tangle\r\n\x1A\r\nangle\ngent\r\n");
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_EQ(files.read("out.txt"), "tangle\r\nangle\r\ngent\r\n");
}

TEST(WindowsConsole, CtrlBreakAsksASearchToStop) {
    // Ctrl-Break, the one stop a console can send to another process group,
    // goes through the handler of Ctrl-C; a second signal would end the
    // program, so this process raises one only.
    StopSignals::catchThem();
    EXPECT_FALSE(StopSignals::requested());
    std::raise(SIGBREAK);
    EXPECT_TRUE(StopSignals::requested());
    EXPECT_EQ(StopSignals::signal(), SIGBREAK);
}

} // namespace
} // namespace Vorlaine
