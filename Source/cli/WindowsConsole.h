#pragma once

namespace Vorlaine {

// Windows only. For as long as it lives, a console shows makewords' UTF-8
// output as UTF-8 and draws the progress line's escape sequences; the console's
// own settings come back at the end, as the next program expects them.
class WindowsConsole {
public:
    WindowsConsole();
    ~WindowsConsole();
    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

private:
    // Windows' UINT, HANDLE and DWORD, without <windows.h> in every includer.
    unsigned int outputCodePage_ = 0;
    void* error_ = nullptr;
    unsigned long errorMode_ = 0;
    bool errorModeSet_ = false;
};

} // namespace Vorlaine
