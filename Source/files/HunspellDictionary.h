#pragma once

#include "files/AffixRules.h"
#include "files/DictionaryLine.h"
#include "files/ForbiddenWords.h"
#include "files/WordFormExpander.h"

#include <QFile>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

namespace Vorlaine {

// A hunspell dictionary read as a word list: the .dic with the .aff of the
// same name beside it gives every word form that the dictionary accepts
// without compounding, each word followed by its forms, in the order of the
// .dic. The forms are made as the .dic is read, so memory is bounded by the
// affix rules, not by the forms.
class HunspellDictionary {
public:
    // A path names a hunspell dictionary when it ends in ".dic" (any case).
    static bool IsDictionaryPath(const QString& path);
    // The affix file beside a .dic: ".aff" in place of ".dic" (".AFF" for ".DIC").
    static QString AffixPathFor(const QString& dicPath);

    explicit HunspellDictionary(const QString& dicPath);
    ~HunspellDictionary();
    HunspellDictionary(const HunspellDictionary&) = delete;
    HunspellDictionary& operator=(const HunspellDictionary&) = delete;

    // Opens the .dic and reads the affix file beside it. False, with
    // errorString(), when either is missing, unreadable or malformed.
    bool open();

    // Writes the next word forms into `out` as UTF-8, each followed by '\n',
    // as many whole forms as fit in `room` bytes. Returns the bytes written;
    // 0 at the end of the dictionary, -1 on an error (errorString() names the
    // file and line).
    qint64 read(char* out, qint64 room);

    QString errorString() const { return error_; }

private:
    bool readCount();
    // Reads the whole .dic for its forbidden words, then starts it again.
    bool readForbiddenWords();
    // The word of a split line, unescaped, in UTF-8 and without the IGNORE
    // characters, in word_ until the next line; false when it is not valid
    // UTF-8.
    bool readWord(const DictionaryLine& parts);
    // Fills pending_ with the forms of the next line that has a word; false at
    // the end of the .dic or on an error.
    bool expandNextLine();
    bool expandLine(QByteArrayView line);
    // The next line without its line end, in the buffer until the next call.
    bool nextLine(QByteArrayView& line);
    bool fill();
    bool fail(const QString& what);
    bool failOnLine(const QString& what);

    QString dicPath_;
    QString dicName_;
    QFile file_;
    AffixRules rules_;
    std::unique_ptr<WordFormExpander> expander_;
    std::unique_ptr<char[]> buffer_;
    qsizetype begin_ = 0, end_ = 0;
    bool atFileEnd_ = false;
    qint64 lineNumber_ = 0;
    std::string pending_; // forms made but not yet read
    std::size_t pendingRead_ = 0;
    std::string_view word_; // the word of the line read last, in UTF-8
    std::string converted_, unescaped_;
    AffixFlags flags_;
    ForbiddenWords forbidden_;
    bool failed_ = false;
    QString error_;
};

} // namespace Vorlaine
