#pragma once

#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>
#include <cstdio>

namespace Vorlaine {

inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// makewords' two streams, and the one place that writes to them: the results
// on standard output; errors, remarks, the report at the end and the progress
// line on standard error. The streams are passed in, so that the tests run a
// command in-process with streams of their own.
class Console {
public:
    Console(std::FILE* out, std::FILE* err);

    // --quiet: no report, no remarks and no progress; errors still show.
    void setQuiet(bool quiet) { quiet_ = quiet; }

    // Results, as bytes. A write that fails shows once the stream is flushed.
    void writeOut(QByteArrayView bytes);
    // False when this or an earlier write to standard output failed;
    // outFailure() then says why. Words that did not get there are lost to
    // whoever reads it.
    bool flushOut();
    bool outFailed() const { return outError_ != 0; }
    // Standard output failed before anything was written: it was closed.
    void setOutFailed(int error) { outError_ = error; }
    QString outFailure() const;

    // An error, after the results so far: "makewords: " and the message.
    // Returns the exit status for it.
    int error(const QString& message);
    // A command line that cannot run, with the way to the help.
    int usageError(const QString& message);
    // A remark that is no error, such as how a file was read.
    void notice(const QString& text);
    // The report at the end of a run.
    void report(const QString& text);
    // Help, the version and the like, on standard output.
    void print(const QString& text);

    // The progress line, redrawn in place at most ten times a second, and
    // only on a terminal: in a log it would be noise. due() lets callers skip
    // making its text.
    bool showsProgress() const { return errIsTerminal_ && !quiet_; }
    bool progressDue() const;
    void drawProgress(const QString& text);
    // Takes the line away, before anything else is written to the terminal.
    void clearProgress();

    // Ctrl-C and SIGTERM: caught from `catchStops` on, they ask a long
    // search to stop, so that it ends with whole lines in its files.
    static void catchStops();
    static bool stopRequested();
    static int stopSignal();

    // Puts the null device in place of each standard stream that is closed,
    // so that no file opened later takes its number and gets what is printed
    // there; says which of standard input and output were closed. For the
    // program's start, before anything opens a file.
    struct ClosedStreams {
        bool input = false;
        bool output = false;
    };
    static ClosedStreams OpenClosedStandardStreams();

    // Standard input was closed: there is nothing to read from it.
    void setInClosed() { inClosed_ = true; }
    bool inClosed() const { return inClosed_; }

private:
    void writeErr(const QString& text);

    std::FILE* out_;
    std::FILE* err_;
    bool quiet_ = false;
    bool inClosed_ = false;
    bool errIsTerminal_ = false;
    int outError_ = 0;
    bool progressDrawn_ = false;
    QElapsedTimer sinceDrawn_;
};

// The share done as a person reads it, to a tenth of a percent: "42.5%".
QString PercentText(double share);

// A message as makewords writes it: line ends are plain LF.
QString MessageText(const QString& prompt);

} // namespace Vorlaine
