#include "cli/ListInput.h"

#include "cli/Options.h"
#include "search/run/RunFiles.h"
#include "search/run/RunMessages.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace Vorlaine {

ListInput::ListInput(const QString& path)
    : path_(path), spool_(QDir::tempPath() + u"/makewords-XXXXXX"_s), reader_(path) {}

bool ListInput::open(Use use, QString& error) {
    streams_ = use == Use::SearchedOnce;
    if (streams_) {
        if (!(ReadsOnce(path_) ? spool(error) : countFile(error)))
            return false;
        reader_.setChecksEncoding(false);
        return true;
    }
    if (!(IsStandardStream(path_) ? reader_.openStandardInput() : reader_.open())) {
        error = RunMessage::CannotOpen(path_, reader_.errorString());
        return false;
    }
    if (!list_.load(reader_)) {
        error = RunMessage::CannotRead(path_, list_.errorString());
        return false;
    }
    reader_.close();
    return true;
}

bool ListInput::countFile(QString& error) {
    ListCount count;
    error = CountList(path_, count);
    if (!error.isEmpty())
        return false;
    itemTotal_ = count.items;
    firstLineNotUtf8_ = count.firstLineNotUtf8;
    if (!reader_.open()) {
        error = RunMessage::CannotOpen(path_, reader_.errorString());
        return false;
    }
    return true;
}

// Copies the items of a list that can be read only once (standard input, a
// pipe) to the spool file, one a line, counting them, and opens the spool
// for the search.
bool ListInput::spool(QString& error) {
    if (!spool_.open()) {
        error = u"no temporary file for the word list "_s + path_ + u": "_s + spool_.errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    // Open already, the spool needs no name: however the run ends, nothing is
    // left behind.
    QFile::remove(spool_.fileName());
#endif
    WordListReader input(path_);
    if (!(IsStandardStream(path_) ? input.openStandardInput() : input.open())) {
        error = RunMessage::CannotOpen(path_, input.errorString());
        return false;
    }
    QByteArray block;
    WordListItem item;
    const auto write = [&] {
        const bool written = spool_.write(block) == block.size();
        block.resize(0);
        return written;
    };
    for (;;) {
        const bool more = input.readItem(item);
        // Overlong items never fit; they are not kept.
        if (more && !item.overlong) {
            block.append(item.bytes.data(), item.bytes.size()).append('\n');
            ++itemTotal_;
        }
        if ((!more || block.size() >= 1 << 16) && !write()) {
            error = u"the word list "_s + path_ + u" could not be kept in "_s + QDir::tempPath() +
                    u": "_s + spool_.errorString();
            return false;
        }
        if (!more)
            break;
    }
    if (input.hasError()) {
        error = RunMessage::CannotRead(path_, input.errorString());
        return false;
    }
    firstLineNotUtf8_ = input.firstLineNotUtf8();
    if (!spool_.flush() || !spool_.seek(0) || !reader_.openDescriptor(spool_.handle())) {
        error = u"the word list "_s + path_ + u" could not be read back from "_s +
                QDir::tempPath() + u": "_s + spool_.errorString();
        return false;
    }
    return true;
}

WordSearch::Result ListInput::search(const WordSearch& search, const WordQuery& query,
                                     const WordSearch::Found& found,
                                     const WordSearch::Progress& progress) {
    return streams_ ? search.run(query, reader_, itemTotal_, found, progress)
                    : search.run(query, list_, found, progress);
}

bool ListInput::forEachItem(const std::function<bool(QByteArrayView)>& each, QString& error) {
    if (!streams_) {
        for (qsizetype item = 0; item < list_.size(); ++item) {
            if (!each(list_.bytes(item)))
                break;
        }
        return true;
    }
    // Standard input and pipes were kept in the spool, files are read again.
    const bool spooled = ReadsOnce(path_);
    WordListReader again(path_);
    again.setChecksEncoding(false);
    if (!(spooled ? spool_.seek(0) && again.openDescriptor(spool_.handle()) : again.open())) {
        error = RunMessage::CannotOpen(path_, again.errorString());
        return false;
    }
    WordListItem item;
    while (again.readItem(item)) {
        if (!item.overlong && !each(item.bytes))
            return true;
    }
    if (again.hasError()) {
        error = RunMessage::CannotRead(path_, again.errorString());
        return false;
    }
    return true;
}

QString ListInput::errorString() const {
    return RunMessage::CannotRead(path_, reader_.errorString());
}

} // namespace Vorlaine
