#pragma once

#include "search/run/RunWindow.h"

#include <QString>

namespace Vorlaine {

enum class RunOutcome {
    Finished,  // the final report was shown
    Failed,    // a check or a file operation failed; an error message was shown
    Abandoned, // the window went away during a yield; no report was shown
};

// Texts of the two status boxes for the item in hand.
struct ProgressTexts {
    QString percentage; // e.g. " 25%"
    QString wordsLeft;  // e.g. " 3 words left"
};
ProgressTexts ProgressText(double itemTotal, double itemIndex);

// The make-words run: checks the settings in the window's fields, counts the
// word list, then walks it and appends every word that is long enough, fits the
// seed's letters and was not accepted before to the output file and the window.
RunOutcome RunMakeWords(RunWindow& window);

} // namespace Vorlaine
