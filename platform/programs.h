// Testing for a program file and starting it.
#pragma once

#include <string>

namespace pulvar {

class Programs {
public:
    virtual ~Programs() = default;
    // True for an ordinary file: not a folder, not hidden, not a system file.
    virtual bool FileExists(const std::string& path) = 0;
    // Starts the program file at path (UTF-8) in a normal window with the
    // focus, and does not wait for it. False when it cannot be started.
    virtual bool Start(const std::string& path) = 0;
};

Programs& RealPrograms();

}  // namespace pulvar
