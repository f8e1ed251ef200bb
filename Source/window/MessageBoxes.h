#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace Vorlaine {

// Where the window's message boxes go. The program uses Qt's modal boxes; the
// tests put their own in place to read and answer them.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows a modal box with one OK button and returns once it is closed.
    virtual void showMessage(QWidget* parent, const QString& prompt, const QString& title,
                             QMessageBox::Icon icon) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& prompt, const QString& title,
                     QMessageBox::Icon icon) override;
};

} // namespace Vorlaine
