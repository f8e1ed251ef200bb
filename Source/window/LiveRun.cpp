#include "window/LiveRun.h"

#include "search/run/MakeWordsRun.h"
#include "window/MessageBoxes.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace Vorlaine {

namespace {
// About as many lines as the results box takes in a few milliseconds.
constexpr qsizetype FrameLines = 4096;
} // namespace

LiveRun::LiveRun(const RunBoxes& boxes, MessageBoxes& messages, QWidget* messageParent,
                 std::chrono::milliseconds yieldInterval)
    : boxes_(boxes), messages_(messages), messageParent_(messageParent),
      yieldInterval_(yieldInterval) {}

QLineEdit* LiveRun::settingBox(Field field) const {
    switch (field) {
    case Field::Seed:
        return boxes_.seed;
    case Field::WordList:
        return boxes_.wordList;
    case Field::MinimumLength:
        return boxes_.minimumLength;
    case Field::Output:
        break;
    }
    return boxes_.output;
}

const QString& LiveRun::fieldText(Field field) const {
    QString& text = readTexts_.at(static_cast<std::size_t>(field));
    text = settingBox(field)->text();
    return text;
}

void LiveRun::clearResults() {
    pendingWords_.clear();
    pendingLines_ = 0;
    boxes_.results->clear();
}

void LiveRun::showProgress(double itemTotal, double itemIndex) {
    itemTotal_ = itemTotal;
    itemIndex_ = itemIndex;
    progressPending_ = true;
}

void LiveRun::showPending() {
    if (!pendingWords_.isEmpty()) {
        // One insertion at the end for all the words since the last repaint:
        // it touches only the new lines, however long the text already is.
        QTextCursor end(boxes_.results->document());
        end.movePosition(QTextCursor::End);
        end.insertText(pendingWords_);
        pendingWords_.clear();
        pendingLines_ = 0;
        // The caret after the last line scrolls the box to show it.
        boxes_.results->setTextCursor(end);
    }
    if (progressPending_) {
        progressPending_ = false;
        const ProgressTexts texts = ProgressText(itemTotal_, itemIndex_);
        boxes_.percentage->setText(texts.percentage);
        boxes_.wordsLeft->setText(texts.wordsLeft);
    }
}

void LiveRun::addFoundWord(const QString& word) {
    pendingWords_ += word;
    pendingWords_ += u'\n';
    ++pendingLines_;
}

void LiveRun::showMessage(MessageKind kind, const QString& prompt) {
    // The box repaints the window while it is open.
    showPending();
    if (kind == MessageKind::Error) {
        messages_.showMessage(messageParent_, prompt, QStringLiteral("Error"),
                              QMessageBox::Warning);
    } else {
        messages_.showMessage(messageParent_, prompt, QStringLiteral(":D"), QMessageBox::NoIcon);
    }
}

bool LiveRun::yield() {
    if (abandoned_) {
        return false;
    }
    if (!sinceEvents_.isValid() || pendingLines_ >= FrameLines ||
        std::chrono::nanoseconds(sinceEvents_.nsecsElapsed()) >= yieldInterval_) {
        showPending();
        QCoreApplication::processEvents();
        sinceEvents_.start();
    }
    return !abandoned_;
}

} // namespace Vorlaine
