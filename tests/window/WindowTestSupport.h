#pragma once

#include "window/MessageBoxes.h"

#include <QStringList>
#include <QWidget>

class QTemporaryDir;

namespace Vorlaine::Testing {

// A box as the run showed it, with the status boxes as they read meanwhile.
struct ShownMessage {
    QString prompt;
    QString title;
    QMessageBox::Icon icon;
    QString percentage;
    QString wordsLeft;
};

// Answers every box at once and keeps what it showed.
class RecordingBoxes final : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& prompt, const QString& title,
                     QMessageBox::Icon icon) override;
    QList<ShownMessage> shown;
};

// The control with this object name; ends the tests when there is none.
template <typename Widget = QWidget> Widget* Control(const QWidget& form, const char* name) {
    auto* widget = form.findChild<Widget*>(QLatin1String(name));
    if (widget == nullptr) {
        qFatal("no control named %s", name);
    }
    return widget;
}

// Writes the words, one per CR LF line, into the folder; returns the path.
QString WriteWordList(const QTemporaryDir& dir, const QStringList& words);
QByteArray ReadFile(const QString& path);

// Queues the keys that select all of a box's text and type over it; they are
// handled when the window next processes its events.
void PostTyping(QWidget* box, const QString& text);

} // namespace Vorlaine::Testing
