#pragma once

#include <QString>
#include <QStringView>

namespace Vorlaine {

// The text with its accents taken off: canonical decomposition, then every
// combining mark dropped, so é, è and ê all become e. Case stays.
QString WithoutAccents(QStringView text);

// The letters a word is compared by: each UTF-16 code unit lower-cased on its
// own, as the letter fit does, after taking the accents off when asked.
QString LetterKey(QStringView word, bool foldAccents);

} // namespace Vorlaine
