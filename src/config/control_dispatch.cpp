#include "config/control_dispatch.h"

#include <optional>

#include "common/cp1251.h"
#include "common/format.h"
#include "common/numeric_entry.h"
#include "config/voltage.h"

namespace ztv {
namespace {

void fill(std::vector<Text>& items, std::span<const TextPair> pairs) {
    items.reserve(pairs.size());
    for (const TextPair& pair : pairs) items.push_back(to_text(pair));
}

// A stored value of `bytes` bytes read as two's complement.
std::int64_t signed_value(std::uint32_t stored, std::uint8_t bytes) {
    if (bytes >= 4) return static_cast<std::int32_t>(stored);
    const std::uint32_t sign = 1u << (8 * bytes - 1);
    const std::uint32_t value = stored & ((sign << 1) - 1);
    return static_cast<std::int64_t>(value) - ((value & sign) != 0 ? static_cast<std::int64_t>(sign) << 1 : 0);
}

// Decimal digits only, saturating far above any range; nullopt for anything else.
std::optional<std::uint64_t> plain_number(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (number < (std::uint64_t{1} << 40)) number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number;
}

// Pairs of hex digits, at most two; only a full two-byte code counts.
std::optional<std::uint16_t> hex_code(std::string_view text) {
    auto digit = [](char ch) -> int {
        if (ch >= '0' && ch <= '9') return ch - '0';
        if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
        if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
        return -1;
    };
    unsigned bytes[2] = {0, 0};
    std::size_t count = 0;
    for (std::size_t i = 0; count < 2 && i + 2 <= text.size(); i += 2) {
        const int high = digit(text[i]);
        const int low = digit(text[i + 1]);
        if (high < 0 || low < 0) break;
        bytes[count++] = static_cast<unsigned>(high * 16 + low);
    }
    if (count != 2) return std::nullopt;
    return static_cast<std::uint16_t>(bytes[0] * 256 + bytes[1]);
}

Entry stores(std::uint32_t value) {
    Entry entry;
    entry.accepted = true;
    entry.value = value;
    return entry;
}

Entry refused(Text message = {}, int box_type = kBoxError) {
    Entry entry;
    entry.message = std::move(message);
    entry.box_type = box_type;
    return entry;
}

Entry typed(const ControlMeta& meta, std::string_view utf8) {
    switch (meta.codec) {
        case ValueCodec::Number: {
            const NumericEntry number = check_numeric_entry(
                utf8, {static_cast<std::uint32_t>(meta.min), static_cast<std::uint32_t>(meta.max), meta.bytes});
            if (!number.accepted) return refused(number.message, number.box_type);
            return stores(number.value / meta.scale);
        }
        case ValueCodec::Fallback: {
            const std::optional<std::uint64_t> number = plain_number(utf8);
            if (!number) {
                Entry entry = stores(meta.unreadable);
                entry.replaced = true;
                return entry;
            }
            const bool in_range = static_cast<std::int64_t>(*number) >= meta.min && static_cast<std::int64_t>(*number) <= meta.max;
            Entry entry = stores(in_range ? static_cast<std::uint32_t>(*number) : meta.fallback);
            entry.replaced = !in_range;
            return entry;
        }
        case ValueCodec::Voltage: return stores(default_voltage_byte(utf8));
        case ValueCodec::VoltageRange: return stores(minmax_voltage_byte(utf8));
        case ValueCodec::Hex: {
            const std::optional<std::uint16_t> code = hex_code(utf8);
            return code ? stores(*code) : refused();
        }
        case ValueCodec::Text: {
            // One Windows-1251 byte per character, so cutting the converted text cuts characters.
            Entry entry = stores(0);
            entry.text = utf8_to_cp1251(utf8).substr(0, meta.bytes);
            return entry;
        }
        default: return refused();
    }
}

}  // namespace

ControlView show_control(std::string_view name, const ControlMeta& meta, std::uint32_t stored,
                         std::string_view stored_text) {
    ControlView view;
    view.name = name;
    view.kind = meta.widget;
    // A button or a note without a caption of its own carries its label as its text.
    const bool own_text = (meta.widget == ControlKind::Button || meta.widget == ControlKind::Label) &&
                          meta.label_name == nullptr;
    // Most controls have no unit or hint: an absent text is left as the view's empty one.
    if (meta.label.en != nullptr) (own_text ? view.text : view.label) = to_text(meta.label);
    if (meta.unit.en != nullptr) view.unit = to_text(meta.unit);
    if (meta.hint.en != nullptr) view.hint = to_text(meta.hint);
    view.max_length = meta.max_length;
    switch (meta.codec) {
        case ValueCodec::Position:
            fill(view.items, meta.items);
            view.selected = stored < view.items.size() ? static_cast<int>(stored) : -1;
            break;
        case ValueCodec::Flag: view.checked = stored != 0; break;
        case ValueCodec::Number: view.text = Text::same(std::to_string(stored * meta.scale)); break;
        case ValueCodec::Fallback: view.text = Text::same(std::to_string(stored)); break;
        case ValueCodec::Spin:
            view.value = (meta.min < 0 ? signed_value(stored, meta.bytes) : static_cast<std::int64_t>(stored)) + meta.offset;
            view.minimum = meta.min;
            view.maximum = meta.max;
            break;
        case ValueCodec::Voltage: view.text = Text::same(default_voltage_text(static_cast<std::uint8_t>(stored))); break;
        case ValueCodec::VoltageRange:
            view.text = Text::same(minmax_voltage_text(static_cast<std::uint8_t>(stored)));
            break;
        case ValueCodec::Bits:
            fill(view.items, meta.items);
            view.bits = view.items.size() < 32 ? stored & ((1u << view.items.size()) - 1u) : stored;
            break;
        case ValueCodec::Hex: view.text = Text::same(strprintf("%04X", stored)); break;
        case ValueCodec::Text: view.text = Text::same(cp1251_to_utf8(stored_text)); break;
        case ValueCodec::None: break;
    }
    return view;
}

void show_entries(ControlView& view, std::vector<Text> entries, std::uint32_t stored) {
    view.items = std::move(entries);
    view.selected = stored < view.items.size() ? static_cast<int>(stored) : -1;
}

Entry read_entry(const ControlMeta& meta, const ControlAction& action, std::size_t entries) {
    if (action.kind != meta.widget) return refused();
    switch (action.kind) {
        case ControlKind::List:
            if (meta.codec != ValueCodec::Position || action.value < 0 ||
                static_cast<std::uint64_t>(action.value) >= entries)
                return refused();
            return stores(static_cast<std::uint32_t>(action.value));
        case ControlKind::Check: return meta.codec == ValueCodec::Flag ? stores(action.value != 0 ? 1 : 0) : refused();
        case ControlKind::Spin: {
            if (meta.codec != ValueCodec::Spin) return refused();
            if (action.value < meta.min || action.value > meta.max)
                return refused(format_pair(kValueRangeMessage, static_cast<long long>(meta.min),
                                           static_cast<long long>(meta.max)));
            return stores(static_cast<std::uint32_t>(action.value - meta.offset) & width_mask(meta.bytes));
        }
        case ControlKind::CheckList: {
            if (meta.codec != ValueCodec::Bits || action.value < 0 || action.value > 0xFFFFFFFF) return refused();
            const auto mask = static_cast<std::uint32_t>(action.value);
            if (entries < 32 && (mask >> entries) != 0) return refused();
            return stores(mask);
        }
        case ControlKind::Edit: return typed(meta, action.text);
        default: return refused();
    }
}

EditOutcome refusal(const Entry& entry, EditOutcome::Redraw silent) {
    EditOutcome outcome;
    outcome.accepted = false;
    if (entry.message.empty()) {
        outcome.redraw = silent;
        return outcome;
    }
    outcome.message = entry.message;
    outcome.box_type = entry.box_type;
    outcome.focus = EditOutcome::Focus::Control;
    return outcome;
}

}  // namespace ztv
