#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/system_names.h"
#include "support/temp_dir.h"

namespace ztv {
namespace {

TEST(SettingsFile, MissingFileGivesTheDefaults) {
    test::TempDir dir;
    const SettingsFile file(dir.file("none/ztv-setup.ini"));
    const auto doc = file.open();
    ASSERT_TRUE(doc.has_value());
    const MainSettings s = read_main_settings(*doc, kLangIdRussian);
    EXPECT_FALSE(s.main_top.has_value());
    EXPECT_FALSE(s.main_left.has_value());
    EXPECT_EQ(s.tx_height, 64);
    EXPECT_FALSE(s.log);
    EXPECT_FALSE(s.debug);
    EXPECT_FALSE(s.only_used);
    EXPECT_EQ(s.speed_up, 0);
    EXPECT_EQ(s.lang, 0);
    EXPECT_EQ(read_main_settings(*doc, kLangIdUkrainian).lang, 0);
    EXPECT_EQ(read_main_settings(*doc, 1033).lang, 1);
    EXPECT_EQ(read_folder_path(*doc, FolderKey::Config, "/opt/ztv"), "/opt/ztv");
}

TEST(SettingsFile, ValuesSurviveAWriteAndYesNoIsAnythingButZero) {
    test::TempDir dir;
    const SettingsFile file(dir.file("cfg/ztv-setup.ini"));
    IniDocument doc;
    MainSettings s;
    s.main_top = -5;
    s.main_left = 30;
    s.tx_height = 90;
    s.debug = true;
    s.speed_up = 20;
    s.lang = 7;
    s.key_top = 11;
    s.key_left = 12;
    s.key_visible = 1;
    write_main_settings(doc, s);
    remember_folder_path(doc, FolderKey::Config, "/home/u/cars/camry.ZTV ");  // a name may end in a blank
    remember_folder_path(doc, FolderKey::Firmware, "");  // an empty path is not stored
    ASSERT_EQ(file.save(doc), FileWriteStatus::Ok);

    const auto back = file.open();
    ASSERT_TRUE(back.has_value());
    const MainSettings r = read_main_settings(*back, 1033);
    EXPECT_EQ(r.main_top, -5);
    EXPECT_EQ(r.main_left, 30);
    EXPECT_EQ(r.tx_height, 90);
    EXPECT_TRUE(r.debug);
    EXPECT_FALSE(r.log);
    EXPECT_EQ(r.speed_up, 20);
    EXPECT_EQ(r.lang, 0);  // any stored value but 1 is Russian, as the language switch has it
    EXPECT_EQ(LanguageSetting().set_language(r.lang), 0);
    EXPECT_EQ(r.key_visible, 1);
    EXPECT_EQ(read_folder_path(*back, FolderKey::Config, "/p"), "/home/u/cars/camry.ZTV ");
    EXPECT_EQ(read_folder_path(*back, FolderKey::CanLog, "/p"), "/p");  // shares the section, not the key
    EXPECT_EQ(read_folder_path(*back, FolderKey::Firmware, "/p"), "/p");
    EXPECT_EQ(folder_of("/home/u/cars/camry.ZTV"), "/home/u/cars");

    const auto yes = IniDocument::parse("[MainSettings]\r\nLog=5\r\nOnlyUsed=-1\r\nDebug=0\r\n");
    const MainSettings y = read_main_settings(yes, 1033);
    EXPECT_TRUE(y.log);
    EXPECT_TRUE(y.only_used);
    EXPECT_FALSE(y.debug);
}

TEST(SettingsFile, NumbersOutsideTheirRangeReadAsTheDefault) {
    const IniDocument doc = IniDocument::parse(
        "[MainSettings]\r\nTXHeight=2147483647\r\nSpeedUp=-1\r\nMainTop=-2147483648\r\nMainLeft=999999\r\n"
        "KeyTop=100001\r\nKeyLeft=0x7FFFFFFF\r\nKeyVisible=-7\r\nLang=-1\r\nLog=abc\r\nDebug=-1\r\n");
    const MainSettings s = read_main_settings(doc, 1033);
    EXPECT_EQ(s.tx_height, 64);
    EXPECT_EQ(s.speed_up, 0);
    EXPECT_FALSE(s.main_top.has_value()) << "centred, as for a missing key";
    EXPECT_FALSE(s.main_left.has_value());
    EXPECT_FALSE(s.key_top.has_value());
    EXPECT_FALSE(s.key_left.has_value());
    EXPECT_EQ(s.key_visible, 1);
    EXPECT_EQ(s.lang, 0) << "-1 would only ask the language switch and set nothing";
    EXPECT_FALSE(s.log);
    EXPECT_TRUE(s.debug);

    EXPECT_EQ(read_main_settings(IniDocument::parse("[MainSettings]\nTXHeight=15\nSpeedUp=1001\n"), 1033).tx_height,
              64);
    EXPECT_EQ(read_main_settings(IniDocument::parse("[MainSettings]\nSpeedUp=1001\n"), 1033).speed_up, 0);
    EXPECT_EQ(read_main_settings(IniDocument::parse("[MainSettings]\nLang=zz\n"), 1033).lang, 0)
        << "any stored value but 1 is Russian, whatever the desktop speaks";
    EXPECT_EQ(read_main_settings(IniDocument::parse("[MainSettings]\n"), 1033).lang, 1);
}

TEST(SettingsFile, NumbersAtTheEdgesOfTheirRangeAreKept) {
    const IniDocument doc = IniDocument::parse(
        "[MainSettings]\nTXHeight=2000\nSpeedUp=1000\nMainTop=-100000\nMainLeft=100000\nKeyTop=0\n");
    const MainSettings s = read_main_settings(doc, 1033);
    EXPECT_EQ(s.tx_height, 2000);
    EXPECT_EQ(s.speed_up, 1000);
    EXPECT_EQ(s.main_top, -100000);
    EXPECT_EQ(s.main_left, 100000);
    EXPECT_EQ(s.key_top, 0);
    EXPECT_EQ(read_main_settings(IniDocument::parse("[MainSettings]\nTXHeight=16\n"), 1033).tx_height, 16);
}

TEST(SettingsFile, ParameterPagesShareIsKeptOnlyWithinItsRange) {
    const auto read = [](const char* text) { return read_main_settings(IniDocument::parse(text), 1033).param_share; };
    EXPECT_EQ(read("[MainSettings]\nParamShare=400\n"), 400);
    EXPECT_EQ(read("[MainSettings]\nParamShare=999\n"), 999);
    EXPECT_EQ(read("[MainSettings]\nParamHeight=280\n"), std::nullopt);  // pixels, from earlier versions
    EXPECT_EQ(read("[MainSettings]\nParamShare=0\n"), std::nullopt);
    EXPECT_EQ(read("[MainSettings]\nParamShare=1000\n"), std::nullopt);
    EXPECT_EQ(read("[MainSettings]\nParamShare=tall\n"), std::nullopt);
    IniDocument doc;
    MainSettings s;
    s.param_share = 400;
    write_main_settings(doc, s);
    EXPECT_EQ(doc.get("MainSettings", "ParamShare"), std::optional<std::string_view>("400"));
}

TEST(SettingsFile, KeysAreSavedInTheClosingOrder) {
    IniDocument doc;
    MainSettings s;
    s.main_top = 1;
    s.main_left = 2;
    s.key_top = 3;
    s.key_left = 4;
    write_main_settings(doc, s);
    EXPECT_EQ(doc.serialize(),
              "[MainSettings]\r\nMainTop=1\r\nMainLeft=2\r\nLang=1\r\nLog=0\r\nDebug=0\r\nOnlyUsed=0\r\nSpeedUp=0\r\n"
              "KeyTop=3\r\nKeyLeft=4\r\nKeyVisible=0\r\nTXHeight=64\r\n");
}

TEST(SettingsFile, UnreadableFileIsReportedNotTreatedAsEmpty) {
    test::TempDir dir;
    const SettingsFile file(dir.path().string());  // a folder cannot be read as a file
    EXPECT_FALSE(file.open().has_value());
    EXPECT_EQ(file.save(IniDocument()), FileWriteStatus::IsFolder);
}

TEST(SettingsFile, AnLfFileStaysLfAndASaveBeyondTheReadLimitIsRefused) {
    test::TempDir dir;
    const std::string path = dir.file("ztv-setup.ini");
    const std::string text = "[MainSettings]\nMainTop=1\nMainLeft=2\nLang=1\nLog=0\nDebug=0\nOnlyUsed=0\n"
                             "SpeedUp=0\nKeyVisible=0\nTXHeight=64\n[DirectoryConfig]\nZEBTERVIO=/home/u/a.ZTV\n";
    test::write_text(path, text);
    const SettingsFile file(path);
    for (int round = 0; round < 3; ++round) {
        auto doc = file.open();
        ASSERT_TRUE(doc.has_value());
        MainSettings s = read_main_settings(*doc, 1033);
        s.lang = 0;
        write_main_settings(*doc, s);
        ASSERT_EQ(file.save(*doc), FileWriteStatus::Ok);
    }
    std::string expected = text;
    expected.replace(expected.find("Lang=1"), 6, "Lang=0");
    EXPECT_EQ(test::read_text(path), expected);

    // A folder path so long that the file could not be read back is not saved.
    auto doc = file.open();
    ASSERT_TRUE(doc.has_value());
    remember_folder_path(*doc, FolderKey::Firmware, "/" + std::string(300 * 1024, 'd') + "/fw.LDR");
    const FileWriteStatus status = file.save(*doc);
    EXPECT_EQ(status, FileWriteStatus::BeyondReadLimit);
    EXPECT_EQ(test::read_text(path), expected);
    EXPECT_TRUE(file.open().has_value());
    EXPECT_EQ(settings_save_error(status, path).en,
              "The program settings could not be saved to " + path +
                  "\nThe file would be larger than the program can read back");
    EXPECT_EQ(settings_save_error(status, path).ru.rfind("Не удалось сохранить настройки программы в " + path + "\n", 0),
              0u);
    EXPECT_TRUE(settings_save_error(FileWriteStatus::Ok, path).empty());
}

#if defined(_WIN32)
// From the system's known folder, which follows a moved profile; never the current folder.
TEST(SettingsFile, DefaultPathIsInTheRoamingApplicationData) {
    const std::string path = default_settings_path();
    EXPECT_TRUE(system_path(path).is_absolute()) << path;
    EXPECT_NE(path.find("\\AppData\\Roaming\\zeb-tervio\\ztv-setup.ini"), std::string::npos) << path;
}
#else
TEST(SettingsFile, DefaultPathFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(default_settings_path(), "/tmp/xdg-test/zeb-tervio/ztv-setup.ini");
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_NE(default_settings_path().rfind("relative", 0), 0u);
    if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
}
#endif

TEST(WindowPlacement, StoredPlaceIsKeptOnlyWhileTheWindowStaysReachable) {
    // Screen 1920 x 1080, window 800 x 600: centred top 240, centred left 560.
    const auto place = [](std::optional<int> top, std::optional<int> left) {
        return place_window(1920, 1080, 800, 600, top, left);
    };
    EXPECT_EQ(place(std::nullopt, std::nullopt).top, 240);
    EXPECT_EQ(place(std::nullopt, std::nullopt).left, 560);
    EXPECT_EQ(place(-5, 10).top, 240);
    EXPECT_EQ(place(0, 10).top, 0);
    EXPECT_EQ(place(780, 10).top, 780);   // H - h/2
    EXPECT_EQ(place(781, 10).top, 240);
    EXPECT_EQ(place(10, -400).left, -400);  // -(w/2) kept
    EXPECT_EQ(place(10, -401).left, 560);
    EXPECT_EQ(place(10, 1520).left, 1520);  // W - w/2
    EXPECT_EQ(place(10, 1521).left, 560);
    // Odd sizes: halves round toward zero.
    const WindowPlace odd = place_window(1001, 801, 301, 201, std::nullopt, std::nullopt);
    EXPECT_EQ(odd.top, 400 - 100);
    EXPECT_EQ(odd.left, 500 - 150);
}

TEST(FileDialogSize, DefaultShowsWholeColumnsAndAChosenSizeSurvivesAWrite) {
    IniDocument doc;
    EXPECT_EQ(read_file_dialog_size(doc), kDefaultFileDialogSize);
    EXPECT_GE(kDefaultFileDialogSize.width, 860);  // name, size, type and date columns side by side
    remember_file_dialog_size(doc, {1200, 700});
    const IniDocument again = IniDocument::parse(doc.serialize());
    EXPECT_EQ(read_file_dialog_size(again), (DialogSize{1200, 700}));
}

TEST(FileDialogSize, SizesOutOfBoundsAreNeitherReadNorStored) {
    IniDocument doc = IniDocument::parse("[MainSettings]\nFileDialogWidth=100\nFileDialogHeight=700\n");
    EXPECT_EQ(read_file_dialog_size(doc), kDefaultFileDialogSize);
    doc = IniDocument::parse("[MainSettings]\nFileDialogWidth=1000\n");  // half a size
    EXPECT_EQ(read_file_dialog_size(doc), kDefaultFileDialogSize);
    doc = IniDocument::parse("[MainSettings]\nFileDialogWidth=99999999999\nFileDialogHeight=700\n");
    EXPECT_EQ(read_file_dialog_size(doc), kDefaultFileDialogSize);

    IniDocument fresh;
    remember_file_dialog_size(fresh, {0, 0});
    remember_file_dialog_size(fresh, {kMinFileDialogSize.width - 1, 700});
    remember_file_dialog_size(fresh, {900, kMaxFileDialogSide + 1});
    EXPECT_FALSE(fresh.get("MainSettings", "FileDialogWidth").has_value());
    remember_file_dialog_size(fresh, kMinFileDialogSize);
    EXPECT_EQ(read_file_dialog_size(fresh), kMinFileDialogSize);
}

}  // namespace
}  // namespace ztv
