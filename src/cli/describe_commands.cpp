// describe: what each slot of a configuration file holds, as the editor would show it.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "config/config_file.h"
#include "events/descriptions.h"
#include "events/event_catalogue.h"
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

std::string event_params(const EventView& event, Lang lang) {
    std::string joined;
    for (const EventChoiceView& choice : event.choices) {
        if (!joined.empty()) joined += ", ";
        joined += choice.selected >= 0 ? pick(choice.items[static_cast<std::size_t>(choice.selected)], lang) : "?";
    }
    return joined;
}

std::string reaction_params(const ReactionView& reaction, Lang lang) {
    std::string joined;
    for (const ReactionList& list : reaction.lists) {
        if (!list.visible) continue;
        if (!joined.empty()) joined += ", ";
        joined += list.selected >= 0 ? list.entries[static_cast<std::size_t>(list.selected)].in(lang) : "?";
    }
    return joined;
}

void describe_slot(std::string& out, const SlotView& view, const Record& record, Lang lang) {
    const auto slot = record.slot(view.slot);
    const EventView& event = view.event;
    out += view.caption;
    out += '\n';
    line(out, "event", pick(event.title, lang));
    line(out, "trigger", pick(trigger_type_names()[event.trigger.type % kTriggerTypeCount], lang));
    line(out, "once", on_off(event.once.checked));
    line(out, "wakeup", on_off(event.wake_up.checked));
    line(out, "source", slots::source_list_text(slot[kSourceMaskByte]).in(lang));
    if (event.has_key) line(out, "key", event.key_label);
    if (event.has_mod) line(out, "mod", event.mod_label);
    if (event.kind == static_cast<std::uint8_t>(EventKind::IrCode)) line(out, "ir", event.ir_text.in(lang));
    if (!event.choices.empty()) line(out, "params", event_params(event, lang));

    const ReactionView& reaction = view.reaction;
    line(out, "reaction", reaction.title.in(lang));
    if (const ReactionField* ir = reaction.field(ReactionControl::IrCode)) line(out, "ir", ir->text.in(lang));
    if (const ReactionField* usb = reaction.field(ReactionControl::UsbKeyText))
        line(out, "usb", last_line(usb->text.in(lang)));
    if (const ReactionField* serial = reaction.field(ReactionControl::SerialPreview))
        line(out, "serial", serial->text.in(lang));
    if (const ReactionField* skip = reaction.field(ReactionControl::SourceSkip)) line(out, "skip", skip->text.in(lang));
    const std::string params = reaction_params(reaction, lang);
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
