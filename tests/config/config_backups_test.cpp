// The automatic backups' folder, names, listing and pruning.
#include "config/config_backups.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#if defined(_WIN32)
#include <windows.h>

#include "common/system_names.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "config/config_file.h"
#include "support/temp_dir.h"

namespace ztv {
namespace {

namespace fs = std::filesystem;

// 2026-12-07 14:03:22 in the test's local time.
std::time_t moment(int second = 22) {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 7;
    local.tm_hour = 14;
    local.tm_min = 3;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

class ConfigBackups : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string folder = dir.file("data/zeb-tervio/backups");
    ConfigState state;
};

TEST_F(ConfigBackups, NamedBySerialTimeAndReasonListedNewestFirst) {
    state.record.set_u8(100, 7);
    const BackupResult first = save_backup(folder, 40123, backup_reason::kRestore, moment(), state);
    ASSERT_TRUE(first.ok()) << first.error.en;
    EXPECT_EQ(fs::path(first.path).filename(), "40123_2026-12-07_14-03-22_restore.ZTV");
    ConfigState loaded;
    ASSERT_EQ(load_config_file(first.path, loaded), ConfigFileStatus::Ok);
    EXPECT_EQ(loaded.record.u8(100), 7);

    // The same second again: a name of its own, listed as the newer one.
    const BackupResult second = save_backup(folder, 40123, backup_reason::kRestore, moment(), state);
    EXPECT_EQ(fs::path(second.path).filename(), "40123_2026-12-07_14-03-22-2_restore.ZTV");
    // Made last although its name is dated earlier (the clock was set back): listed first.
    ASSERT_TRUE(save_backup(folder, 7, "../x y", moment(10), state).ok());  // odd reason: "backup"
    test::write_text(folder + "/notes.ZTV", "not a backup name");
    test::write_text(folder + "/7_2026-12-07_14-03-22_mine.ZTV", "a reason the program never writes");

    const BackupListing listing = list_backups(folder);
    ASSERT_TRUE(listing.error.empty());
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_EQ(listing.entries[0].serial, "7");
    EXPECT_EQ(listing.entries[0].reason, "backup");
    EXPECT_EQ(listing.entries[1].path, second.path);
    EXPECT_EQ(listing.entries[2].path, first.path);
    EXPECT_EQ(listing.entries[2].date, "2026-12-07 14:03:22");
}

// A clock that was once ahead left 100 backups dated (and written) in the future: the backups
// made now are the newest all the same, and those pruned are the oldest made.
TEST_F(ConfigBackups, TheOrderOfMakingSurvivesAClockThatWasAhead) {
    const auto ahead = fs::file_time_type::clock::now() + std::chrono::hours(24 * 365 * 4);
    for (int i = 0; i < 100; ++i) {
        const BackupResult future = save_backup(folder, 5, backup_reason::kWrite, moment(0) + 4 * 365 * 86400 + i, state);
        ASSERT_TRUE(future.ok());
        fs::last_write_time(future.path, ahead + std::chrono::seconds(i));
    }
    const BackupResult first = save_backup(folder, 5, backup_reason::kWrite, moment(), state);
    const BackupResult second = save_backup(folder, 5, backup_reason::kWrite, moment(), state);
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_TRUE(fs::exists(first.path) && fs::exists(second.path));
    const BackupListing listing = list_backups(folder);
    ASSERT_EQ(listing.entries.size(), kBackupsKept);
    EXPECT_EQ(listing.entries[0].path, second.path);
    EXPECT_EQ(listing.entries[1].path, first.path);
}

// What interrupted runs leave (a name reserved empty, temporary files) is neither listed nor
// kept, and files that merely look like backups are never pruned.
TEST_F(ConfigBackups, LeftoversAreCleanedAndTheUsersOwnFilesKept) {
    ASSERT_TRUE(save_backup(folder, 9, backup_reason::kWrite, moment(0), state).ok());
    const std::string reserved = folder + "/9_2026-12-07_14-03-01_restore.ZTV";
    test::write_text(reserved, "");
#if defined(_WIN32)
    // A process that has ended: its id is one no running process has.
    PROCESS_INFORMATION process{};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t command[] = L"cmd.exe /c exit";
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                               &process));
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const DWORD child = process.dwProcessId;
#else
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
#endif
    const std::string stale = folder + "/.9_2026-12-07_14-03-02_restore.ZTV." + std::to_string(child) + "-0.tmp";
    const std::string live = folder + "/.9_2026-12-07_14-03-03_restore.ZTV." + std::to_string(getpid()) + "-0.tmp";
    test::write_text(stale, "half a back");
    test::write_text(live, "being written");
    const std::string look_alike = folder + "/9_2020-01-01_00-00-00_write.ZTV";
    const std::string own_reason = folder + "/9_2020-01-01_00-00-00_car.ZTV";
    test::write_text(look_alike, "shopping list");
    ASSERT_EQ(save_config_file(own_reason, state), FileWriteStatus::Ok);
    fs::last_write_time(look_alike, fs::last_write_time(own_reason) - std::chrono::hours(1000));
    EXPECT_EQ(list_backups(folder).entries.size(), 2u);  // the reserved name is no backup

    for (int i = 0; i < 101; ++i) ASSERT_TRUE(save_backup(folder, 9, backup_reason::kWrite, moment(i % 60), state).ok());
    EXPECT_FALSE(fs::exists(reserved));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(look_alike));
    EXPECT_TRUE(fs::exists(own_reason));
}

TEST_F(ConfigBackups, KeepsTheNewestHundredOfEachController) {
    ASSERT_TRUE(save_backup(folder, 1, backup_reason::kWrite, moment(0), state).ok());
    for (int i = 0; i < 105; ++i) ASSERT_TRUE(save_backup(folder, 2, backup_reason::kWrite, moment(i % 50), state).ok());
    const BackupListing listing = list_backups(folder);
    ASSERT_EQ(listing.entries.size(), kBackupsKept + 1);  // the other controller's only backup is kept
    EXPECT_EQ(std::count_if(listing.entries.begin(), listing.entries.end(),
                            [](const BackupEntry& e) { return e.serial == "1"; }),
              1);
}

TEST_F(ConfigBackups, AFolderThatCannotHoldThemIsAClearFailure) {
    test::write_text(dir.file("file"), "x");
    BackupResult result = save_backup(dir.file("file"), 1, backup_reason::kWrite, moment(), state);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.path.empty());
    EXPECT_NE(result.error.en.find("is not a folder"), std::string::npos) << result.error.en;
    EXPECT_FALSE(list_backups(dir.file("file")).error.empty());
    EXPECT_TRUE(list_backups(dir.file("missing")).error.empty());  // no folder yet: no backups
#if !defined(_WIN32)  // links need a privilege on Windows, and a folder's read-only mark means nothing there
    // A folder that cannot be reached is an error, never an empty list.
    fs::create_directory_symlink("loop", dir.file("loop"));
    EXPECT_NE(list_backups(dir.file("loop")).error.en.find("circle"), std::string::npos);
    EXPECT_FALSE(save_backup(dir.file("loop"), 1, backup_reason::kWrite, moment(), state).ok());

    if (geteuid() != 0) {  // the superuser writes anywhere
        fs::create_directories(folder);
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_NE(list_backups(folder).error.en.find("Permission denied"), std::string::npos);
        fs::permissions(dir.path(), fs::perms::owner_all);
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        result = save_backup(folder, 1, backup_reason::kWrite, moment(), state);
        EXPECT_NE(result.error.en.find("Permission denied"), std::string::npos) << result.error.en;
        fs::permissions(folder, fs::perms::owner_all);
    }
#endif
    EXPECT_FALSE(save_backup("", 1, backup_reason::kWrite, moment(), state).ok());
}

#if defined(_WIN32)
TEST(BackupFolder, IsInTheLocalApplicationData) {
    const std::string folder = default_backup_folder();
    EXPECT_TRUE(system_path(folder).is_absolute()) << folder;
    EXPECT_NE(folder.find("\\AppData\\Local\\zeb-tervio\\backups"), std::string::npos) << folder;
}
#else
TEST(BackupFolder, FollowsTheDataHomeOfTheUser) {
    const char* saved_data = std::getenv("XDG_DATA_HOME");
    const std::string restore_data = saved_data ? saved_data : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(default_backup_folder(), "/data/home/zeb-tervio/backups");
    setenv("XDG_DATA_HOME", "relative", 1);  // ignored, as the XDG rules say
    setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/root", 1);
    EXPECT_EQ(default_backup_folder(), std::string(std::getenv("HOME")) + "/.local/share/zeb-tervio/backups");
    if (saved_data) setenv("XDG_DATA_HOME", restore_data.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
}
#endif

}  // namespace
}  // namespace ztv
