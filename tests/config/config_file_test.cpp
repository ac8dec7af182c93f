#include "config/config_file.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <csignal>

#include <random>

#include "common/hex.h"
#include "config/config_messages.h"
#include "config/field_table.h"
#include "support/temp_dir.h"

namespace ztv {
namespace {

using test::TempDir;
using test::read_text;
using test::write_text;

ConfigImage load_text(const std::string& text) { return read_config(IniDocument::parse(text)); }

std::string save_text(const ConfigState& s, const std::string& existing = "") {
    IniDocument doc = IniDocument::parse(existing);
    write_config(doc, s.record, s.touch, s.slot_names);
    return doc.serialize();
}

TEST(ConfigFile, FreshProgramWritesEveryKeyAsZeroInTheDocumentedOrder) {
    const ConfigState fresh;
    const std::string text = save_text(fresh);
    const auto doc = IniDocument::parse(text);
    EXPECT_EQ(doc.get("TOUCH", "TOUCH"), std::string(20, '0'));
    EXPECT_EQ(doc.get("PARAM", "KEY"), std::string(20, '0'));
    EXPECT_EQ(doc.get("PARAM", "ANAPARAM"), std::string(8, '0'));
    EXPECT_EQ(doc.get("PARAM", "PINMODE"), std::string(28, '0'));
    EXPECT_EQ(doc.get("PARAM", "TOUCH_MODE"), "0");
    EXPECT_EQ(doc.get("KEYSCH4", "KEY15"), std::string(18, '0'));
    EXPECT_EQ(doc.get("EVENTS", "EVRESP80"), std::string(34, '0'));
    EXPECT_EQ(doc.get("SOURCE", "USE_NAME"), "0");
    EXPECT_EQ(doc.get("SOURCE", "NAME8"), "");
    EXPECT_EQ(doc.get("EVRESPNAME", "TAB80"), "");
    EXPECT_FALSE(doc.get("KEYSCH1", "KEY1").has_value());  // two-digit button keys
    EXPECT_FALSE(doc.get("EVRESPNAME", "TAB01").has_value());

    // Sections and PARAM keys in writing order.
    std::vector<std::string> sections;
    std::vector<std::string> param_keys;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        const std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        if (line.front() == '[') {
            section = line.substr(1, line.size() - 2);
            sections.push_back(section);
        } else if (section == "PARAM") {
            param_keys.push_back(line.substr(0, line.find('=')));
        }
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"TOUCH", "PARAM", "KEYSCH1", "KEYSCH2", "KEYSCH3", "KEYSCH4",
                                                  "EVENTS", "SOURCE", "EVRESPNAME"}));
    ASSERT_EQ(param_keys.size(), 87u);
    EXPECT_EQ(param_keys.front(), "ENC0MODE");
    EXPECT_EQ(param_keys[63], "KEY");
    EXPECT_EQ(param_keys[64], "ANAPARAM");
    EXPECT_EQ(param_keys[65], "PINMODE");
    EXPECT_EQ(param_keys.back(), "RESEMULPARAM_SWAPY");
}

TEST(ConfigFile, GarbledValuesGiveDefaultsAndAreCutToTheFieldWidth) {
    const auto image = load_text(
        "[param]\r\nenc0div=300\r\nENC1DIV=9\r\nTOUCH_MODE=9\r\nIRINP_NUM=junk\r\nHEAD_TYPE=-1\r\n"
        "GPS_SPEED=$A\r\nAMPLPARAM_TO=0x12345\r\nIEBUS_MODEBITS=65535\r\n");
    const Record& r = image.record;
    EXPECT_EQ(get_field(r, FieldId::ENC0DIV), 44u);  // 300 cut to 8 bits
    EXPECT_EQ(get_field(r, FieldId::ENC1DIV), 9u);
    EXPECT_EQ(get_field(r, FieldId::TOUCH_MODE), 1u);  // 9 cut to 3 bits
    EXPECT_EQ(get_field(r, FieldId::IRINP_NUM), 0u);
    EXPECT_EQ(get_field(r, FieldId::HEAD_TYPE), 255u);
    EXPECT_EQ(get_field(r, FieldId::GPS_SPEED), 10u);
    EXPECT_EQ(get_field(r, FieldId::AMPLPARAM_TO), 0x2345u);
    EXPECT_EQ(r.u16(1931), 0x7FFF);  // the modebits never reach the touch bit
    EXPECT_EQ(get_field(r, FieldId::IEBUS_TOUCH), 0u);

    EXPECT_EQ(get_field(load_text("").record, FieldId::TOUCH_MODE), 1u);  // missing: "Only external"
    EXPECT_EQ(get_field(load_text("[PARAM]\r\nTOUCH_MODE=\r\n").record, FieldId::TOUCH_MODE), 1u);
    EXPECT_EQ(get_field(load_text("[PARAM]\r\nTOUCH_MODE=0\r\n").record, FieldId::TOUCH_MODE), 0u);
}

TEST(ConfigFile, HexBlobsAndTheAnalogBytesReadOrder) {
    const auto image = load_text(
        "[EVENTS]\r\nEVRESP01=0102030405060708090a0b0c0d0e0f1011FFFF\r\nEVRESP02=AABBCCDDEE\r\n"
        "[PARAM]\r\nANA_VOUT1=7\r\nMINMAX_VOUT2=9\r\nANAPARAM=0102\r\n[TOUCH]\r\ntouch=FFx\r\n");
    const Record& r = image.record;
    for (std::size_t i = 0; i < 17; ++i) EXPECT_EQ(r.slot(0)[i], i + 1);  // 36 digits: first 34 used
    EXPECT_EQ(r.slot(1)[4], 0xEE);
    EXPECT_EQ(r.slot(1)[5], 0);
    // ANAPARAM overwrites the single keys; its missing pairs give zero.
    EXPECT_EQ(r.u8(550), 1);
    EXPECT_EQ(r.u8(551), 2);
    EXPECT_EQ(r.u8(553), 0);
    EXPECT_EQ(image.touch[0], 0xFF);
    EXPECT_EQ(image.touch[1], 0);
    // Without ANAPARAM the four analog bytes load as 0.
    EXPECT_EQ(load_text("[PARAM]\r\nANA_VOUT1=7\r\n").record.u8(550), 0);
    // Without KEY the header words are 0: files get no header defaults.
    EXPECT_EQ(load_text("").record.long_press_ms(), 0);
    // Lower-case digits load as the upper-case form; saving writes upper case.
    ConfigState s;
    s.record = load_text("[EVENTS]\r\nEVRESP03=abcdef\r\n").record;
    EXPECT_EQ(IniDocument::parse(save_text(s)).get("EVENTS", "EVRESP03"), "ABCDEF" + std::string(28, '0'));
}

TEST(ConfigFile, TextKeysAreWindows1251CutToTheirFieldAndUnterminatedWhenFull) {
    const auto image = load_text(
        "[SOURCE]\r\nNAME1=\xD0\xE0\xE4\xE8\xEE\xFF\r\nname8=AB\r\nUSE_NAME=1\r\n"
        "[EVRESPNAME]\r\nTAB1=" + std::string(40, 'x') + "\r\nTAB80=\xCC\xEE\xE4\r\n");
    EXPECT_EQ(image.record.source_name(0), "\xD0\xE0\xE4\xE8\xEE");
    EXPECT_EQ(image.record.source_name(7), "AB");
    EXPECT_EQ(image.record.u8(1965), 1);
    ConfigState s;
    s.record = image.record;
    s.slot_names = image.slot_names;
    EXPECT_EQ(s.slot_name(0), std::string(32, 'x'));
    EXPECT_EQ(s.slot_name(79), "\xCC\xEE\xE4");
    const auto saved = IniDocument::parse(save_text(s));
    EXPECT_EQ(saved.get("SOURCE", "NAME1"), "\xD0\xE0\xE4\xE8\xEE");
    EXPECT_EQ(saved.get("EVRESPNAME", "TAB1"), std::string(32, 'x'));
}

// Every byte of a random record survives a save and a load, except what a file cannot carry:
// the reserved bytes 1930, 1959-1960 and 2028-2037, the reserved bits (1916 bits 6-7, 1918 bit 7, 1961 bit 1,
// 1962 bits 3-7, 2016 bits 2-7, 2021 bits 5-7, 2024 bits 2-7), the PS2 orientation (2007 bits
// 6-7).
TEST(ConfigFile, RandomRecordSurvivesSaveAndLoadExceptWhatFilesCannotCarry) {
    std::array<std::uint8_t, kRecordSize> carried{};
    carried.fill(0xFF);
    for (const std::size_t b : {1930u, 1959u, 1960u}) carried[b] = 0;
    for (std::size_t b = 2028; b < kRecordSize; ++b) carried[b] = 0;
    carried[1916] = 0x3F;
    carried[1918] = 0x7F;
    carried[1961] = 0xFD;
    carried[1962] = 0x07;
    carried[2016] = 0x03;
    carried[2021] = 0x1F;
    carried[2024] = 0x03;
    carried[2007] = 0x3F;

    std::mt19937 rng(12345);
    for (int round = 0; round < 20; ++round) {
        ConfigState s;
        for (std::size_t i = 0; i < kRecordSize; ++i) s.record.raw[i] = static_cast<std::uint8_t>(rng());
        for (auto& b : s.touch) b = static_cast<std::uint8_t>(rng());
        // Texts stop at their first NUL and cannot hold CR or LF: use printable bytes.
        for (std::size_t src = 0; src < kSourceCount; ++src)
            for (std::size_t k = 0; k < kSourceNameSize; ++k)
                s.record.raw[kSourceNamesOffset + src * kSourceNameSize + k] = static_cast<std::uint8_t>('A' + rng() % 26);
        for (auto& name : s.slot_names)
            for (auto& b : name) b = static_cast<std::uint8_t>(0xC0 + rng() % 64);

        const auto image = load_text(save_text(s));
        for (std::size_t i = 0; i < kRecordSize; ++i)
            ASSERT_EQ(image.record.raw[i], s.record.raw[i] & carried[i]) << "offset " << i;
        EXPECT_EQ(image.touch, s.touch);
        EXPECT_EQ(image.slot_names, s.slot_names);
    }
}

TEST(ConfigFile, SavingOverAFileKeepsForeignSectionsAndKeysAndReplacesOurs) {
    TempDir dir;
    const std::string path = dir.file("car.ZTV");
    write_text(path, "[Installer]\r\nCar=Camry V50\r\n[PARAM]\r\nNOTE=keep me\r\nENC0MODE=5\r\n");
    ConfigState s;
    set_field(s.record, FieldId::ENC0MODE, 3);
    ASSERT_EQ(save_config_file(path, s), FileWriteStatus::Ok);
    const std::string text = read_text(path);
    EXPECT_EQ(text.rfind("[Installer]\r\nCar=Camry V50\r\n[PARAM]\r\nNOTE=keep me\r\nENC0MODE=3\r\n", 0), 0u);
    EXPECT_EQ(text.find("ENC0MODE", text.find("ENC0MODE") + 1), std::string::npos);
}

TEST(ConfigFile, AFileThatCannotBeReadChangesNothing) {
    TempDir dir;
    ConfigState s;
    s.record.raw.fill(0x5A);
    s.touch.fill(7);
    s.set_slot_name(0, "Keep");
    const ConfigState before = s;
    EXPECT_EQ(load_config_file(dir.file("missing.ZTV"), s), ConfigFileStatus::NotFound);
    EXPECT_EQ(load_config_file(dir.path().string(), s), ConfigFileStatus::Unreadable);  // a folder
    write_text(dir.file("huge.ZTV"), std::string(kMaxConfigFileSize + 1, ' '));
    EXPECT_EQ(load_config_file(dir.file("huge.ZTV"), s), ConfigFileStatus::TooLarge);
    EXPECT_EQ(s.record.raw, before.record.raw);
    EXPECT_EQ(s.touch, before.touch);
    EXPECT_EQ(s.slot_names, before.slot_names);

    const Text message = config_file_error(ConfigFileStatus::NotFound, "/x/y.ZTV");
    EXPECT_NE(message.en.find("/x/y.ZTV"), std::string::npos);
    EXPECT_NE(message.ru.find("/x/y.ZTV"), std::string::npos);
    // A read failure says why, as a write failure does.
    EXPECT_EQ(config_file_error(ConfigFileStatus::Unreadable, dir.path().string()).en,
              "Unable to read the configuration file:\n" + dir.path().string() + "\nThe name is a folder, not a file");
}

// Loading such a file would clear the record, and a connected controller with it.
TEST(ConfigFile, AFileWithNoneOfOurSectionsIsNotAConfigurationAndChangesNothing) {
    TempDir dir;
    ConfigState s;
    s.record.raw.fill(0x5A);
    s.touch.fill(7);
    s.set_slot_name(0, "Keep");
    const ConfigState before = s;
    std::string random_bytes(4096, '\0');
    std::mt19937 gen(8);
    for (char& c : random_bytes) c = static_cast<char>(gen() & 0xFF);
    static constexpr char utf16_text[] = "\xFF\xFE[\0P\0A\0R\0A\0M\0]\0\r\0\n\0K\0E\0Y\0=\0\x31\0\r\0\n\0";
    const std::string utf16_param(utf16_text, sizeof utf16_text - 1);
    const std::pair<const char*, std::string> not_configurations[] = {
        {"empty.ZTV", ""},
        {"random.ZTV", random_bytes},
        {"utf16.ZTV", utf16_param},
        {"README.ZTV", "# ZEB TERVIO\n\nThis folder holds [PARAM] files = car setups.\n"},
        {"other.ini", "[MainSettings]\r\nLang=1\r\n[PARAMS]\r\nTOUCH_MODE=3\r\n"},
    };
    for (const auto& [name, content] : not_configurations) {
        write_text(dir.file(name), content);
        EXPECT_EQ(load_config_file(dir.file(name), s), ConfigFileStatus::NotConfiguration) << name;
    }
    EXPECT_EQ(s.record.raw, before.record.raw);
    EXPECT_EQ(s.touch, before.touch);
    EXPECT_EQ(s.slot_names, before.slot_names);
    const Text message = config_file_error(ConfigFileStatus::NotConfiguration, "/x/notes.txt");
    EXPECT_EQ(message.en, "The file holds no device configuration:\n/x/notes.txt");
    EXPECT_EQ(message.ru, "В файле нет конфигурации устройства:\n/x/notes.txt");

    // One of our sections is enough; every key it lacks takes its default.
    write_text(dir.file("names.ZTV"), "[evrespname]\nTAB2=Mute\n");
    ASSERT_EQ(load_config_file(dir.file("names.ZTV"), s), ConfigFileStatus::Ok);
    EXPECT_EQ(s.record.u8(0), 0);
    EXPECT_EQ(get_field(s.record, FieldId::TOUCH_MODE), 1u);
    EXPECT_EQ(s.touch[0], 0);
    EXPECT_EQ(s.slot_name(0), "");
    EXPECT_EQ(s.slot_name(1), "Mute");
    EXPECT_EQ(s.record.raw[kRecordSize], 0x5A);  // nothing past the record is touched
    write_text(dir.file("buttons.ZTV"), "[KEYSCH3]\r\n");
    EXPECT_EQ(load_config_file(dir.file("buttons.ZTV"), s), ConfigFileStatus::Ok);

    // Whatever the program saves qualifies, even from an all-zero state.
    ASSERT_EQ(save_config_file(dir.file("saved.ZTV"), ConfigState{}), FileWriteStatus::Ok);
    EXPECT_EQ(load_config_file(dir.file("saved.ZTV"), s), ConfigFileStatus::Ok);
}

TEST(ConfigFile, SavingOverAnLfFileKeepsItsLineEndsAndItsSizeSteady) {
    TempDir dir;
    const std::string path = dir.file("lf.ZTV");
    ConfigState s;
    set_field(s.record, FieldId::ENC0MODE, 2);
    s.set_slot_name(4, "Vol+");
    std::string text = save_text(s);
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    text = "[Installer]\nCar=Camry\n" + text;
    write_text(path, text);
    for (int round = 0; round < 3; ++round) ASSERT_EQ(save_config_file(path, s), FileWriteStatus::Ok);
    EXPECT_EQ(read_text(path), text);  // nothing to change, so nothing changed
    set_field(s.record, FieldId::ENC0MODE, 3);
    ASSERT_EQ(save_config_file(path, s), FileWriteStatus::Ok);
    const std::string saved = read_text(path);
    EXPECT_EQ(saved.size(), text.size());
    EXPECT_EQ(saved.find('\r'), std::string::npos);
    EXPECT_NE(saved.find("\nENC0MODE=3\n"), std::string::npos);
    ConfigState back;
    ASSERT_EQ(load_config_file(path, back), ConfigFileStatus::Ok);
    EXPECT_EQ(back.record.raw, s.record.raw);
    EXPECT_EQ(back.slot_name(4), "Vol+");
}

TEST(ConfigFile, ASaveThatWouldNotLoadAgainIsRefusedAndTheFileKept) {
    TempDir dir;
    const std::string path = dir.file("big.ZTV");
    // Foreign notes just under the read limit: our own keys would push the file past it.
    const std::string old_text = "[Notes]\r\n" + std::string(kMaxConfigFileSize - 2000, 'n') + "\r\n";
    write_text(path, old_text);
    const ConfigState s;
    const FileWriteStatus status = save_config_file(path, s);
    EXPECT_EQ(status, FileWriteStatus::BeyondReadLimit);
    EXPECT_EQ(read_text(path), old_text);
    EXPECT_EQ(config_file_error(status, path).en,
              "Unable to write to " + path + "\nThe file would be larger than the program can read back");
    // A file already past the limit is not saved over either: its content could not be kept.
    write_text(path, std::string(kMaxConfigFileSize + 1, ' '));
    EXPECT_EQ(save_config_file(path, s), FileWriteStatus::BeyondReadLimit);
    EXPECT_EQ(std::filesystem::file_size(path), kMaxConfigFileSize + 1);
}

TEST(ConfigFile, NamesWithControlBytesBlanksOrQuotesNeverBreakTheFileAndComeBackAsSaved) {
    TempDir dir;
    const std::string path = dir.file("names.ZTV");
    ConfigState s;
    s.set_slot_name(0, "\r\n[X]");
    s.set_slot_name(1, "Next\ttrack");
    s.set_slot_name(2, "After");
    // Blanks at the ends and quotes around a name would be taken off by a reader; they stay.
    s.set_slot_name(3, "'Volume'");
    s.set_slot_name(4, " Vol ");
    s.record.set_source_name(0, "A\nB");
    s.record.set_source_name(1, "FM");
    s.record.set_source_name(2, "\"FM\"");
    const ConfigState before = s;
    ASSERT_EQ(save_config_file(path, s), FileWriteStatus::Ok);
    EXPECT_EQ(s.slot_names, before.slot_names);  // the record keeps what it was given
    EXPECT_EQ(s.record.raw, before.record.raw);

    const std::string text = read_text(path);
    EXPECT_EQ(text.find("\n[X]"), std::string::npos);
    EXPECT_NE(text.find("\r\nTAB1=\"  [X]\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nNAME1=A B\r\n"), std::string::npos);
    ConfigState back;
    ASSERT_EQ(load_config_file(path, back), ConfigFileStatus::Ok);
    EXPECT_EQ(back.slot_name(0), "  [X]");
    EXPECT_EQ(back.slot_name(1), "Next track");
    EXPECT_EQ(back.slot_name(2), "After");
    EXPECT_EQ(back.slot_name(3), "'Volume'");
    EXPECT_EQ(back.slot_name(4), " Vol ");
    EXPECT_EQ(back.record.source_name(0), "A B");
    EXPECT_EQ(back.record.source_name(1), "FM");
    EXPECT_EQ(back.record.source_name(2), "\"FM\"");
    EXPECT_EQ(IniDocument::parse(text).has_section("X"), false);
}

TEST(ConfigFile, ASaveErrorNamesTheFileThenTheReason) {
    TempDir dir;
    const std::string path = dir.file("ro.ZTV");
    write_text(path, "[PARAM]\r\nENC0MODE=1\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    const FileWriteStatus status = save_config_file(path, ConfigState{});
    EXPECT_EQ(status, FileWriteStatus::PermissionDenied);
    EXPECT_EQ(read_text(path), "[PARAM]\r\nENC0MODE=1\r\n");
    const Text message = config_file_error(status, path);
    EXPECT_EQ(message.en, "Unable to write to " + path +
                              "\nPermission denied: the file or its folder is protected against writing");
    EXPECT_EQ(message.ru.rfind("Не удалось записать в " + path + "\n", 0), 0u);
    EXPECT_EQ(save_config_file(dir.path().string(), ConfigState{}), FileWriteStatus::IsFolder);
    EXPECT_TRUE(config_file_error(FileWriteStatus::Ok, path).empty());
}

TEST(ConfigFile, ASaveThatFailsHalfWayLeavesTheOldFileWhole) {
#if defined(_WIN32)
    GTEST_SKIP() << "needs a file-size limit (setrlimit), which Windows does not have";
#else
    TempDir dir;
    const std::string path = dir.file("old.ZTV");
    const std::string old_text = "[PARAM]\r\nENC0MODE=1\r\n";
    write_text(path, old_text);
    ConfigState s;
    // A file-size limit makes the write fail after its first kilobyte, even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteStatus status = save_config_file(path, s);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(status, FileWriteStatus::TooLarge);
    EXPECT_EQ(read_text(path), old_text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
    EXPECT_EQ(config_file_error(status, path).en,
              "Unable to write to " + path + "\nThe file is too large for this disk or a size limit");
#endif
}

TEST(ConfigFile, SavingIntoAMissingFolderFailsWithoutLeavingAnything) {
    TempDir dir;
    ConfigState s;
    const std::string path = dir.file("no/such/folder/x.ZTV");
    EXPECT_EQ(save_config_file(path, s), FileWriteStatus::FolderMissing);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    // A successful save leaves no temporary file behind.
    ASSERT_EQ(save_config_file(dir.file("ok.ZTV"), s), FileWriteStatus::Ok);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace ztv
