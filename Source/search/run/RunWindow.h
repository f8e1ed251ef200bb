#pragma once

#include <QString>

namespace Vorlaine {

// The four settings a run reads.
enum class Field { Seed, WordList, MinimumLength, Output };
inline constexpr int FieldCount = 4;

// What a message tells: that the run failed, or the final report.
enum class MessageKind { Error, Report };

// What a make-words run needs from the window that drives it. The window, the
// command line and the tests each provide one, so all of them drive the same run.
class RunWindow {
public:
    virtual ~RunWindow() = default;

    // Read for every item of a run, so it must be cheap: a window keeps the
    // texts of its fields at hand. The text stays valid until the next yield.
    virtual const QString& fieldText(Field field) const = 0;

    // The results: emptied when a run starts, then one line per accepted word.
    virtual void clearResults() = 0;
    virtual void addFoundWord(const QString& word) = 0;

    // Called for every item, so it must be cheap: a window keeps the two numbers
    // and turns them into texts (ProgressText) only when it repaints.
    virtual void showProgress(double itemTotal, double itemIndex) = 0;

    // Shows the message and returns once the user has seen it.
    virtual void showMessage(MessageKind kind, const QString& prompt) = 0;
    // A remark on the run that is no error, such as how a file was read. The
    // window has no place for one.
    virtual void showNotice(const QString& notice) { Q_UNUSED(notice); }

    // Lets the window handle pending events. Returns false once the window is
    // going away, and the run then ends at once with its files closed.
    virtual bool yield() = 0;
};

} // namespace Vorlaine
