#include "window/MessageBoxes.h"

namespace Vorlaine {

void QtMessageBoxes::showMessage(QWidget* parent, const QString& prompt, const QString& title,
                                 QMessageBox::Icon icon) {
    // Prompts break lines with CR LF; a label shows a lone CR as a glyph.
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // A path in the prompt must never be taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace Vorlaine
