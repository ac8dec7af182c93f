// ztv-tool's commands. Each is one row of the command table: its arguments, the options it
// takes and the function that runs it once the command line was parsed with the rules both
// programs share (common/command_line.h). Messages go to standard error, results to standard
// output; the exit status is 0 on success, 1 on failure and 2 for a command line refused (diff
// answers as diff(1) does).
#pragma once

#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/json_writer.h"
#include "common/text.h"
#include "config/config_state.h"
#include "config/parameter_listing.h"
#include "events/slot_listing.h"

namespace ztv::cli {

using Args = std::span<const std::string_view>;

// Everything a command line may say; each command reads the parts its row lets through.
struct ToolOptions {
    std::vector<std::string> arguments;  // the command's own arguments (files, keys), in order
    Lang lang = Lang::English;
    bool simulate = false;
    std::string sim_state;
    std::string sim_can;
    std::optional<std::uint32_t> replay_speed;  // --replay-speed, in thousandths of real time
    bool trace = false;
    bool yes = false;
    bool no_backup = false;
    bool tab = false;
    bool changed_only = false;
    bool candump = false;                    // canlog --format candump
    bool controller_time = false;            // canlog --controller-time
    std::optional<std::uint32_t> background;  // canlog --background SECONDS
    std::string socketcan;                   // canlog --socketcan IFACE
    std::optional<std::uint32_t> seconds;
    bool print = false;
    bool json = false;
    bool help = false;
    bool version = false;  // only without a command
};

// The options a command takes, as bits of Command::options.
enum ToolOption : std::uint32_t {
    kOptLang = 1u << 0,
    kOptSimulate = 1u << 1,
    kOptSimState = 1u << 2,
    kOptSimCan = 1u << 3,
    kOptTrace = 1u << 4,
    kOptYes = 1u << 5,
    kOptTab = 1u << 6,
    kOptMode = 1u << 7,
    kOptSeconds = 1u << 8,
    kOptPrint = 1u << 9,
    kOptNoBackup = 1u << 10,
    kOptFormat = 1u << 11,
    kOptBackground = 1u << 12,
    kOptSocketCan = 1u << 13,
    kOptVersion = 1u << 14,  // --version and -V, which no command takes
    kOptJson = 1u << 15,
};
inline constexpr std::uint32_t kOptDevice = kOptSimulate | kOptSimState | kOptTrace;
inline constexpr std::size_t kAnyCount = std::numeric_limits<std::size_t>::max();

struct Command {
    const char* name;
    const char* arguments;        // "IN.ZTV OUT.ZTV", for the usage line
    std::size_t min_arguments;
    std::size_t max_arguments;    // kAnyCount: no limit
    std::uint32_t options;        // ToolOption bits
    TextPair summary;             // one line, for --help
    int (*run)(const ToolOptions& options);
};

// Every command of the tool, in the order --help lists them.
std::span<const Command> all_commands();
const Command* find_command(std::string_view name);

struct ParsedToolOptions {
    ToolOptions options;
    std::optional<Text> error;  // the command line is refused (exit 2)
};
ParsedToolOptions parse_tool_options(const Command& command, Args args);
// A command line without a command: every option is known, none takes effect but the language,
// --help and --version.
ParsedToolOptions parse_overview_options(Args args);
// "dump FILE.ZTV [--lang en|ru]": the command's line of the usage.
std::string command_usage(const Command& command);
// Parses args for the command and runs it: --help prints its usage, a refused command line
// prints the problem and the usage (exit 2).
int run_command(const Command& command, Args args);

// The whole program: finds the command in words (the command line without the program name)
// and runs it; --help, -h, --version and -V stand alone. Returns the exit status.
int run_tool(std::span<const std::string_view> words);
// A refused command line: the problem on one line and where to read more, on standard error;
// returns 2. command is empty when the line has none.
int refuse_command_line(std::string_view command, const Text& problem, Lang lang);
extern const TextPair kUnknownCommand;  // "unknown command '%s'"

// What was printed must have arrived: a full disk or a closed pipe behind standard output is
// a failure, said on standard error, never a success (nor, for diff, an answer): returns
// status, or 1 (diff: 2) when standard output failed. command names the command in the message.
int checked_output(std::string_view command, int status, Lang lang);

// Options that take a value, wherever they stand on the command line.
bool option_takes_value(std::string_view option);
// Splits a command line (without the program name) into the command's name and its arguments,
// so that options may stand before or after the name. Empty name: none given.
std::string_view command_name(std::span<const std::string_view> words, std::vector<std::string_view>& args);

// The commands as the tool runs them (parsing included), by name.
int run_dump(Args args);
int run_convert(Args args);
int run_decode_debug(Args args);
int run_describe(Args args);
int run_show(Args args);
int run_get(Args args);
int run_set(Args args);
int run_info(Args args);
int run_backup(Args args);
int run_restore(Args args);
int run_flash(Args args);
int run_canlog(Args args);
int run_diff(Args args);
int run_backups(Args args);
int run_help(Args args);

// The commands' work, after parsing.
int dump_command(const ToolOptions& options);
int convert_command(const ToolOptions& options);
int decode_debug_command(const ToolOptions& options);
int describe_command(const ToolOptions& options);
int show_command(const ToolOptions& options);
int get_command(const ToolOptions& options);
int set_command(const ToolOptions& options);
int info_command(const ToolOptions& options);
int backup_command(const ToolOptions& options);
int restore_command(const ToolOptions& options);
int flash_command(const ToolOptions& options);
int canlog_command(const ToolOptions& options);
// diff: two configuration files, or one file and the controller; exit status as diff(1).
int diff_command(const ToolOptions& options);
// backups: the automatic backups, newest first, PATH<TAB>SERIAL<TAB>DATE<TAB>REASON.
int backups_command(const ToolOptions& options);
// help: the overview of every command, or one command's usage and options.
int help_command(const ToolOptions& options);
void print_tool_help(Lang lang);
// Reads the attached (or, with --simulate, the simulated) controller's configuration for
// diff; 0, or 1 (device trouble) after printing why.
int read_controller(const ToolOptions& device, ConfigState& into);

// The configuration of a command's argument: a file, or standard input for "-" (whose text
// goes to `text` when asked, for a save over it). False after printing why on standard error.
bool load_configuration(const std::string& path, ConfigState& state, Lang lang, std::string* text = nullptr);
// Saves over a file (keeping its other sections), or writes to standard output for "-" the
// text of a save over `over`. False after printing why.
bool save_configuration(const std::string& path, const ConfigState& state, Lang lang, std::string_view over = {});

// Writes the finished document on standard output.
void print_json(const JsonWriter& json);

// decode-debug on given streams (the command uses standard input and output).
int decode_debug(std::FILE* in, std::FILE* out, Args args);
int decode_debug_streams(std::FILE* in, std::FILE* out, Lang lang);

// Applies KEY=VALUE assignments in order, then the page refresh; returns 0, 1 (a page refused
// one, its message on standard error) or 2 (unknown key or malformed assignment).
int set_parameters(ConfigState& state, std::span<const std::string_view> assignments, Lang lang);

}  // namespace ztv::cli
