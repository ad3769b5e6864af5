#include <windows.h>

#include <string>

#include "storage/file_system.h"
#include "ui/main_window.h"
#include "ui/resource.h"

namespace {

// The project file named on the command line, as Explorer's "Open with", a file dropped on the
// program's icon and a file association name it: one path, in quotes when it holds blanks
// (without them the rest of the line is taken whole). "" for none.
std::string ProjectArgument(const char* commandLine) {
    std::string line = commandLine ? commandLine : "";
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) return "";
    if (line[start] == '"') {
        const size_t end = line.find('"', start + 1);
        return line.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }
    return line.substr(start, line.find_last_not_of(" \t") + 1 - start);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    MainWindow mainWindow;
    if (!mainWindow.Load(instance)) return 1;
    // Made full at once, from the folder it was named in: the profile functions would look for a
    // bare name in the Windows folder.
    const std::string project = ProjectArgument(commandLine);
    if (!project.empty()) mainWindow.OpenProject(FullPath(project));
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
