// One set of command-line rules for both programs: every ztv-tool command and ztv-setup refuse
// the same malformed lines and take the same well-formed ones.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/setup_options.h"
#include "cli/commands.h"
#include "command_run.h"
#include "support/temp_dir.h"

namespace ztv::cli {
namespace {

using Line = std::vector<std::string_view>;

struct Program {
    std::string name;
    std::string usage;  // which options it takes, as its usage says
    Line arguments;     // the arguments it needs
    std::function<std::optional<Text>(const Line&)> error_of;
};

std::vector<Program> programs() {
    std::vector<Program> all;
    for (const Command& command : all_commands()) {
        Line needed(command.min_arguments, "a.ZTV");
        all.push_back({command.name, command_usage(command), needed, [&command](const Line& line) {
                           return parse_tool_options(command, line).error;
                       }});
    }
    all.push_back({"ztv-setup", setup_usage(), {}, [](const Line& line) { return parse_setup_options(line).error; }});
    return all;
}

Line with(Line line, std::initializer_list<std::string_view> more) {
    line.insert(line.end(), more);
    return line;
}

TEST(OptionRules, EveryCommandOfBothProgramsRefusesTheSameMalformedLines) {
    for (const Program& p : programs()) {
        const auto refused = [&p](const Line& line) {
            EXPECT_TRUE(p.error_of(line).has_value()) << p.name << " took " << testing::PrintToString(line);
        };
        refused(with(p.arguments, {"--bogus"}));
        refused(with(p.arguments, {"--bogus=1"}));
        refused(with(p.arguments, {"--help=1"}));
        refused(with(p.arguments, {""}));  // an empty name is never a file
        for (const std::string_view option : {"--lang", "--sim-can", "--sim-state", "--mode", "--seconds", "--page",
                                              "--screenshot", "--after", "--replay-speed"}) {
            if (p.usage.find(std::string(option) + " ") == std::string::npos) continue;
            refused(with(p.arguments, {option}));
            refused(with(p.arguments, {option, ""}));
            const std::string equals = std::string(option) + "=";
            refused(with(p.arguments, {equals}));
        }
        // A replay or a state only works with the simulated controller, a replay's speed with a
        // replay and within its range.
        for (const std::string_view option : {"--sim-can", "--sim-state"})
            if (p.usage.find(std::string(option) + " ") != std::string::npos) refused(with(p.arguments, {option, "x"}));
        if (p.usage.find("--replay-speed ") != std::string::npos) {
            const Line replay = with(p.arguments, {"--simulate", "--sim-can", "x.log", "--replay-speed"});
            refused(with(p.arguments, {"--simulate", "--replay-speed", "2"}));
            for (const std::string_view absurd : {"-1", "1001", "1e3", "nan", "0x10", "2,5"}) refused(with(replay, {absurd}));
            EXPECT_FALSE(p.error_of(with(replay, {"2.5"}))) << p.name;
            EXPECT_EQ(p.error_of(with(replay, {"1001"}))->en,
                      "--replay-speed must be a number from 0 to 1000 (times real time; 0: no pauses), not '1001'");
        }

        // What all of them take: help after a file, a dash name after "--", a language in capitals.
        EXPECT_FALSE(p.error_of(with(p.arguments, {"--help"}))) << p.name;
        Line dashed(p.arguments.begin(), p.arguments.end() - (p.arguments.empty() ? 0 : 1));
        if (!p.arguments.empty() || p.name == "ztv-setup") {
            EXPECT_FALSE(p.error_of(with(dashed, {"--", "-odd.ZTV"}))) << p.name;
        }
        if (p.usage.find("--lang ") != std::string::npos) {
            EXPECT_FALSE(p.error_of(with(p.arguments, {"--lang", "RU"}))) << p.name;
        }
    }
}

TEST(OptionRules, ToolRefusalsExitTwoBeforeTouchingAnythingAndHelpIsNoFileName) {
    test::TempDir dir;
    const std::string in = dir.file("in.ZTV");
    test::write_text(in, "[PARAM]\r\nENC0MODE=1\r\n");
    const std::string here = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.path());
    const Line help = {in, "--help"};
    const CommandOutcome converted = run_command(run_convert, help);
    std::filesystem::current_path(here);
    EXPECT_EQ(converted.status, 0);
    EXPECT_NE(converted.out.find("usage: ztv-tool convert IN.ZTV OUT.ZTV"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "--help"));

    const Line empty_out = {"", "--simulate"};
    EXPECT_EQ(run_command(run_backup, empty_out).status, 2);

    // A backup saved over the simulated controller's state would lose that controller.
    const std::string state = dir.file("state");
    const Line first = {"--simulate", "--sim-state", state};
    ASSERT_EQ(run_command(run_info, first).status, 0);
    const std::string before = test::read_text(state);
    std::vector<std::string> names_of_state{state};
#if !defined(_WIN32)  // links need a privilege on Windows
    std::filesystem::create_symlink(state, dir.path() / "alias");
    names_of_state.push_back(dir.file("alias"));
#endif
    for (const std::string& out : names_of_state) {
        const Line over = {out, "--simulate", "--sim-state", state};
        EXPECT_EQ(run_command(run_backup, over).status, 2);
    }
    EXPECT_EQ(test::read_text(state), before);
}

}  // namespace
}  // namespace ztv::cli
