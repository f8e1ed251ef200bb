#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>
#include <span>

namespace Vorlaine {

class Console;
class OutputWriter;

// The lines a search prints: to standard output, and to the output file when
// there is one, each line there ending in CR LF. Lines are gathered and
// written in blocks, the file's first, so a search that lists millions of
// lines is not held up by a write for each; a block goes out once it is large
// or a fifth of a second old, and every block holds whole lines only.
class ResultLines {
public:
    ResultLines(Console& console, OutputWriter* file);

    // `filed` is the line as the file gets it, if other than as printed.
    bool add(QByteArrayView printed, QByteArrayView filed = {});
    // Adds the line head, parts (with `between` after all but the last),
    // tail, written straight into the blocks: anagrams come by the million.
    bool addJoined(QByteArrayView head, std::span<const QByteArrayView> parts,
                   QByteArrayView between, QByteArrayView tail);
    bool flush();
    // Flushes lines that have waited long; for a search that finds little.
    bool flushIfOld();

    qint64 count() const { return count_; }
    // Why the output file or standard output could not be written: the whole
    // message, naming which.
    const QString& errorString() const { return errorString_; }

private:
    bool added();

    Console& console_;
    OutputWriter* file_;
    QByteArray printed_;
    QByteArray filed_;
    QElapsedTimer sinceFlushed_;
    qint64 count_ = 0;
    QString errorString_;
};

// Appends the bytes, then `end`, in one step.
void AppendBytes(QByteArray& to, QByteArrayView bytes, QByteArrayView end = {});

// Appends the text as a JSON string, quotes and all.
void AppendJsonString(QByteArray& json, QStringView text);

} // namespace Vorlaine
