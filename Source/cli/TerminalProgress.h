#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

namespace Vorlaine {

// A line on standard error that tells how far a search has come, redrawn in
// place at most ten times a second. It stays off unless standard error is a
// terminal: in a log it would only be noise.
class TerminalProgress {
public:
    explicit TerminalProgress(std::FILE* err = stderr);

    void setEnabled(bool enabled) { enabled_ = enabled; }
    // Whether a new line would be drawn now; lets callers skip making its text.
    bool due() const { return enabled_ && sinceDrawn_.elapsed() >= Interval; }
    void draw(const QString& text);
    // Takes the line away, before anything else is written to the terminal.
    void clear();

private:
    static constexpr qint64 Interval = 100; // milliseconds

    std::FILE* err_;
    bool enabled_ = false;
    bool drawn_ = false;
    QElapsedTimer sinceDrawn_;
};

// Writes the text as UTF-8.
void Print(std::FILE* file, const QString& text);

// The share done as a person reads it, to a tenth of a percent: "42.5%".
QString PercentText(double share);

// Flushes the stream. False when this or an earlier write to it failed; the
// error number then tells why.
bool Flush(std::FILE* file, int& error);

// The message for a failed write to standard output.
QString StandardOutputFailure(int error);

// Puts the null device in place of each standard stream that is closed, so
// that no file opened later takes its number and gets what is printed there.
// False when standard output was one of them: the words would be lost.
bool OpenClosedStandardStreams();

// Whether the stream is a terminal.
bool IsTerminal(std::FILE* file);

} // namespace Vorlaine
