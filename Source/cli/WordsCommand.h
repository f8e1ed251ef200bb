#pragma once

#include "cli/Options.h"

namespace Vorlaine {

// The searches beyond the window's: the words of one seed, or of every seed of
// --seeds, as the options ask for them. Returns the exit status.
int RunWordsCommand(const Options& options);

} // namespace Vorlaine
