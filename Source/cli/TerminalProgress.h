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

// Whether the stream is a terminal.
bool IsTerminal(std::FILE* file);

} // namespace Vorlaine
