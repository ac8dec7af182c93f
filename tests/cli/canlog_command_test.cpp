// ztv-tool canlog against the simulated controller replaying a file of frames. The tool runs
// on the machine's clock, so each logging run here lasts its one second.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "support/json_value.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace ztv {
namespace {

int run(std::vector<std::string_view> args) {
    return cli::run_canlog(std::span<const std::string_view>(args.data(), args.size()));
}

std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(CanLogCli, ReplayIsLoggedPrintedAndTabulated) {
    test::TempDir dir;
    {
        std::ofstream bus(dir.file("bus.txt"));
        bus << "# replayed frames\n1000 S 123 2 01 02\n1100 S 123 2 01 03\n1150 X 18DA00F1 0\n\n1300 S 123 2 01 03\n";
    }
    const std::string out = dir.file("out.LOG");
    const std::string bus = dir.file("bus.txt");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({out, "--tab", "--mode", "changed", "--seconds", "1", "--print", "--simulate", "--sim-can", bus}), 0);
    const std::string printed = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    // Mode 3: the third frame of 0x123 repeats the second's data and is dropped.
    EXPECT_EQ(printed,
              "001.000 CANRX 0123 [ 01 02 ]\n"
              "001.100 CANRX 0123 [ 01 03 ]\n"
              "001.150 CANRX 18DA00F1\n"
              "---\n"
              "No.\tID Hex(Dec)\tDLC\tData Hex\tCycle, mS\tCount\n"
              "1\t123( 291)\t2\t01 03" + std::string(18, ' ') + "\t100\t2\n"
              "2\t18DA00F1(416940273)\t0\t" + std::string(24, ' ') + "\t-\t1\n");
    EXPECT_EQ(read_all(out), "\xB9\tID count\tTime\tDlit\tID\tDLC\tData\r\n"
                             "1\t1\t0.000\t0.000\t123( 291)\t2\t01 02\r\n"
                             "2\t2\t0.100\t0.100\t123( 291)\t2\t01 03\r\n"
                             "3\t1\t0.150\t0.000\t18DA00F1(416940273)\t0\t\r\n");
}

// A can-utils log replayed and written again with the controller's stamps comes back byte for
// byte; with a background learned over its first second, only the bit that then changes outside
// it is printed. The replay runs at ten times its pace, and so do --background and --seconds.
TEST(CanLogCli, CandumpRoundTripAndBitsOutsideTheBackground) {
    test::TempDir dir;
    const std::string bus = dir.file("bus.log");
    std::string expected;
    {
        std::ofstream out(bus, std::ios::binary);
        for (unsigned i = 0; i < 400; ++i) {
            const unsigned stamp = 1000 + 10 * i;
            char line[80];
            if (i % 2 == 0)
                std::snprintf(line, sizeof line, "(%u.%03u000) ztv0 100#%02X40\n", stamp / 1000, stamp % 1000, (i / 2) % 4);
            else
                std::snprintf(line, sizeof line, "(%u.%03u000) ztv0 1CFFFF01#00%s\n", stamp / 1000, stamp % 1000,
                              i == 399 ? "08" : "00");
            expected += line;
        }
        out << expected;
    }
    const std::string out = dir.file("out.log");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({out, "--format", "candump", "--controller-time", "--background", "1", "--seconds", "5", "--simulate",
                   "--sim-can", bus, "--replay-speed", "10"}),
              0);
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.substr(0, printed.find("---")), "1CFFFF01 1 3\n") << errors;
    EXPECT_NE(errors.find("Background learned: 2 bits of 2 identifiers"), std::string::npos) << errors;
    EXPECT_EQ(read_all(out), expected);
}

#if !defined(_WIN32)
// The sample recording's workflow, as the README gives it: paced by its stamps (here fifty times
// as fast), the background learned over its first 20 s leaves the steering-wheel button's bit
// alone, at its two presses and releases.
TEST(CanLogCli, SampleRecordingPacedFindsOnlyTheButton) {
    test::TempDir dir;
    const test::ToolProcess run = test::run_tool_process(
        {"canlog", dir.file("out.log"), "--simulate", "--sim-can", ZTV_SAMPLES_DIR "/steering_wheel_button.log",
         "--background", "20", "--seconds", "26", "--replay-speed", "50", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = test::parse_json(run.out);
    ASSERT_TRUE(doc) << run.out;
    std::vector<std::string> news;
    for (const test::JsonValue& bit : (*doc)["new_bits"].array())
        news.push_back(bit["id"].text() + " " + std::to_string(static_cast<int>(bit["byte"].number())) + " " +
                       std::to_string(static_cast<int>(bit["bit"].number())));
    EXPECT_EQ(news, std::vector<std::string>(4, "5C0 0 2")) << run.out;
    EXPECT_EQ((*doc)["identifiers"].array().size(), 7u);
    EXPECT_NE(run.err.find("Background learned"), std::string::npos) << run.err;
}
#endif

TEST(CanLogCli, WrongOptionsAndUnusableInputFail) {
    test::TempDir dir;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"a.LOG", "b.LOG"}), 2);
    EXPECT_EQ(run({"a.LOG", "--mode", "some"}), 2);
    EXPECT_EQ(run({"a.LOG", "--seconds", "0"}), 2);
    EXPECT_EQ(run({"a.LOG", "--seconds", "-5"}), 2);
    EXPECT_EQ(run({"a.LOG", "--seconds", "99999999999"}), 2);
    EXPECT_EQ(run({"a.LOG", "--seconds"}), 2);
    EXPECT_EQ(run({"a.LOG", "--sim-can", "x.txt"}), 2);  // replay needs --simulate
    EXPECT_EQ(run({"a.LOG", "--tab", "--format", "candump"}), 2);
    EXPECT_EQ(run({"--format", "candump", "--simulate"}), 2);  // a form without a file
    EXPECT_EQ(run({"a.LOG", "--background", "0"}), 2);
    EXPECT_EQ(run({"--socketcan", "no-such-can9", "--simulate", "--seconds", "1"}), 1);
    EXPECT_EQ(run({dir.file("a.LOG"), "--simulate", "--sim-can", dir.file("missing.txt")}), 1);
    EXPECT_EQ(run({dir.file("no/such/dir/a.LOG"), "--simulate", "--seconds", "1"}), 1);
    const bool have_full = std::filesystem::exists("/dev/full");
    if (have_full) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(run({"/dev/full", "--simulate", "--seconds", "1"}), 1);  // a device is no log file
        testing::internal::GetCapturedStdout();
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Try 'ztv-tool canlog --help'"), std::string::npos);
    EXPECT_NE(errors.find("missing.txt\": no such file"), std::string::npos);
    EXPECT_NE(errors.find("The CAN log file could not be created"), std::string::npos);
#if defined(_WIN32)
    EXPECT_NE(errors.find("SocketCAN is a Linux interface"), std::string::npos) << errors;
#else
    EXPECT_NE(errors.find("no network interface \"no-such-can9\""), std::string::npos) << errors;
#endif
    if (have_full) {
        EXPECT_NE(errors.find("could not be created\n/dev/full\nThe name is a device or pipe, not a file"), std::string::npos);
    }
}

}  // namespace
}  // namespace ztv
