#include "cli/WindowRunCommand.h"

#include "cli/Console.h"
#include "search/run/MakeWordsRun.h"
#include "search/run/RunMessages.h"
#include "search/run/RunWindow.h"

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// The run's "window" for a terminal.
class TerminalWindow : public RunWindow {
public:
    TerminalWindow(const FieldTexts& settings, Console& console)
        : settings_(settings), console_(console) {}

    const QString& fieldText(Field field) const override { return settings_.text(field); }
    void clearResults() override {}
    void addFoundWord(const QString& word) override { console_.writeOut((word + u'\n').toUtf8()); }
    void showProgress(double itemTotal, double itemIndex) override {
        itemTotal_ = itemTotal;
        itemIndex_ = itemIndex;
    }
    void showMessage(MessageKind kind, const QString& prompt) override {
        // The report of a run whose words did not all reach standard output
        // would be false; the failure is reported instead.
        const bool flushed = console_.flushOut();
        if (kind == MessageKind::Error)
            console_.error(prompt);
        else if (flushed)
            console_.report(prompt);
    }
    void showNotice(const QString& notice) override { console_.notice(notice); }
    bool yield() override {
        if (console_.progressDue()) {
            const ProgressTexts texts = ProgressText(itemTotal_, itemIndex_);
            console_.drawProgress(PercentText(itemIndex_ / itemTotal_) + u" "_s + texts.wordsLeft);
        }
        // A failed write to standard output stops the run: the words printed
        // would be lost.
        return !console_.outFailed();
    }

private:
    const FieldTexts& settings_;
    Console& console_;
    double itemTotal_ = 0;
    double itemIndex_ = 0;
};

} // namespace

int WindowRunCommand::run(Console& console) {
    // The window says "not found!" of whatever is no file; makewords says
    // what it is.
    const QString list = settings_.text(Field::WordList);
    if (const FileKind kind = KindOfFile(list);
        kind != FileKind::Regular && kind != FileKind::Missing)
        return console.error(RunMessage::NotAFile(list, kind, u"--list"_s));
    TerminalWindow window(settings_, console);
    const RunOutcome outcome = RunMakeWords(window);
    if (!console.flushOut())
        return console.error(console.outFailure());
    return outcome == RunOutcome::Finished ? ExitDone : ExitFailed;
}

} // namespace Vorlaine
