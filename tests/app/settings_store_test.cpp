#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace ztv {
namespace {

// What the file dialogs and the CAN log page store between start and close is still there
// after the window's own settings are saved over the file.
TEST(SettingsStore, WhatEachPartStoredSurvivesTheOthersWrites) {
    test::TempDir dir;
    test::FakeHost host;
    SettingsStore store(host, dir.file("cfg/ztv-setup.ini"), "/home/u", kLangIdRussian);
    MainSettings settings = store.load();
    EXPECT_EQ(settings.lang, 0);
    EXPECT_EQ(store.folder(FolderKey::CanLog), "/home/u");
    store.remember_folder(FolderKey::CanLog, "/data/logs/drive.LOG");
    store.remember_can_highlight(false);
    store.remember_file_dialog_size({700, 500});
    settings.only_used = true;
    store.save(settings);

    SettingsStore again(host, dir.file("cfg/ztv-setup.ini"), "/home/u", kLangIdRussian);
    EXPECT_TRUE(again.load().only_used);
    EXPECT_EQ(again.folder(FolderKey::CanLog), "/data/logs/drive.LOG");
    EXPECT_EQ(again.folder(FolderKey::Config), "/home/u");
    EXPECT_FALSE(again.can_highlight());
    EXPECT_EQ(again.file_dialog_size(), (DialogSize{700, 500}));
    EXPECT_TRUE(host.boxes.empty());
}

// A file that cannot be read is said once where the user asked for something, and nothing
// is written over it.
TEST(SettingsStore, AnUnreadableFileIsReportedAndLeftAlone) {
    test::TempDir dir;
    test::FakeHost host;
    const std::string path = dir.file("ztv-setup.ini");
    std::filesystem::create_directories(path);  // a folder where the file should be
    SettingsStore store(host, path, "/home/u", 1033);
    EXPECT_EQ(store.load().lang, 1);
    EXPECT_EQ(store.folder(FolderKey::Config), std::nullopt);
    store.remember_can_highlight(false);
    store.save(store.loaded());
    EXPECT_EQ(host.boxes.size(), 3u);  // load, the dialog's folder, the close
    EXPECT_TRUE(store.can_highlight());
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
}  // namespace ztv
