#include "window/MainWindow.h"

#include "WindowTestSupport.h"
#include "window/DocumentsFolder.h"
#include "window/ProgramSetup.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Vorlaine;
using namespace Vorlaine::Testing;

namespace {

// Every control with its container and its design place in twips.
const QList<std::tuple<const char*, const char*, QRect>> Design{
    {"txtwordsleft", "Form1", {120, 2880, 3015, 285}},
    {"txtReady", "Form1", {120, 2520, 3015, 285}},
    {"txtText1_good", "Form1", {120, 4320, 3015, 2175}},
    {"FraStartingLength", "Form1", {120, 1200, 3015, 615}},
    {"txtminlength", "FraStartingLength", {120, 240, 2775, 285}},
    {"cmdContactTavrin", "Form1", {120, 3960, 3015, 250}},
    {"cmdwebsite", "Form1", {120, 3720, 3015, 250}},
    {"cmdAbout", "Form1", {120, 3480, 3015, 250}},
    {"FraOutputFile", "Form1", {120, 1800, 3015, 615}},
    {"txtoutput", "FraOutputFile", {120, 240, 2775, 285}},
    {"FraWordlistFile", "Form1", {120, 600, 3015, 615}},
    {"txtDragN", "FraWordlistFile", {120, 240, 2775, 285}},
    {"txtTANGLED", "Form1", {240, 240, 2775, 285}},
    {"FraSeedWord", "Form1", {120, 0, 3015, 615}},
    {"cmdMakeWords", "Form1", {120, 3240, 3015, 250}}};

QMap<QString, QRect> Geometries(const MainWindow& form) {
    QMap<QString, QRect> geometries;
    for (const auto& [name, container, twips] : Design) {
        geometries.insert(name, Control(form, name)->geometry());
    }
    return geometries;
}

bool ResizeClient(MainWindow& form, QSize size) {
    form.resize(size);
    return QTest::qWaitFor([&] { return form.size() == size; });
}

// 67 pixels are 1,005 twips, the nearest whole number of pixels to 1,000.
constexpr int Step = 67;

// Offers the data to the widget and drops it there; true if the drop was taken.
bool DragAndDrop(QWidget* target, const QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted()) {
        QCoreApplication::sendEvent(target, &drop);
    }
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { form_.reset(); }
    void designValuesOnStart();
    void geometryAtDesignSize();
    void tabOrder();
    void creditButtonsAreInert();
    void widerWindowWidensEveryControl();
    void tallerWindowLengthensOnlyTheResultsBox();
    void shortOrMinimisedWindowKeepsTheResultsBox();
    void droppedFiles_data();
    void droppedFiles();
    void droppedTextAndOtherTargetsAreIgnored();
    void documentsFolderIsMadeAndFilledOnce();

private:
    std::unique_ptr<MainWindow> form_;
};

void MainWindowTest::init() {
    form_ = std::make_unique<MainWindow>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void MainWindowTest::designValuesOnStart() {
    const MainWindow& form = *form_;
    QCOMPARE(form.windowTitle(), QStringLiteral("Vorlaine"));
    const QList<std::pair<const char*, const char*>> texts{
        {"txtTANGLED", "TANGLE"},        {"txtDragN", "wordlist.txt"},
        {"txtminlength", "4"},           {"txtoutput", "NewWordsList.txt"},
        {"txtReady", "Percentage done"}, {"txtwordsleft", "Words left"}};
    for (const auto& [name, text] : texts) {
        QCOMPARE(Control<QLineEdit>(form, name)->text(), QLatin1String(text));
        QVERIFY(!Control<QLineEdit>(form, name)->isReadOnly());
    }
    // What a screen reader announces for each box.
    const QList<std::pair<const char*, const char*>> spoken{
        {"txtTANGLED", "Seed Word"},        {"txtDragN", "Wordlist File"},
        {"txtminlength", "Minimum Length"}, {"txtoutput", "Output File"},
        {"txtReady", "Percentage done"},    {"txtwordsleft", "Words left"},
        {"txtText1_good", "Words found"}};
    for (const auto& [name, text] : spoken) {
        QCOMPARE(Control(form, name)->accessibleName(), QLatin1String(text));
    }
    QCOMPARE(Control<QGroupBox>(form, "FraSeedWord")->title(), QStringLiteral("Seed Word"));
    QCOMPARE(Control<QGroupBox>(form, "FraWordlistFile")->title(), QStringLiteral("Wordlist File"));
    QCOMPARE(Control<QGroupBox>(form, "FraStartingLength")->title(), "Minimum Length");
    QCOMPARE(Control<QGroupBox>(form, "FraOutputFile")->title(), QStringLiteral("Output File"));
    QCOMPARE(Control<QPushButton>(form, "cmdMakeWords")->text(), QStringLiteral("Make Words!"));
    QCOMPARE(Control(form, "cmdMakeWords")->toolTip(),
             "If possible, uses config from config.inf file in the current directory, ie resumes");
    QCOMPARE(Control(form, "txtminlength")->toolTip(), "Starting length of the possible words");

    auto* results = Control<QPlainTextEdit>(form, "txtText1_good");
    QVERIFY(results->toPlainText().isEmpty());
    QVERIFY(!results->isReadOnly());
    QCOMPARE(results->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // Tahoma 8.25 pt is asked for, whatever face the system puts in its place.
    QCOMPARE(results->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(results->font().pointSizeF(), 8.25);
    QCOMPARE(results->font().weight(), QFont::Normal);

    QVERIFY(!form.windowIcon().pixmap(16, 16).isNull());
    SetUpApplication();
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00.0035"));
    QCOMPARE(form.focusWidget(), Control(form, "txtTANGLED"));

    // The seed box belongs to the window and is what shows over its frame.
    QWidget* seed = Control(form, "txtTANGLED");
    QCOMPARE(seed->parentWidget(), &form);
    QVERIFY(Control(form, "FraSeedWord")->geometry().contains(seed->geometry()));
    QCOMPARE(form.childAt(seed->geometry().center()), seed);
}

void MainWindowTest::geometryAtDesignSize() {
    QCOMPARE(form_->size(), QSize(217, 441));
    for (const auto& [name, container, twips] : Design) {
        QWidget* control = Control(*form_, name);
        QCOMPARE(control->parentWidget()->objectName(), QLatin1String(container));
        // 15 twips to the pixel, rounded: the 250-twip buttons are 17 high.
        const QRect pixels(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0),
                           qRound(twips.width() / 15.0), qRound(twips.height() / 15.0));
        QCOMPARE(control->geometry(), pixels);
    }
}

void MainWindowTest::tabOrder() {
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    const QStringList expected{"txtDragN",      "cmdMakeWords", "txtoutput",    "txtminlength",
                               "txtText1_good", "txtReady",     "txtwordsleft", "txtTANGLED"};
    QStringList met;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        met.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(met, expected);
    // Tab left the results box instead of typing into it.
    QVERIFY(Control<QPlainTextEdit>(*form_, "txtText1_good")->toPlainText().isEmpty());
}

void MainWindowTest::creditButtonsAreInert() {
    RecordingBoxes boxes;
    form_->setMessageBoxes(&boxes);
    const QList<std::pair<const char*, QString>> credits{{"cmdAbout", "Author : "},
                                                         {"cmdwebsite", "Website : "},
                                                         {"cmdContactTavrin", "Contact : "}};
    for (const auto& [name, prefix] : credits) {
        auto* button = Control<QPushButton>(*form_, name);
        QVERIFY(button->text().startsWith(prefix) && button->text().size() > prefix.size());
        QVERIFY(!button->isEnabled());
        QSignalSpy clicks(button, &QPushButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 0);
    }
    QVERIFY(boxes.shown.isEmpty());
    QVERIFY(Control<QPlainTextEdit>(*form_, "txtText1_good")->toPlainText().isEmpty());
}

void MainWindowTest::widerWindowWidensEveryControl() {
    const auto design = Geometries(*form_);
    QVERIFY(ResizeClient(*form_, {217 + Step, 441}));
    for (const auto& [name, wider] : Geometries(*form_).asKeyValueRange()) {
        QCOMPARE(wider, design[name].adjusted(0, 0, Step, 0));
    }
}

void MainWindowTest::tallerWindowLengthensOnlyTheResultsBox() {
    const auto design = Geometries(*form_);
    QVERIFY(ResizeClient(*form_, {217, 441 + Step}));
    for (const auto& [name, taller] : Geometries(*form_).asKeyValueRange()) {
        QCOMPARE(taller, design[name].adjusted(0, 0, 0, name == "txtText1_good" ? Step : 0));
    }

    // A window first shown at another size than the design's is laid out too.
    QVERIFY(ResizeClient(*form_, {217 + Step, 441 + Step}));
    MainWindow other;
    other.resize(217 + Step, 441 + Step);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QCOMPARE(Geometries(other), Geometries(*form_));
}

void MainWindowTest::shortOrMinimisedWindowKeepsTheResultsBox() {
    QWidget* results = Control(*form_, "txtText1_good");
    QVERIFY(ResizeClient(*form_, {217, 441 + Step}));
    // 296 pixels of client area make an outer height of exactly 4950 twips.
    QVERIFY(ResizeClient(*form_, {217, 296}));
    QCOMPARE(results->height(), 145 + Step);
    // One pixel more and the box follows the window again: 15 twips high.
    QVERIFY(ResizeClient(*form_, {217, 297}));
    QCOMPARE(results->height(), 1);

    const auto before = Geometries(*form_);
    form_->setWindowState(Qt::WindowMinimized);
    QVERIFY(ResizeClient(*form_, {400, 700}));
    QCOMPARE(Geometries(*form_), before);
}

void MainWindowTest::droppedFiles_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken"); // whether the first file's path is taken

    const QString dir = QDir::tempPath() + QStringLiteral("/Word Lists/");
    QTest::newRow(".txt") << QStringList{dir + "english.txt"} << true;
    QTest::newRow(".TXT") << QStringList{dir + "ENGLISH.TXT"} << true;
    QTest::newRow(".doc") << QStringList{dir + "english.doc"} << false;
    QTest::newRow("xtxt, no dot") << QStringList{dir + "listxtxt"} << true;
    QTest::newRow("several, first .txt") << QStringList{dir + "a.txt", dir + "b.doc"} << true;
    QTest::newRow("several, first .doc") << QStringList{dir + "a.doc", dir + "b.txt"} << false;
}

void MainWindowTest::droppedFiles() {
    QFETCH(QStringList, files);
    QFETCH(bool, taken);
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) {
        urls.append(QUrl::fromLocalFile(file));
    }
    data.setUrls(urls);
    data.setText(QStringLiteral("dragged text"));

    auto* wordList = Control<QLineEdit>(*form_, "txtDragN");
    QVERIFY(DragAndDrop(wordList, data));
    QCOMPARE(wordList->text(), taken ? QDir::toNativeSeparators(files.first()) : "wordlist.txt");
}

void MainWindowTest::droppedTextAndOtherTargetsAreIgnored() {
    auto* wordList = Control<QLineEdit>(*form_, "txtDragN");
    QMimeData text;
    text.setText(QStringLiteral("/somewhere/english.txt"));
    QVERIFY(!DragAndDrop(wordList, text));
    // Not even a drop that comes without being offered first puts text in.
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(wordList, &drop);
    QCOMPARE(wordList->text(), QStringLiteral("wordlist.txt"));

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(QDir::tempPath() + "/english.txt")});
    file.setText(QStringLiteral("english.txt"));
    for (QWidget* widget : form_->findChildren<QWidget*>()) {
        if (widget != wordList && widget->parentWidget() != wordList) {
            QVERIFY2(!DragAndDrop(widget, file), qPrintable(widget->objectName()));
        }
    }
    QCOMPARE(Control<QLineEdit>(*form_, "txtTANGLED")->text(), QStringLiteral("TANGLE"));
    QVERIFY(Control<QPlainTextEdit>(*form_, "txtText1_good")->toPlainText().isEmpty());
}

void MainWindowTest::documentsFolderIsMadeAndFilledOnce() {
    QTemporaryDir dir;
    const QString started = QDir::currentPath();
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    };
    const QString bundled = dir.filePath("bundled.txt");
    QVERIFY(write(bundled, "angle\ngent\n"));
    const QString folder = dir.filePath("Documents/Vorlaine");
    QString error;

    // Made on the first start, the list copied there.
    QVERIFY(EnterWordsFolder(folder, bundled, error));
    QCOMPARE(QDir::current(), QDir(folder));
    QCOMPARE(read(folder + "/wordlist.txt"), QByteArray("angle\ngent\n"));
    // A user's list, or a list changed since, stays as it is.
    QVERIFY(write(folder + "/wordlist.txt", "mine\n"));
    QVERIFY(write(folder + "/NewWordsList.txt", "found\r\n"));
    QVERIFY(EnterWordsFolder(folder, bundled, error));
    QCOMPARE(read(folder + "/wordlist.txt"), QByteArray("mine\n"));
    QCOMPARE(read(folder + "/NewWordsList.txt"), QByteArray("found\r\n"));
    // Without a list to copy, the folder is still the one to work in.
    const QString other = dir.filePath("Other");
    QVERIFY(EnterWordsFolder(other, dir.filePath("missing.txt"), error));
    QCOMPARE(QDir::current(), QDir(other));
    QVERIFY(!QFile::exists(other + "/wordlist.txt"));
    // A folder that cannot be made is said so.
    QVERIFY(!EnterWordsFolder(bundled + "/Vorlaine", bundled, error));
    QVERIFY2(error.contains("could not be made"), qPrintable(error));
    QVERIFY(QDir::setCurrent(started));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
