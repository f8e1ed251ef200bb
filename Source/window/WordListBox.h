#pragma once

#include <QLineEdit>

class QMimeData;

namespace Vorlaine {

// The word-list path box. Files dropped on it set its text when their name
// ends in "txt"; it never inserts dropped text itself.
class WordListBox : public QLineEdit {
    Q_OBJECT

public:
    explicit WordListBox(QWidget* parent = nullptr);

    // Takes the first file of the drop; its full path goes into the box when
    // the last three characters, lower-cased, are "txt".
    void AcceptDroppedFile(const QMimeData* dropped);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace Vorlaine
