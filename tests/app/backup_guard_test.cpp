// Backups in the window: made whenever the controller's configuration is about to be
// overwritten (a write, an opened file, a write chosen when a controller connects), only then,
// never skipped without a word, and announced in the status line.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string_view>

#include "config/config_file.h"
#include "safety_fixture.h"

namespace ztv {
namespace {

class BackupGuardTest : public testing::SafetyFixture {
protected:
    // The one backup there is: its reason and the long-press time-out it holds.
    void expect_one_backup(std::string_view reason, std::uint16_t long_press) {
        const BackupListing listing = list_backups(default_backup_folder());
        ASSERT_EQ(listing.entries.size(), 1u);
        EXPECT_EQ(listing.entries[0].reason, reason);
        ConfigState backup;
        ASSERT_EQ(load_config_file(listing.entries[0].path, backup), ConfigFileStatus::Ok);
        EXPECT_EQ(backup.record.long_press_ms(), long_press);
        // The status line names it.
        const std::string name = std::filesystem::path(listing.entries[0].path).filename().string();
        EXPECT_TRUE(window->status_line().contains(QString::fromStdString(name))) << window->status_line().toStdString();
    }
};

TEST_F(BackupGuardTest, WriteChosenWhenTheControllerConnectsBacksItUpFirst) {
    const std::uint16_t held = controller().long_press_ms();
    window->open_config_file(file_with_long_press("customer.ZTV", 1234));  // before the first poll
    QString status_under_question;
    window->host().set_message_answerer([&](int type, const QString& title, const QString& text) {
        boxes.push_back({type, title, text});
        if (boxes.size() == 1) status_under_question = window->status_line();
        return kIdYes;
    });
    ASSERT_TRUE(connect_controller());
    EXPECT_EQ(controller().long_press_ms(), 1234);
    ASSERT_EQ(boxes.size(), 1u) << boxes.back().text.toStdString();
    EXPECT_TRUE(status_under_question.contains(QStringLiteral("TERVIO"))) << status_under_question.toStdString();

    run_for(1000);  // polls rewrite the status line; the note stays
    expect_one_backup(backup_reason::kWrite, held);
}

TEST_F(BackupGuardTest, ConnectWithoutAPossibleBackupAsksAndLeavesTheControllerByDefault) {
    const Record before = controller();
    window->open_config_file(file_with_long_press("customer.ZTV", 1234));
    testing::BackupsFolderBlocked blocked(dir.filePath(QStringLiteral("data-file")));
    window->host().set_message_answerer([&](int type, const QString& title, const QString& text) {
        boxes.push_back({type, title, text});
        return boxes.size() == 1 ? kIdYes : unattended_answer(type);
    });
    ASSERT_TRUE(wait_until([&] { return boxes.size() == 2; }));
    run_for(1000);
    EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("резервной копии"))) << boxes[1].text.toStdString();
    EXPECT_TRUE(std::ranges::equal(controller().bytes(), before.bytes()));
    EXPECT_EQ(state.record.long_press_ms(), 1234);
}

TEST_F(BackupGuardTest, FileOpenedWhileConnectedBacksUpWhatItChangesAndOnlyThat) {
    ASSERT_TRUE(connect_controller());
    const std::uint16_t held = controller().long_press_ms();
    const QString path = file_with_long_press("customer.ZTV", 1234);
    window->open_config_file(path);
    ASSERT_TRUE(wait_until([&] { return controller().long_press_ms() == 1234; }));
    expect_one_backup(backup_reason::kRestore, held);

    window->open_config_file(path);  // the controller holds it already: nothing to keep
    EXPECT_EQ(backup_count(), 1u);

    // A backup that cannot be made asks; No keeps the configuration shown, and the controller.
    testing::BackupsFolderBlocked blocked(dir.filePath(QStringLiteral("data-file")));
    answer = kIdNo;
    window->open_config_file(file_with_long_press("other.ZTV", 700));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("резервной копии")));
    run_for(1000);
    EXPECT_EQ(state.record.long_press_ms(), 1234);
    EXPECT_EQ(controller().long_press_ms(), 1234);
}

// Opening the oldest of the hundred kept (from the Backups window, say): the backup that the
// opening makes never prunes the very file opened.
TEST_F(BackupGuardTest, OpeningTheOldestBackupKeepsIt) {
    ASSERT_TRUE(connect_controller());
    ConfigState file;
    file.record.set_u16(0, 4321);
    const std::string folder = default_backup_folder();
    const std::uint32_t serial = link->monitor().status().serial;
    const BackupResult oldest = save_backup(folder, serial, backup_reason::kWrite, std::time(nullptr), file);
    for (std::size_t i = 1; i < kBackupsKept; ++i)
        ASSERT_TRUE(save_backup(folder, serial, backup_reason::kWrite, std::time(nullptr), file).ok());
    window->open_config_file(QString::fromStdString(oldest.path));
    ASSERT_TRUE(wait_until([&] { return controller().long_press_ms() == 4321; }));
    EXPECT_TRUE(std::filesystem::exists(oldest.path));
}

TEST_F(BackupGuardTest, AnOverwriteAnsweredNoMakesNoBackup) {
    ASSERT_TRUE(connect_controller());
    answer = kIdNo;
    window->on_write_device();
    window->on_to_default();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(backup_count(), 0u);
}

}  // namespace
}  // namespace ztv
