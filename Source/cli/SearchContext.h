#pragma once

#include "cli/Options.h"
#include "cli/ResultLines.h"
#include "files/OutputWriter.h"
#include "search/letters/TileValues.h"

#include <QString>
#include <optional>

namespace Vorlaine {

class Console;

// How a search of makewords ended: the one value a command hands to
// SearchContext::finish, which turns it into the report or the error and the
// exit status.
struct SearchEnd {
    enum class Kind { Done, Stopped, Failed };
    Kind kind = Kind::Done;
    QString message; // why it failed

    static SearchEnd failed(const QString& message) { return {Kind::Failed, message}; }
};

// What the searches beyond the window's share: their tile values, the checks
// of the make-words run on the files, the output file and its lines, and the
// report at the end.
class SearchContext {
public:
    SearchContext(const Options& options, Console& console);

    // Reads the tile values and checks the files as the make-words run does:
    // every file read must exist, and none may be the output file. Returns
    // the exit status when the search cannot run. Nothing is created yet.
    std::optional<int> start();
    // Opens the output file, once the inputs are read, and from then on lets
    // Ctrl-C stop the search cleanly. Returns the exit status when it fails.
    std::optional<int> openOutput();

    Console& console() { return console_; }
    const TileValues& tiles() const { return tiles_; }
    ResultLines& lines() { return lines_; }

    // Writes the last lines, closes the output file and reports on standard
    // error how the search ended: how many `found` (words, anagrams) there
    // are, or why it failed. Returns the exit status. A failed write to
    // either output turns any end into that failure.
    int finish(const SearchEnd& end, const QString& found);

private:
    const Options& options_;
    Console& console_;
    const QString outputPath_;
    const bool printOnly_;
    TileValues tiles_ = TileValues::English();
    OutputWriter output_;
    ResultLines lines_;
};

} // namespace Vorlaine
