#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace Vorlaine {

// Appends words to the output file, one line each. The file is created when
// missing and never truncated or rewritten. Every line goes to the file in a
// single write before appendLine returns, so a crash loses no word already
// written and leaves no half line behind.
class OutputWriter {
public:
    explicit OutputWriter(const QString& path);

    bool open();
    // Writes the bytes and CR LF.
    bool appendLine(QByteArrayView bytes);
    // Writes whole lines, each already ending in CR LF, in one write: the file
    // gets all of them or, when the write fails part-way, none.
    bool appendLines(QByteArrayView lines);
    bool close();

    QString errorString() const { return errorString_; }

private:
    bool fail(const QString& reason);

    QFile file_;
    QByteArray line_;
    QString errorString_;
};

} // namespace Vorlaine
