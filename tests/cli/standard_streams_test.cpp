// "-" as a command's file: standard input read (bounded) in place of a file, standard output
// written in place of one, and an output nobody reads any more reported as a failure.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <string>
#include <vector>

#include "config/config_file.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace ztv::cli {
namespace {

using test::run_tool_process;

const std::string kDemo = ZTV_SAMPLES_DIR "/demo.ZTV";

TEST(StandardStreams, DashReadsStandardInputAndWritesStandardOutput) {
    const std::string demo = test::read_text(kDemo);
    EXPECT_EQ(run_tool_process({"describe", "-"}, demo).out, run_tool_process({"describe", kDemo}).out);
    EXPECT_EQ(run_tool_process({"get", "-", "GPS_NUM"}, demo).out, "GPS_NUM=0\n");
    EXPECT_EQ(run_tool_process({"convert", "-", "-"}, demo).out, demo);

    // set from standard input to standard output keeps what other programs put in the text.
    const test::ToolProcess set = run_tool_process({"set", "-", "PULSE_MSACTIVE=250"}, "[Customer]\r\nName=Ivanov\r\n" + demo);
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_TRUE(set.out.starts_with("[Customer]\r\nName=Ivanov\r\n")) << set.out.substr(0, 80);
    EXPECT_NE(set.out.find("PULSE_MSACTIVE=250\r\n"), std::string::npos);

    const test::ToolProcess changed = run_tool_process({"diff", "-", kDemo}, set.out);
    EXPECT_EQ(changed.status, 1);
    EXPECT_TRUE(changed.out.starts_with("standard input -> " + kDemo + "\n")) << changed.out;
    const test::ToolProcess twice = run_tool_process({"diff", "-", "-"}, demo);
    EXPECT_EQ(twice.status, 2);
    EXPECT_TRUE(twice.err.starts_with("ztv-tool diff: standard input can be read only once\n")) << twice.err;

    const test::ToolProcess backup = run_tool_process({"backup", "-", "--simulate"});
    ConfigState state;
    EXPECT_EQ(backup.status, 0) << backup.err;
    EXPECT_EQ(load_config_text(backup.out, state), ConfigFileStatus::Ok);

    const test::ToolProcess log = run_tool_process(
        {"canlog", "-", "--format", "candump", "--controller-time", "--simulate", "--sim-can", "-", "--seconds", "1"},
        "1000 S 123 2 01 02\n1010 X 18DA00F1 0\n");
    EXPECT_EQ(log.status, 0) << log.err;
    EXPECT_EQ(log.out, "(1.000000) ztv0 123#0102\n(1.010000) ztv0 18DA00F1#\n");
    // What cannot come from a stream is refused before anything is touched, not taken as a file "-".
    for (const std::vector<std::string>& refused : {std::vector<std::string>{"canlog", "-", "--print", "--simulate"},
                                                    {"info", "--simulate", "--sim-state", "-"},
                                                    {"flash", "-", "--simulate"}})
        EXPECT_EQ(run_tool_process(refused).status, 2) << refused[0];
}

TEST(StandardStreams, InputBeyondTheBoundAndAReaderThatWentAwayAreFailures) {
    const test::ToolProcess huge = run_tool_process({"dump", "-"}, std::string(kMaxConfigFileSize + 1, '\n'));
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.err, "The file is too large to be a configuration file:\nstandard input\n");
    EXPECT_TRUE(huge.out.empty());

    const test::ToolProcess shown = run_tool_process({"show", kDemo}, {}, true);
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.err, "ztv-tool show: unable to write to standard output: the program reading the output closed the pipe\n");
    const test::ToolProcess logged = run_tool_process({"canlog", "-", "--simulate", "--seconds", "30"}, {}, true);
    EXPECT_EQ(logged.status, 1);
    EXPECT_NE(logged.err.find("standard output"), std::string::npos) << logged.err;
}

}  // namespace
}  // namespace ztv::cli
#endif
