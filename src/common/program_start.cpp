#include "common/program_start.h"

#if defined(_WIN32)
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include "common/system_names.h"
#endif

namespace ztv {

#if defined(_WIN32)
namespace {

UINT g_console_code_page = 0;

void restore_console_code_page() {
    if (g_console_code_page != 0) SetConsoleOutputCP(g_console_code_page);
}

void prepare_standard_streams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Only when there is a console: a program without one has no code page to change.
    const UINT current = GetConsoleOutputCP();
    if (current != 0 && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        g_console_code_page = current;
        std::atexit(restore_console_code_page);
    }
}

}  // namespace
#endif

ProgramStart::ProgramStart(int argc, char** argv) {
#if defined(_WIN32)
    prepare_standard_streams();
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        for (int i = 0; i < count; ++i) words_.push_back(to_utf8(wide[i]));
        LocalFree(wide);
    }
#endif
    if (words_.empty())
        for (int i = 0; i < argc; ++i) words_.emplace_back(argv[i]);
    for (std::string& word : words_) pointers_.push_back(word.data());
    pointers_.push_back(nullptr);
}

}  // namespace ztv
