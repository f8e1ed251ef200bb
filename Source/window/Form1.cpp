#include "Form1.h"

#include "LiveRun.h"
#include "MakeWordsRun.h"
#include "MessageBoxes.h"
#include "ProgramSetup.h"
#include "Twips.h"
#include "WordListBox.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace Vorlaine {

namespace {

// The client area as designed, in twips.
constexpr int DesignClientWidth = 3255;
constexpr int DesignClientHeight = 6615;
// The design's frame and caption bar. The window's width and height are taken
// as the client area plus these, whatever the desktop's own frame is (none at
// all without a window manager), so the layout matches the design at the
// design size on every platform.
constexpr float DesignFrameWidth = 75;   // 3330 - 3255
constexpr float DesignFrameHeight = 510; // 7125 - 6615

QFont DesignFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // Where Tahoma is missing, the system's sans-serif stands in.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void PlaceInTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToExtent(width),
                        TwipsToExtent(height));
}

void SetWidthInTwips(QWidget* widget, float width) {
    widget->resize(TwipsToExtent(width), widget->height());
}

void SetHeightInTwips(QWidget* widget, float height) {
    widget->resize(widget->width(), TwipsToExtent(height));
}

template <typename Widget, typename... Args>
Widget* MakeControl(QWidget* container, const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., container);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit* MakeTextBox(QWidget* container, const char* name, const QString& text) {
    auto* box = MakeControl<QLineEdit>(container, name, text);
    // Of all the boxes only the word-list box takes drops.
    box->setAcceptDrops(false);
    return box;
}

QPushButton* MakeCreditButton(QWidget* container, const char* name, const QString& text) {
    auto* button = MakeControl<QPushButton>(container, name, text);
    // The credits are for reading only: greyed, skipped by Tab, no action.
    button->setEnabled(false);
    return button;
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent), qtBoxes_(std::make_unique<QtMessageBoxes>()), boxes_(qtBoxes_.get()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vorlaine"));
    setWindowIcon(ProgramIcon());
    setFont(DesignFont());
    resize(TwipsToPixels(DesignClientWidth), TwipsToPixels(DesignClientHeight));

    createControls();
    setDesignTabOrder();
    txtTANGLED->setFocus();

    connect(cmdMakeWords, &QPushButton::clicked, this, &Form1::cmdMakeWords_Click);
}

Form1::~Form1() = default;

void Form1::createControls() {
    // Created in the design's own order, which is also the stacking order.
    txtwordsleft = MakeTextBox(this, "txtwordsleft", QStringLiteral("Words left"));
    PlaceInTwips(txtwordsleft, 120, 2880, 3015, 285);

    txtReady = MakeTextBox(this, "txtReady", QStringLiteral("Percentage done"));
    PlaceInTwips(txtReady, 120, 2520, 3015, 285);

    txtText1_good = MakeControl<QPlainTextEdit>(this, "txtText1_good");
    txtText1_good->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtText1_good->setTabChangesFocus(true);
    txtText1_good->setAcceptDrops(false);
    PlaceInTwips(txtText1_good, 120, 4320, 3015, 2175);

    FraStartingLength =
        MakeControl<QGroupBox>(this, "FraStartingLength", QStringLiteral("Minimum Length"));
    PlaceInTwips(FraStartingLength, 120, 1200, 3015, 615);

    txtminlength = MakeTextBox(FraStartingLength, "txtminlength", QStringLiteral("4"));
    txtminlength->setToolTip(QStringLiteral("Starting length of the possible words"));
    PlaceInTwips(txtminlength, 120, 240, 2775, 285);

    cmdContactTavrin = MakeCreditButton(this, "cmdContactTavrin",
                                        QStringLiteral("Contact : vorlaine@vorlaine.invalid"));
    PlaceInTwips(cmdContactTavrin, 120, 3960, 3015, 250);

    cmdwebsite =
        MakeCreditButton(this, "cmdwebsite", QStringLiteral("Website : https://vorlaine.invalid"));
    PlaceInTwips(cmdwebsite, 120, 3720, 3015, 250);

    cmdAbout = MakeCreditButton(this, "cmdAbout", QStringLiteral("Author : Vorlaine developers"));
    PlaceInTwips(cmdAbout, 120, 3480, 3015, 250);

    FraOutputFile = MakeControl<QGroupBox>(this, "FraOutputFile", QStringLiteral("Output File"));
    PlaceInTwips(FraOutputFile, 120, 1800, 3015, 615);

    txtoutput = MakeTextBox(FraOutputFile, "txtoutput", QStringLiteral("NewWordsList.txt"));
    PlaceInTwips(txtoutput, 120, 240, 2775, 285);

    FraWordlistFile =
        MakeControl<QGroupBox>(this, "FraWordlistFile", QStringLiteral("Wordlist File"));
    PlaceInTwips(FraWordlistFile, 120, 600, 3015, 615);

    txtDragN = MakeControl<WordListBox>(FraWordlistFile, "txtDragN");
    txtDragN->setText(QStringLiteral("wordlist.txt"));
    PlaceInTwips(txtDragN, 120, 240, 2775, 285);

    // The seed box belongs to the window, not to its frame, and lies over the
    // frame where the other frames hold their boxes.
    txtTANGLED = MakeTextBox(this, "txtTANGLED", QStringLiteral("TANGLE"));
    PlaceInTwips(txtTANGLED, 240, 240, 2775, 285);

    FraSeedWord = MakeControl<QGroupBox>(this, "FraSeedWord", QStringLiteral("Seed Word"));
    PlaceInTwips(FraSeedWord, 120, 0, 3015, 615);

    cmdMakeWords = MakeControl<QPushButton>(this, "cmdMakeWords", QStringLiteral("Make Words!"));
    cmdMakeWords->setToolTip(QStringLiteral(
        "If possible, uses config from config.inf file in the current directory, ie resumes"));
    PlaceInTwips(cmdMakeWords, 120, 3240, 3015, 250);

    // The frame came later, so the seed box must be brought back in front.
    txtTANGLED->raise();
}

void Form1::setDesignTabOrder() {
    // Frames take no focus; the credit buttons are disabled and so skipped.
    const QList<QWidget*> order{txtTANGLED,    txtDragN,   cmdMakeWords,     txtoutput,
                                cmdAbout,      cmdwebsite, cmdContactTavrin, txtminlength,
                                txtText1_good, txtReady,   txtwordsleft};
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form1::setMessageBoxes(MessageBoxes* boxes) {
    boxes_ = boxes != nullptr ? boxes : qtBoxes_.get();
}

void Form1::LayoutControls() {
    if (isMinimized()) {
        return;
    }
    // Outer width and height in twips, read afresh for every control.
    const auto W = [this] { return PixelsToTwips(width()) + DesignFrameWidth; };
    const auto H = [this] { return PixelsToTwips(height()) + DesignFrameHeight; };

    SetWidthInTwips(txtTANGLED, W() - 555);
    SetWidthInTwips(txtDragN, W() - 555);
    SetWidthInTwips(txtminlength, W() - 555);
    SetWidthInTwips(txtoutput, W() - 555);
    SetWidthInTwips(txtReady, W() - 315);
    SetWidthInTwips(txtwordsleft, W() - 320);
    SetWidthInTwips(txtText1_good, W() - 315);
    // A short window leaves the results box as it was.
    if (H() > 4950) {
        SetHeightInTwips(txtText1_good, H() - 4950);
    }
    SetWidthInTwips(cmdMakeWords, W() - 315);
    SetWidthInTwips(cmdAbout, W() - 315);
    SetWidthInTwips(cmdwebsite, W() - 315);
    SetWidthInTwips(cmdContactTavrin, W() - 315);
    SetWidthInTwips(FraSeedWord, W() - 315);
    SetWidthInTwips(FraWordlistFile, W() - 315);
    SetWidthInTwips(FraStartingLength, W() - 315);
    SetWidthInTwips(FraOutputFile, W() - 315);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutControls();
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    LayoutControls();
}

void Form1::closeEvent(QCloseEvent* event) {
    // A run in progress ends at its next yield with its files closed; the
    // window goes at once and the program ends when the run has returned.
    if (run_ != nullptr) {
        run_->abandon();
    }
    event->accept();
}

void Form1::cmdMakeWords_Click() {
    // The button stays enabled during a run, but one run at a time: a press
    // handled during a yield is ignored.
    if (run_ != nullptr) {
        return;
    }
    const FieldBoxes fields{txtTANGLED, txtDragN,     txtminlength, txtoutput,
                            txtReady,   txtwordsleft, txtText1_good};
    LiveRun run(fields, *boxes_, this, yieldInterval_);
    run_ = &run;
    const auto done = qScopeGuard([this] { run_ = nullptr; });
    RunMakeWords(run);
    run.showPending();
}

} // namespace Vorlaine
