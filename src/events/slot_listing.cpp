#include "events/slot_listing.h"

#include "common/cp1251.h"
#include "events/descriptions.h"
#include "events/event_catalogue.h"
#include "events/slot_controls.h"
#include "events/slot_display.h"
#include "events/slot_editor_texts.h"
#include "events/slot_model.h"

namespace ztv {
namespace {

// The line labels, in the language of the values they introduce.
namespace label {
constexpr TextPair kEvent{"событие", "event"};
constexpr TextPair kTrigger{"срабатывание", "trigger"};
constexpr TextPair kOnce{"однократно", "once"};
constexpr TextPair kWakeUp{"пробуждение", "wakeup"};
constexpr TextPair kSource{"источник", "source"};
constexpr TextPair kKey{"кнопка", "key"};
constexpr TextPair kModifier{"модификатор", "mod"};
constexpr TextPair kIr{"ИК-код", "ir"};
constexpr TextPair kParams{"параметры", "params"};
constexpr TextPair kReaction{"реакция", "reaction"};
constexpr TextPair kUsb{"клавиша USB", "usb"};
constexpr TextPair kSerial{"передача", "serial"};
constexpr TextPair kSkip{"пропуск", "skip"};
constexpr TextPair kOn{"вкл", "on"};
constexpr TextPair kOff{"выкл", "off"};
}  // namespace label

// What the editor calls the lines, where its own captions do not say it.
namespace caption {
constexpr TextPair kIr{"ИК-код", "IR code"};
constexpr TextPair kParams{"Параметры", "Parameters"};
constexpr TextPair kUsb{"Клавиша USB", "USB key"};
constexpr TextPair kSerial{"Передаваемый текст", "Text sent"};
}  // namespace caption

// A group caption (" Event ") without the blanks that frame it.
std::string trimmed(const char* text) {
    std::string out(text);
    while (!out.empty() && out.front() == ' ') out.erase(out.begin());
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

class Lines {
public:
    Lines(SlotListing& listing, Lang lang) : listing_(listing), lang_(lang) {}
    void start_reaction() { reaction_ = true; }
    void add(const TextPair& name, const TextPair& caption, const std::string& value) {
        add(name, trimmed(pick(caption, lang_)), value);
    }
    void add(const TextPair& name, std::string caption, const std::string& value) {
        listing_.lines.push_back(SlotLine{reaction_, pick(name, lang_), value, std::move(caption)});
    }
    void flag(const TextPair& name, const TextPair& caption, bool on) {
        add(name, caption, pick(on ? label::kOn : label::kOff, lang_));
    }
    Lang lang() const { return lang_; }

private:
    SlotListing& listing_;
    Lang lang_;
    bool reaction_ = false;
};

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

// The control's text; its caption is the control's own label, or `caption` where it has none.
void text_line(Lines& out, const TextPair& name, const std::string& caption, const SlotView& view,
               std::string_view control, bool last_line_only = false) {
    const ControlView* shown = view.control(control);
    if (shown == nullptr) return;
    const Lang lang = out.lang();
    const std::string text = last_line_only ? last_line(shown->text.in(lang)) : shown->text.in(lang);
    if (!shown->label.empty()) out.add(name, trimmed(shown->label.in(lang).c_str()), text);
    else out.add(name, caption, text);
}

}  // namespace

SlotListing list_slot(ConfigState& state, std::size_t slot_index, Lang lang) {
    const SlotView view = display_slot(state, slot_index);
    const auto slot = state.record.slot(slot_index);
    SlotListing listing;
    listing.caption = view.caption;
    Lines out(listing, lang);
    const ControlView* trigger = view.control(event_common::kTrigger);
    out.add(label::kEvent, slot_texts::kEventGroup, view.event_title.in(lang));
    // A stored type beyond the list (a file may hold one) selects no entry.
    const bool listed = trigger != nullptr && trigger->selected >= 0 &&
                        static_cast<std::size_t>(trigger->selected) < trigger->items.size();
    out.add(label::kTrigger, slot_texts::kPressLabel,
            listed ? trigger->items[static_cast<std::size_t>(trigger->selected)].in(lang) : "?");
    out.flag(label::kOnce, slot_texts::kOnceLabel, view.control(event_common::kOnce)->checked);
    out.flag(label::kWakeUp, slot_texts::kWakeUpLabel, view.control(event_common::kWakeUp)->checked);
    out.add(label::kSource, slot_texts::kSourceLabel, slots::source_list_text(slot[kSourceMaskByte]).in(lang));
    const std::string ir = pick(caption::kIr, lang);
    if (view.can_delete_key) text_line(out, label::kKey, pick(label::kKey, lang), view, "PanelKeyx");
    if (view.can_delete_mod) text_line(out, label::kModifier, pick(label::kModifier, lang), view, "PanelKeyModx");
    text_line(out, label::kIr, ir, view, "PanelEventIRx");
    const std::string event_params = page_params(view.event_controls, lang);
    if (!event_params.empty()) out.add(label::kParams, caption::kParams, event_params);

    out.start_reaction();
    out.add(label::kReaction, slot_texts::kReactionGroup, view.reaction_title.in(lang));
    text_line(out, label::kIr, ir, view, "PanelReactionIRx");
    text_line(out, label::kUsb, pick(caption::kUsb, lang), view, "PanelReactionUSBKeyx", true);
    text_line(out, label::kSerial, pick(caption::kSerial, lang), view, "MemoReactionSerialx");
    // "Skip sources:", the two lines of the button's caption, without the colon.
    std::string skip = std::string(pick(slot_texts::kSkipSourcesLine1, lang)) + " " + pick(slot_texts::kSkipSourcesLine2, lang);
    if (skip.ends_with(':')) skip.pop_back();
    text_line(out, label::kSkip, skip, view, "SpeedButtonReactionSRCSkipx");
    const std::string params = page_params(view.reaction_controls, lang);
    if (!params.empty()) out.add(label::kParams, caption::kParams, params);
    return listing;
}

std::vector<UsedSlot> list_used_slots(const ConfigState& loaded, Lang lang) {
    // The display rules write into the record; the caller's copy stays as it was loaded.
    ConfigState state = loaded;
    normalize_all_slots(state.record);
    std::vector<UsedSlot> used;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (slots::is_empty(state.record, slot)) continue;
        used.push_back({slot, cp1251_to_utf8(field_text(state.slot_names[slot].data(), kSlotNameSize)),
                        list_slot(state, slot, lang)});
    }
    return used;
}

std::string describe_slots(const ConfigState& loaded, Lang lang) {
    std::string out;
    for (const UsedSlot& used : list_used_slots(loaded, lang)) {
        out += used.listing.caption + "\n";
        for (const SlotLine& line : used.listing.lines) out += "  " + line.label + ": " + line.value + "\n";
    }
    return out;
}

}  // namespace ztv
