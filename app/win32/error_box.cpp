#include "error_box.h"

#include <windows.h>

#include "gbk_text.h"

void Win32FatalStopSink::showErrorBox(const Text& text, const Text& title) {
    // MB_TASKMODAL disables the program's window while the box is up, so no click reaches it.
    ::MessageBoxW(nullptr, fromGbk(text).c_str(), fromGbk(title).c_str(),
                  MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32FatalStopSink::exitProcess(int status) {
    // -1 reaches the parent as 0xFFFFFFFF.
    ::ExitProcess(static_cast<UINT>(status));
}
