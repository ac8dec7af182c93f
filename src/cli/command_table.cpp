#include "cli/commands.h"

#include <cerrno>
#include <string_view>
#include <system_error>

#include "common/command_line.h"
#include "common/file_io.h"
#include "common/format.h"
#include "common/standard_streams.h"
#include "diag/can_replay.h"

namespace ztv::cli {
namespace {

using Error = OptionError;

constexpr std::uint32_t kMaxSeconds = 7u * 24 * 3600;
constexpr std::string_view kLanguages[] = {"ru", "en"};  // index = Lang
constexpr std::string_view kModes[] = {"all", "changed"};
constexpr std::string_view kFormats[] = {"aligned", "tab", "candump"};

Error set_flag(bool& flag) {
    flag = true;
    return std::nullopt;
}

// A number of seconds from 1 to kMaxSeconds.
Error set_seconds(std::string_view option, std::string_view value, std::optional<std::uint32_t>& seconds) {
    const auto number = parse_bounded_number(value, 1, kMaxSeconds);
    static constexpr TextPair kNotSeconds{"%s: нужно число от 1 до 604800, а не «%s»",
                                          "%s must be a number from 1 to 604800, not '%s'"};
    if (!number) return format_pair(kNotSeconds, std::string(option).c_str(), std::string(value).c_str());
    seconds = static_cast<std::uint32_t>(*number);
    return std::nullopt;
}

Error set_replay_speed(ToolOptions& o, std::string_view v) {
    const auto speed = parse_replay_speed(v);
    if (!speed) return replay_speed_refusal(v);
    o.replay_speed = *speed;
    return std::nullopt;
}

// Every option of the tool, each with the bit a command's row names it by (0: every command)
// and its line of the help in both languages (the row's own help text stays empty).
struct ToolOptionRow {
    std::uint32_t bit;
    TextPair help;
    OptionRow<ToolOptions> row;
};

constexpr ToolOptionRow kOptionRows[] = {
    {0,
     {"язык сообщений и текстов (без него — по LC_ALL, LC_MESSAGES или LANG)",
      "the language of the messages and texts (without it: LC_ALL, LC_MESSAGES or LANG)"},
     {"--lang", "en|ru", "",
      [](ToolOptions& o, std::string_view v) -> Error {
          int chosen = 0;
          if (auto error = choose("--lang", v, kLanguages, chosen)) return error;
          o.lang = static_cast<Lang>(chosen);
          return std::nullopt;
      }}},
    {kOptSimulate,
     {"работать с имитируемым контроллером вместо USB", "talk to the simulated controller instead of USB"},
     {"--simulate", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.simulate); }}},
    {kOptSimState,
     {"с --simulate: хранить память имитируемого контроллера в FILE между запусками",
      "with --simulate: keep the simulated controller's memory in FILE between runs"},
     {"--sim-state", "FILE", "",
      [](ToolOptions& o, std::string_view v) -> Error {
          // The state is read and written back: a stream cannot keep it.
          static constexpr TextPair kStateNotStream{
              "--sim-state: нужен файл — состояние читается и записывается обратно, стандартный ввод этого не может",
              "--sim-state needs a file: the state is read and written back, which standard input cannot be"};
          if (names_standard_stream(v)) return to_text(kStateNotStream);
          o.sim_state = std::string(v);
          return std::nullopt;
      }}},
    {kOptSimCan,
     {"с --simulate: воспроизводить кадры CAN из FILE («-» — стандартный ввод) вместо демонстрационной шины "
      "автомобиля",
      "with --simulate: the CAN frames replayed from FILE ('-': standard input) instead of the demo car bus"},
     {"--sim-can", "FILE", "",
      [](ToolOptions& o, std::string_view v) -> Error {
          o.sim_can = std::string(v);
          return std::nullopt;
      }}},
    {kOptSimCan,
     {"с --sim-can: воспроизводить в N раз быстрее записи (от 0 до 1000, по умолчанию 1; 0 — без пауз)",
      "with --sim-can: replay N times as fast as recorded (0 to 1000, default 1; 0: without pauses)"},
     {"--replay-speed", "N", "", set_replay_speed}},
    {kOptTrace,
     {"печатать каждый обмен с контроллером в стандартный поток ошибок", "print every exchange on standard error"},
     {"--trace", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.trace); }}},
    {kOptYes,
     {"принять прошивку той же или более старой версии", "accept a firmware of the same or an older version"},
     {"--yes", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.yes); }}},
    {kOptNoBackup,
     {"перезаписать контроллер, не сохранив сначала резервную копию его конфигурации",
      "overwrite the controller without saving a backup of its configuration first"},
     {"--no-backup", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.no_backup); }}},
    {kOptTab,
     {"записывать журнал через табуляцию", "write the log tab-separated"},
     {"--tab", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.tab); }}},
    {kOptMode,
     {"записывать все кадры или только кадры с изменившимися данными", "log every frame, or only frames whose data changed"},
     {"--mode", "all|changed", "",
      [](ToolOptions& o, std::string_view v) -> Error {
          int chosen = 0;
          if (auto error = choose("--mode", v, kModes, chosen)) return error;
          o.changed_only = chosen == 1;
          return std::nullopt;
      }}},
    {kOptSeconds,
     {"остановиться через N секунд (от 1 до 604800)", "stop after N seconds (1 to 604800)"},
     {"--seconds", "N", "", [](ToolOptions& o, std::string_view v) { return set_seconds("--seconds", v, o.seconds); }}},
    {kOptFormat,
     {"вид файла журнала: выровненный (по умолчанию), через табуляцию или журнал can-utils",
      "the log file's form: aligned (the default), tab-separated, or the can-utils log"},
     {"--format", "aligned|tab|candump", "",
      [](ToolOptions& o, std::string_view v) -> Error {
          int chosen = 0;
          if (auto error = choose("--format", v, kFormats, chosen)) return error;
          o.tab = o.tab || chosen == 1;
          o.candump = chosen == 2;
          return std::nullopt;
      }}},
    {kOptFormat,
     {"с --format candump: метки времени по часам контроллера, а не по времени суток",
      "with --format candump: stamp frames with the controller's clock instead of the time of day"},
     {"--controller-time", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.controller_time); }}},
    {kOptBackground,
     {"SECONDS секунд изучать, что меняется само по себе, затем печатать ID BYTE BIT для каждого бита, "
      "изменившегося иначе",
      "learn for SECONDS what changes by itself, then print ID BYTE BIT for every bit that changes otherwise"},
     {"--background", "SECONDS", "",
      [](ToolOptions& o, std::string_view v) { return set_seconds("--background", v, o.background); }}},
    {kOptSocketCan,
     {"отправлять каждый кадр в интерфейс SocketCAN системы Linux IFACE (vcan0, can0)",
      "send every frame to the Linux SocketCAN interface IFACE (vcan0, can0)"},
     {"--socketcan", "IFACE", "",
      [](ToolOptions& o, std::string_view v) -> Error {
          o.socketcan = std::string(v);
          return std::nullopt;
      }}},
    {kOptPrint,
     {"печатать каждый кадр по мере поступления", "print each frame as it comes"},
     {"--print", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.print); }}},
    {kOptJson,
     {"вывести результат одним документом JSON (см. раздел JSON OUTPUT в ztv-tool(1))",
      "print the result as one JSON document (see JSON OUTPUT in ztv-tool(1))"},
     {"--json", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.json); }}},
    {0,
     {"как вызывать эту команду", "this command's usage"},
     {"--help", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.help); }}},
    {0,
     {"то же, что --help", "the same as --help"},
     {"-h", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.help); }}},
    {kOptVersion,
     {"версия программы", "the program version"},
     {"--version", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.version); }}},
    {kOptVersion,
     {"то же, что --version", "the same as --version"},
     {"-V", "", "", [](ToolOptions& o, std::string_view) { return set_flag(o.version); }}},
};

constexpr OptionNeed kNeeds[] = {
    {"--sim-state", "--simulate"},
    {"--sim-can", "--simulate"},
    {"--replay-speed", "--sim-can"},
};

// The "  --name VALUE   help" lines of the options a command takes, in lang.
std::string tool_options_help(std::uint32_t options, Lang lang) {
    std::string text;
    for (const ToolOptionRow& option : kOptionRows)
        if (option.bit == 0 || (options & option.bit) != 0)
            text += option_help_line(option.row.name, option.row.value_name, pick(option.help, lang));
    return text;
}

std::vector<OptionRow<ToolOptions>> rows_of(std::uint32_t options) {
    std::vector<OptionRow<ToolOptions>> rows;
    for (const ToolOptionRow& option : kOptionRows)
        if (option.bit == 0 || (options & option.bit) != 0) rows.push_back(option.row);
    return rows;
}

std::vector<OptionRow<ToolOptions>> rows_of(const Command& command) { return rows_of(command.options); }

Error take_argument(ToolOptions& o, std::string_view value) {
    o.arguments.emplace_back(value);
    return std::nullopt;
}

constexpr std::uint32_t kCanLogOptions = kOptTab | kOptFormat | kOptMode | kOptSeconds | kOptPrint | kOptBackground |
                                         kOptSocketCan | kOptSimulate | kOptSimCan | kOptJson;

constexpr Command kCommands[] = {
    {"dump", "FILE.ZTV", 1, 1, 0,
     {"напечатать блок сенсорной панели, запись и имена слотов, какими загружается файл конфигурации",
      "print the touch block, the record and the slot names a configuration file loads as"},
     dump_command},
    {"convert", "IN.ZTV OUT.ZTV", 2, 2, 0,
     {"загрузить IN и сохранить в OUT, как это делает программа (прочие разделы OUT сохраняются)",
      "load IN and save it to OUT as the program does (OUT keeps its other sections)"},
     convert_command},
    {"decode-debug", "", 0, 0, kOptLang,
     {"копировать отладочные строки со стандартного ввода на стандартный вывод, называя номера событий шины",
      "copy debug lines from standard input to standard output with bus event numbers named"},
     decode_debug_command},
    {"describe", "FILE.ZTV", 1, 1, kOptLang | kOptJson,
     {"напечатать содержимое каждого непустого слота так, как его показывает редактор",
      "print what every slot that is not empty holds, as the editor shows it"},
     describe_command},
    {"show", "FILE.ZTV", 1, 1, kOptLang | kOptJson,
     {"напечатать все страницы параметров так, как их показывает программа: заголовок страницы и по строке "
      "на элемент",
      "print every parameter page as the program shows it: a heading per page, one line per control"},
     show_command},
    {"get", "FILE.ZTV KEY...", 2, kAnyCount, kOptLang | kOptJson,
     {"напечатать KEY=VALUE для каждого ключа так, как он хранится в файле (также LONG_PRESS_MS, NAME1...NAME8)",
      "print KEY=VALUE for each key as the file stores it (also LONG_PRESS_MS, NAME1...NAME8)"},
     get_command},
    {"set", "FILE.ZTV KEY=VALUE...", 2, kAnyCount, kOptLang,
     {"изменить параметры теми же правками и проверками, что на страницах, и сохранить; при отказе ничего не "
      "сохраняется",
      "change parameters through the pages' own edits and checks, then save; a refusal saves nothing"},
     set_command},
    {"diff", "A.ZTV [B.ZTV]", 1, 2, kOptLang | kOptDevice | kOptJson,
     {"напечатать, чем B отличается от A или что изменит в контроллере запись A; 0 — одинаковы, 1 — различаются, "
      "2 — ошибка",
      "print what differs from A to B, or what writing A would change in the controller; 0 equal, 1 different, "
      "2 trouble"},
     diff_command},
    {"backups", "", 0, 0, kOptJson,
     {"перечислить автоматические резервные копии контроллеров, сначала новые: PATH, SERIAL, DATE, REASON "
      "(через табуляцию)",
      "list the automatic backups of controllers, newest first: PATH, SERIAL, DATE, REASON (tab-separated)"},
     backups_command},
    {"info", "", 0, 0, kOptDevice | kOptJson,
     {"напечатать сведения о первом найденном контроллере (или об имитируемом)",
      "print the device information of the first controller found (or of the simulated one)"},
     info_command},
    {"backup", "OUT.ZTV", 1, 1, kOptDevice,
     {"прочитать всю конфигурацию контроллера и сохранить её в файл конфигурации",
      "read the whole configuration from the controller and save it as a configuration file"},
     backup_command},
    {"restore", "IN.ZTV", 1, 1, kOptDevice | kOptNoBackup,
     {"сохранить резервную копию конфигурации контроллера, затем записать в него запись и блок сенсорной панели "
      "из файла и перезапустить его",
      "back up the controller's configuration, then write a configuration file's record and touch block to it and "
      "restart it"},
     restore_command},
    {"flash", "FILE.LDR", 1, 1, kOptDevice | kOptYes | kOptNoBackup,
     {"сохранить резервную копию конфигурации контроллера, затем обновить его прошивку (без --yes та же или более "
      "старая версия не принимается)",
      "back up the controller's configuration, then update its firmware (without --yes, same or older versions are "
      "refused)"},
     flash_command},
    {"canlog", "[OUT.LOG]", 0, 1, kCanLogOptions,
     {"записывать кадры CAN контроллера в OUT и/или в интерфейс SocketCAN (N секунд или до Ctrl+C), затем "
      "напечатать таблицу идентификаторов",
      "log the controller's CAN frames to OUT and/or a SocketCAN interface (for N seconds or until Ctrl+C), then "
      "print the identifier table"},
     canlog_command},
    {"help", "[COMMAND]", 0, 1, 0,
     {"напечатать, как вызывать COMMAND и какие у неё параметры, или этот обзор",
      "print the usage and options of COMMAND, or this overview"},
     help_command},
};

int run_named(std::string_view name, Args args) { return run_command(*find_command(name), args); }

}  // namespace

std::span<const Command> all_commands() { return kCommands; }

const Command* find_command(std::string_view name) {
    for (const Command& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

ParsedToolOptions parse_tool_options(const Command& command, Args args) {
    ParsedToolOptions parsed;
    parsed.options.lang = environment_language();  // until --lang says otherwise
    const std::vector<OptionRow<ToolOptions>> rows = rows_of(command);
    parsed.error = parse_command_line(args, OptionTable<ToolOptions>{rows, take_argument, kNeeds}, parsed.options);
    const std::size_t count = parsed.options.arguments.size();
    static constexpr TextPair kWrongCount{"ожидается %s, а аргументов: %zu", "expected %s, got %zu argument(s)"};
    static constexpr TextPair kNoArguments{"аргументов не нужно, а их: %zu", "expected no arguments, got %zu argument(s)"};
    if (!parsed.error && !parsed.options.help && (count < command.min_arguments || count > command.max_arguments))
        parsed.error = *command.arguments ? format_pair(kWrongCount, command.arguments, count)
                                          : format_pair(kNoArguments, count);
    return parsed;
}

ParsedToolOptions parse_overview_options(Args args) {
    ParsedToolOptions parsed;
    parsed.options.lang = environment_language();
    const std::vector<OptionRow<ToolOptions>> rows = rows_of(~0u);
    parsed.error = parse_command_line(args, OptionTable<ToolOptions>{rows, nullptr, kNeeds}, parsed.options);
    return parsed;
}

std::string command_usage(const Command& command) {
    std::string usage = command.name;
    if (*command.arguments) {
        usage += ' ';
        usage += command.arguments;
    }
    for (const auto& row : rows_of(command)) {
        if (row.name == "--help" || row.name == "-h") continue;
        usage += " [";
        usage += row.name;
        if (!row.value_name.empty()) {
            usage += ' ';
            usage += row.value_name;
        }
        usage += ']';
    }
    return usage;
}

int checked_output(std::string_view command, int status, Lang lang) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const std::error_code error(errno, std::generic_category());
    if (flushed && std::ferror(stdout) == 0) return status;
    static constexpr TextPair kReaderGone{"программа, читавшая вывод, закрыла канал",
                                          "the program reading the output closed the pipe"};
    const Text reason = error == std::errc::broken_pipe
                            ? to_text(kReaderGone)
                            : write_failure_reason(error ? write_status_of(error) : FileWriteStatus::Failed);
    static constexpr TextPair kOutputFailed{"ztv-tool %s: не удалось записать в стандартный вывод: %s",
                                            "ztv-tool %s: unable to write to standard output: %s"};
    std::fprintf(stderr, "%s\n",
                 format_pair(kOutputFailed, std::string(command).c_str(), reason.in(lang).c_str()).in(lang).c_str());
    if (command == "diff") return 2;
    return status != 0 ? status : 1;
}

int run_command(const Command& command, Args args) {
    const ParsedToolOptions parsed = parse_tool_options(command, args);
    if (parsed.error) return refuse_command_line(command.name, *parsed.error, parsed.options.lang);
    if (parsed.options.help) {
        static constexpr TextPair kUsage{"использование: ztv-tool %s\n  %s\n\nпараметры:\n%s",
                                         "usage: ztv-tool %s\n  %s\n\noptions:\n%s"};
        const Lang lang = parsed.options.lang;
        std::fputs(format_pair(kUsage, command_usage(command).c_str(), pick(command.summary, lang),
                               tool_options_help(command.options, lang).c_str())
                       .in(lang)
                       .c_str(),
                   stdout);
        return checked_output(command.name, 0, lang);
    }
    return checked_output(command.name, command.run(parsed.options), parsed.options.lang);
}

bool option_takes_value(std::string_view option) {
    for (const ToolOptionRow& option_row : kOptionRows)
        if (option_row.row.name == option) return !option_row.row.value_name.empty();
    return false;
}

std::string_view command_name(std::span<const std::string_view> words, std::vector<std::string_view>& args) {
    std::string_view name;
    std::vector<std::string_view> before;
    args.clear();
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!name.empty()) {
            args.push_back(words[i]);
            continue;
        }
        if (words[i].starts_with("-")) {
            before.push_back(words[i]);
            if (option_takes_value(words[i]) && i + 1 < words.size()) before.push_back(words[++i]);
            continue;
        }
        name = words[i];
    }
    // Options given before the name come first, so that a "--" among the command's own
    // arguments still ends the options only after them.
    args.insert(args.begin(), before.begin(), before.end());
    return name;
}

int run_dump(Args args) { return run_named("dump", args); }
int run_convert(Args args) { return run_named("convert", args); }
int run_decode_debug(Args args) { return run_named("decode-debug", args); }
int run_describe(Args args) { return run_named("describe", args); }
int run_show(Args args) { return run_named("show", args); }
int run_get(Args args) { return run_named("get", args); }
int run_set(Args args) { return run_named("set", args); }
int run_info(Args args) { return run_named("info", args); }
int run_backup(Args args) { return run_named("backup", args); }
int run_restore(Args args) { return run_named("restore", args); }
int run_flash(Args args) { return run_named("flash", args); }
int run_canlog(Args args) { return run_named("canlog", args); }
int run_diff(Args args) { return run_named("diff", args); }
int run_backups(Args args) { return run_named("backups", args); }
int run_help(Args args) { return run_named("help", args); }

}  // namespace ztv::cli
