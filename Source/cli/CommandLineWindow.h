#pragma once

#include "search/FieldTexts.h"
#include "search/RunWindow.h"

#include <QElapsedTimer>
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
    bool yield() override;

    // Draws a progress line on standard error; off unless it is a terminal.
    void setShowsProgress(bool shows) { showsProgress_ = shows; }

private:
    void drawProgress();
    void clearProgress();

    FieldTexts settings_;
    std::FILE* out_;
    std::FILE* err_;
    bool showsProgress_ = false;
    bool progressDrawn_ = false;
    double itemTotal_ = 0;
    double itemIndex_ = 0;
    QElapsedTimer sinceDrawn_;
};

} // namespace Vorlaine
