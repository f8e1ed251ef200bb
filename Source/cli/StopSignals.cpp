#include "cli/StopSignals.h"

#include <csignal>

namespace Vorlaine {

namespace {
volatile std::sig_atomic_t caught = 0;

extern "C" void Catch(int number) {
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
