// Runs one ztv-tool command in the test process and keeps what it printed.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "cli/commands.h"

namespace ztv::cli {

struct CommandOutcome {
    int status;
    std::string out;
    std::string err;
};

inline CommandOutcome run_command(int (*command)(Args), Args args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = command(args);
    return CommandOutcome{status, testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
}

}  // namespace ztv::cli
