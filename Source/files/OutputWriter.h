#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace Vorlaine {

// Appends words to the output file, one line each. The file is created when
// missing and never truncated or rewritten. Every line goes to the file in a
// single write before appendLine returns, so a crash loses no word already
// written. A write that fails part-way is taken back to its last whole line.
// Only a program killed
// outright in the middle of a write can leave part of a line: Linux copies a
// write into the file a page at a time and stops between two pages for a
// kill, so the cut falls where a 4,096-byte page of the file ends. A file
// whose last line has no line end, so cut or written by hand, gets one before
// the first new line, so that no word is glued to it.
class OutputWriter {
public:
    explicit OutputWriter(const QString& path);

    bool open();
    // Writes the bytes and CR LF.
    bool appendLine(QByteArrayView bytes);
    // Writes whole lines, each already ending in CR LF, in one write: the file
    // gets all of them or, when the write fails part-way, those of them that
    // it got whole; linesKept() tells how many.
    bool appendLines(QByteArrayView lines);
    // How many lines of an appendLines that failed stayed in the file.
    qsizetype linesKept() const { return linesKept_; }
    bool close();

    QString errorString() const { return errorString_; }
    const QString& path() const { return path_; }

private:
    bool fail(const QString& reason);
    // What of a write that fails part-way stays: nothing, or its whole lines.
    enum Keep { Nothing, WholeLines };
    bool write(QByteArrayView bytes, Keep keep);

    QString path_;
    QFile file_;
    QByteArray line_;
    // What the file's last line lacks of a line end, written before the
    // first new line.
    QByteArray unfinishedLine_;
    // The file's size as this writer's own writes leave it; asking the system
    // for it before every write would double the calls.
    qint64 size_ = 0;
    qsizetype linesKept_ = 0;
    QString errorString_;
};

} // namespace Vorlaine
