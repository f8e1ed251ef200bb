#pragma once

#include <QStringList>
#include <memory>

namespace Vorlaine {

class Console;
struct Options;

// One way of running makewords: the window's run from the terminal, searches
// of single words, or phrase anagrams. A command gets what the options say,
// read and checked, and its streams through the console.
class Command {
public:
    virtual ~Command() = default;
    // Runs to the end and returns the exit status.
    virtual int run(Console& console) = 0;
};

// The command the options ask for.
std::unique_ptr<Command> ChooseCommand(const Options& options);

// makewords with these arguments (the program's name first), on these
// streams: reads the options, chooses the command and runs it. Returns the
// exit status.
int MakeWordsMain(const QStringList& arguments, Console& console);

} // namespace Vorlaine
