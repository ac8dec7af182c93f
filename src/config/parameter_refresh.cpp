// The page refresh: record -> every control of the 25 parameter pages.
#include <string>

#include "common/cp1251.h"
#include "config/parameter_model.h"
#include "config/parameter_rules.h"
#include "config/pin_occupation.h"
#include "config/source_mask.h"
#include "config/voltage.h"

namespace ztv {
namespace {

constexpr TextPair kSourcesPrefix{"Источники", "Sources"};
// Column titles of the source-name table.
constexpr TextPair kSourceColumn{"Источник", "Source"};
constexpr TextPair kNameColumn{"Название", "Name"};
constexpr std::size_t kSourceModeEntry = 4;  // "Source..." of the touch mode list

Text joined(TextPair head, const std::string& tail) { return Text(std::string(head.ru) + tail, std::string(head.en) + tail); }

ControlKind control_kind(BindingKind kind) {
    switch (kind) {
        case BindingKind::List:
        case BindingKind::SourceMask:
        case BindingKind::PinMode:
        case BindingKind::FixedList: return ControlKind::List;
        case BindingKind::Check: return ControlKind::Check;
        case BindingKind::RangedEdit:
        case BindingKind::FallbackEdit:
        case BindingKind::VoltageEdit: return ControlKind::Edit;
        case BindingKind::Spin: return ControlKind::Spin;
        case BindingKind::CheckList: return ControlKind::CheckList;
        case BindingKind::SourceNames: return ControlKind::Table;
        case BindingKind::Button: return ControlKind::Button;
        case BindingKind::Note: return ControlKind::Label;
    }
    return ControlKind::Label;
}

void fill_items(ControlView& view, std::span<const TextPair> entries) {
    view.items.reserve(entries.size());
    for (const TextPair& entry : entries) view.items.push_back(to_text(entry));
}

int selection(std::uint32_t value, std::size_t count) { return value < count ? static_cast<int>(value) : -1; }

void show_value(ControlView& view, const ParamBinding& row, const ConfigState& state,
                const PinOccupation& occupation) {
    const Record& record = state.record;
    const std::uint32_t value = bound_value(state, row);
    switch (row.kind) {
        case BindingKind::List:
            fill_items(view, row.entries());
            view.selected = selection(value, view.items.size());
            // In mode 4 the "Source..." entry names the chosen sources; otherwise it keeps its text.
            if (row.field == FieldId::TOUCH_MODE && value == kSourceModeEntry && view.items.size() > kSourceModeEntry) {
                const auto mask = static_cast<std::uint8_t>(get_field(record, FieldId::TOUCH_INTERCEPT_SRCMASK));
                view.items[kSourceModeEntry] =
                    mask == 0 ? Text(std::string(kSourcesPrefix.ru) + kNoSources.ru,
                                     std::string(kSourcesPrefix.en) + kNoSources.en)
                              : joined(kSourcesPrefix, source_numbers(mask));
            }
            break;
        case BindingKind::PinMode: {
            const PinListState& pin = occupation[row.pin];
            fill_items(view, row.entries());
            view.items[0] = to_text(pin.first_item);
            view.selected = selection(pin.selected, view.items.size());
            break;
        }
        case BindingKind::SourceMask:
            view.items = {to_text(row.items[0]),
                          value == 0 ? to_text(kSelectSources) : Text::same(source_numbers(static_cast<std::uint8_t>(value)))};
            view.selected = value == 0 ? 0 : 1;
            break;
        case BindingKind::FixedList:
            fill_items(view, row.entries());
            view.selected = 0;
            break;
        case BindingKind::Check: view.checked = value != 0; break;
        case BindingKind::RangedEdit:
        case BindingKind::FallbackEdit: view.text = Text::same(std::to_string(value)); break;
        case BindingKind::VoltageEdit: {
            const auto stored = static_cast<std::uint8_t>(value);
            view.text = Text::same(row.transform == Transform::VoltsInverted ? default_voltage_text(stored)
                                                                              : minmax_voltage_text(stored));
            break;
        }
        case BindingKind::Spin:
            view.value = static_cast<std::int64_t>(value) + (row.transform == Transform::MinusOne ? 1 : 0);
            view.minimum = row.min;
            view.maximum = row.max;
            break;
        case BindingKind::CheckList:
            fill_items(view, row.entries());
            view.bits = value & ((1u << view.items.size()) - 1u);
            break;
        case BindingKind::SourceNames:
            view.columns = {to_text(kSourceColumn), to_text(kNameColumn)};
            for (std::size_t source = 0; source < kSourceCount; ++source)
                view.items.push_back(Text::same(cp1251_to_utf8(record.source_name(source))));
            break;
        case BindingKind::Button:
        case BindingKind::Note: view.text = to_text(row.label); break;
    }
}

ControlView make_view(const ParamBinding& row, const ConfigState& state, const PinOccupation& occupation) {
    ControlView view;
    view.name = row.control;
    view.kind = control_kind(row.kind);
    if (row.kind != BindingKind::Button && row.kind != BindingKind::Note) view.label = to_text(row.label);
    view.unit = to_text(row.unit);
    view.hint = to_text(row.hint);
    view.max_length = row.max_length;
    show_value(view, row, state, occupation);
    view.enabled = holds(row.enabled_when, state.record);
    view.visible = holds(row.visible_when, state.record);
    if (row.kind == BindingKind::PinMode) view.enabled = occupation[row.pin].enabled;
    // A pulse pin list that cannot be used reads "Disabled", whatever it holds.
    if (row.field == FieldId::PULSE_NUM && !view.enabled) view.selected = 0;
    return view;
}

}  // namespace

void apply_consistency_rules(ConfigState& state) {
    Record& record = state.record;
    if (get_field(record, FieldId::HEAD_NUM) == 0) set_field(record, FieldId::HEAD_TYPE, 0);
    const std::uint32_t functions = get_field(record, FieldId::IEBUS_MODEBITS);
    if ((functions & kIebusAmplifierControls) != 0)
        set_field(record, FieldId::IEBUS_MODEBITS, (functions & ~kIebusFunctionBits) | kIebusAmplifierControls);
    if ((get_field(record, FieldId::IEBUS_MODEBITS) & kIebusFunctionBits) == 0) set_field(record, FieldId::IEBUS_TOUCH, 0);
    // UART times out of range take the values their edits fall back to.
    for (const FieldId time : {FieldId::UARTPARAM_DelayMS, FieldId::UARTPARAM_ReplayMS}) {
        const ParamBinding& edit = *binding_of(time);
        const std::uint32_t value = get_field(record, time);
        if (value < edit.min || value > edit.max) set_field(record, time, edit.fallback);
    }
    if (get_field(record, FieldId::CAP2RES_NUM) != 0) {
        set_field(record, FieldId::TOUCH_WAKEUP, 0);
        set_field(record, FieldId::TOUCH_HIDE, 0);
        set_field(record, FieldId::TOUCH_GESTURES, 0);
        state.touch_offset = false;
    }
}

std::vector<ParameterPageView> refresh_pages(ConfigState& state) {
    apply_consistency_rules(state);
    const PinOccupation occupation = run_occupation_pass(state.record);
    std::vector<ParameterPageView> pages;
    pages.reserve(kParamPageCount);
    for (const ParamPageDef& page : parameter_pages()) {
        ParameterPageView view{page.sheet, to_text(page.caption), {}};
        const auto rows = page_bindings(page.id);
        view.controls.reserve(rows.size());
        for (const ParamBinding& row : rows) view.controls.push_back(make_view(row, state, occupation));
        pages.push_back(std::move(view));
    }
    return pages;
}

std::optional<ControlView> control_view(const ConfigState& state, std::string_view control) {
    const ParamBinding* row = find_binding(control);
    if (row == nullptr) return std::nullopt;
    return make_view(*row, state, occupy(state.record));
}

}  // namespace ztv
