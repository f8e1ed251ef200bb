#pragma once

#include <QWidget>
#include <chrono>
#include <memory>
#include <vector>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Vorlaine {

class LiveRun;
class MessageBoxes;
class WordListBox;
struct ControlPlace;

// Vorlaine's one window: the four input boxes, the button that starts a run,
// the two status boxes, the credit buttons and the results box. Each control's
// object name is its name in the window's design (txtTANGLED, cmdMakeWords, …).
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Where a run's message boxes go; nullptr restores Qt's modal boxes.
    void setMessageBoxes(MessageBoxes* boxes);
    // How often a run lets the window handle its events; zero means at every
    // yield of the run.
    void setYieldInterval(std::chrono::milliseconds interval) { yieldInterval_ = interval; }
    bool isRunning() const { return run_ != nullptr; }

    // Fits the widths, and the results box's height, to the window's size.
    void LayoutControls();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    template <typename Widget, typename... Args>
    Widget* makeControl(const char* name, Args&&... args);
    void createControls();
    void setDesignTabOrder();
    void makeWordsClicked();

    QLineEdit* wordsLeftBox_;
    QLineEdit* percentageBox_;
    QPlainTextEdit* resultsBox_;
    QGroupBox* minimumLengthFrame_;
    QLineEdit* minimumLengthEdit_;
    QPushButton* contactButton_;
    QPushButton* websiteButton_;
    QPushButton* authorButton_;
    QGroupBox* outputFrame_;
    QLineEdit* outputEdit_;
    QGroupBox* wordListFrame_;
    WordListBox* wordListEdit_;
    QLineEdit* seedEdit_;
    QGroupBox* seedFrame_;
    QPushButton* makeWordsButton_;

    // Every control with its place in the design, for LayoutControls.
    std::vector<std::pair<const ControlPlace*, QWidget*>> placed_;

    std::unique_ptr<MessageBoxes> qtBoxes_;
    MessageBoxes* boxes_;
    std::chrono::milliseconds yieldInterval_{16}; // about one display frame
    LiveRun* run_ = nullptr;
};

} // namespace Vorlaine
