#include "cli/ListInput.h"

#include "cli/Options.h"

using namespace Qt::StringLiterals;

namespace Vorlaine {

ListInput::ListInput(const QString& path) : path_(path), reader_(path) {}

bool ListInput::open(bool searchedOften, QString& error) {
    const bool fromInput = IsStandardStream(path_);
    streams_ = !searchedOften && !fromInput;
    if (streams_) {
        WordListReader counter(path_);
        if (!counter.open()) {
            error = path_ + u" could not be opened: "_s + counter.errorString();
            return false;
        }
        if (!counter.countItems(itemTotal_)) {
            error = path_ + u" could not be read: "_s + counter.errorString();
            return false;
        }
        encoding_ = counter.encoding();
        reader_.setChecksEncoding(false);
    }
    if (!(fromInput ? reader_.openStandardInput() : reader_.open())) {
        error = path_ + u" could not be opened: "_s + reader_.errorString();
        return false;
    }
    if (!streams_) {
        if (!list_.load(reader_)) {
            error = path_ + u" could not be read: "_s + list_.errorString();
            return false;
        }
        reader_.close();
    }
    return true;
}

WordSearch::Outcome ListInput::search(const WordSearch& search, const WordQuery& query,
                                      const WordSearch::Found& found,
                                      const WordSearch::Progress& progress) {
    return streams_ ? search.run(query, reader_, encoding_, itemTotal_, found, progress)
                    : search.run(query, list_, found, progress);
}

QString ListInput::errorString() const {
    return path_ + u" could not be read: "_s + reader_.errorString();
}

} // namespace Vorlaine
