// What both programs do before anything else: take their arguments in UTF-8, make the standard
// streams carry bytes unchanged and let a console show UTF-8. On Windows the arguments come
// from the wide command line (the narrow argv has lost every character outside the ANSI code
// page), the C library would otherwise turn "\n" into "\r\n" and stop reading at a 0x1A byte,
// and a console shows UTF-8 only in code page 65001 (restored when the program ends).
// Elsewhere the arguments pass unchanged.
#pragma once

#include <string>
#include <vector>

namespace ztv {

class ProgramStart {
public:
    ProgramStart(int argc, char** argv);
    ProgramStart(const ProgramStart&) = delete;
    ProgramStart& operator=(const ProgramStart&) = delete;

    int argc() const { return static_cast<int>(words_.size()); }
    // A null-terminated array like main's, valid while this object lives.
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> words_;
    std::vector<char*> pointers_;
};

}  // namespace ztv
