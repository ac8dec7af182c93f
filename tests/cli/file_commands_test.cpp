#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string_view>

#include "cli/commands.h"
#include "command_run.h"
#include "support/temp_dir.h"

namespace ztv::cli {
namespace {

template <std::size_t N>
CommandOutcome run(int (*command)(Args), const std::array<std::string_view, N>& args) {
    return run_command(command, args);
}

TEST(DumpCommand, PrintsTouchRecordAndEightyNames) {
    test::TempDir dir;
    const std::string path = dir.file("a.ZTV");
    test::write_text(path,
                     "[TOUCH]\r\nTOUCH=0A0B\r\n[PARAM]\r\nKEY=E803\r\n[EVRESPNAME]\r\nTAB2=\xCF\xF3\xF1\xEA\r\n");
    const CommandOutcome r = run(run_dump, std::array<std::string_view, 1>{path});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < r.out.size()) {
        const std::size_t end = r.out.find('\n', pos);
        lines.push_back(r.out.substr(pos, end - pos));
        pos = end + 1;
    }
    ASSERT_EQ(lines.size(), 82u);
    EXPECT_EQ(lines[0], "touch: 0A0B" + std::string(16, '0'));
    ASSERT_EQ(lines[1].size(), 8u + 4076u);
    EXPECT_EQ(lines[1].substr(0, 12), "record: E803");
    // TOUCH_MODE defaults to 1 at offset 1916.
    EXPECT_EQ(lines[1].substr(8 + 2 * 1916, 2), "01");
    EXPECT_EQ(lines[2], "name 1: ");
    EXPECT_EQ(lines[3], "name 2: Пуск");
    EXPECT_EQ(lines[81], "name 80: ");
}

TEST(DumpCommand, UnreadableFileGivesAMessageAndFailure) {
    test::TempDir dir;
    const CommandOutcome r = run(run_dump, std::array<std::string_view, 1>{dir.file("missing.ZTV")});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("missing.ZTV"), std::string::npos);
    EXPECT_NE(run(run_dump, std::array<std::string_view, 0>{}).status, 0);
}

TEST(ConvertCommand, SavesWhatItLoadedAndKeepsTheTargetsOtherSections) {
    test::TempDir dir;
    const std::string in = dir.file("in.ZTV");
    const std::string out = dir.file("out.ZTV");
    test::write_text(in, "[PARAM]\r\nENC0MODE=0x3\r\n[SOURCE]\r\nNAME1=RADIO\r\n");
    test::write_text(out, "[Customer]\r\nName=Ivanov\r\n[PARAM]\r\nENC0MODE=1\r\n");
    const CommandOutcome r = run(run_convert, std::array<std::string_view, 2>{in, out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = test::read_text(out);
    EXPECT_EQ(text.rfind("[Customer]\r\nName=Ivanov\r\n[PARAM]\r\nENC0MODE=3\r\n", 0), 0u);
    EXPECT_NE(text.find("NAME1=RADIO\r\n"), std::string::npos);

    // The converted file dumps exactly as the original.
    const CommandOutcome a = run(run_dump, std::array<std::string_view, 1>{in});
    const CommandOutcome b = run(run_dump, std::array<std::string_view, 1>{out});
    EXPECT_EQ(a.out, b.out);

    const CommandOutcome bad = run(run_convert, std::array<std::string_view, 2>{in, dir.file("no/dir/x.ZTV")});
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find("Unable to write to"), std::string::npos);
}

TEST(ConvertCommand, WritesThroughALinkAndRefusesAReadOnlyFileWithItsReason) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const std::string in = dir.file("in.ZTV");
    test::write_text(in, "[PARAM]\r\nENC0MODE=2\r\n");
    test::write_text(dir.file("target.ZTV"), "[Customer]\r\nName=Petrov\r\n");
#if !defined(_WIN32)  // links need a privilege on Windows
    fs::create_symlink("target.ZTV", dir.path() / "link.ZTV");
    const CommandOutcome r = run(run_convert, std::array<std::string_view, 2>{in, dir.file("link.ZTV")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path() / "link.ZTV")));
    const std::string target = test::read_text(dir.file("target.ZTV"));
    EXPECT_EQ(target.rfind("[Customer]\r\nName=Petrov\r\n", 0), 0u);
    EXPECT_NE(target.find("ENC0MODE=2\r\n"), std::string::npos);
#endif

    const std::string locked = dir.file("locked.ZTV");
    test::write_text(locked, "[PARAM]\r\nENC0MODE=1\r\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
    const CommandOutcome refused = run(run_convert, std::array<std::string_view, 2>{in, locked});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Unable to write to " + locked +
                               "\nPermission denied: the file or its folder is protected against writing\n");
    EXPECT_EQ(test::read_text(locked), "[PARAM]\r\nENC0MODE=1\r\n");
}

TEST(FileCommands, AFileThatHoldsNoConfigurationIsRefusedAndNothingIsWritten) {
    test::TempDir dir;
    const std::string readme = dir.file("README");
    test::write_text(readme, "ZEB TERVIO setups live here.\n");
    const std::string out = dir.file("out.ZTV");
    const std::string expected = "The file holds no device configuration:\n" + readme + "\n";

    const CommandOutcome dumped = run(run_dump, std::array<std::string_view, 1>{readme});
    EXPECT_EQ(dumped.status, 1);
    EXPECT_TRUE(dumped.out.empty());
    EXPECT_EQ(dumped.err, expected);
    const CommandOutcome converted = run(run_convert, std::array<std::string_view, 2>{readme, out});
    EXPECT_EQ(converted.status, 1);
    EXPECT_EQ(converted.err, expected);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace ztv::cli
