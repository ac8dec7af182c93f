// ztv-tool run as a process of its own: its standard input from a text, its standard output
// and error kept, or its standard output a pipe whose reader has gone. POSIX only.
#pragma once

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace ztv::test {

struct ToolProcess {
    int status = -1;  // the exit status; -1 when it ended by a signal
    std::string out;
    std::string err;
};

// input: standard input; reader_gone: standard output is a pipe nobody reads any more;
// locale: the LC_ALL the tool sees.
inline ToolProcess run_tool_process(const std::vector<std::string>& args, const std::string& input = {},
                                    bool reader_gone = false, const std::string& locale = "C") {
    TempDir dir;
    const std::string in = dir.file("in"), out = dir.file("out"), err = dir.file("err");
    write_text(in, input);
    int gone[2] = {-1, -1};
    if (reader_gone && ::pipe(gone) == 0) ::close(gone[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        const int in_fd = ::open(in.c_str(), O_RDONLY);
        const int out_fd = reader_gone ? gone[1] : ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(in_fd, 0);
        ::dup2(out_fd, 1);
        ::dup2(err_fd, 2);
        ::setenv("LC_ALL", locale.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(ZTV_TOOL_BINARY)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(ZTV_TOOL_BINARY, argv.data());
        ::_exit(127);
    }
    if (reader_gone) ::close(gone[1]);
    int wait_status = 0;
    ToolProcess result;
    if (child > 0 && ::waitpid(child, &wait_status, 0) == child && WIFEXITED(wait_status))
        result.status = WEXITSTATUS(wait_status);
    result.out = read_text(out);
    result.err = read_text(err);
    return result;
}

}  // namespace ztv::test
#endif
