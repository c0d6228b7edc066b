// A window's text as UTF-8, the program's own encoding.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pulvar {

std::wstring WindowTextW(HWND hwnd);
std::string WindowTextUtf8(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);

}  // namespace pulvar
