#pragma once

#include "files/WordListReader.h"
#include "search/query/WordList.h"
#include "search/query/WordSearch.h"

#include <QString>
#include <QTemporaryFile>
#include <functional>

namespace Vorlaine {

// The word list of a search from the command line. A list searched once goes
// through as it is read, after a counting pass, as the make-words run does; a
// list that can be read only once (standard input, a pipe) is copied to a
// temporary file on that pass, so memory stays bounded for it too. A list
// searched many times is kept in memory.
class ListInput {
public:
    explicit ListInput(const QString& path);

    enum class Use { SearchedOnce, SearchedOften };
    // Opens the list; false with the message to show when it cannot be read.
    bool open(Use use, QString& error);
    // Groups the list in memory for many searches.
    void index(WordSearch& search) const { search.buildIndex(list_); }

    WordSearch::Result search(const WordSearch& search, const WordQuery& query,
                              const WordSearch::Found& found, const WordSearch::Progress& progress);
    // The first line of the list read as Windows-1252, or 0.
    qint64 firstLineNotUtf8() const {
        return streams_ ? firstLineNotUtf8_ : list_.firstLineNotUtf8();
    }

    // Reads the list once more, from its start, handing each item to `each`
    // until it returns false; after a search. False, with the message, when
    // reading failed.
    bool forEachItem(const std::function<bool(QByteArrayView)>& each, QString& error);

    // Reading failed during a search.
    bool hasError() const { return streams_ && reader_.hasError(); }
    QString errorString() const;

private:
    bool countFile(QString& error);
    bool spool(QString& error);

    QString path_;
    QTemporaryFile spool_; // before the reader that may read it, so it closes after
    WordListReader reader_;
    WordList list_;
    bool streams_ = false;
    qint64 firstLineNotUtf8_ = 0;
    qint64 itemTotal_ = 0;
};

} // namespace Vorlaine
