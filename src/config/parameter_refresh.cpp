// The page refresh: record -> every control of the 25 parameter pages.
#include <string>

#include "common/cp1251.h"
#include "config/control_dispatch.h"
#include "config/parameter_model.h"
#include "config/parameter_rules.h"
#include "config/pin_occupation.h"
#include "config/source_mask.h"

namespace ztv {
namespace {

constexpr TextPair kSourcesPrefix{"Источники", "Sources"};
// Column titles of the source-name table.
constexpr TextPair kSourceColumn{"Источник", "Source"};
constexpr TextPair kNameColumn{"Название", "Name"};
constexpr std::size_t kSourceModeEntry = 4;  // "Source..." of the touch mode list

Text joined(TextPair head, const std::string& tail) { return Text(std::string(head.ru) + tail, std::string(head.en) + tail); }

// What the control shows beyond its codec's plain rule.
void show_special(ControlView& view, const ParamBinding& row, const ConfigState& state, const PinOccupation& occupation,
                  std::uint32_t value) {
    switch (row.kind) {
        case BindingKind::Plain:
            // In mode 4 the "Source..." entry names the chosen sources; otherwise it keeps its text.
            if (row.field == FieldId::TOUCH_MODE && value == kSourceModeEntry && view.items.size() > kSourceModeEntry) {
                const auto mask = static_cast<std::uint8_t>(get_field(state.record, FieldId::TOUCH_INTERCEPT_SRCMASK));
                view.items[kSourceModeEntry] =
                    mask == 0 ? Text(std::string(kSourcesPrefix.ru) + kNoSources.ru,
                                     std::string(kSourcesPrefix.en) + kNoSources.en)
                              : joined(kSourcesPrefix, source_numbers(mask));
            }
            break;
        case BindingKind::PinMode: {
            const PinListState& pin = occupation[row.pin];
            view.items[0] = to_text(pin.first_item);
            view.selected = pin.selected < view.items.size() ? static_cast<int>(pin.selected) : -1;
            break;
        }
        case BindingKind::SourceMask:
            view.items = {to_text(row.items[0]),
                          value == 0 ? to_text(kSelectSources) : Text::same(source_numbers(static_cast<std::uint8_t>(value)))};
            view.selected = value == 0 ? 0 : 1;
            break;
        case BindingKind::FixedList: view.selected = 0; break;
        case BindingKind::SourceNames:
            view.columns = {to_text(kSourceColumn), to_text(kNameColumn)};
            for (std::size_t source = 0; source < kSourceCount; ++source)
                view.items.push_back(Text::same(cp1251_to_utf8(state.record.source_name(source))));
            break;
    }
}

ControlView make_view(const ParamBinding& row, const ConfigState& state, const PinOccupation& occupation) {
    const std::uint32_t value = bound_value(state, row);
    ControlView view = show_control(row.control, row, value);
    show_special(view, row, state, occupation, value);
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
