#include "ui/controls/window_text.h"

#include "platform/text.h"

namespace pulvar {

std::wstring WindowTextW(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

std::string WindowTextUtf8(HWND hwnd) { return Narrow(WindowTextW(hwnd)); }

void SetWindowTextUtf8(HWND hwnd, std::string_view text) { SetWindowTextW(hwnd, Widen(text).c_str()); }

void ReplaceWindowTextUtf8(HWND hwnd, std::string_view text) {
    const std::wstring wide = Widen(text);
    if (WindowTextW(hwnd) != wide) SetWindowTextW(hwnd, wide.c_str());
}

}  // namespace pulvar
