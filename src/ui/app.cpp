#include <windows.h>

#include "ui/main_window.h"
#include "ui/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    MainWindow mainWindow;
    if (!mainWindow.Load(instance)) return 1;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // A disabled main window (a dialog window is open) takes no shortcuts either.
        HWND main = mainWindow.hwnd();
        if (main && IsWindowEnabled(main) && TranslateAcceleratorA(main, accelerators, &message)) continue;
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root && IsDialogMessageA(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
