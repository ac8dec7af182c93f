// The automatic backups' folder, names, listing and pruning.
#include "config/config_backups.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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
    ASSERT_TRUE(save_backup(folder, 7, "../x y", moment(10), state).ok());  // odd reason: "backup"
    test::write_text(folder + "/notes.ZTV", "not a backup name");

    const BackupListing listing = list_backups(folder);
    ASSERT_TRUE(listing.error.empty());
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_EQ(listing.entries[0].path, second.path);
    EXPECT_EQ(listing.entries[1].path, first.path);
    EXPECT_EQ(listing.entries[1].date, "2026-12-07 14:03:22");
    EXPECT_EQ(listing.entries[2].serial, "7");
    EXPECT_EQ(listing.entries[2].reason, "backup");
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

    if (geteuid() != 0) {  // the superuser writes anywhere
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        result = save_backup(folder, 1, backup_reason::kWrite, moment(), state);
        EXPECT_NE(result.error.en.find("Permission denied"), std::string::npos) << result.error.en;
        fs::permissions(folder, fs::perms::owner_all);
    }
    EXPECT_FALSE(save_backup("", 1, backup_reason::kWrite, moment(), state).ok());
}

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

}  // namespace
}  // namespace ztv
