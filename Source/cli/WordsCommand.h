#pragma once

#include "cli/Command.h"
#include "cli/Options.h"

namespace Vorlaine {

// The searches of single words beyond the window's: the words of one seed,
// or of every seed of --seeds, as the query asks for them.
class WordsCommand : public Command {
public:
    explicit WordsCommand(const Options& options) : options_(options) {}
    int run(Console& console) override;

private:
    class Run;
    const Options& options_;
};

} // namespace Vorlaine
