#include "cli/CommandLineWindow.h"

#include "search/run/MakeWordsRun.h"

using namespace Qt::StringLiterals;

namespace Vorlaine {

CommandLineWindow::CommandLineWindow(const FieldTexts& settings, std::FILE* out, std::FILE* err)
    : settings_(settings), out_(out), err_(err), progress_(err) {}

void CommandLineWindow::showProgress(double itemTotal, double itemIndex) {
    itemTotal_ = itemTotal;
    itemIndex_ = itemIndex;
}

void CommandLineWindow::addFoundWord(const QString& word) {
    progress_.clear();
    Print(out_, word + u'\n');
    if (std::ferror(out_) != 0 && outputError_ == 0)
        Flush(out_, outputError_);
}

void CommandLineWindow::showMessage(MessageKind kind, const QString& prompt) {
    progress_.clear();
    // The report of a run whose words did not all reach standard output would
    // be false; the caller reports the failure instead.
    if (outputError_ == 0)
        Flush(out_, outputError_);
    if (kind == MessageKind::Error || (outputError_ == 0 && !quiet_))
        Print(err_, MessageLine(kind, prompt));
    std::fflush(err_);
}

void CommandLineWindow::showNotice(const QString& notice) {
    if (quiet_)
        return;
    progress_.clear();
    Print(err_, MessageLine(MessageKind::Error, notice));
}

bool CommandLineWindow::yield() {
    if (progress_.due()) {
        const ProgressTexts texts = ProgressText(itemTotal_, itemIndex_);
        progress_.draw(PercentText(itemIndex_ / itemTotal_) + u" "_s + texts.wordsLeft);
    }
    return outputError_ == 0;
}

QString MessageLine(MessageKind kind, const QString& prompt) {
    QString text = prompt;
    text.replace(u"\r\n"_s, u"\n"_s);
    return (kind == MessageKind::Error ? u"makewords: "_s : QString()) + text + u'\n';
}

} // namespace Vorlaine
