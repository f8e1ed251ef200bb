#pragma once

#include <QString>

namespace Vorlaine {

// The fields of the window that a run reads or writes.
enum class Field {
    txtTANGLED,    // seed word
    txtDragN,      // word-list path
    txtminlength,  // minimum word length
    txtoutput,     // output-file path
    txtText1_good, // results box
    txtReady,      // percentage done
    txtwordsleft,  // items left
};

// Message-box styles: 0 is a plain box with OK, 48 adds the exclamation icon.
enum class MessageStyle { Plain = 0, Exclamation = 48 };

// What a make-words run needs from the window that drives it. The window, the
// command line and the tests each provide one, so all of them drive the same run.
class RunWindow {
public:
    virtual ~RunWindow() = default;

    // Read for every item of a run, so it must be cheap: a window keeps the
    // texts of its fields at hand. The text stays valid until the next yield.
    virtual const QString& fieldText(Field field) const = 0;
    virtual void setFieldText(Field field, const QString& text) = 0;

    // Called for every item, so it must be cheap: a window keeps the two numbers
    // and turns them into texts (ProgressTexts) only when it repaints.
    virtual void showProgress(double itemTotal, double itemIndex) = 0;

    // Adds one accepted word as a line at the end of the results box.
    virtual void addFoundWord(const QString& word) = 0;

    // A modal box with one OK button; returns when it has been closed.
    virtual void showMessage(const QString& prompt, const QString& title, MessageStyle style) = 0;

    // Lets the window handle pending events. Returns false once the window is
    // going away, and the run then ends at once with its files closed.
    virtual bool yield() = 0;
};

} // namespace Vorlaine
