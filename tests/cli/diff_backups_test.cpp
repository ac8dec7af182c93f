// diff, backups, and the backup that restore and flash make before they overwrite a controller.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "command_run.h"
#include "config/config_backups.h"
#include "config/config_file.h"
#include "support/json_value.h"
#include "support/temp_dir.h"

namespace ztv::cli {
namespace {

CommandOutcome run(int (*command)(Args), std::vector<std::string_view> args) { return run_command(command, args); }

#if defined(_WIN32)
// The cases below are skipped there (see SetUp) but still compiled.
int setenv(const char* name, const char* value, int) { return _putenv_s(name, value); }
#define WIFEXITED(status) ((status) >= 0)
#define WEXITSTATUS(status) (status)
#endif

class SafetyCommands : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string a = dir.file("a.ZTV");
    std::string b = dir.file("b.ZTV");
    std::string sim = dir.file("sim.ini");
    std::string saved_data_home;

    void SetUp() override {
#if defined(_WIN32)
        // The backups folder is the user's known local folder there, which a test cannot point
        // at a folder of its own; tests/windows/tool_test.sh runs these commands in a Wine
        // prefix of their own instead.
        GTEST_SKIP() << "needs a backups folder of the test's own";
#else
        if (const char* data = std::getenv("XDG_DATA_HOME")) saved_data_home = data;
        setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
        ConfigState state;
        state.record.set_u16(0, 800);
        ASSERT_EQ(save_config_file(a, state), FileWriteStatus::Ok);
        state.record.set_u16(0, 1200);
        ASSERT_EQ(save_config_file(b, state), FileWriteStatus::Ok);
#endif
    }
    void TearDown() override {
#if !defined(_WIN32)
        if (saved_data_home.empty()) unsetenv("XDG_DATA_HOME");
        else setenv("XDG_DATA_HOME", saved_data_home.c_str(), 1);
#endif
    }
    std::string backups_folder() const { return dir.file("zeb-tervio/backups"); }
};

TEST_F(SafetyCommands, DiffExitsAsDiffDoes) {
    CommandOutcome same = run(run_diff, {a, a});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "No changes\n");

    CommandOutcome changed = run(run_diff, {a, b, "--lang", "ru"});
    EXPECT_EQ(changed.status, 1);
    EXPECT_NE(changed.out.find("  Долгое нажатие более: 800 мс -> 1200 мс\n"), std::string::npos) << changed.out;
    EXPECT_TRUE(changed.out.starts_with(a + " -> " + b + "\n")) << changed.out;  // which way they go

    test::write_text(dir.file("notes.txt"), "shopping list\n");
    EXPECT_EQ(run(run_diff, {dir.file("notes.txt"), a}).status, 2);
    EXPECT_EQ(run(run_diff, {a, dir.file("missing.ZTV")}).status, 2);
    for (std::vector<std::string_view> absurd : std::vector<std::vector<std::string_view>>{
             {}, {a, b, a}, {a, "--lang"}, {a, "--lang", "de"}, {a, b, "--simulate"}, {a, "--bogus"}}) {
        const CommandOutcome refused = run(run_diff, absurd);
        EXPECT_EQ(refused.status, 2) << refused.err;
        EXPECT_TRUE(refused.out.empty());
        EXPECT_TRUE(refused.err.ends_with("\nTry 'ztv-tool diff --help' for more information.\n")) << refused.err;
    }
}

TEST_F(SafetyCommands, RestoreBacksUpTheControllerFirstAndDiffSeesTheResult) {
    EXPECT_EQ(run(run_restore, {a, "--simulate", "--sim-state", sim}).status, 0);
    EXPECT_EQ(run(run_diff, {a, "--simulate", "--sim-state", sim}).status, 0);
    const CommandOutcome pending = run(run_diff, {b, "--simulate", "--sim-state", sim});
    EXPECT_EQ(pending.status, 1);
    EXPECT_NE(pending.out.find("800 mSec -> 1200 mSec"), std::string::npos) << pending.out;
    EXPECT_TRUE(pending.out.starts_with("controller -> " + b + "\n")) << pending.out;

    const CommandOutcome second = run(run_restore, {b, "--simulate", "--sim-state", sim});
    EXPECT_EQ(second.status, 0);
    const CommandOutcome listed = run(run_backups, {});
    EXPECT_EQ(listed.status, 0);
    // Two backups, newest first: the second holds what the first restore wrote.
    const std::size_t line_end = listed.out.find('\n');
    ASSERT_NE(line_end, std::string::npos);
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 2);
    const std::string newest = listed.out.substr(0, listed.out.find('\t'));
    EXPECT_EQ(newest.rfind(backups_folder(), 0), 0u) << listed.out;
    EXPECT_NE(listed.out.find("\trestore\n"), std::string::npos);
    EXPECT_NE(second.err.find(newest), std::string::npos) << second.err;
    EXPECT_EQ(run(run_diff, {a, newest}).status, 0);
}

// Restoring the oldest of the hundred kept: the backup that restore makes never prunes it.
TEST_F(SafetyCommands, RestoringTheOldestBackupKeepsIt) {
    ASSERT_EQ(run(run_restore, {a, "--simulate", "--sim-state", sim}).status, 0);
    const BackupListing first = list_backups(backups_folder());
    ASSERT_EQ(first.entries.size(), 1u);
    const BackupEntry oldest = first.entries[0];
    ConfigState state;
    const auto serial = static_cast<std::uint32_t>(std::stoul(oldest.serial));
    for (std::size_t i = 1; i < kBackupsKept; ++i)
        ASSERT_TRUE(save_backup(backups_folder(), serial, backup_reason::kWrite, std::time(nullptr), state).ok());
    ASSERT_EQ(run(run_restore, {oldest.path, "--simulate", "--sim-state", sim}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(oldest.path));
    EXPECT_EQ(run(run_diff, {oldest.path, "--simulate", "--sim-state", sim}).status, 0);
}

// A folder that cannot be read, or whose name would break the one-line-a-backup listing, is
// said and exits 1; never an empty or garbled list.
TEST_F(SafetyCommands, BackupsThatCannotBeListedAreSaid) {
    std::filesystem::create_directories(dir.file("zeb-tervio"));
    std::filesystem::create_directory_symlink("backups", backups_folder());  // a link to itself
    CommandOutcome loop = run(run_backups, {});
    EXPECT_EQ(loop.status, 1);
    EXPECT_NE(loop.err.find("Unable to read the backup folder"), std::string::npos) << loop.err;

    const std::string odd = dir.file("tab\there");
    setenv("XDG_DATA_HOME", odd.c_str(), 1);
    ConfigState state;
    ASSERT_TRUE(save_backup(default_backup_folder(), 1, backup_reason::kWrite, std::time(nullptr), state).ok());
    CommandOutcome tab = run(run_backups, {});
    EXPECT_EQ(tab.status, 1);
    EXPECT_TRUE(tab.out.empty());
    EXPECT_NE(tab.err.find("tab or a line break"), std::string::npos) << tab.err;
}

// --json of each command reads back as the documented schema: stable keys, numbers as numbers,
// a file name that is not UTF-8 (or holds a tab and a line break) still valid JSON.
TEST_F(SafetyCommands, JsonOutputsReadAsTheirSchemaSays) {
    const auto parsed = [](const CommandOutcome& outcome) {
        auto doc = test::parse_json(outcome.out);
        EXPECT_TRUE(doc) << outcome.out << outcome.err;
        return doc.value_or(test::JsonValue{});
    };
    const test::JsonValue shown = parsed(run(run_show, {a, "--json"}));
    bool some_disabled = false;
    for (const test::JsonValue& page : shown["pages"].array()) {
        EXPECT_FALSE(page["caption"].text().empty());
        for (const test::JsonValue& control : page["controls"].array()) {
            EXPECT_FALSE(control["control"].text().empty());
            EXPECT_TRUE(control["label"].is_null() || !control["label"].text().empty());
            EXPECT_NO_THROW(control["value"].text());
            some_disabled = some_disabled || !control["enabled"].flag();
        }
    }
    EXPECT_EQ(shown["pages"].array().size(), 25u);
    EXPECT_TRUE(some_disabled);

    const test::JsonValue got = parsed(run(run_get, {a, "LONG_PRESS_MS", "gps_num", "GPS_NUM", "KEY", "name1", "--json"}));
    EXPECT_EQ(got.object().size(), 4u);
    EXPECT_EQ(got["LONG_PRESS_MS"].number(), 800);
    EXPECT_EQ(got["GPS_NUM"].number(), 0);
    EXPECT_EQ(got["KEY"].text().substr(0, 4), "2003");
    EXPECT_NO_THROW(got["NAME1"].text());

    const test::JsonValue described = parsed(run(run_describe, {ZTV_SAMPLES_DIR "/demo.ZTV", "--json"}));
    EXPECT_EQ(described["slots"][0]["slot"].number(), 1);
    EXPECT_EQ(described["slots"][0]["name"].text(), "Volume up");
    EXPECT_EQ(described["slots"][0]["lines"][0]["part"].text(), "event");
    EXPECT_EQ(described["slots"][0]["lines"][0]["value"].text(), "Button");

    const std::string odd = dir.file("odd\xFF\t\n.ZTV");
    std::filesystem::copy_file(b, odd);
    const CommandOutcome compared = run(run_diff, {a, odd, "--json"});
    EXPECT_EQ(compared.status, 1);
    const test::JsonValue diff = parsed(compared);
    EXPECT_FALSE(diff["equal"].flag());
    EXPECT_EQ(diff["before"].text(), a);
    EXPECT_EQ(diff["after"].text(), dir.file("odd\xEF\xBF\xBD\t\n.ZTV"));
    bool long_press_seen = false;
    for (const test::JsonValue& group : diff["groups"].array())
        for (const test::JsonValue& change : group["changes"].array())
            if (change["label"].text() == "Long press over")
                long_press_seen = change["before"].text() == "800 mSec" && change["after"].text() == "1200 mSec" &&
                                  change["note"].is_null();
    EXPECT_TRUE(long_press_seen) << compared.out;

    const test::JsonValue info = parsed(run(run_info, {"--simulate", "--json"}));
    EXPECT_GT(info["serial"].number(), 0);
    EXPECT_FALSE(info["bootloader"].flag());
    EXPECT_EQ(info["features"][0].text(), "CAN Bus");

    ASSERT_EQ(run(run_restore, {a, "--simulate", "--sim-state", sim}).status, 0);
    const test::JsonValue listed = parsed(run(run_backups, {"--json"}));
    ASSERT_EQ(listed["backups"].array().size(), 1u);
    EXPECT_GT(listed["backups"][0]["serial"].number(), 0);
    EXPECT_EQ(listed["backups"][0]["reason"].text(), "restore");
}

// Output to a full disk is a failure said as such: 2 for diff (never "different"), 1 elsewhere.
TEST_F(SafetyCommands, OutputThatCannotBeWrittenIsAFailure) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    const auto exit_status = [this](const std::string& args) {
        const int status = std::system((std::string(ZTV_TOOL_BINARY) + " " + args + " >/dev/full 2>" + dir.file("err")).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exit_status("diff " + a + " " + b), 2);
    EXPECT_NE(test::read_text(dir.file("err")).find("unable to write to standard output: There is no space left"),
              std::string::npos);
    EXPECT_EQ(exit_status("diff " + a + " " + a), 2);
    EXPECT_EQ(exit_status("describe " ZTV_SAMPLES_DIR "/demo.ZTV"), 1);
    EXPECT_EQ(exit_status("get " + a + " GPS_NUM"), 1);
    EXPECT_EQ(exit_status("show " + a + " --help"), 1);
    EXPECT_EQ(exit_status("--help"), 1);
    EXPECT_EQ(exit_status("--version"), 1);
}

TEST_F(SafetyCommands, NoBackupNoOverwriteUnlessAskedFor) {
    test::write_text(dir.file("zeb-tervio"), "a file where the folder should be");
    const CommandOutcome refused = run(run_restore, {b, "--simulate", "--sim-state", sim});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Unable to save a backup"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--no-backup"), std::string::npos);
    EXPECT_EQ(run(run_diff, {b, "--simulate", "--sim-state", sim}).status, 1);  // the controller was not written

    EXPECT_EQ(run(run_restore, {b, "--no-backup", "--simulate", "--sim-state", sim}).status, 0);
    EXPECT_EQ(run(run_diff, {b, "--simulate", "--sim-state", sim}).status, 0);
    EXPECT_EQ(run(run_flash, {dir.file("missing.LDR"), "--simulate", "--sim-state", sim}).status, 1);
    EXPECT_EQ(run(run_backups, {}).status, 1);  // the folder is a file: said, not an empty list
    EXPECT_EQ(run(run_backups, {"--bogus"}).status, 2);
    EXPECT_EQ(run(run_info, {"--no-backup", "--simulate"}).status, 2);
}

TEST_F(SafetyCommands, FlashBacksUpOnlyOnceTheFileIsAccepted) {
    test::write_text(dir.file("broken.LDR"), "not firmware");
    EXPECT_EQ(run(run_flash, {dir.file("broken.LDR"), "--simulate", "--sim-state", sim}).status, 1);
    const CommandOutcome listed = run(run_backups, {});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "");
}

}  // namespace
}  // namespace ztv::cli
