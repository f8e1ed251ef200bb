#include "cli/CommandLineWindow.h"

#include "search/MakeWordsRun.h"

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
constexpr qint64 ProgressInterval = 100; // milliseconds between two progress lines

void Print(std::FILE* file, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
}
} // namespace

CommandLineWindow::CommandLineWindow(const FieldTexts& settings, std::FILE* out, std::FILE* err)
    : settings_(settings), out_(out), err_(err) {
    sinceDrawn_.start();
}

void CommandLineWindow::showProgress(double itemTotal, double itemIndex) {
    itemTotal_ = itemTotal;
    itemIndex_ = itemIndex;
}

void CommandLineWindow::addFoundWord(const QString& word) {
    clearProgress();
    Print(out_, word + u'\n');
}

void CommandLineWindow::showMessage(MessageKind kind, const QString& prompt) {
    clearProgress();
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fflush(out_);
    Print(err_,
          (kind == MessageKind::Error ? QStringLiteral("makewords: ") : QString()) + text + u'\n');
    std::fflush(err_);
}

bool CommandLineWindow::yield() {
    if (showsProgress_ && sinceDrawn_.elapsed() >= ProgressInterval)
        drawProgress();
    return true;
}

void CommandLineWindow::drawProgress() {
    const ProgressTexts texts = ProgressText(itemTotal_, itemIndex_);
    Print(err_, u'\r' + texts.percentage + u"  "_s + texts.wordsLeft + u"\x1b[K"_s);
    std::fflush(err_);
    progressDrawn_ = true;
    sinceDrawn_.restart();
}

void CommandLineWindow::clearProgress() {
    if (!progressDrawn_)
        return;
    Print(err_, QStringLiteral("\r\x1b[K"));
    progressDrawn_ = false;
}

} // namespace Vorlaine
