// ztv-tool's commands. Each takes its arguments (after the command name) and returns the
// process exit status; messages go to standard error, results to standard output.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "config/config_state.h"
#include "config/parameter_listing.h"
#include "events/slot_listing.h"

namespace ztv::cli {

using Args = std::span<const std::string_view>;

struct Command {
    const char* name;
    const char* usage;    // arguments, for --help
    const char* summary;  // one line, for --help
    int (*run)(Args args);
};

// Every command of the tool, in the order --help lists them.
std::span<const Command> all_commands();

int run_dump(Args args);
int run_convert(Args args);
int run_decode_debug(Args args);
// decode-debug on given streams (the command uses standard input and output).
int decode_debug(std::FILE* in, std::FILE* out, Args args);
int run_describe(Args args);


int run_show(Args args);
int run_get(Args args);
int run_set(Args args);
// Applies KEY=VALUE assignments in order, then the page refresh; returns 0, 1 (a page refused
// one, its message on standard error) or 2 (unknown key or malformed assignment).
int set_parameters(ConfigState& state, std::span<const std::string_view> assignments, Lang lang);

// Options that take a value, wherever they stand on the command line.
bool option_takes_value(std::string_view option);
// Splits a command line (without the program name) into the command's name and its arguments,
// so that options may stand before or after the name. Empty name: none given.
std::string_view command_name(std::span<const std::string_view> words, std::vector<std::string_view>& args);

int run_info(Args args);
int run_backup(Args args);
int run_restore(Args args);
int run_flash(Args args);
int run_canlog(Args args);

// diff: two configuration files, or one file and the controller; exit status as diff(1).
int run_diff(Args args);
// Reads the attached (or, with --simulate, the simulated) controller's configuration for
// diff; 0, or 1 (device trouble) or 2 (wrong options) after printing why.
int read_controller(Args device_args, ConfigState& into);
// backups: the automatic backups, newest first, PATH<TAB>SERIAL<TAB>DATE<TAB>REASON.
int run_backups(Args args);

}  // namespace ztv::cli
