#pragma once

#include "cli/Command.h"
#include "cli/Options.h"

namespace Vorlaine {

// Anagrams of the whole seed made of up to --words words of the list, as the
// phrase rules and the query of the words ask for them.
class PhraseAnagramsCommand : public Command {
public:
    explicit PhraseAnagramsCommand(const Options& options) : options_(options) {}
    int run(Console& console) override;

private:
    class Run;
    const Options& options_;
};

} // namespace Vorlaine
