// The tool's device commands against the simulated controller, its memory kept in a file.
#if !defined(_WIN32)
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "config/config_file.h"
#include "common/file_lock.h"
#include "sim/sim_state_file.h"
#include "support/temp_dir.h"

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
    ASSERT_EQ(save_config_file(in, original), FileWriteStatus::Ok);
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
    ASSERT_EQ(sim::load_sim_state(state, memory), sim::SimStateStatus::Ok);
    EXPECT_EQ(memory.record.raw, expected.record.raw);
}

// A file that is no configuration must not be written to the controller as an all-zero one.
TEST(DeviceCli, RestoreOfAFileHoldingNoConfigurationLeavesTheControllerAlone) {
    const std::string state = temp_path("cli_state_nonconfig.ini");
    const std::string in = temp_path("cli_good.ZTV");
    const std::string readme = temp_path("README.txt");
    const std::string out = temp_path("cli_after.ZTV");
    ConfigState original;
    for (std::size_t i = 0; i < kRecordSize; ++i) original.record.set_u8(i, static_cast<std::uint8_t>(i % 7 + 1));
    ASSERT_EQ(save_config_file(in, original), FileWriteStatus::Ok);
    ConfigState expected;
    ASSERT_EQ(load_config_file(in, expected), ConfigFileStatus::Ok);
    { std::ofstream(readme) << "Setups for the Camry live in this folder.\n"; }

    testing::internal::CaptureStderr();
    EXPECT_EQ(run(cli::run_restore, {in, "--simulate", "--sim-state", state}), 0);
    EXPECT_EQ(run(cli::run_restore, {readme, "--simulate", "--sim-state", state}), 1);
    EXPECT_EQ(run(cli::run_backup, {out, "--simulate", "--sim-state", state}), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("The file holds no device configuration:\n" + readme), std::string::npos) << err;

    ConfigState after;
    ASSERT_EQ(load_config_file(out, after), ConfigFileStatus::Ok);
    EXPECT_EQ(after.record.raw, expected.record.raw);
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

TEST(DeviceCli, StateFileThatIsNotOursIsRefusedAndLeftAsItWas) {
    test::TempDir dir;
    const std::string users = dir.file("mine.ZTV");
    ConfigState config;
    ASSERT_EQ(save_config_file(users, config), FileWriteStatus::Ok);
    const std::string before = test::read_text(users);
    testing::internal::CaptureStderr();
    EXPECT_EQ(run(cli::run_info, {"--simulate", "--sim-state", users}), 1);
    EXPECT_EQ(run(cli::run_restore, {users, "--simulate", "--sim-state", users}), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("is not a simulated controller's state file"), std::string::npos) << err;
    EXPECT_EQ(test::read_text(users), before);
    EXPECT_FALSE(std::filesystem::exists(users + ".lock"));
}

TEST(DeviceCli, FailedCommandLeavesTheStateAsTheLastGoodOneWroteIt) {
    test::TempDir dir;
    const std::string state = dir.file("state");
    testing::internal::CaptureStderr();
    EXPECT_EQ(run(cli::run_restore, {dir.file("missing.ZTV"), "--simulate", "--sim-state", state}), 1);
    EXPECT_FALSE(std::filesystem::exists(state)) << "a failed first command creates no state";
    EXPECT_EQ(run(cli::run_info, {"--simulate", "--sim-state", state}), 0);
    const std::string good = test::read_text(state);
    ASSERT_TRUE(good.starts_with(sim::kSimStateFirstLine));
    EXPECT_EQ(run(cli::run_flash, {dir.file("missing.LDR"), "--simulate", "--sim-state", state}), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(test::read_text(state), good);
}

#if defined(_WIN32)
TEST(DeviceCli, ToolAsASecondProcess) {
    GTEST_SKIP() << "runs the tool through a POSIX shell and watches its lock with inotify; the Windows "
                    "build's tool is run end to end by tests/windows/tool_test.sh";
}
#else
// The tool as a second process, started by a shell that writes its standard output and error
// to out and err in the given folder and passes back its exit status.
struct ToolRun {
    std::FILE* pipe = nullptr;
    // locale: the LC_ALL the tool sees.
    ToolRun(const std::string& args, const test::TempDir& dir, const std::string& locale = "C") {
        const std::string command = "LC_ALL=" + locale + " " + std::string(ZTV_TOOL_BINARY) + " " + args + " >" +
                                    dir.file("out") + " 2>" + dir.file("err") + "; echo $?";
        pipe = popen(command.c_str(), "r");
    }
    int wait() {
        char line[32] = {};
        const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
        pclose(pipe);
        return got ? std::atoi(line) : -1;
    }
};

TEST(DeviceCli, ToolNamesItsVersionAndRefusesBadCommandLinesInOneLine) {
    test::TempDir dir;
    for (const char* asked : {"--version", "-V"}) {
        EXPECT_EQ(ToolRun(asked, dir).wait(), 0);
        EXPECT_EQ(test::read_text(dir.file("out")), "ztv-tool 10.05\n");
    }
    const std::string try_help = "Try 'ztv-tool --help' for more information.\n";
    const struct {
        std::string args;
        std::string err;
    } refused[] = {
        {"frobnicate", "ztv-tool: unknown command 'frobnicate'\n" + try_help},
        {"--bogus", "ztv-tool: unknown option '--bogus'\n" + try_help},
        {"", "ztv-tool: no command given\n" + try_help},
        {"--seconds 5", "ztv-tool: no command given\n" + try_help},
        {"dump", "ztv-tool dump: expected FILE.ZTV, got 0 argument(s)\nTry 'ztv-tool dump --help' for more information.\n"},
        {"help nothing", "ztv-tool help: unknown command 'nothing'\nTry 'ztv-tool help --help' for more information.\n"},
    };
    for (const auto& line : refused) {
        EXPECT_EQ(ToolRun(line.args, dir).wait(), 2) << line.args;
        EXPECT_EQ(test::read_text(dir.file("err")), line.err);
        EXPECT_EQ(test::read_text(dir.file("out")), "") << "no overview after a mistake: " << line.args;
    }
    EXPECT_EQ(ToolRun("--bogus", dir, "ru_RU.UTF-8").wait(), 2);
    EXPECT_EQ(test::read_text(dir.file("err")),
              "ztv-tool: неизвестный параметр «--bogus»\nПодробнее: «ztv-tool --help».\n");
    EXPECT_EQ(ToolRun("--lang ru", dir).wait(), 2);
    EXPECT_EQ(test::read_text(dir.file("err")), "ztv-tool: не указана команда\nПодробнее: «ztv-tool --help».\n");
}

TEST(DeviceCli, ToolSpeaksTheLanguageOfLangElseOfTheLocaleOnEveryCommand) {
    test::TempDir dir;
    const auto first_line = [&dir] {
        const std::string out = test::read_text(dir.file("out"));
        return out.substr(0, out.find('\n'));
    };
    EXPECT_EQ(ToolRun("info --simulate", dir).wait(), 0);
    EXPECT_TRUE(first_line().starts_with("Controller ")) << first_line();
    EXPECT_EQ(ToolRun("info --simulate --lang ru", dir).wait(), 0);
    EXPECT_TRUE(first_line().starts_with("Контроллер ")) << first_line();
    EXPECT_EQ(ToolRun("info --simulate", dir, "ru_RU.UTF-8").wait(), 0);
    EXPECT_TRUE(first_line().starts_with("Контроллер ")) << first_line();
    EXPECT_EQ(ToolRun("--lang=en info --simulate", dir, "ru_RU.UTF-8").wait(), 0);
    EXPECT_TRUE(first_line().starts_with("Controller ")) << "--lang outweighs the locale";
    // A file command's message too; LC_ALL outweighs LANG, an empty LC_ALL does not count.
    const std::string dump = "dump " + dir.file("missing.ZTV");
    EXPECT_EQ(ToolRun(dump, dir, "'' LANG=ru_RU.UTF-8").wait(), 1);
    EXPECT_TRUE(test::read_text(dir.file("err")).starts_with("Файл конфигурации не найден")) << test::read_text(dir.file("err"));
    EXPECT_EQ(ToolRun(dump, dir, "C.UTF-8 LANG=ru_RU.UTF-8").wait(), 1);
    EXPECT_TRUE(test::read_text(dir.file("err")).starts_with("The configuration file was not found"));
}

TEST(DeviceCli, SecondProcessOnAHeldStateSaysTheControllerIsBusy) {
    test::TempDir dir;
    const std::string state = dir.file("state");
    FileLock holder(state + ".lock");
    ASSERT_EQ(holder.acquire(0), FileLockResult::Locked);
    ToolRun tool("info --simulate --sim-state " + state, dir);
    EXPECT_EQ(tool.wait(), 1);
    EXPECT_NE(test::read_text(dir.file("err")).find("The simulated controller is busy"), std::string::npos)
        << test::read_text(dir.file("err"));
    EXPECT_FALSE(std::filesystem::exists(state));
}

TEST(DeviceCli, SecondProcessWaitsForTheFirstAndKeepsItsChange) {
    test::TempDir dir;
    const std::string state = dir.file("state");
    const std::string in = dir.file("in.ZTV");
    ConfigState config;
    for (std::size_t i = 0; i < kRecordSize; ++i) config.record.set_u8(i, static_cast<std::uint8_t>(i % 13));
    ASSERT_EQ(save_config_file(in, config), FileWriteStatus::Ok);
    ConfigState expected;
    ASSERT_EQ(load_config_file(in, expected), ConfigFileStatus::Ok);

    // This process plays the first command: it holds the state while the tool starts.
    sim::SimStateFile first(state);
    sim::SimMemory memory;
    ASSERT_EQ(first.open(memory, 0), sim::SimStateStatus::Ok);
    // The tool's first try at the lock opens the lock file: from then on it is waiting.
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, first.lock_path().c_str(), IN_OPEN), 0);
    ToolRun restore("restore " + in + " --simulate --sim-state " + state, dir);
    pollfd opened{watch, POLLIN, 0};
    EXPECT_EQ(poll(&opened, 1, 30000), 1) << "the tool never tried the lock";
    close(watch);
    memory.serial = 777;
    ASSERT_EQ(first.save(memory), sim::SimStateStatus::Ok);
    first.close();

    EXPECT_EQ(restore.wait(), 0) << test::read_text(dir.file("err"));
    sim::SimMemory after;
    ASSERT_EQ(sim::load_sim_state(state, after), sim::SimStateStatus::Ok);
    EXPECT_EQ(after.serial, 777u) << "the first command's change survived the second";
    EXPECT_EQ(after.record.raw, expected.record.raw) << "and the second command's restore is there too";
}
#endif

}  // namespace
}  // namespace ztv
