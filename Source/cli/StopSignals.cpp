#include "cli/StopSignals.h"

#include <csignal>

namespace Vorlaine {

namespace {
volatile std::sig_atomic_t caught = 0;

// A second signal ends the program at once: the way out of a wait that the
// first one cannot end, such as a read from a terminal.
extern "C" void Catch(int number) {
    if (caught != 0) {
        std::signal(number, SIG_DFL);
        std::raise(number);
        return;
    }
    caught = number;
}
} // namespace

void StopSignals::catchThem() {
    std::signal(SIGINT, Catch);
    std::signal(SIGTERM, Catch);
#ifdef SIGBREAK
    // Windows' Ctrl-Break, the one stop a console can send to another process group.
    std::signal(SIGBREAK, Catch);
#endif
}

bool StopSignals::requested() {
    return caught != 0;
}

int StopSignals::signal() {
    return caught;
}

} // namespace Vorlaine
