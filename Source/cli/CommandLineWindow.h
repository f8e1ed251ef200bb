#pragma once

#include "cli/TerminalProgress.h"
#include "search/run/FieldTexts.h"
#include "search/run/RunWindow.h"

#include <QString>
#include <cstdio>

namespace Vorlaine {

// The run's "window" for a terminal: the four settings come from the command
// line, accepted words go to standard output, progress and messages to
// standard error.
class CommandLineWindow : public RunWindow {
public:
    explicit CommandLineWindow(const FieldTexts& settings, std::FILE* out = stdout,
                               std::FILE* err = stderr);

    const QString& fieldText(Field field) const override { return settings_.text(field); }
    void clearResults() override {}
    void addFoundWord(const QString& word) override;
    void showProgress(double itemTotal, double itemIndex) override;
    void showMessage(MessageKind kind, const QString& prompt) override;
    void showNotice(const QString& notice) override;
    bool yield() override;

    // Draws a progress line on standard error; off unless it is a terminal.
    void setShowsProgress(bool shows) { progress_.setEnabled(shows); }
    // Shows errors only: no progress and no report.
    void setQuiet(bool quiet) { quiet_ = quiet; }

    // A failed write to standard output stops the run: the words printed
    // would be lost. The error number tells why; 0 while none failed.
    int outputError() const { return outputError_; }

private:
    FieldTexts settings_;
    std::FILE* out_;
    std::FILE* err_;
    TerminalProgress progress_;
    double itemTotal_ = 0;
    double itemIndex_ = 0;
    int outputError_ = 0;
    bool quiet_ = false;
};

// A message as makewords prints it on standard error: errors start with the
// program's name, and line ends are plain LF.
QString MessageLine(MessageKind kind, const QString& prompt);

} // namespace Vorlaine
