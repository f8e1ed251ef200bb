#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

class QTemporaryFile;

namespace Vorlaine {

// The word forms of the hunspell dictionaries read in this run, kept in a
// temporary file once a reader has made them all: a list is read twice
// (counted, then searched), and making a dictionary's forms again costs more
// than reading them back. A dictionary or affix file changed since is made
// anew.
class DictionarySpool {
public:
    // A path that reads every form of the dictionary, if a reader made them
    // all since its files last changed; empty otherwise.
    static QString FormsOf(const QString& dicPath);

    // Keeps the forms a reader makes, from the first; once it has them all,
    // later readers get them from FormsOf. Dropped unless finished.
    explicit DictionarySpool(const QString& dicPath);
    ~DictionarySpool();
    DictionarySpool(const DictionarySpool&) = delete;
    DictionarySpool& operator=(const DictionarySpool&) = delete;

    void append(QByteArrayView forms);
    // Every form was appended.
    void finish();

private:
    QString dicPath_;
    std::shared_ptr<QTemporaryFile> file_;
    QString path_;
    bool failed_ = false;
};

} // namespace Vorlaine
