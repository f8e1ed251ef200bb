#include "window/DocumentsFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace Vorlaine {

QString BundledWordList() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" VORLAINE_DATA_FROM_PROGRAM "/wordlist.txt"));
}

QString DocumentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + u"/Vorlaine"_s;
}

bool EnterWordsFolder(const QString& folder, const QString& bundledList, QString& error) {
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        error = QDir::toNativeSeparators(folder) + u" could not be made or entered."_s;
        return false;
    }
    const QString list = u"wordlist.txt"_s;
    // A list that is there, even a broken link, is the user's.
    if (!QFileInfo(list).exists() && !QFileInfo(list).isSymLink() && QFile::copy(bundledList, list))
        QFile::setPermissions(list, QFile::permissions(list) | QFile::WriteOwner);
    return true;
}

} // namespace Vorlaine
