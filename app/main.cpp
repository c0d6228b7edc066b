// Pulvar's entry: create the main window, show it, run the message loop.
#include <windows.h>
#include <commctrl.h>

#include "platform/com.h"
#include "platform/seams.h"
#include "platform/system_library.h"
#include "ui/controls/keyboard.h"
#include "ui/main/main_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // First of all, before any DLL is loaded on demand.
    pulvar::TakeCurrentFolderOutOfDllSearch();

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    MSG msg{};
    {
        pulvar::MainWindow form1(pulvar::RealServices());
        if (!form1.Create(showCommand)) return 1;

        while (GetMessageW(&msg, nullptr, 0, 0) > 0) pulvar::DeliverMessage(msg);
    }
    // The windows and their COM objects (the About window's picture) are gone.
    pulvar::LeaveCom();
    return static_cast<int>(msg.wParam);
}
