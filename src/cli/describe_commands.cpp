// describe: what each slot of a configuration file holds, as the editor would show it.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "config/config_file.h"
#include "events/descriptions.h"
#include "events/event_catalogue.h"
#include "events/slot_controls.h"
#include "events/slot_display.h"
#include "events/slot_model.h"

namespace ztv::cli {
namespace {

constexpr const char* kIndent = "  ";

void line(std::string& out, const char* name, const std::string& value) {
    out += kIndent;
    out += name;
    out += ": ";
    out += value;
    out += '\n';
}

const char* on_off(bool on) { return on ? "on" : "off"; }

// The third line of the "USB key" text box: the summary, or "Not specified".
std::string last_line(const std::string& text) {
    const std::size_t newline = text.rfind('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
}

// The chosen entries of a page's visible lists (and the voltage comparison, a two-state button).
std::string page_params(const std::vector<ControlView>& page, Lang lang) {
    std::string joined;
    for (const ControlView& control : page) {
        const bool comparison = control.name == "SpeedButtonEventVoltageComparex";
        if (!control.visible || (control.kind != ControlKind::List && !comparison)) continue;
        if (!joined.empty()) joined += ", ";
        if (comparison) joined += control.text.in(lang);
        else joined += control.selected >= 0 ? control.items[static_cast<std::size_t>(control.selected)].in(lang) : "?";
    }
    return joined;
}

void text_line(std::string& out, const char* name, const SlotView& view, std::string_view control, Lang lang,
               bool last_line_only = false) {
    const ControlView* shown = view.control(control);
    if (shown == nullptr) return;
    line(out, name, last_line_only ? last_line(shown->text.in(lang)) : shown->text.in(lang));
}

void describe_slot(std::string& out, const SlotView& view, const Record& record, Lang lang) {
    const auto slot = record.slot(view.slot);
    const ControlView* trigger = view.control(event_common::kTrigger);
    out += view.caption;
    out += '\n';
    line(out, "event", view.event_title.in(lang));
    line(out, "trigger", trigger->items[static_cast<std::size_t>(trigger->selected)].in(lang));
    line(out, "once", on_off(view.control(event_common::kOnce)->checked));
    line(out, "wakeup", on_off(view.control(event_common::kWakeUp)->checked));
    line(out, "source", slots::source_list_text(slot[kSourceMaskByte]).in(lang));
    if (view.can_delete_key) text_line(out, "key", view, "PanelKeyx", lang);
    if (view.can_delete_mod) text_line(out, "mod", view, "PanelKeyModx", lang);
    text_line(out, "ir", view, "PanelEventIRx", lang);
    const std::string event_params = page_params(view.event_controls, lang);
    if (!event_params.empty()) line(out, "params", event_params);

    line(out, "reaction", view.reaction_title.in(lang));
    text_line(out, "ir", view, "PanelReactionIRx", lang);
    text_line(out, "usb", view, "PanelReactionUSBKeyx", lang, true);
    text_line(out, "serial", view, "MemoReactionSerialx", lang);
    text_line(out, "skip", view, "SpeedButtonReactionSRCSkipx", lang);
    const std::string params = page_params(view.reaction_controls, lang);
    if (!params.empty()) line(out, "params", params);
}

}  // namespace

std::string describe_slots(const ConfigState& loaded, Lang lang) {
    // The display rules write into the record; the caller's copy stays as it was loaded.
    ConfigState state = loaded;
    normalize_all_slots(state.record);
    std::string out;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (slots::is_empty(state.record, slot)) continue;
        const SlotView view = display_slot(state, slot);
        describe_slot(out, view, state.record, lang);
    }
    return out;
}

int run_describe(Args args) {
    std::string path;
    Lang lang = Lang::English;
    bool usage_error = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            const std::string_view value = args[++i];
            if (value == "en") lang = Lang::English;
            else if (value == "ru") lang = Lang::Russian;
            else usage_error = true;
        } else if (path.empty() && !args[i].starts_with("--")) {
            path = std::string(args[i]);
        } else {
            usage_error = true;
        }
    }
    if (usage_error || path.empty()) {
        std::fprintf(stderr, "usage: ztv-tool describe FILE.ZTV [--lang en|ru]\n");
        return 2;
    }
    ConfigState state;
    const ConfigFileStatus status = load_config_file(path, state);
    if (status != ConfigFileStatus::Ok) {
        std::fprintf(stderr, "%s\n", config_file_error(status, path).in(lang).c_str());
        return 1;
    }
    const std::string text = describe_slots(state, lang);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace ztv::cli
