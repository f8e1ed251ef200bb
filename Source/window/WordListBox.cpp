#include "window/WordListBox.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace Vorlaine {

WordListBox::WordListBox(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(true);
}

void WordListBox::AcceptDroppedFile(const QMimeData* dropped) {
    if (dropped == nullptr || !dropped->hasUrls()) {
        return;
    }
    const QList<QUrl> urls = dropped->urls();
    if (urls.isEmpty()) {
        return;
    }
    // A URL that names no local file gives an empty path and is ignored.
    const QString path = QDir::toNativeSeparators(urls.first().toLocalFile());
    if (path.right(3).toLower() == QLatin1String("txt")) {
        setText(path);
    }
}

// QLineEdit's own handlers would move the caret and insert dropped text, so
// none of them is called: only file lists are taken, by AcceptDroppedFile.
void WordListBox::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void WordListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void WordListBox::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    AcceptDroppedFile(event->mimeData());
    event->acceptProposedAction();
}

} // namespace Vorlaine
