// The tool's own command line, before a command takes over: the command's name, the overview
// and the version, and the refusals a person can act on.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/format.h"
#include "common/program_version.h"

namespace ztv::cli {
namespace {

constexpr TextPair kNoCommand{"не указана команда", "no command given"};
constexpr TextPair kTryHelp{"Подробнее: «ztv-tool%s --help».", "Try 'ztv-tool%s --help' for more information."};

}  // namespace

const TextPair kUnknownCommand{"неизвестная команда «%s»", "unknown command '%s'"};

int refuse_command_line(std::string_view command, const Text& problem, Lang lang) {
    const std::string where = command.empty() ? std::string() : " " + std::string(command);
    std::fprintf(stderr, "ztv-tool%s: %s\n%s\n", where.c_str(), problem.in(lang).c_str(),
                 format_pair(kTryHelp, where.c_str()).in(lang).c_str());
    return 2;
}

int run_tool(std::span<const std::string_view> words) {
    std::vector<std::string_view> args;
    const std::string_view name = command_name(words, args);
    if (!name.empty()) {
        if (const Command* command = find_command(name)) return run_command(*command, args);
        // The command's options are unknown: only the language is taken from them.
        const Lang lang = parse_overview_options(args).options.lang;
        return refuse_command_line({}, format_pair(kUnknownCommand, std::string(name).c_str()), lang);
    }
    // Without a command only the overview and the version can be asked for.
    const ParsedToolOptions parsed = parse_overview_options(words);
    if (parsed.error) return refuse_command_line({}, *parsed.error, parsed.options.lang);
    if (parsed.options.help) {
        print_tool_help(parsed.options.lang);
        return checked_output("--help", 0, parsed.options.lang);
    }
    if (parsed.options.version) {
        std::printf("ztv-tool %s\n", kProgramVersionText);
        return checked_output("--version", 0, parsed.options.lang);
    }
    return refuse_command_line({}, to_text(kNoCommand), parsed.options.lang);
}

}  // namespace ztv::cli
