#include "cli/Command.h"

#include "cli/Console.h"
#include "cli/Options.h"
#include "cli/PhraseAnagramsCommand.h"
#include "cli/WindowRunCommand.h"
#include "cli/WordsCommand.h"

namespace Vorlaine {

std::unique_ptr<Command> ChooseCommand(const Options& options) {
    if (options.phrase.maxWords >= 1)
        return std::make_unique<PhraseAnagramsCommand>(options);
    // A list that can be read only once is read as the searches read one.
    if (options.windowRun && !ReadsOnce(options.settings.text(Field::WordList)))
        return std::make_unique<WindowRunCommand>(options.settings);
    return std::make_unique<WordsCommand>(options);
}

int MakeWordsMain(const QStringList& arguments, Console& console) {
    Options options;
    if (const std::optional<int> status = ParseCommandLine(arguments, options, console))
        return *status;
    if (console.outFailed())
        return console.error(console.outFailure());
    return ChooseCommand(options)->run(console);
}

} // namespace Vorlaine
