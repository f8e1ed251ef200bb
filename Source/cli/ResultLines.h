#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

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
    // How the line of an anagram joins its words.
    struct Joins {
        QByteArrayView head, between, tail;
    };
    // The words that anagrams are made of, as printed, each with the join
    // after it, end to end: a line is then one copy a word, sixteen bytes at
    // a time, as anagrams come by the million.
    class AnagramWords {
    public:
        AnagramWords() = default;
        AnagramWords(const Joins& joins, std::span<const QByteArray> printed);

    private:
        friend class ResultLines;
        Joins joins_;
        std::string bytes_; // with room to read sixteen bytes past any word
        std::vector<qsizetype> starts_;
    };
    // Adds the line joins.head, words[indices[0]], joins.between, ...,
    // joins.tail, or `tail` instead where it is not null.
    bool addAnagram(const AnagramWords& words, std::span<const int> indices,
                    QByteArrayView tail = {});
    bool flush();
    // Flushes lines that have waited long; for a search that finds little.
    bool flushIfOld();

    qint64 count() const { return count_; }
    // Why the output file or standard output could not be written: the whole
    // message, naming which.
    const QString& errorString() const { return errorString_; }

private:
    // Lines gathered for one write: the room grows to the largest block and
    // is kept, so that adding a line is a copy and no more.
    class Block {
    public:
        // Room for `bytes` more at the end, and `slack` after them that
        // may be written but is not kept; where it starts.
        char* extend(qsizetype bytes, qsizetype slack = 0);
        QByteArrayView view() const { return {bytes_.get(), size_}; }
        qsizetype size() const { return size_; }
        void clear() { size_ = 0; }
        void truncate(qsizetype size) { size_ = std::min(size_, size); }

    private:
        std::unique_ptr<char[]> bytes_;
        qsizetype size_ = 0;
        qsizetype capacity_ = 0;
    };

    bool added();

    Console& console_;
    OutputWriter* file_;
    Block printed_;
    Block filed_;
    QElapsedTimer sinceFlushed_;
    qint64 count_ = 0;
    QString errorString_;
};

// Appends the text as a JSON string, quotes and all.
void AppendJsonString(QByteArray& json, QStringView text);

} // namespace Vorlaine
