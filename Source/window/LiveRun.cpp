#include "LiveRun.h"

#include "MakeWordsRun.h"
#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace Vorlaine {

namespace {

// The results box keeps Qt's line breaks; the run sees CR LF line ends.
const QLatin1String WindowsLineEnd("\r\n");
const QLatin1String LineEnd("\n");

} // namespace

LiveRun::LiveRun(const FieldBoxes& boxes, MessageBoxes& messages, QWidget* messageParent,
                 std::chrono::milliseconds yieldInterval)
    : boxes_(boxes), messages_(messages), messageParent_(messageParent),
      yieldInterval_(yieldInterval) {}

QLineEdit* LiveRun::lineBox(Field field) const {
    switch (field) {
    case Field::txtTANGLED:
        return boxes_.txtTANGLED;
    case Field::txtDragN:
        return boxes_.txtDragN;
    case Field::txtminlength:
        return boxes_.txtminlength;
    case Field::txtoutput:
        return boxes_.txtoutput;
    case Field::txtReady:
        return boxes_.txtReady;
    case Field::txtwordsleft:
        return boxes_.txtwordsleft;
    case Field::txtText1_good:
        break;
    }
    return nullptr;
}

const QString& LiveRun::fieldText(Field field) const {
    QString& text = readTexts_.at(static_cast<std::size_t>(field));
    if (field == Field::txtText1_good) {
        text = boxes_.txtText1_good->toPlainText() + pendingWords_;
        text.replace(LineEnd, WindowsLineEnd);
    } else {
        text = lineBox(field)->text();
    }
    return text;
}

void LiveRun::setFieldText(Field field, const QString& text) {
    if (field == Field::txtText1_good) {
        pendingWords_.clear();
        QString plain = text;
        plain.replace(WindowsLineEnd, LineEnd);
        boxes_.txtText1_good->setPlainText(plain);
        return;
    }
    lineBox(field)->setText(text);
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
        QTextCursor end(boxes_.txtText1_good->document());
        end.movePosition(QTextCursor::End);
        end.insertText(pendingWords_);
        pendingWords_.clear();
        // The caret after the last line scrolls the box to show it.
        boxes_.txtText1_good->setTextCursor(end);
    }
    if (progressPending_) {
        progressPending_ = false;
        const ProgressTexts texts = ProgressText(itemTotal_, itemIndex_);
        boxes_.txtReady->setText(texts.percentage);
        boxes_.txtwordsleft->setText(texts.wordsLeft);
    }
}

void LiveRun::addFoundWord(const QString& word) {
    pendingWords_ += word;
    pendingWords_ += LineEnd;
}

void LiveRun::showMessage(const QString& prompt, const QString& title, MessageStyle style) {
    // The box repaints the window while it is open.
    showPending();
    messages_.showMessage(messageParent_, prompt, title, style);
}

bool LiveRun::yield() {
    if (abandoned_) {
        return false;
    }
    if (!sinceEvents_.isValid() ||
        std::chrono::nanoseconds(sinceEvents_.nsecsElapsed()) >= yieldInterval_) {
        showPending();
        QCoreApplication::processEvents();
        sinceEvents_.start();
    }
    return !abandoned_;
}

} // namespace Vorlaine
