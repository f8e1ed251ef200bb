#pragma once

#include "cli/Options.h"

namespace Vorlaine {

// Anagrams of the whole seed made of up to --words words of the list, as the
// options ask for them. Returns the exit status.
int RunAnagramsCommand(const Options& options);

} // namespace Vorlaine
