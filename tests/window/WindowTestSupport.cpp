#include "WindowTestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

namespace Vorlaine::Testing {

void RecordingBoxes::showMessage(QWidget* parent, const QString& prompt, const QString& title,
                                 QMessageBox::Icon icon) {
    shown.append({prompt, title, icon, Control<QLineEdit>(*parent, "txtReady")->text(),
                  Control<QLineEdit>(*parent, "txtwordsleft")->text()});
}

QString WriteWordList(const QTemporaryDir& dir, const QStringList& words) {
    QFile file(dir.filePath(QStringLiteral("words.txt")));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(words.join("\r\n").toLatin1() + "\r\n") < 0) {
        qFatal("cannot write %s", qPrintable(file.fileName()));
    }
    return file.fileName();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PostTyping(QWidget* box, const QString& text) {
    const auto post = [box](int key, Qt::KeyboardModifiers modifiers, const QString& typed) {
        QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, key, modifiers, typed));
        QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyRelease, key, modifiers, typed));
    };
    post(Qt::Key_A, Qt::ControlModifier, {});
    for (const QChar c : text) {
        post(c.toUpper().unicode(), Qt::NoModifier, QString(c));
    }
}

} // namespace Vorlaine::Testing
