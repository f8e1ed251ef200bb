#pragma once

#include <QtGlobal>

namespace Vorlaine {

// The longest word Vorlaine handles, in UTF-16 code units. The letter fit counts
// in 16 bits, and the position after the last unit must fit too. Longer items
// of a list never fit.
inline constexpr qsizetype MaxWordLength = 32766;

} // namespace Vorlaine
