// The owners of the GDI and USER handles the windows and controls create.
#pragma once

#include <windows.h>

#include "platform/owned.h"

namespace pulvar {

using Font = Owned<HFONT, DeleteObject>;
using Icon = Owned<HICON, DestroyIcon>;
using Bitmap = Owned<HBITMAP, DeleteObject>;
using Cursor = Owned<HCURSOR, DestroyCursor>;

// The program's module, where every resource lives.
inline HINSTANCE Module() { return GetModuleHandleW(nullptr); }

// Loads an icon image of the given size from the program's resources.
inline HICON LoadIconImage(int resourceId, int size) {
    return static_cast<HICON>(
        LoadImageW(Module(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace pulvar
