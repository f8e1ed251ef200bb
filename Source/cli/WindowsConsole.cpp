#include "cli/WindowsConsole.h"

#include <windows.h>

namespace Vorlaine {

WindowsConsole::WindowsConsole() {
    // Zero when the program has no console at all.
    outputCodePage_ = GetConsoleOutputCP();
    if (outputCodePage_ != 0 && outputCodePage_ != CP_UTF8)
        SetConsoleOutputCP(CP_UTF8);
    error_ = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error_ != INVALID_HANDLE_VALUE && GetConsoleMode(error_, &mode)) {
        errorMode_ = mode;
        errorModeSet_ = SetConsoleMode(error_, mode | ENABLE_PROCESSED_OUTPUT |
                                                   ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
    }
}

WindowsConsole::~WindowsConsole() {
    if (errorModeSet_)
        SetConsoleMode(error_, static_cast<DWORD>(errorMode_));
    if (outputCodePage_ != 0 && outputCodePage_ != CP_UTF8)
        SetConsoleOutputCP(outputCodePage_);
}

} // namespace Vorlaine
