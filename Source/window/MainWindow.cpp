#include "window/MainWindow.h"

#include "search/run/FieldTexts.h"
#include "search/run/MakeWordsRun.h"
#include "window/LiveRun.h"
#include "window/MessageBoxes.h"
#include "window/ProgramSetup.h"
#include "window/Twips.h"
#include "window/WordListBox.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <iterator>

namespace Vorlaine {

// Where a control sits in its container, in twips, and how it follows the
// window's size: its width is the window's outer width less widthMargin, and,
// where heightMargin is set, its height is the outer height less heightMargin
// as long as that is more than nothing.
struct ControlPlace {
    const char* name;
    const char* container; // nullptr: the window itself
    int left, top, width, height;
    int widthMargin;
    int heightMargin = 0;
};

namespace {

// The design, in its own order, which is also the stacking order.
constexpr ControlPlace Design[] = {
    {"txtwordsleft", nullptr, 120, 2880, 3015, 285, 320},
    {"txtReady", nullptr, 120, 2520, 3015, 285, 315},
    {"txtText1_good", nullptr, 120, 4320, 3015, 2175, 315, 4950},
    {"FraStartingLength", nullptr, 120, 1200, 3015, 615, 315},
    {"txtminlength", "FraStartingLength", 120, 240, 2775, 285, 555},
    {"cmdContactTavrin", nullptr, 120, 3960, 3015, 250, 315},
    {"cmdwebsite", nullptr, 120, 3720, 3015, 250, 315},
    {"cmdAbout", nullptr, 120, 3480, 3015, 250, 315},
    {"FraOutputFile", nullptr, 120, 1800, 3015, 615, 315},
    {"txtoutput", "FraOutputFile", 120, 240, 2775, 285, 555},
    {"FraWordlistFile", nullptr, 120, 600, 3015, 615, 315},
    {"txtDragN", "FraWordlistFile", 120, 240, 2775, 285, 555},
    // The seed box belongs to the window, not to its frame, and lies over the
    // frame where the other frames hold their boxes.
    {"txtTANGLED", nullptr, 240, 240, 2775, 285, 555},
    {"FraSeedWord", nullptr, 120, 0, 3015, 615, 315},
    {"cmdMakeWords", nullptr, 120, 3240, 3015, 250, 315},
};

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

const ControlPlace& PlaceOf(const char* name) {
    const auto* place = std::find_if(std::begin(Design), std::end(Design), [name](const auto& row) {
        return qstrcmp(row.name, name) == 0;
    });
    Q_ASSERT(place != std::end(Design));
    return *place;
}

void SetWidthInTwips(QWidget* widget, float width) {
    widget->resize(TwipsToExtent(width), widget->height());
}

void SetHeightInTwips(QWidget* widget, float height) {
    widget->resize(widget->width(), TwipsToExtent(height));
}

// Of all the boxes only the word-list box takes drops.
QLineEdit* RefuseDrops(QLineEdit* box) {
    box->setAcceptDrops(false);
    return box;
}

// The credits are for reading only: greyed, skipped by Tab, no action.
QPushButton* Inert(QPushButton* button) {
    button->setEnabled(false);
    return button;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), qtBoxes_(std::make_unique<QtMessageBoxes>()), boxes_(qtBoxes_.get()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vorlaine"));
    setWindowIcon(ProgramIcon());
    setFont(DesignFont());
    resize(TwipsToPixels(DesignClientWidth), TwipsToPixels(DesignClientHeight));

    createControls();
    setDesignTabOrder();
    seedEdit_->setFocus();

    connect(makeWordsButton_, &QPushButton::clicked, this, &MainWindow::makeWordsClicked);
}

MainWindow::~MainWindow() = default;

// Creates the control in its design container, names it and puts it in its
// design place.
template <typename Widget, typename... Args>
Widget* MainWindow::makeControl(const char* name, Args&&... args) {
    const ControlPlace& place = PlaceOf(name);
    QWidget* container =
        place.container ? findChild<QWidget*>(QLatin1String(place.container)) : this;
    auto* widget = new Widget(std::forward<Args>(args)..., container);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(TwipsToPixels(place.left), TwipsToPixels(place.top),
                        TwipsToExtent(place.width), TwipsToExtent(place.height));
    placed_.emplace_back(&place, widget);
    return widget;
}

void MainWindow::createControls() {
    const QString wordsLeft = QStringLiteral("Words left");
    wordsLeftBox_ = RefuseDrops(makeControl<QLineEdit>("txtwordsleft", wordsLeft));
    wordsLeftBox_->setAccessibleName(wordsLeft);

    const QString percentage = QStringLiteral("Percentage done");
    percentageBox_ = RefuseDrops(makeControl<QLineEdit>("txtReady", percentage));
    percentageBox_->setAccessibleName(percentage);

    resultsBox_ = makeControl<QPlainTextEdit>("txtText1_good");
    resultsBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resultsBox_->setTabChangesFocus(true);
    resultsBox_->setAcceptDrops(false);
    resultsBox_->setAccessibleName(QStringLiteral("Words found"));

    minimumLengthFrame_ =
        makeControl<QGroupBox>("FraStartingLength", QStringLiteral("Minimum Length"));
    minimumLengthEdit_ =
        RefuseDrops(makeControl<QLineEdit>("txtminlength", DefaultText(Field::MinimumLength)));
    minimumLengthEdit_->setToolTip(QStringLiteral("Starting length of the possible words"));

    contactButton_ = Inert(makeControl<QPushButton>(
        "cmdContactTavrin", QStringLiteral("Contact : vorlaine@vorlaine.invalid")));
    websiteButton_ = Inert(makeControl<QPushButton>(
        "cmdwebsite", QStringLiteral("Website : https://vorlaine.invalid")));
    authorButton_ =
        Inert(makeControl<QPushButton>("cmdAbout", QStringLiteral("Author : Vorlaine developers")));

    outputFrame_ = makeControl<QGroupBox>("FraOutputFile", QStringLiteral("Output File"));
    outputEdit_ = RefuseDrops(makeControl<QLineEdit>("txtoutput", DefaultText(Field::Output)));

    wordListFrame_ = makeControl<QGroupBox>("FraWordlistFile", QStringLiteral("Wordlist File"));
    wordListEdit_ = makeControl<WordListBox>("txtDragN");
    wordListEdit_->setText(DefaultText(Field::WordList));

    seedEdit_ = RefuseDrops(makeControl<QLineEdit>("txtTANGLED", DefaultText(Field::Seed)));
    seedFrame_ = makeControl<QGroupBox>("FraSeedWord", QStringLiteral("Seed Word"));
    // The frame came later, so the seed box must be brought back in front.
    seedEdit_->raise();

    makeWordsButton_ = makeControl<QPushButton>("cmdMakeWords", QStringLiteral("Make Words!"));
    makeWordsButton_->setToolTip(QStringLiteral(
        "If possible, uses config from config.inf file in the current directory, ie resumes"));

    // A screen reader names each input box after the frame that holds or covers it.
    seedEdit_->setAccessibleName(seedFrame_->title());
    wordListEdit_->setAccessibleName(wordListFrame_->title());
    minimumLengthEdit_->setAccessibleName(minimumLengthFrame_->title());
    outputEdit_->setAccessibleName(outputFrame_->title());
}

void MainWindow::setDesignTabOrder() {
    // Frames take no focus; the credit buttons are disabled and so skipped.
    const QList<QWidget*> order{seedEdit_,     wordListEdit_,  makeWordsButton_, outputEdit_,
                                authorButton_, websiteButton_, contactButton_,   minimumLengthEdit_,
                                resultsBox_,   percentageBox_, wordsLeftBox_};
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void MainWindow::setMessageBoxes(MessageBoxes* boxes) {
    boxes_ = boxes != nullptr ? boxes : qtBoxes_.get();
}

void MainWindow::LayoutControls() {
    if (isMinimized()) {
        return;
    }
    // Outer width and height in twips, read afresh for every control.
    const auto W = [this] { return PixelsToTwips(width()) + DesignFrameWidth; };
    const auto H = [this] { return PixelsToTwips(height()) + DesignFrameHeight; };

    for (const auto& [place, control] : placed_) {
        SetWidthInTwips(control, W() - static_cast<float>(place->widthMargin));
        // A short window leaves the box as it was.
        if (place->heightMargin > 0 && H() > static_cast<float>(place->heightMargin)) {
            SetHeightInTwips(control, H() - static_cast<float>(place->heightMargin));
        }
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutControls();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    LayoutControls();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A run in progress ends at its next yield with its files closed; the
    // window goes at once and the program ends when the run has returned.
    if (run_ != nullptr) {
        run_->abandon();
    }
    event->accept();
}

void MainWindow::makeWordsClicked() {
    // The button stays enabled during a run, but one run at a time: a press
    // handled during a yield is ignored.
    if (run_ != nullptr) {
        return;
    }
    const RunBoxes boxes{seedEdit_,      wordListEdit_, minimumLengthEdit_, outputEdit_,
                         percentageBox_, wordsLeftBox_, resultsBox_};
    LiveRun run(boxes, *boxes_, this, yieldInterval_);
    run_ = &run;
    const auto done = qScopeGuard([this] { run_ = nullptr; });
    RunMakeWords(run);
    run.showPending();
}

} // namespace Vorlaine
