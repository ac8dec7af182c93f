// The configuration a command reads or writes: a file, or for "-" standard input or output.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/format.h"
#include "common/standard_streams.h"
#include "config/config_file.h"

namespace ztv::cli {
namespace {

// A file's message with the stream's name in place of the file's, in each language.
Text stream_error(ConfigFileStatus status) {
    return Text(config_file_error(status, kStandardInputName.ru).ru, config_file_error(status, kStandardInputName.en).en);
}

void print(const Text& message, Lang lang) { std::fprintf(stderr, "%s\n", message.in(lang).c_str()); }

}  // namespace

bool load_configuration(const std::string& path, ConfigState& state, Lang lang, std::string* text) {
    if (!names_standard_stream(path)) {
        const ConfigFileStatus status = load_config_file(path, state);
        if (status != ConfigFileStatus::Ok) print(config_file_error(status, path), lang);
        return status == ConfigFileStatus::Ok;
    }
    FileReadResult input = read_standard_input(kMaxConfigFileSize);
    ConfigFileStatus status = ConfigFileStatus::TooLarge;
    if (input.status == FileReadStatus::Unreadable) {
        static constexpr TextPair kUnreadable{"Не удалось прочитать стандартный ввод:\n%s",
                                              "Unable to read standard input:\n%s"};
        print(Text(format_pair(kUnreadable, read_failure_reason(input.problem).ru.c_str()).ru,
                   format_pair(kUnreadable, read_failure_reason(input.problem).en.c_str()).en),
              lang);
        return false;
    }
    if (input.status == FileReadStatus::Ok) status = load_config_text(input.content, state);
    if (status != ConfigFileStatus::Ok) {
        print(stream_error(status), lang);
        return false;
    }
    if (text != nullptr) *text = std::move(input.content);
    return true;
}

bool save_configuration(const std::string& path, const ConfigState& state, Lang lang, std::string_view over) {
    if (!names_standard_stream(path)) {
        const FileWriteStatus status = save_config_file(path, state);
        if (status != FileWriteStatus::Ok) print(config_file_error(status, path), lang);
        return status == FileWriteStatus::Ok;
    }
    // A failed write shows when standard output is flushed at the end of the command.
    const std::string text = config_text(state, over);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return true;
}

void print_json(const JsonWriter& json) { std::fwrite(json.text().data(), 1, json.text().size(), stdout); }

}  // namespace ztv::cli
