#pragma once

#include <QString>

namespace Vorlaine {

// The word list that comes with Vorlaine, as installed beside the program.
QString BundledWordList();

// The folder where a user's words go when Vorlaine is started from a menu:
// Vorlaine in the user's documents.
QString DocumentsFolder();

// Makes `folder` when it is missing, copies `bundledList` into it as
// wordlist.txt when it holds none, and makes it the current folder, so that
// the window's default file names are found there. A wordlist.txt that is
// there already, the user's own or an earlier copy, is never touched. False,
// with the reason, when the folder cannot be made or entered; a list that
// cannot be copied only leaves the folder without one.
bool EnterWordsFolder(const QString& folder, const QString& bundledList, QString& error);

} // namespace Vorlaine
