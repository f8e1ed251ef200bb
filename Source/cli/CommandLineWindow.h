#pragma once

#include "RunWindow.h"

#include <QElapsedTimer>
#include <QString>
#include <array>
#include <cstdio>

namespace Vorlaine {

// The run's "window" for a terminal: the four settings come from the command
// line, accepted words go to standard output, progress and messages to
// standard error.
class CommandLineWindow : public RunWindow {
public:
    CommandLineWindow(const QString& seed, const QString& list, const QString& minimumLength,
                      const QString& output, std::FILE* out = stdout, std::FILE* err = stderr);

    const QString& fieldText(Field field) const override;
    void setFieldText(Field field, const QString& text) override;
    void showProgress(double itemTotal, double itemIndex) override;
    void addFoundWord(const QString& word) override;
    void showMessage(const QString& prompt, const QString& title, MessageStyle style) override;
    bool yield() override;

    // Draws a progress line on standard error; off unless it is a terminal.
    void setShowsProgress(bool shows) { showsProgress_ = shows; }

private:
    void drawProgress();
    void clearProgress();

    std::array<QString, 7> fields_;
    std::FILE* out_;
    std::FILE* err_;
    bool showsProgress_ = false;
    bool progressDrawn_ = false;
    double itemTotal_ = 0;
    double itemIndex_ = 0;
    QElapsedTimer sinceDrawn_;
};

} // namespace Vorlaine
