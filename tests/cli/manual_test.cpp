#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cli/command_run.h"
#include "cli/commands.h"
#include "support/manual_page.h"

namespace ztv::cli {
namespace {

const std::string kManual = ZTV_TOOL_MANUAL;

// Each command of the table has an entry in COMMANDS whose synopsis names the options the
// command takes with their values, and OPTIONS describes each of them: a command, option or
// value added, renamed or dropped on one side only fails here.
TEST(ToolManual, DocumentsEveryCommandAndItsOptions) {
    std::set<std::string> all_options{"--help", "-h", "--version", "-V"};
    std::set<std::string> commands;
    for (const Command& command : all_commands()) {
        commands.insert(command.name);
        const std::set<std::string> takes = test::option_forms(command_usage(command));
        all_options.insert(takes.begin(), takes.end());
        bool found = false;
        for (const std::string& tag : test::manual_tags(kManual, "COMMANDS")) {
            if (tag.substr(0, tag.find(' ')) != command.name) continue;
            found = true;
            EXPECT_EQ(test::option_forms(tag), takes) << command.name;
        }
        EXPECT_TRUE(found) << command.name << " has no entry";
    }
    std::set<std::string> documented_commands;
    for (const std::string& tag : test::manual_tags(kManual, "COMMANDS"))
        documented_commands.insert(tag.substr(0, tag.find(' ')));
    EXPECT_EQ(documented_commands, commands);
    std::set<std::string> documented_options;
    for (const std::string& tag : test::manual_tags(kManual, "OPTIONS"))
        documented_options.merge(test::option_forms(tag));
    EXPECT_EQ(documented_options, all_options);
}

TEST(ToolHelp, PrintsOneCommandsUsageOrRefusesAnUnknownOne) {
    const std::string_view flash[] = {"flash"};
    const CommandOutcome known = run_command(run_help, flash);
    EXPECT_EQ(known.status, 0);
    EXPECT_TRUE(known.out.starts_with("usage: ztv-tool flash FILE.LDR")) << known.out;
    const std::string_view unknown[] = {"flush"};
    const CommandOutcome refused = run_command(run_help, unknown);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("unknown command 'flush'"), std::string::npos) << refused.err;
}

// Every line of the overview and of each command's help that describes something is in
// Russian when Russian is asked for; the usage lines (names, placeholders) stay as they are.
TEST(ToolHelp, SpeaksTheLanguageAskedFor) {
    const auto cyrillic = [](const std::string& text) { return text.find_first_of("\xD0\xD1") != std::string::npos; };
    const auto described = [&](const std::string& help, std::string& lines) {
        std::size_t count = 0;
        for (std::size_t at = 0; at < help.size();) {
            const std::size_t end = help.find('\n', at);
            const std::string line = help.substr(at, end - at);
            at = end + 1;
            // "      summary" and "  --option VALUE        help" carry texts to translate (a long
            // option stands alone on its line, its help below it).
            const bool option_and_help = line.starts_with("  -") && line.size() > 24 && line[23] == ' ';
            const std::string text = line.starts_with("      ") ? line : option_and_help ? line.substr(24) : "";
            if (text.empty()) continue;
            ++count;
            if (!cyrillic(text)) lines += line + "\n";
        }
        return count;
    };
    std::string untranslated;
    const std::string_view overview[] = {"--help", "--lang", "ru"};
    testing::internal::CaptureStdout();
    EXPECT_EQ(run_tool(overview), 0);
    const std::string all = testing::internal::GetCapturedStdout();
    EXPECT_NE(all.find("\nкоманды:\n"), std::string::npos) << all;
    EXPECT_EQ(described(all, untranslated), all_commands().size());
    for (const Command& command : all_commands()) {
        const std::string_view russian[] = {command.name, "--lang", "ru"};
        const CommandOutcome help = run_command(run_help, russian);
        EXPECT_TRUE(help.out.starts_with("использование: ztv-tool " + command_usage(command) + "\n")) << help.out;
        EXPECT_GT(described(help.out, untranslated), 2u) << command.name;
    }
    EXPECT_EQ(untranslated, "");
}

}  // namespace
}  // namespace ztv::cli
