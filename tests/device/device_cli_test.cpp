// The tool's device commands against the simulated controller, its memory kept in a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "config/config_file.h"
#include "sim/sim_state_file.h"

namespace ztv {
namespace {

std::string temp_path(const std::string& name) {
    const auto path = std::filesystem::path(::testing::TempDir()) / name;
    std::filesystem::remove(path);
    return path.string();
}

int run(int (*command)(cli::Args), std::vector<std::string_view> args) {
    return command(std::span<const std::string_view>(args.data(), args.size()));
}

TEST(DeviceCli, InfoPrintsDeviceInformationAndHardwareCode) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(run(cli::run_info, {"--simulate"}), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Controller          \"ZEB-TERVIO-V4-CKT\"\n"), std::string::npos);
    EXPECT_NE(out.find("\nhardware code: 4\n"), std::string::npos);
}

TEST(DeviceCli, RestoreThenBackupThroughTheKeptState) {
    const std::string state = temp_path("cli_state.ini");
    const std::string in = temp_path("cli_in.ZTV");
    const std::string out = temp_path("cli_out.ZTV");
    ConfigState original;
    for (std::size_t i = 0; i < kRecordSize; ++i) original.record.set_u8(i, static_cast<std::uint8_t>(i % 251));
    original.touch = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    ASSERT_EQ(save_config_file(in, original), ConfigFileStatus::Ok);
    ConfigState expected;
    ASSERT_EQ(load_config_file(in, expected), ConfigFileStatus::Ok);  // what the file really holds

    testing::internal::CaptureStderr();
    EXPECT_EQ(run(cli::run_restore, {in, "--simulate", "--sim-state", state}), 0);
    EXPECT_EQ(run(cli::run_backup, {out, "--simulate", "--sim-state", state}), 0);
    testing::internal::GetCapturedStderr();

    ConfigState backed_up;
    ASSERT_EQ(load_config_file(out, backed_up), ConfigFileStatus::Ok);
    EXPECT_EQ(backed_up.record.raw, expected.record.raw);
    EXPECT_EQ(backed_up.touch, expected.touch);

    sim::SimMemory memory;
    ASSERT_TRUE(sim::load_sim_state(state, memory));
    EXPECT_EQ(memory.record.raw, expected.record.raw);
}

TEST(DeviceCli, FailuresExitNonZero) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(run(cli::run_restore, {temp_path("missing.ZTV"), "--simulate"}), 1);
    EXPECT_EQ(run(cli::run_backup, {}), 2);
    EXPECT_EQ(run(cli::run_info, {"--sim-state", "x"}), 2) << "a state file needs --simulate";
    EXPECT_EQ(run(cli::run_info, {"--bogus"}), 2);
    EXPECT_EQ(run(cli::run_flash, {temp_path("missing.LDR"), "--simulate"}), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Error opening file \"missing.LDR\""), std::string::npos);
}

}  // namespace
}  // namespace ztv
