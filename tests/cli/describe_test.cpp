// ztv-tool describe on a small configuration file built here.
#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "cli/commands.h"
#include "command_run.h"
#include "config/config_file.h"
#include "support/temp_dir.h"

namespace ztv::cli {
namespace {

template <std::size_t N>
CommandOutcome run_describe_with(const std::array<std::string_view, N>& args) {
    return run_command(run_describe, args);
}

// Five slots in use, each exercising a different part of the description.
ConfigState sample_configuration() {
    ConfigState state;
    // Slot 3: BMW iBus "MFSW_PREV" stored as "Long" (shown as "Any", once forced on, wake-up
    // cleared) on sources 1 and 3; Serial reaction without a value.
    auto s = state.record.slot(2);
    s[0] = 5; s[1] = 0x05; s[2] = 1; s[10] = 0x22;
    s[11] = 13;
    state.set_slot_name(2, "Wipers");
    // Slot 5: an infrared event without a code, which also resets the reaction.
    s = state.record.slot(4);
    s[0] = 1; s[10] = 0x03; s[11] = 4; s[12] = 9;
    // Slot 10: touch area "Screen center", short press; source reaction "next" skipping 1 and 8.
    s = state.record.slot(9);
    s[0] = 3; s[2] = 4; s[10] = 0x01;
    s[11] = 4; s[12] = 0; s[13] = 0x81;
    // Slot 12: an unknown event kind (cleared) and a SW CAN reaction: AUDI RNS-E "PHONE".
    s = state.record.slot(11);
    s[0] = 40; s[2] = 9;
    s[11] = 23; s[12] = 13; s[15] = 2;
    // Slot 20: button 5 of channel 1 without a name, "Long"; NEC code 4660/86 on no pin.
    s = state.record.slot(19);
    s[0] = 0; s[2] = 5; s[3] = 1; s[10] = 0x02;
    s[11] = 1; s[12] = 0x56; s[13] = 0x34; s[14] = 0x12; s[15] = 0x01;
    // Slot 21: only an unknown event kind, which leaves nothing once cleared: not listed.
    s = state.record.slot(20);
    s[0] = 30; s[5] = 3; s[10] = 0x03;
    // Slot 22: a source event with a mouse action beyond its list.
    s = state.record.slot(21);
    s[0] = 2; s[11] = 8; s[12] = 200;
    return state;
}

class DescribeCommand : public testing::Test {
protected:
    void SetUp() override {
        path_ = dir_.file("sample.ZTV");
        ASSERT_EQ(save_config_file(path_, sample_configuration()), FileWriteStatus::Ok);
    }
    test::TempDir dir_;
    std::string path_;
};

TEST_F(DescribeCommand, PrintsEveryNonEmptySlotAsTheEditorShowsIt) {
    const CommandOutcome r = run_describe_with(std::array<std::string_view, 1>{path_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "3* (Wipers)\n"
              "  event: BMW IBUS\n"
              "  trigger: Any\n"
              "  once: on\n"
              "  wakeup: off\n"
              "  source:  1 3\n"
              "  params: MFSW_PREV\n"
              "  reaction: Serial\n"
              "  serial: on press <press:event03>\n"
              "5*\n"
              "  event: IR code\n"
              "  trigger: Disabled\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  ir: Get the code\n"
              "  reaction: USB key\n"
              "  usb: Not specified\n"
              "10*\n"
              "  event: Area\n"
              "  trigger: Short\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  params: Screen center\n"
              "  reaction: Source\n"
              "  skip: Skip:  1 8\n"
              "  params: next\n"
              "12*\n"
              "  event: Button\n"
              "  trigger: Disabled\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  reaction: SW CAN\n"
              "  params: AUDI RNS-E 100KBit/s, PHONE\n"
              "20*\n"
              "  event: Button\n"
              "  trigger: Long\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: 2.[5] ?\n"
              "  reaction: Send IR code\n"
              "  ir: NEC 4660/86\n"
              "  params: Disabled\n"
              "22*\n"
              "  event: Source\n"
              "  trigger: Disabled\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  reaction: USB mouse\n"
              "  params: ?\n");
}

TEST_F(DescribeCommand, RussianTextsOnRequest) {
    const CommandOutcome r = run_describe_with(std::array<std::string_view, 3>{"--lang", "ru", path_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  реакция: Источник\n  пропуск: Пропуск:  1 8\n  параметры: следующий\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  параметры: AUDI RNS-E 100KBit/s, PHONE\n"), std::string::npos);
    EXPECT_NE(r.out.find("3* (Wipers)\n"
                         "  событие: BMW IBUS\n"
                         "  срабатывание: Любое\n"
                         "  однократно: вкл\n"
                         "  пробуждение: выкл\n"
                         "  источник:  1 3\n"),
              std::string::npos);
    // No line keeps an English label.
    for (const char* english : {"event:", "trigger:", "once:", "wakeup:", "source:", "key:", "ir:", "params:",
                                "reaction:", "usb:", "serial:", "skip:", ": on\n", ": off\n"})
        EXPECT_EQ(r.out.find(english), std::string::npos) << english;
}

TEST_F(DescribeCommand, TheFileItselfIsNotRewritten) {
    const ConfigState before = [&] {
        ConfigState s;
        EXPECT_EQ(load_config_file(path_, s), ConfigFileStatus::Ok);
        return s;
    }();
    ASSERT_EQ(run_describe_with(std::array<std::string_view, 1>{path_}).status, 0);
    ConfigState after;
    ASSERT_EQ(load_config_file(path_, after), ConfigFileStatus::Ok);
    EXPECT_EQ(before.record.raw, after.record.raw);
    EXPECT_EQ(after.record.slot(11)[0], 40);  // the unknown kind is still in the file
}

TEST_F(DescribeCommand, BadArgumentsAndMissingFiles) {
    EXPECT_EQ(run_describe_with(std::array<std::string_view, 0>{}).status, 2);
    EXPECT_EQ(run_describe_with(std::array<std::string_view, 3>{path_, "--lang", "de"}).status, 2);
    EXPECT_EQ(run_describe_with(std::array<std::string_view, 2>{path_, "--lang"}).status, 2);
    EXPECT_EQ(run_describe_with(std::array<std::string_view, 2>{path_, path_}).status, 2);
    const CommandOutcome missing = run_describe_with(std::array<std::string_view, 1>{dir_.file("none.ZTV")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("none.ZTV"), std::string::npos);

    const std::string notes = dir_.file("notes.txt");
    test::write_text(notes, "Camry: [buttons] to learn next week\n");
    const CommandOutcome refused = run_describe_with(std::array<std::string_view, 3>{notes, "--lang", "ru"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_EQ(refused.err, "В файле нет конфигурации устройства:\n" + notes + "\n");
}

TEST_F(DescribeCommand, EmptyConfigurationPrintsNothing) {
    const std::string empty = dir_.file("empty.ZTV");
    ASSERT_EQ(save_config_file(empty, ConfigState{}), FileWriteStatus::Ok);
    const CommandOutcome r = run_describe_with(std::array<std::string_view, 1>{empty});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

TEST_F(DescribeCommand, ATriggerTypeBeyondTheListIsShownAsUnknown) {
    // Area kind (every type offered) with type 15 in the flag byte: kept, but no list entry.
    ConfigState state;
    auto s = state.record.slot(0);
    s[0] = 3;
    s[10] = 0x0F;
    const std::string odd = dir_.file("odd.ZTV");
    ASSERT_EQ(save_config_file(odd, state), FileWriteStatus::Ok);
    const CommandOutcome r = run_describe_with(std::array<std::string_view, 1>{odd});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("  trigger: ?\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace ztv::cli
