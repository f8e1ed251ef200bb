#include "files/DictionarySpool.h"

#include "files/HunspellDictionary.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <map>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

// When the dictionary's two files last changed, and how long they are.
QString Stamp(const QString& dicPath) {
    QString stamp;
    for (const QString& path : {dicPath, HunspellDictionary::AffixPathFor(dicPath)}) {
        const QFileInfo info(path);
        stamp += QString::number(info.lastModified().toMSecsSinceEpoch()) + u'/' +
                 QString::number(info.size()) + u';';
    }
    return stamp;
}

struct Kept {
    QString stamp;
    std::shared_ptr<QTemporaryFile> file;
    QString path; // that opens it again
};

std::map<QString, Kept>& KeptForms() {
    static std::map<QString, Kept> kept;
    return kept;
}

QString Key(const QString& dicPath) {
    return QFileInfo(dicPath).absoluteFilePath();
}

} // namespace

QString DictionarySpool::FormsOf(const QString& dicPath) {
    const auto found = KeptForms().find(Key(dicPath));
    if (found == KeptForms().end() || found->second.stamp != Stamp(dicPath))
        return {};
    return found->second.path;
}

DictionarySpool::DictionarySpool(const QString& dicPath)
    : dicPath_(dicPath),
      file_(std::make_shared<QTemporaryFile>(QDir::tempPath() + u"/vorlaine-forms-XXXXXX"_s)) {
    failed_ = !file_->open();
#ifdef Q_OS_LINUX
    // Open already, the file needs no name on Linux, where it can be opened
    // again through the descriptor: however the run ends, nothing is left.
    if (!failed_ && QFile::remove(file_->fileName()))
        path_ = u"/proc/self/fd/"_s + QString::number(file_->handle());
    else
#endif
        path_ = file_->fileName();
}

DictionarySpool::~DictionarySpool() = default;

void DictionarySpool::append(QByteArrayView forms) {
    failed_ = failed_ || file_->write(forms.data(), forms.size()) != forms.size();
}

void DictionarySpool::finish() {
    if (failed_ || !file_->flush())
        return;
    KeptForms()[Key(dicPath_)] = {Stamp(dicPath_), file_, path_};
    failed_ = true; // kept: nothing more to append
}

} // namespace Vorlaine
