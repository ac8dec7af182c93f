// The edits of the parameter pages: a user's action on a bound control -> the record.
#include <array>
#include <utility>

#include "common/cp1251.h"
#include "config/control_dispatch.h"
#include "config/parameter_model.h"
#include "config/parameter_rules.h"
#include "config/pin_rules.h"

namespace ztv {
namespace {

constexpr TextPair kTouchSourcesFirst{"Перехват тачпанели", "Interception touchpanel"};
constexpr TextPair kTouchSourcesSecond{"при выборе источников:", "in source selection:"};
constexpr TextPair kUsbSourcesFirst{"Тач в USB", "Touch to USB"};
constexpr TextPair kUsbSourcesSecond{"на источниках:", "on sources:"};
constexpr std::uint8_t kAllSources = 0xFF;

// Pairs of IEBUS functions that exclude each other: navigator emulation and together with the
// Navi, DVD1 and DVD2 emulation, MAM emulation and together with the MAM.
constexpr std::array<std::pair<unsigned, unsigned>, 3> kIebusExclusivePairs = {{{0, 5}, {1, 6}, {8, 9}}};

EditOutcome refused() {
    EditOutcome outcome;
    outcome.accepted = false;
    return outcome;
}

EditOutcome stored(const ParamBinding& row) {
    EditOutcome outcome;
    outcome.redraw = row.refresh ? EditOutcome::Redraw::All : EditOutcome::Redraw::Nothing;
    return outcome;
}

// A check's verdict carried into the record: every pin and module check ends with a refresh,
// accepted or not, so that the lists show what the record holds.
EditOutcome carried_out(ConfigState& state, const PinCheck& check) {
    apply(state.record, check);
    EditOutcome outcome;
    outcome.accepted = check.accepted;
    outcome.message = check.message;
    outcome.box_type = check.box_type;
    outcome.redraw = EditOutcome::Redraw::All;
    if (check.show_pins_page) outcome.focus = EditOutcome::Focus::PinsPage;
    if (check.ask_touch_sources) outcome.follow_up = std::string(kFollowUpSources);
    return outcome;
}

EditOutcome store_mask(ConfigState& state, const ParamBinding& row, std::uint8_t mask) {
    store_bound(state, row, mask == kAllSources ? 0 : mask);
    EditOutcome outcome = stored(row);
    outcome.redraw = EditOutcome::Redraw::All;
    return outcome;
}

}  // namespace

std::uint16_t iebus_functions_after(std::uint16_t old_set, std::uint16_t ticked) {
    const std::uint32_t old_functions = old_set & kIebusFunctionBits;
    std::uint32_t next = ticked & kIebusFunctionBits;
    if ((next & kIebusAmplifierControls) != 0) {
        if ((old_functions & kIebusAmplifierControls) == 0) {
            next = kIebusAmplifierControls;
        } else {
            next &= ~kIebusAmplifierControls;
            if (next == 0) next = kIebusAmplifierControls;
        }
    }
    for (const auto& [a, b] : kIebusExclusivePairs) {
        const std::uint32_t bit_a = 1u << a;
        const std::uint32_t bit_b = 1u << b;
        if ((next & bit_a) == 0 || (next & bit_b) == 0) continue;
        // The newly ticked one wins; with neither newly ticked the first of the pair gives way.
        next &= (old_functions & bit_b) != 0 && (old_functions & bit_a) == 0 ? ~bit_b : ~bit_a;
    }
    return static_cast<std::uint16_t>(next);
}

namespace {

// The first `characters` characters of typed UTF-8 text, control characters (a pasted tab or
// line break, a NUL that would end the name early) as blanks: what the configuration file can
// hold, so that the file and the controller keep the same name. Text of any length costs no
// more than those characters.
std::string typed_name(std::string_view utf8, std::size_t characters) {
    std::string out;
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool starts_character = (byte & 0xC0) != 0x80;
        if (starts_character && count++ == characters) break;
        if (out.size() == characters * 4) break;  // stray continuation bytes end it as well
        out.push_back(byte < 0x20 || byte == 0x7F ? ' ' : utf8[i]);
    }
    return out;
}

// "Any" stores 0; the second entry asks for the sources first. A mask (from a script) is
// stored as it comes, all sources as "Any".
EditOutcome edit_source_mask(ConfigState& state, const ParamBinding& row, const ControlAction& action) {
    if (action.kind == ControlKind::CheckList) {
        if (action.value < 0 || action.value > kAllSources) return refused();
        return store_mask(state, row, static_cast<std::uint8_t>(action.value));
    }
    if (action.kind != ControlKind::List || action.value < 0 || action.value > 1) return refused();
    if (action.value == 0) return store_mask(state, row, 0);
    EditOutcome outcome;
    outcome.follow_up = std::string(kFollowUpSources);
    return outcome;
}

EditOutcome edit_source_name(ConfigState& state, const ParamBinding& row, const ControlAction& action) {
    if (action.kind != ControlKind::Table || action.value < 0 || static_cast<std::uint64_t>(action.value) >= kSourceCount)
        return refused();
    // Windows-1251 holds one character per byte, so five characters fill the five bytes.
    state.record.set_source_name(static_cast<std::size_t>(action.value),
                                 utf8_to_cp1251(typed_name(action.text, kSourceNameSize)));
    return stored(row);
}

}  // namespace

EditOutcome edit_parameter(ConfigState& state, const ControlAction& action) {
    const ParamBinding* row = find_binding(action.name);
    if (row == nullptr) return refused();
    if (row->kind == BindingKind::SourceMask) return edit_source_mask(state, *row, action);
    if (row->kind == BindingKind::SourceNames) return edit_source_name(state, *row, action);
    const Entry entry = read_entry(*row, action);
    if (!entry.accepted) return refusal(entry, EditOutcome::Redraw::Nothing);
    if (row->kind == BindingKind::FixedList) return EditOutcome{};
    if (row->kind == BindingKind::PinMode) {
        EditOutcome outcome =
            carried_out(state, check_pin_mode_change(state.record, row->pin, static_cast<std::uint8_t>(entry.value)));
        outcome.redraw = EditOutcome::Redraw::Page;
        return outcome;
    }
    if (row->check == BindingCheck::PinRule) return carried_out(state, check_pin_change(state.record, row->field, entry.value));
    std::uint32_t value = entry.value;
    if (row->check == BindingCheck::IebusFunctions)
        value = iebus_functions_after(static_cast<std::uint16_t>(bound_value(state, *row)), static_cast<std::uint16_t>(value));
    store_bound(state, *row, value);
    EditOutcome outcome = stored(*row);
    // A replaced number must show what was stored, even where no refresh follows.
    if (entry.replaced && outcome.redraw == EditOutcome::Redraw::Nothing) outcome.redraw = EditOutcome::Redraw::Page;
    return outcome;
}

bool source_name_accepts_key(std::string_view cell_utf8, bool backspace) {
    if (backspace) return true;
    std::size_t characters = 0;
    for (char c : cell_utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    return characters < kSourceNameSize;
}

std::optional<SourceQuestion> source_question(const ConfigState& state, std::string_view control) {
    const ParamBinding* row = find_binding(control);
    if (row == nullptr) return std::nullopt;
    if (row->field == FieldId::TOUCH_MODE)
        return SourceQuestion{to_text(kTouchSourcesFirst), to_text(kTouchSourcesSecond),
                              static_cast<std::uint8_t>(get_field(state.record, FieldId::TOUCH_INTERCEPT_SRCMASK))};
    if (row->kind == BindingKind::SourceMask)
        return SourceQuestion{to_text(kUsbSourcesFirst), to_text(kUsbSourcesSecond),
                              static_cast<std::uint8_t>(bound_value(state, *row))};
    return std::nullopt;
}

EditOutcome finish_sources(ConfigState& state, std::string_view control, std::optional<std::uint8_t> chosen) {
    const ParamBinding* row = find_binding(control);
    if (row == nullptr) return refused();
    if (row->field == FieldId::TOUCH_MODE) {
        // The pin checks were passed when "Source..." was chosen; a new mask of 0 switches off.
        return carried_out(state, finish_touch_sources(state.record, chosen));
    }
    if (row->kind != BindingKind::SourceMask) return refused();
    if (!chosen) {
        EditOutcome outcome = stored(*row);
        outcome.redraw = EditOutcome::Redraw::All;
        return outcome;
    }
    return store_mask(state, *row, *chosen);
}

}  // namespace ztv
