#pragma once

#include <QWidget>
#include <chrono>
#include <memory>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Vorlaine {

class LiveRun;
class MessageBoxes;
class WordListBox;

// Vorlaine's one window: the four input boxes, the button that starts a run,
// the two status boxes, the credit buttons and the results box.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

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
    void createControls();
    void setDesignTabOrder();
    void cmdMakeWords_Click();

    QLineEdit* txtwordsleft;
    QLineEdit* txtReady;
    QPlainTextEdit* txtText1_good;
    QGroupBox* FraStartingLength;
    QLineEdit* txtminlength;
    QPushButton* cmdContactTavrin;
    QPushButton* cmdwebsite;
    QPushButton* cmdAbout;
    QGroupBox* FraOutputFile;
    QLineEdit* txtoutput;
    QGroupBox* FraWordlistFile;
    WordListBox* txtDragN;
    QLineEdit* txtTANGLED;
    QGroupBox* FraSeedWord;
    QPushButton* cmdMakeWords;

    std::unique_ptr<MessageBoxes> qtBoxes_;
    MessageBoxes* boxes_;
    std::chrono::milliseconds yieldInterval_{16}; // about one display frame
    LiveRun* run_ = nullptr;
};

} // namespace Vorlaine
