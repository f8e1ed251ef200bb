#pragma once

#include "cli/Command.h"
#include "search/run/FieldTexts.h"

namespace Vorlaine {

// The window's make-words run from a terminal, with only its four settings:
// the same run as the window's, with a "window" that prints each word found
// on standard output, the progress and the messages on standard error.
class WindowRunCommand : public Command {
public:
    explicit WindowRunCommand(const FieldTexts& settings) : settings_(settings) {}
    int run(Console& console) override;

private:
    FieldTexts settings_;
};

} // namespace Vorlaine
