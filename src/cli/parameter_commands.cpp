// show, get and set: the parameter pages of a configuration file on the command line, through
// the same refresh and edits as the pages of the program.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/ascii_text.h"
#include "common/json_writer.h"
#include "config/config_file.h"
#include "config/parameter_keys.h"
#include "config/parameter_listing.h"
#include "config/parameter_model.h"

namespace ztv::cli {
namespace {

bool load(const ToolOptions& options, ConfigState& state, std::string* text = nullptr) {
    return load_configuration(options.arguments[0], state, options.lang, text);
}

// The arguments after the file: keys or assignments.
std::vector<std::string_view> after_file(const ToolOptions& options) {
    return std::vector<std::string_view>(options.arguments.begin() + 1, options.arguments.end());
}

}  // namespace

int show_command(const ToolOptions& options) {
    ConfigState state;
    if (!load(options, state)) return 1;
    if (!options.json) {
        const std::string text = show_pages(state, options.lang);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    JsonWriter json;
    json.begin_object().key("pages").begin_array();
    for (const ParameterPageListing& page : list_parameter_pages(state, options.lang)) {
        json.begin_object().key("caption").value(page.caption).key("controls").begin_array();
        for (const ParameterLine& line : page.lines) {
            json.begin_object().key("control").value(line.control).key("label");
            if (line.labelled) json.value(line.label);
            else json.null();
            json.key("value").value(line.bare_value).key("enabled").value(line.enabled).end_object();
        }
        json.end_array().end_object();
    }
    print_json(json.end_array().end_object());
    return 0;
}

int get_command(const ToolOptions& options) {
    const std::vector<std::string_view> keys = after_file(options);
    // Every key is checked before anything is printed, so that a typo gives no partial answer.
    for (std::string_view key : keys)
        if (!key_value(ConfigState{}, key)) {
            std::fprintf(stderr, "ztv-tool get: unknown key '%.*s'\n", static_cast<int>(std::min<std::size_t>(key.size(), 64)),
                         key.data());
            return 2;
        }
    ConfigState state;
    if (!load(options, state)) return 1;
    if (!options.json) {
        for (std::string_view key : keys)
            std::printf("%.*s=%s\n", static_cast<int>(key.size()), key.data(), key_value(state, key)->c_str());
        return 0;
    }
    // Keys as files spell them, each once; numbers as numbers.
    JsonWriter json;
    json.begin_object();
    std::vector<std::string> written;
    for (std::string_view key : keys) {
        const KeyEntry entry = *key_entry(state, key);
        if (std::find(written.begin(), written.end(), entry.key) != written.end()) continue;
        written.push_back(entry.key);
        json.key(entry.key);
        if (entry.number) json.value(std::stoll(entry.value));
        else json.value(entry.value);
    }
    print_json(json.end_object());
    return 0;
}

int set_parameters(ConfigState& state, std::span<const std::string_view> assignments, Lang lang) {
    struct Assignment {
        std::string_view key;
        std::string_view value;
    };
    std::vector<Assignment> list;
    for (std::string_view text : assignments) {
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            std::fprintf(stderr, "ztv-tool set: '%.*s' is not KEY=VALUE\n", static_cast<int>(std::min<std::size_t>(text.size(), 64)),
                         text.data());
            return 2;
        }
        list.push_back({text.substr(0, equals), text.substr(equals + 1)});
    }
    // The interception mask rides with the touch mode when both are given.
    const auto is = [](std::string_view key, std::string_view name) { return ascii_lower(key) == ascii_lower(name); };
    std::optional<std::uint8_t> intercept;
    bool touch_mode_given = false;
    for (const Assignment& a : list) {
        if (is(a.key, "TOUCH_MODE")) touch_mode_given = true;
        if (is(a.key, "TOUCH_INTERCEPT_SRCMASK")) {
            const auto mask = parse_script_number(a.value, 0xFF);
            if (!mask) {
                std::fprintf(stderr, "ztv-tool set: TOUCH_INTERCEPT_SRCMASK takes a mask of 0 to 255\n");
                return 2;
            }
            intercept = static_cast<std::uint8_t>(*mask);
        }
    }
    for (const Assignment& a : list) {
        if (touch_mode_given && is(a.key, "TOUCH_INTERCEPT_SRCMASK")) continue;
        const AssignResult result = assign_key(state, a.key, a.value, intercept);
        if (result.status == AssignStatus::Applied) continue;
        std::fprintf(stderr, "%s\n", result.message.in(lang).c_str());
        return result.status == AssignStatus::Refused ? 1 : 2;
    }
    refresh_pages(state);
    return 0;
}

int set_command(const ToolOptions& options) {
    ConfigState state;
    std::string input;  // standard input's text, whose other sections the output keeps
    if (!load(options, state, &input)) return 1;
    const int status = set_parameters(state, after_file(options), options.lang);
    if (status != 0) return status;  // nothing is saved after a refusal
    return save_configuration(options.arguments[0], state, options.lang, input) ? 0 : 1;
}

}  // namespace ztv::cli
