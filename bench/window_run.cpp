// How the window keeps up with a long run: the time from pressing Make Words!
// to the report box, and how often the status boxes repaint meanwhile.
//
//   window_run [WORD_LIST [SEED [MINIMUM_LENGTH]]]
//
// Run it on a real display or under Xvfb (xvfb-run -a window_run). The word
// list defaults to Debian's american-english-insane; the other fields keep
// their design texts, with the output going to a temporary folder. A seed with
// many letters makes a run that fills the results box with many words.
#include "window/MainWindow.h"
#include "window/MessageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Vorlaine;

namespace {

// Keeps the time of every paint of the percentage box.
class PaintClock : public QObject {
public:
    explicit PaintClock(const QElapsedTimer& clock) : clock_(clock) {}
    QList<qint64> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            paints.append(clock_.nsecsElapsed());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
};

// Notes when the report comes up and answers it at once.
class ReportClock : public MessageBoxes {
public:
    explicit ReportClock(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 reportAt = -1;
    QString prompt;
    QString title;

    void showMessage(QWidget*, const QString& shownPrompt, const QString& shownTitle,
                     QMessageBox::Icon) override {
        reportAt = clock_.nsecsElapsed();
        prompt = shownPrompt;
        title = shownTitle;
    }

private:
    const QElapsedTimer& clock_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString wordList =
        args.size() > 1 ? args[1] : QStringLiteral("/usr/share/dict/american-english-insane");
    QTemporaryDir dir;

    QElapsedTimer clock;
    ReportClock report(clock);
    PaintClock paintClock(clock);
    MainWindow form;
    form.setMessageBoxes(&report);
    form.findChild<QLineEdit*>(QStringLiteral("txtDragN"))->setText(wordList);
    if (args.size() > 2) {
        form.findChild<QLineEdit*>(QStringLiteral("txtTANGLED"))->setText(args[2]);
    }
    if (args.size() > 3) {
        form.findChild<QLineEdit*>(QStringLiteral("txtminlength"))->setText(args[3]);
    }
    form.findChild<QLineEdit*>(QStringLiteral("txtoutput"))
        ->setText(dir.filePath(QStringLiteral("NewWordsList.txt")));
    auto* percentage = form.findChild<QLineEdit*>(QStringLiteral("txtReady"));
    percentage->installEventFilter(&paintClock);
    form.show();
    // Let the window come up and paint before the press.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    paintClock.paints.clear();
    clock.start();
    form.findChild<QPushButton*>(QStringLiteral("cmdMakeWords"))->click();

    if (report.reportAt < 0 || report.title != QLatin1String(":D")) {
        std::fprintf(stderr, "window_run: no report; the box said: %s\n",
                     qPrintable(report.title + u' ' + report.prompt));
        return 1;
    }
    const double seconds = double(report.reportAt) / 1e9;
    qint64 longestGap = 0;
    qint64 previous = 0;
    int paintsDuringRun = 0;
    for (const qint64 at : paintClock.paints) {
        if (at > report.reportAt) {
            break;
        }
        longestGap = std::max(longestGap, at - previous);
        previous = at;
        ++paintsDuringRun;
    }
    longestGap = std::max(longestGap, report.reportAt - previous);
    const double rate = paintsDuringRun / std::max(seconds, 1e-9);
    QString summary = report.prompt;
    summary.replace(QLatin1String("\r\n"), QLatin1String(" "));

    std::printf("word list:          %s\n", qPrintable(wordList));
    std::printf("report:             %s\n", qPrintable(summary));
    std::printf("press to report:    %.3f s (target: 1 s or less)\n", seconds);
    std::printf("status repaints:    %d, %.1f a second\n", paintsDuringRun, rate);
    std::printf("longest paint gap:  %.1f ms (target: 60 ms or less)\n", double(longestGap) / 1e6);
    const bool met = seconds <= 1.0 && longestGap <= 60'000'000;
    std::printf("%s\n", met ? "targets met" : "targets missed");
    return met ? 0 : 1;
}
