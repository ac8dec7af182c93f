#include "config/parameter_keys.h"

#include <array>
#include <cctype>

#include "common/ascii_text.h"
#include "common/cp1251.h"
#include "common/format.h"
#include "common/hex.h"
#include "config/field_table.h"
#include "config/parameter_model.h"
#include "config/pin_occupation.h"
#include "config/pins.h"

namespace ztv {
namespace {

constexpr std::string_view kNamePrefix = "name";
constexpr std::uint32_t kNoLimit = 0xFFFFFFFFu;

constexpr TextPair kNoControl{"Ключ %s не задаётся ни одним элементом страниц параметров",
                              "No control of the parameter pages sets %s"};
constexpr TextPair kUnknownKey{"Неизвестный ключ %s", "Unknown key %s"};
constexpr TextPair kBadValue{"%s: значение \"%s\" не подходит этому элементу", "%s: the control does not take \"%s\""};
constexpr TextPair kPinHeld{"Режим вывода %s нельзя изменить: вывод занят (%s)",
                            "The mode of pin %s cannot change while %s holds it"};
constexpr TextPair kNotStorable{"%s: символы «%s» нельзя сохранить в кодировке Windows-1251, которую хранит контроллер",
                                "%s: the characters \"%s\" cannot be stored in Windows-1251, the controller's code page"};
constexpr TextPair kInterceptWithoutSourceMode{
    "TOUCH_INTERCEPT_SRCMASK задаётся только вместе с режимом тачпанели 4 (\"Источник...\")",
    "TOUCH_INTERCEPT_SRCMASK is set only together with touch mode 4 (\"Source...\")"};

bool same_key(std::string_view a, std::string_view b) { return ascii_lower(a) == ascii_lower(b); }

// NAME1 ... NAME8 as a source index 0-7.
std::optional<std::size_t> source_name_index(std::string_view key) {
    if (key.size() != kNamePrefix.size() + 1 || ascii_lower(key.substr(0, kNamePrefix.size())) != kNamePrefix)
        return std::nullopt;
    const char digit = key.back();
    if (digit < '1' || digit > '8') return std::nullopt;
    return static_cast<std::size_t>(digit - '1');
}

const FieldDef* field_by_key(std::string_view key) {
    if (key.empty()) return nullptr;
    for (const FieldDef& def : all_fields())
        if (def.key[0] != '\0' && same_key(key, def.key)) return &def;
    return nullptr;
}

const ParamBinding* binding_with(BindingTarget target) {
    for (const ParamBinding& row : parameter_bindings())
        if (row.target == target) return &row;
    return nullptr;
}

AssignResult failure(AssignStatus status, Text message) { return {status, std::move(message)}; }

EditOutcome act(ConfigState& state, const ParamBinding& row, ControlKind kind, std::int64_t number,
                std::string_view text = {}) {
    return edit_parameter(state, ControlAction{row.control, kind, number, std::string(text)});
}

AssignResult malformed(std::string_view key, std::string_view value) {
    const std::string k(key);
    const std::string v(value.substr(0, 64));
    return failure(AssignStatus::Malformed, format_pair(kBadValue, k.c_str(), v.c_str()));
}

AssignResult from_outcome(const EditOutcome& outcome, std::string_view key, std::string_view value) {
    if (outcome.accepted) return {};
    // A refusal without a message is a value beyond what the control offers.
    if (outcome.message.empty()) return malformed(key, value);
    return failure(AssignStatus::Refused, outcome.message);
}

// PINMODE: the fourteen pin lists, each changed only where the value differs, so that pins a
// function holds may be given as 0.
AssignResult assign_pin_modes(ConfigState& state, std::string_view value) {
    if (value.size() != 2 * kPinCount) return malformed("PINMODE", value);
    for (char c : value)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return malformed("PINMODE", value);
    std::array<std::uint8_t, kPinCount> modes{};
    from_hex(value, modes);
    for (const ParamBinding& row : page_bindings(ParamPage::Pins)) {
        const std::uint8_t mode = modes[pin_index(row.pin)];
        if (mode == pin_mode(state.record, row.pin)) continue;
        const PinOccupation occupation = occupy(state.record);
        if (occupation.held(row.pin)) {
            const TextPair holder = occupation[row.pin].first_item;
            return failure(AssignStatus::Refused, Text(strprintf(kPinHeld.ru, pin_name(row.pin), holder.ru),
                                                       strprintf(kPinHeld.en, pin_name(row.pin), holder.en)));
        }
        const AssignResult result = from_outcome(act(state, row, ControlKind::List, mode), "PINMODE", value);
        if (result.status != AssignStatus::Applied) return result;
    }
    return {};
}

AssignResult assign_bound(ConfigState& state, const ParamBinding& row, std::string_view key, std::string_view value,
                          std::optional<std::uint8_t> intercept_mask) {
    if (row.kind == BindingKind::SourceMask) {
        // A source mask takes the mask itself, as a check list would.
        const auto mask = parse_script_number(value, kNoLimit);
        if (!mask) return malformed(key, value);
        return from_outcome(act(state, row, ControlKind::CheckList, *mask), key, value);
    }
    // The widget says how the script's text becomes the action.
    switch (row.widget) {
        case ControlKind::List: {
            const auto index = parse_script_number(value, 0xFFFF);
            if (!index) return malformed(key, value);
            const EditOutcome outcome = act(state, row, ControlKind::List, *index);
            if (outcome.follow_up == kFollowUpSources && outcome.accepted)
                return from_outcome(finish_sources(state, row.control, intercept_mask), key, value);
            return from_outcome(outcome, key, value);
        }
        case ControlKind::Spin:
        case ControlKind::CheckList: {
            const auto number = parse_script_number(value, kNoLimit);
            if (!number) return malformed(key, value);
            return from_outcome(act(state, row, row.widget, *number), key, value);
        }
        case ControlKind::Check:
            if (value != "0" && value != "1") return malformed(key, value);
            return from_outcome(act(state, row, ControlKind::Check, value == "1" ? 1 : 0), key, value);
        case ControlKind::Edit: return from_outcome(act(state, row, ControlKind::Edit, 0, value), key, value);
        default: return failure(AssignStatus::Unknown, format_pair(kNoControl, std::string(key).c_str()));
    }
}

}  // namespace

std::optional<std::uint32_t> parse_script_number(std::string_view text, std::uint32_t max) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t number = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        number = number * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    if (number > max) return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

std::optional<std::string> key_value(const ConfigState& state, std::string_view key) {
    auto entry = key_entry(state, key);
    if (!entry) return std::nullopt;
    return std::move(entry->value);
}

std::optional<KeyEntry> key_entry(const ConfigState& state, std::string_view key) {
    if (same_key(key, kLongPressKey))
        return KeyEntry{std::string(kLongPressKey), std::to_string(state.record.long_press_ms()), true};
    if (const auto source = source_name_index(key))
        return KeyEntry{"NAME" + std::to_string(*source + 1), cp1251_to_utf8(state.record.source_name(*source)), false};
    const FieldDef* def = field_by_key(key);
    if (def == nullptr) return std::nullopt;
    if (def->kind == FieldKind::Hex)
        return KeyEntry{def->key, to_hex(std::span<const std::uint8_t>(state.record.data() + def->offset, def->length)), false};
    return KeyEntry{def->key, std::to_string(get_field(state.record, def->id)), true};
}

AssignResult assign_key(ConfigState& state, std::string_view key, std::string_view value,
                        std::optional<std::uint8_t> intercept_mask) {
    const std::string key_text(key.substr(0, 64));
    if (same_key(key, kLongPressKey)) {
        const ParamBinding* row = binding_with(BindingTarget::LongPress);
        return from_outcome(act(state, *row, ControlKind::Edit, 0, value), key, value);
    }
    if (const auto source = source_name_index(key)) {
        // Stored, such a character would turn into "?" without a word.
        if (const std::string refused = outside_cp1251(value); !refused.empty())
            return failure(AssignStatus::Malformed, format_pair(kNotStorable, key_text.c_str(), refused.c_str()));
        const ParamBinding* row = binding_with(BindingTarget::SourceNames);
        return from_outcome(act(state, *row, ControlKind::Table, static_cast<std::int64_t>(*source), value), key, value);
    }
    const FieldDef* def = field_by_key(key);
    if (def == nullptr) return failure(AssignStatus::Unknown, format_pair(kUnknownKey, key_text.c_str()));
    if (def->id == FieldId::PINMODE) return assign_pin_modes(state, value);
    if (def->id == FieldId::TOUCH_INTERCEPT_SRCMASK) {
        // The mask travels with touch mode 4; alone it re-chooses "Source..." only where that
        // mode is already in force.
        const auto mask = parse_script_number(value, 0xFF);
        if (!mask) return malformed(key, value);
        if (get_field(state.record, FieldId::TOUCH_MODE) != 4)
            return failure(AssignStatus::Unknown, to_text(kInterceptWithoutSourceMode));
        return assign_bound(state, *binding_of(FieldId::TOUCH_MODE), "TOUCH_MODE", "4",
                            static_cast<std::uint8_t>(*mask));
    }
    const ParamBinding* row = binding_of(def->id);
    if (row == nullptr) return failure(AssignStatus::Unknown, format_pair(kNoControl, key_text.c_str()));
    return assign_bound(state, *row, key, value, intercept_mask);
}

}  // namespace ztv
