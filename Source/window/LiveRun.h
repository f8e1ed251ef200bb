#pragma once

#include "search/run/RunWindow.h"

#include <QElapsedTimer>
#include <QString>
#include <array>
#include <chrono>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace Vorlaine {

class MessageBoxes;

// The boxes of the window that a run reads and writes.
struct RunBoxes {
    QLineEdit* seed = nullptr;
    QLineEdit* wordList = nullptr;
    QLineEdit* minimumLength = nullptr;
    QLineEdit* output = nullptr;
    QLineEdit* percentage = nullptr;
    QLineEdit* wordsLeft = nullptr;
    QPlainTextEdit* results = nullptr;
};

// One make-words run in the window. A yield lets the window handle its events
// at most once per interval (a display frame by default): doing it for every
// item would cost far more than the search itself. Progress and found words
// are kept and put into the boxes just before the window gets to repaint.
// Putting words into the results box costs far more than finding them, so a
// yield also comes as soon as a frame's worth of words waits: a search that
// finds most of its list would otherwise hold a paint back for the tens of
// thousands of lines it finds in one interval.
class LiveRun final : public RunWindow {
public:
    LiveRun(const RunBoxes& boxes, MessageBoxes& messages, QWidget* messageParent,
            std::chrono::milliseconds yieldInterval);

    const QString& fieldText(Field field) const override;
    void clearResults() override;
    void addFoundWord(const QString& word) override;
    void showProgress(double itemTotal, double itemIndex) override;
    void showMessage(MessageKind kind, const QString& prompt) override;
    bool yield() override;

    // The window is going away: the next yield ends the run.
    void abandon() { abandoned_ = true; }
    // Brings the status boxes and the results box up to date.
    void showPending();

private:
    QLineEdit* settingBox(Field field) const;

    RunBoxes boxes_;
    // The texts last read, one per field, so that a read can hand out a
    // reference; copying a box's text shares it and costs no allocation.
    mutable std::array<QString, FieldCount> readTexts_;
    MessageBoxes& messages_;
    QWidget* messageParent_;
    std::chrono::nanoseconds yieldInterval_;
    QElapsedTimer sinceEvents_;
    double itemTotal_ = 0;
    double itemIndex_ = 0;
    bool progressPending_ = false;
    QString pendingWords_; // found words not yet in the box, one per line
    qsizetype pendingLines_ = 0;
    bool abandoned_ = false;
};

} // namespace Vorlaine
