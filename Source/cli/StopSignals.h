#pragma once

namespace Vorlaine {

// Ctrl-C (SIGINT) and SIGTERM ask a long search to stop, so that it can close
// its files with whole lines in them, instead of ending the program at once.
// A second one ends it at once.
class StopSignals {
public:
    static void catchThem();
    static bool requested();
    // The signal that asked, 0 if none.
    static int signal();
};

} // namespace Vorlaine
