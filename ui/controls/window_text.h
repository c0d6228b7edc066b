// A window's text as UTF-8, the program's own encoding.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pulvar {

std::wstring WindowTextW(HWND hwnd);
std::string WindowTextUtf8(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);
// Sets the text only when it differs: a new text repaints the window (a
// title, its caption) and tells screen readers its name changed.
void ReplaceWindowTextUtf8(HWND hwnd, std::string_view text);

}  // namespace pulvar
