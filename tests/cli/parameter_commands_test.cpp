#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "command_run.h"
#include "config/config_file.h"
#include "config/field_table.h"
#include "support/temp_dir.h"

namespace ztv::cli {
namespace {

CommandOutcome run(int (*command)(Args), std::vector<std::string_view> args) { return run_command(command, args); }

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

class ParameterCommands : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = dir.file("car.ZTV");

    void SetUp() override {
        test::write_text(path, "[PARAM]\r\nGPS_NUM=1\r\nGPS_SPEED=4\r\nTOUCH_MODE=0\r\nKEY=E803\r\n"
                               "[MINE]\r\nkept=yes\r\n[SOURCE]\r\nNAME1=Radio\r\n");
    }
};

TEST_F(ParameterCommands, ShowPrintsEveryPageThenItsVisibleControls) {
    const CommandOutcome r = run(run_show, {path});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = lines_of(r.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Pins");
    EXPECT_EQ(lines[1], "  X2/2: According to its purpose");
    std::size_t headings = 0;
    for (const std::string& line : lines) headings += line.empty() || line[0] == ' ' ? 0 : 1;
    EXPECT_EQ(headings, 25u);
    const auto has = [&](const std::string& wanted) {
        for (const std::string& line : lines)
            if (line == wanted) return true;
        return false;
    };
    EXPECT_TRUE(has("  X4/2: UART GPS (disabled)"));
    EXPECT_TRUE(has("GPS port"));
    EXPECT_TRUE(has("  Connection: X4/2, X4/3"));
    EXPECT_TRUE(has("  Speed: 9600 bps"));
    EXPECT_TRUE(has("  Long press over: 1000 mSec"));
    EXPECT_TRUE(has("  Touchpanel mode: Disabled"));
    EXPECT_TRUE(has("  Divisor: 1 (disabled)"));
    EXPECT_TRUE(has("  Light on power up: On")) << "iDrive is offline";
    EXPECT_EQ(r.out.find("Send from Serial"), std::string::npos) << "hidden while CarDSP is disconnected";
    EXPECT_TRUE(has("  Type: CIC"));
    EXPECT_FALSE(r.out.find("Source names") != std::string::npos) << "hidden while names are not sent";

    const CommandOutcome ru = run(run_show, {"--lang", "ru", path});
    ASSERT_EQ(ru.status, 0);
    EXPECT_EQ(lines_of(ru.out)[0], "Выводы");
    EXPECT_NE(ru.out.find("  X4/2: UART GPS (недоступно)"), std::string::npos);
    // Stable for diff: the same file shows the same text.
    EXPECT_EQ(run(run_show, {path}).out, r.out);
}

TEST_F(ParameterCommands, GetPrintsStoredValues) {
    const CommandOutcome r = run(run_get, {path, "GPS_NUM", "LONG_PRESS_MS", "NAME1", "TOUCH_MODE", "KEY"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "GPS_NUM=1\nLONG_PRESS_MS=1000\nNAME1=Radio\nTOUCH_MODE=0\nKEY=E8030000000000000000\n");
    const CommandOutcome unknown = run(run_get, {path, "GPS_NUM", "NOPE"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_NE(unknown.err.find("NOPE"), std::string::npos);
    EXPECT_EQ(run(run_get, {path}).status, 2);
    EXPECT_EQ(run(run_get, {dir.file("missing.ZTV"), "GPS_NUM"}).status, 1);
}

TEST_F(ParameterCommands, SetAppliesInOrderRefreshesAndSavesKeepingForeignSections) {
    const CommandOutcome r = run(run_set, {path, "HEAD_NUM=2", "HEAD_TYPE=3", "PULSE_NUMSRC=2", "ANA_VOUT1=2,5", "NAME2=ABCDEFG"});
    ASSERT_EQ(r.status, 0) << r.err;
    ConfigState state;
    ASSERT_EQ(load_config_file(path, state), ConfigFileStatus::Ok);
    EXPECT_EQ(get_field(state.record, FieldId::HEAD_NUM), 2u);
    EXPECT_EQ(get_field(state.record, FieldId::HEAD_TYPE), 3u);
    EXPECT_EQ(get_field(state.record, FieldId::ANA_VOUT1), 130u);
    EXPECT_EQ(state.record.source_name(1), "ABCDE");
    EXPECT_EQ(get_field(state.record, FieldId::UARTPARAM_DelayMS), 500u) << "the refresh ran before saving";
    const std::string text = test::read_text(path);
    EXPECT_NE(text.find("[MINE]\r\nkept=yes"), std::string::npos);

    // Disconnecting the head unit resets its type through the refresh.
    ASSERT_EQ(run(run_set, {path, "HEAD_NUM=0"}).status, 0);
    ASSERT_EQ(load_config_file(path, state), ConfigFileStatus::Ok);
    EXPECT_EQ(get_field(state.record, FieldId::HEAD_TYPE), 0u);
}

TEST_F(ParameterCommands, ARefusalPrintsThePagesMessageAndSavesNothing) {
    const std::string before = test::read_text(path);
    // The IR input would store "Disabled" on the page; the file stays as it was.
    CommandOutcome r = run(run_set, {path, "PULSE_MSPAUSE=9", "HEAD_NUM=1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "You can not use those pins to connect HEAD UNIT module\n"
                     "because as they are already used to connect UART GPS\n");
    EXPECT_EQ(test::read_text(path), before);
    r = run(run_set, {"--lang", "ru", path, "PULSE_MSACTIVE=12a"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Введите значение в указанное поле\n");
    EXPECT_EQ(test::read_text(path), before);
    EXPECT_EQ(run(run_set, {path, "NOPE=1"}).status, 2);
    EXPECT_EQ(run(run_set, {path, "GPS_NUM"}).status, 2);
    EXPECT_EQ(run(run_set, {path, "=1"}).status, 2);
    EXPECT_EQ(run(run_set, {path, "GPS_NUM=7"}).status, 2);
    EXPECT_EQ(run(run_set, {path}).status, 2);
    EXPECT_EQ(run(run_set, {path, "GPS_NUM=0", "--bogus"}).status, 2);
    // A name the controller's code page cannot hold would be stored as "??": refused, naming them.
    r = run(run_set, {path, "NAME1=\xE6\x97\xA5\xE6\x9C\xAC\xE6\x97\xA5\xD0\xAF"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("NAME1: the characters \"\xE6\x97\xA5\xE6\x9C\xAC\" cannot be stored"), std::string::npos) << r.err;
    EXPECT_EQ(run(run_set, {path, "NAME2=a\xFF"}).status, 2);
    EXPECT_EQ(test::read_text(path), before);
    EXPECT_EQ(run(run_set, {path, "NAME1=\xD0\xAF?"}).status, 0);  // Cyrillic and "?" are stored as they are
}

TEST_F(ParameterCommands, TouchSourceModeTakesItsMaskFromTheSameCommand) {
    ASSERT_EQ(run(run_set, {path, "TOUCH_INTERCEPT_SRCMASK=6", "TOUCH_MODE=4"}).status, 0);
    ConfigState state;
    ASSERT_EQ(load_config_file(path, state), ConfigFileStatus::Ok);
    EXPECT_EQ(get_field(state.record, FieldId::TOUCH_MODE), 4u);
    EXPECT_EQ(get_field(state.record, FieldId::TOUCH_INTERCEPT_SRCMASK), 6u);
    EXPECT_EQ(run(run_set, {path, "TOUCH_INTERCEPT_SRCMASK=300", "TOUCH_MODE=4"}).status, 2);
}

TEST(CommandLine, OptionsMayStandBeforeOrAfterTheCommandName) {
    std::vector<std::string_view> args;
    const std::vector<std::string_view> before = {"--simulate", "info"};
    EXPECT_EQ(command_name(before, args), "info");
    EXPECT_EQ(args, (std::vector<std::string_view>{"--simulate"}));
    const std::vector<std::string_view> after = {"info", "--simulate"};
    EXPECT_EQ(command_name(after, args), "info");
    EXPECT_EQ(args, (std::vector<std::string_view>{"--simulate"}));
    const std::vector<std::string_view> values = {"--lang", "ru", "--sim-state", "s.ini", "show", "a.ZTV"};
    EXPECT_EQ(command_name(values, args), "show");
    EXPECT_EQ(args, (std::vector<std::string_view>{"--lang", "ru", "--sim-state", "s.ini", "a.ZTV"}));
    const std::vector<std::string_view> canlog = {"--seconds", "10", "--mode", "changed", "canlog", "x.LOG"};
    EXPECT_EQ(command_name(canlog, args), "canlog");
    const std::vector<std::string_view> none = {"--help"};
    EXPECT_EQ(command_name(none, args), "");
    const std::vector<std::string_view> dangling = {"--lang"};
    EXPECT_EQ(command_name(dangling, args), "");
}

}  // namespace
}  // namespace ztv::cli
