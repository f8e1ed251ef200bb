#include "search/query/SortRuns.h"

#include "search/letters/PackedText.h"

#include <QDir>
#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {
constexpr std::size_t BlockSize = std::size_t{1} << 18;
}

bool FileRun::create(QString& error) {
    file_.setFileTemplate(QDir::tempPath() + u"/makewords-sort-XXXXXX"_s);
    if (!file_.open()) {
        error = u"no temporary file for the sort in "_s + QDir::tempPath() + u": "_s +
                file_.errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    QFile::remove(file_.fileName());
#endif
    return true;
}

bool FileRun::write(std::string_view bytes, QString& error) {
    if (file_.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
        static_cast<qint64>(bytes.size()))
        return true;
    error = u"the sort could not keep its words in "_s + QDir::tempPath() + u": "_s + errorString();
    return false;
}

bool FileRun::rewind(QString& error) {
    if (file_.flush() && file_.seek(0))
        return true;
    error = u"the sort could not read its words back from "_s + QDir::tempPath() + u": "_s +
            errorString();
    return false;
}

QString FileRun::errorString() const {
    return file_.errorString();
}

bool RunCursor::fill(std::size_t need) {
    // The unread bytes go to the front, then the file tops the buffer up.
    const std::size_t kept = run_.size();
    if (kept > 0)
        std::memmove(buffer_.data(), run_.data(), kept);
    buffer_.resize(std::max({buffer_.size(), need, BlockSize}));
    std::size_t size = kept;
    while (size < need) {
        const qint64 read =
            file_->read(buffer_.data() + size, static_cast<qint64>(buffer_.size() - size));
        if (read <= 0) {
            failed_ = read < 0;
            run_ = {buffer_.data(), size};
            return false;
        }
        size += static_cast<std::size_t>(read);
    }
    run_ = {buffer_.data(), size};
    return true;
}

bool RunCursor::next() {
    // A record's size takes at most ten bytes.
    if (file_ != nullptr && run_.size() < 10)
        fill(10);
    if (failed_ || run_.empty())
        return false;
    const char* at = run_.data();
    const auto size = static_cast<std::size_t>(ReadVarint(at));
    const auto head = static_cast<std::size_t>(at - run_.data());
    if (file_ != nullptr && run_.size() < head + size && !fill(head + size)) {
        failed_ = true;
        return false;
    }
    at = run_.data() + head;
    record_ = {at, size};
    run_.remove_prefix(head + size);
    return true;
}

bool RunWriter::add(std::string_view record, QString& error) {
    std::string& to = memory_ != nullptr ? *memory_ : block_;
    AppendVarint(to, record.size());
    to.append(record);
    if (file_ != nullptr && block_.size() >= BlockSize) {
        const bool written = file_->write(block_, error);
        block_.clear();
        return written;
    }
    return true;
}

bool RunWriter::finish(QString& error) {
    if (file_ == nullptr)
        return true;
    const bool written = block_.empty() || file_->write(block_, error);
    block_.clear();
    return written && file_->rewind(error);
}

} // namespace Vorlaine
