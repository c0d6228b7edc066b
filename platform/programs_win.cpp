#include "platform/programs.h"

#include <windows.h>

#include "platform/owned.h"
#include "platform/text.h"

namespace pulvar {

namespace {

using Handle = Owned<HANDLE, CloseHandle>;

class WinPrograms : public Programs {
public:
    bool FileExists(const std::string& path) override {
        if (path.empty()) return false;
        DWORD attributes = GetFileAttributesW(Widen(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return false;
        return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    }

    bool Start(const std::string& path) override {
        if (path.empty()) return false;
        // The path is the program itself, never parsed out of a command line,
        // so blanks in it need no care; the command line repeats it quoted
        // because that is what the program sees as its name.
        std::wstring application = Widen(path);
        std::wstring commandLine = L"\"" + application + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &started))
            return false;
        Handle process(started.hProcess), thread(started.hThread);
        return true;
    }
};

}  // namespace

Programs& RealPrograms() {
    static WinPrograms programs;
    return programs;
}

}  // namespace pulvar
