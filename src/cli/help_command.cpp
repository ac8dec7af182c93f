// help: the tool's overview, or one command's usage and options ("ztv-tool help flash" is
// "ztv-tool flash --help").
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/format.h"
#include "common/text.h"

namespace ztv::cli {

void print_tool_help(Lang lang) {
    static constexpr TextPair kHead{
        "ztv-tool: программа настройки ZEB TERVIO V4 в командной строке\n\n"
        "использование: ztv-tool COMMAND [ARGS...]   (параметры можно указывать до или после COMMAND)\n"
        "Файл «-» — стандартный ввод (а для OUT — стандартный вывод).\n\nкоманды:\n",
        "ztv-tool: command-line companion of the ZEB TERVIO V4 setup program\n\n"
        "usage: ztv-tool COMMAND [ARGS...]   (options may stand before or after COMMAND)\n"
        "A file given as '-' is standard input (for OUT, standard output).\n\ncommands:\n"};
    static constexpr TextPair kTail{
        "\n  --help, -h     этот текст (COMMAND --help: параметры этой команды)\n"
        "  --version, -V  версия программы\n",
        "\n  --help, -h     this text (COMMAND --help: that command's options)\n"
        "  --version, -V  the program version\n"};
    std::fputs(pick(kHead, lang), stdout);
    for (const auto& command : all_commands())
        std::printf("  %s\n      %s\n", command_usage(command).c_str(), pick(command.summary, lang));
    std::fputs(pick(kTail, lang), stdout);
}

int help_command(const ToolOptions& options) {
    if (options.arguments.empty()) {
        print_tool_help(options.lang);
        return 0;
    }
    const std::string& name = options.arguments.front();
    const Command* command = find_command(name);
    if (command == nullptr) return refuse_command_line("help", format_pair(kUnknownCommand, name.c_str()), options.lang);
    const std::string_view help[] = {"--help", "--lang", options.lang == Lang::Russian ? "ru" : "en"};
    return run_command(*command, help);
}

}  // namespace ztv::cli
