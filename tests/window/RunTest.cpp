#include "WindowTestSupport.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <functional>

using namespace Vorlaine;
using namespace Vorlaine::Testing;
using namespace std::chrono_literals;

namespace {

// Answers Qt's own message boxes with OK, keeping what each showed.
class BoxAnswerer : public QObject {
public:
    struct Box {
        QString title, text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        bool modal;
    };
    QList<Box> answered;

    BoxAnswerer() {
        connect(&poll_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                answered.append({box->windowTitle(), box->text(), box->icon(),
                                 box->standardButtons(), box->isModal()});
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll_.start(10);
    }

private:
    QTimer poll_;
};

// The files this process holds open, where the system tells.
QStringList OpenFiles() {
    QStringList files;
    for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System)) {
        files.append(fd.symLinkTarget());
    }
    return files;
}

} // namespace

class RunTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeRunByClick();
    void errorBoxHasTheExclamationIcon();
    void foundWordsAreAppendedLive();
    void fieldEditsDuringRunApplyToTheItemInHand();
    void secondPressDuringRunIsIgnored();
    void yieldsAtFrameRateNotPerItem();
    void longRunKeepsEveryWordAndStaysResponsive();
    void closingDuringRunEndsTheProgram(); // last: it runs the application

private:
    void setFields(const QString& seed, const QStringList& words, const QString& minLength);
    void clickMakeWords() { QTest::mouseClick(Control(*form_, "cmdMakeWords"), Qt::LeftButton); }
    QString text(const char* name) const { return Control<QLineEdit>(*form_, name)->text(); }
    QString results() const {
        return Control<QPlainTextEdit>(*form_, "txtText1_good")->toPlainText();
    }
    // Runs the handler when the percentage box is set to this text.
    void atProgress(const QString& percentage, const std::function<void()>& handler) {
        connect(Control<QLineEdit>(*form_, "txtReady"), &QLineEdit::textChanged, form_.get(),
                [=](const QString& now) {
                    if (now == percentage) {
                        handler();
                    }
                });
    }

    std::unique_ptr<QTemporaryDir> dir_;
    QString output_;
    std::unique_ptr<MainWindow> form_;
    RecordingBoxes boxes_;
};

void RunTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    output_ = dir_->filePath("found.txt");
    boxes_.shown.clear();
    form_ = std::make_unique<MainWindow>();
    form_->setMessageBoxes(&boxes_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void RunTest::cleanup() {
    form_.reset();
    dir_.reset();
}

void RunTest::setFields(const QString& seed, const QStringList& words, const QString& minLength) {
    Control<QLineEdit>(*form_, "txtTANGLED")->setText(seed);
    Control<QLineEdit>(*form_, "txtDragN")->setText(WriteWordList(*dir_, words));
    Control<QLineEdit>(*form_, "txtminlength")->setText(minLength);
    Control<QLineEdit>(*form_, "txtoutput")->setText(output_);
}

void RunTest::wholeRunByClick() {
    // tinsel does not fit; Angle does, as case is ignored; tangle comes twice.
    setFields("TANGLE", {"tangle", "glean", "tinsel", "Angle", "tangle"}, "4");
    Control<QPlainTextEdit>(*form_, "txtText1_good")->setPlainText("from before");
    form_->setMessageBoxes(nullptr);
    BoxAnswerer answerer;

    clickMakeWords();

    QCOMPARE(answerer.answered.size(), 1);
    const auto& box = answerer.answered.first();
    QCOMPARE(box.title, QStringLiteral(":D"));
    QCOMPARE(box.text, "Done!\n3 words found.\n" + output_ + " created!");
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::Ok);
    QVERIFY(box.modal);
    QCOMPARE(results(), QStringLiteral("tangle\nglean\nAngle\n"));
    QCOMPARE(ReadFile(output_), QByteArray("tangle\r\nglean\r\nAngle\r\n"));
    QCOMPARE(text("txtReady"), QStringLiteral(" 100%"));
    QCOMPARE(text("txtwordsleft"), QStringLiteral(" 0 words left"));

    // Again: the same words in the box, twice in the file, and the status
    // boxes already final while the report is up.
    form_->setMessageBoxes(&boxes_);
    clickMakeWords();
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(boxes_.shown[0].prompt, "Done!\r\n3 words found.\r\n" + output_ + " created!");
    QCOMPARE(boxes_.shown[0].percentage, QStringLiteral(" 100%"));
    QCOMPARE(boxes_.shown[0].wordsLeft, QStringLiteral(" 0 words left"));
    QCOMPARE(results(), QStringLiteral("tangle\nglean\nAngle\n"));
    QCOMPARE(ReadFile(output_), QByteArray("tangle\r\nglean\r\nAngle\r\n").repeated(2));
}

void RunTest::errorBoxHasTheExclamationIcon() {
    setFields("TANGLE", {"tangle"}, "4");
    const QString missing = dir_->filePath("missing.txt");
    Control<QLineEdit>(*form_, "txtDragN")->setText(missing);
    form_->setMessageBoxes(nullptr);
    BoxAnswerer answerer;

    clickMakeWords();

    QCOMPARE(answerer.answered.size(), 1);
    QCOMPARE(answerer.answered[0].title, QStringLiteral("Error"));
    QCOMPARE(answerer.answered[0].text, missing + " not found!");
    QCOMPARE(answerer.answered[0].icon, QMessageBox::Warning);
    QCOMPARE(answerer.answered[0].buttons, QMessageBox::Ok);
    QCOMPARE(text("txtReady"), QStringLiteral("Percentage done"));
}

void RunTest::foundWordsAreAppendedLive() {
    // 300 words of three distinct letters, each fitting the alphabet once.
    QStringList words;
    for (QChar a = 'a'; a <= 'j'; a = QChar(a.unicode() + 1)) {
        for (QChar b = 'a'; b <= 'j'; b = QChar(b.unicode() + 1)) {
            for (QChar c = 'a'; c <= 'j' && words.size() < 300; c = QChar(c.unicode() + 1)) {
                if (a != b && b != c && a != c) {
                    words.append(QString(a) + b + c);
                }
            }
        }
    }
    setFields("ABCDEFGHIJKLMNOPQRSTUVWXYZ", words, "3");
    auto* box = Control<QPlainTextEdit>(*form_, "txtText1_good");
    box->setPlainText("from before");
    form_->setYieldInterval(0ms);
    // A slow window: each item's progress takes a millisecond, so that the
    // run writes its words in several blocks.
    connect(Control<QLineEdit>(*form_, "txtReady"), &QLineEdit::textChanged, form_.get(),
            [] { QThread::msleep(1); });
    QString halfWay;
    QByteArray writtenHalfWay;
    atProgress(" 50%", [&] {
        halfWay = results();
        writtenHalfWay = ReadFile(output_);
    });
    QList<int> removed;
    connect(box->document(), &QTextDocument::contentsChange, form_.get(),
            [&](int, int charsRemoved, int) { removed.append(charsRemoved); });

    clickMakeWords();

    // Half way, some of the words are shown, all of them in the file already.
    const QStringList shown = halfWay.split('\n', Qt::SkipEmptyParts);
    QVERIFY2(!shown.isEmpty() && shown.size() < 150, qPrintable(halfWay));
    QCOMPARE(shown, words.mid(0, shown.size()));
    QVERIFY(writtenHalfWay.startsWith((shown.join("\r\n") + "\r\n").toLatin1()));
    QCOMPARE(results(), words.join('\n') + '\n');
    // Words went in at the end as they were written; only the start emptied text.
    QVERIFY(removed.size() > 2);
    QCOMPARE(std::count_if(removed.begin(), removed.end(), [](int n) { return n > 0; }), 1);
    // The caret is after the last word and the box has scrolled to show it.
    QCOMPARE(box->textCursor().position(), box->document()->characterCount() - 1);
    QVERIFY(box->viewport()->rect().contains(box->cursorRect()));
    QVERIFY(box->cursorRect().top() > 0);
}

void RunTest::fieldEditsDuringRunApplyToTheItemInHand() {
    // TANGLE fits only gate; LISTEN fits lint, silt and listen.
    setFields("TANGLE", {"gate", "lint", "silt", "listen"}, "4");
    form_->setYieldInterval(0ms);
    atProgress(" 50%", [&] { PostTyping(Control(*form_, "txtTANGLED"), "LISTEN"); });
    atProgress(" 75%", [&] { PostTyping(Control(*form_, "txtminlength"), "5"); });

    clickMakeWords();

    QCOMPARE(text("txtTANGLED"), QStringLiteral("LISTEN"));
    QCOMPARE(text("txtminlength"), QStringLiteral("5"));
    // lint meets the new seed; silt is too short by then; listen is not.
    QCOMPARE(results(), QStringLiteral("gate\nlint\nlisten\n"));
    QCOMPARE(ReadFile(output_), QByteArray("gate\r\nlint\r\nlisten\r\n"));
}

void RunTest::secondPressDuringRunIsIgnored() {
    setFields("TANGLE", {"gate", "tang", "neat", "angel"}, "4");
    form_->setYieldInterval(0ms);
    bool pressedDuringRun = false;
    atProgress(" 50%", [&] {
        pressedDuringRun = form_->isRunning();
        clickMakeWords();
    });

    clickMakeWords();

    QVERIFY(pressedDuringRun);
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(results(), QStringLiteral("gate\ntang\nneat\nangel\n"));
    QCOMPARE(ReadFile(output_), QByteArray("gate\r\ntang\r\nneat\r\nangel\r\n"));
}

void RunTest::yieldsAtFrameRateNotPerItem() {
    QStringList words;
    for (int i = 0; i < 60000; ++i) {
        words.append(QString::number(i % 1000)); // all too short
    }
    setFields("TANGLE", words, "4");
    int statusUpdates = 0;
    connect(Control<QLineEdit>(*form_, "txtReady"), &QLineEdit::textChanged, form_.get(),
            [&] { ++statusUpdates; });
    // Queued before the press, so only a yield of the run can handle it.
    bool handledDuringRun = false;
    QTimer::singleShot(0, form_.get(), [&] { handledDuringRun = form_->isRunning(); });

    clickMakeWords();

    QVERIFY(handledDuringRun);
    QVERIFY2(statusUpdates < 6000, qPrintable(QString::number(statusUpdates)));
    QCOMPARE(text("txtReady"), QStringLiteral(" 100%"));
    QCOMPARE(text("txtwordsleft"), QStringLiteral(" 0 words left"));
}

void RunTest::longRunKeepsEveryWordAndStaysResponsive() {
    // 200,000 distinct words, nearly all of which fit a seed that holds every
    // letter five times.
    QFile list(dir_->filePath("long.txt"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    for (int i = 0; i < 200000; ++i) {
        QByteArray word = QByteArray::number(i, 26);
        for (char& c : word) {
            c = static_cast<char>(c <= '9' ? 'a' + (c - '0') : 'k' + (c - 'a'));
        }
        list.write(word + '\n');
    }
    list.close();
    Control<QLineEdit>(*form_, "txtTANGLED")
        ->setText(QString("abcdefghijklmnopqrstuvwxyz").repeated(5));
    Control<QLineEdit>(*form_, "txtDragN")->setText(list.fileName());
    Control<QLineEdit>(*form_, "txtminlength")->setText("1");
    Control<QLineEdit>(*form_, "txtoutput")->setText(output_);
    // Frames far apart: only the words waiting for the box bring the yields.
    form_->setYieldInterval(1h);
    int insertions = 0;
    connect(Control<QPlainTextEdit>(*form_, "txtText1_good")->document(),
            &QTextDocument::contentsChange, form_.get(),
            [&](int, int, int charsAdded) { insertions += charsAdded > 0 ? 1 : 0; });

    // A timer stands for the user: its ticks must keep coming during the run.
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, form_.get(), [&] {
        longestGap = std::max(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
        ++ticks;
    });
    ticker.start(10);
    clock.start();
    clickMakeWords();
    ticker.stop();
    const qint64 runTime = clock.elapsed();

    QCOMPARE(boxes_.shown.size(), 1);
    const QString prompt = boxes_.shown[0].prompt;
    const qsizetype count =
        prompt.section(QStringLiteral("\r\n"), 1, 1).section(' ', 0, 0).toLongLong();
    QVERIFY2(count > 190000, qPrintable(prompt));
    QFile output(output_);
    QVERIFY(output.open(QIODevice::ReadOnly));
    QCOMPARE(output.readAll().count("\r\n"), count);
    // The box holds every word, one per line, and a last empty line.
    QCOMPARE(Control<QPlainTextEdit>(*form_, "txtText1_good")->document()->blockCount(), count + 1);
    // In many steps, each small enough for the box to take between two paints.
    QVERIFY2(insertions >= 20, qPrintable(QString::number(insertions)));
    // Measured against the run's own length, which a slow or busy machine
    // stretches alike: a run that held the events back would leave one gap
    // as long as itself.
    QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
    QVERIFY2(longestGap < std::max<qint64>(1000, runTime / 10),
             qPrintable(QString::number(longestGap) + " of " + QString::number(runTime) +
                        " ms without events"));
}

void RunTest::closingDuringRunEndsTheProgram() {
    setFields("TANGLE", {"gate", "tang", "neat", "angel"}, "4");
    form_->setYieldInterval(0ms);
    atProgress(" 50%", [&] { form_->close(); });
    bool runningAtQuit = true;
    QStringList openAtQuit;
    connect(qApp, &QCoreApplication::aboutToQuit, form_.get(), [&] {
        runningAtQuit = form_->isRunning();
        openAtQuit = OpenFiles();
    });
    QTimer::singleShot(0, form_.get(), [&] { clickMakeWords(); });
    QTimer::singleShot(10s, qApp, [] { QCoreApplication::exit(3); }); // should it hang

    QCOMPARE(QApplication::exec(), 0);

    QVERIFY(!runningAtQuit);
    QVERIFY(!form_->isVisible());
    QVERIFY(boxes_.shown.isEmpty());
    // The run ended before the second item's checks, keeping the first word.
    QCOMPARE(results(), QStringLiteral("gate\n"));
    QCOMPARE(ReadFile(output_), QByteArray("gate\r\n"));
#ifdef Q_OS_LINUX
    QVERIFY(!openAtQuit.isEmpty());
    QVERIFY(!openAtQuit.contains(QFileInfo(output_).canonicalFilePath()));
    QVERIFY(!openAtQuit.contains(QFileInfo(text("txtDragN")).canonicalFilePath()));
#endif
}

QTEST_MAIN(RunTest)
#include "RunTest.moc"
