#pragma once

#include <QString>
#include <QTemporaryFile>
#include <cstddef>
#include <string>
#include <string_view>

namespace Vorlaine {

// The sorted runs of a sort: records end to end, each after its size, in
// memory or, past the sort's budget, in a temporary file. On Unix the file
// loses its name as soon as it is open, so nothing is left behind however
// the run ends; elsewhere it is removed when closed.
class FileRun {
public:
    // False with the message when no file could be made.
    bool create(QString& error);
    // Appends runs' bytes; the message when they could not be written.
    bool write(std::string_view bytes, QString& error);
    // Done writing: reading starts at the beginning.
    bool rewind(QString& error);
    // Reads up to `most` bytes; -1 on an error.
    qint64 read(char* into, qint64 most) { return file_.read(into, most); }
    QString errorString() const;

private:
    QTemporaryFile file_;
};

// Reads the records of a run, one at a time, from memory or from a file.
class RunCursor {
public:
    explicit RunCursor(std::string_view run) : run_(run) {}
    explicit RunCursor(FileRun& file) : file_(&file) {}

    // Steps to the next record, the first to begin with; false at the end of
    // the run, or when the file could not be read (failed()).
    bool next();
    // The record stepped to.
    std::string_view record() const { return record_; }
    bool failed() const { return failed_; }

private:
    bool fill(std::size_t need);

    std::string_view run_; // unread records in memory or in buffer_
    FileRun* file_ = nullptr;
    std::string buffer_;
    std::string_view record_;
    bool failed_ = false;
};

// Appends records to a run in memory, or writes them to a file a block at a
// time.
class RunWriter {
public:
    explicit RunWriter(std::string& memory) : memory_(&memory) {}
    explicit RunWriter(FileRun& file) : file_(&file) {}

    bool add(std::string_view record, QString& error);
    bool finish(QString& error);

private:
    std::string* memory_ = nullptr;
    FileRun* file_ = nullptr;
    std::string block_;
};

} // namespace Vorlaine
