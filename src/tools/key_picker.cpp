#include "tools/key_picker.h"

#include <algorithm>

#include "catalogues/key_captions.h"
#include "common/format.h"

namespace ztv {
namespace {

constexpr std::size_t kKindByte = 0;
constexpr std::size_t kReportByte = 1;
constexpr std::size_t kModifierByte = 2;
constexpr std::size_t kKey1Byte = 3;
constexpr std::size_t kKey2Byte = 4;

std::vector<PickerKey> build_keys() {
    std::vector<PickerKey> keys;
    for (unsigned bit = 0; bit < kModifierCount; ++bit)
        keys.push_back({strprintf("PanelMod%ux", bit), PickerKeyKind::Modifier, static_cast<std::uint16_t>(bit),
                        Text::same(key_modifier_caption(bit))});
    for (const KeyCaption& key : keyboard_keys())
        keys.push_back({strprintf("PanelKey%ux", static_cast<unsigned>(key.usage)), PickerKeyKind::Key, key.usage,
                        Text::same(key.caption)});
    for (const KeyCaption& key : consumer_keys())
        keys.push_back({strprintf("SpeedButtonMMKey%04Xx", static_cast<unsigned>(key.usage)), PickerKeyKind::Multimedia,
                        key.usage, Text::same(key.caption)});
    for (unsigned bit = 0; bit < kSystemControlCount; ++bit)
        keys.push_back({strprintf("SystemControl%ux", bit), PickerKeyKind::SystemControl,
                        static_cast<std::uint16_t>(bit), to_text(system_control_caption(bit))});
    return keys;
}

std::uint16_t usage_of(PickerReactionView r) { return static_cast<std::uint16_t>(r[kKey1Byte] | r[kKey2Byte] << 8); }

void set_usage(PickerReaction r, std::uint32_t usage) {
    r[kKey1Byte] = static_cast<std::uint8_t>(usage & 0xFF);
    r[kKey2Byte] = static_cast<std::uint8_t>((usage >> 8) & 0xFF);
}

// Another reaction kind or another report kind starts from a clean record of that report.
void reset_to(PickerReaction r, std::uint8_t report) {
    if (r[kKindByte] == 0 && r[kReportByte] == report) return;
    std::fill(r.begin(), r.end(), std::uint8_t{0});
    r[kReportByte] = report;
}

void click_key(PickerReaction r, std::uint8_t usage) {
    reset_to(r, kReportKeyboard);
    std::uint8_t& first = r[kKey1Byte];
    std::uint8_t& second = r[kKey2Byte];
    if (first == 0) {
        first = usage;
    } else if (second == 0) {
        if (usage == first) first = 0;
        else second = usage;
    } else if (usage == second) {
        second = 0;
    } else if (usage == first) {
        // Clicking the older key leaves the newer one alone.
        first = second;
        second = 0;
    } else {
        // The two most recent keys remain.
        first = second;
        second = usage;
    }
    if (r[kModifierByte] == 0 && first == 0 && second == 0) r[kReportByte] = kReportNone;
}

std::string hex_field(unsigned value, int digits) { return strprintf("x%0*X", digits, value); }

}  // namespace

const std::vector<PickerKey>& picker_keys() {
    static const std::vector<PickerKey> keys = build_keys();
    return keys;
}

Text picker_title(std::size_t slot) { return format_pair(kPickerTitle, static_cast<int>(slot + 1)); }

bool click_picker_key(PickerReaction r, std::string_view name) {
    const std::vector<PickerKey>& keys = picker_keys();
    const auto key = std::find_if(keys.begin(), keys.end(), [&](const PickerKey& k) { return k.name == name; });
    if (key == keys.end()) return false;
    switch (key->kind) {
        case PickerKeyKind::Key: click_key(r, static_cast<std::uint8_t>(key->code)); break;
        case PickerKeyKind::Modifier:
            reset_to(r, kReportKeyboard);
            r[kModifierByte] = static_cast<std::uint8_t>(r[kModifierByte] ^ (1u << key->code));
            break;
        case PickerKeyKind::Multimedia:
            reset_to(r, kReportConsumer);
            if (usage_of(r) == key->code) {
                r[kReportByte] = kReportNone;
                set_usage(r, 0);
            } else {
                set_usage(r, key->code);
            }
            break;
        case PickerKeyKind::SystemControl: {
            reset_to(r, kReportSystem);
            const auto mask = static_cast<std::uint8_t>(1u << key->code);
            if (r[kKey1Byte] == mask) std::fill(r.begin() + kReportByte, r.begin() + kKey2Byte + 1, std::uint8_t{0});
            else r[kKey1Byte] = mask;
            break;
        }
    }
    return true;
}

std::uint32_t parse_picker_code(std::string_view text, std::uint32_t max) {
    std::uint64_t value = 0;
    constexpr std::uint64_t kSaturated = std::uint64_t{1} << 40;  // far above any field's range
    auto add = [&](unsigned base, unsigned digit) {
        if (value < kSaturated) value = value * base + digit;
    };
    if (!text.empty() && (text.front() == 'x' || text.front() == 'X')) {
        for (char c : text.substr(1)) {
            if (c >= '0' && c <= '9') add(16, static_cast<unsigned>(c - '0'));
            else if (c >= 'a' && c <= 'f') add(16, static_cast<unsigned>(c - 'a' + 10));
            else if (c >= 'A' && c <= 'F') add(16, static_cast<unsigned>(c - 'A' + 10));
            else break;
        }
    } else {
        for (char c : text) {
            if (c < '0' || c > '9') break;
            add(10, static_cast<unsigned>(c - '0'));
        }
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, max));
}

void enter_picker_code(PickerReaction r, PickerField field, std::string_view text) {
    switch (field) {
        case PickerField::Key1:
            reset_to(r, kReportKeyboard);
            r[kKey1Byte] = static_cast<std::uint8_t>(parse_picker_code(text, 255));
            break;
        case PickerField::Key2:
            reset_to(r, kReportKeyboard);
            r[kKey2Byte] = static_cast<std::uint8_t>(parse_picker_code(text, 255));
            break;
        case PickerField::Multimedia:
            std::fill(r.begin(), r.end(), std::uint8_t{0});
            r[kReportByte] = kReportConsumer;
            set_usage(r, parse_picker_code(text, 0xFFFF));
            break;
    }
}

PickerView picker_view(PickerReactionView r) {
    PickerView view;
    if (r[kKindByte] != 0) return view;
    view.usb_reaction = true;
    const std::vector<PickerKey>& keys = picker_keys();
    view.marked.assign(keys.size(), false);
    const std::uint8_t report = r[kReportByte];
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const PickerKey& key = keys[i];
        switch (report) {
            case kReportSystem:
                view.marked[i] = key.kind == PickerKeyKind::SystemControl && (r[kKey1Byte] >> key.code & 1u) != 0;
                break;
            case kReportKeyboard:
                if (key.kind == PickerKeyKind::Modifier) view.marked[i] = (r[kModifierByte] >> key.code & 1u) != 0;
                if (key.kind == PickerKeyKind::Key)
                    view.marked[i] = key.code == r[kKey1Byte] || key.code == r[kKey2Byte];
                break;
            case kReportConsumer:
                view.marked[i] = key.kind == PickerKeyKind::Multimedia && key.code == usage_of(r);
                break;
            default: break;
        }
    }
    switch (report) {
        case kReportSystem: break;
        case kReportKeyboard:
            view.key1 = hex_field(r[kKey1Byte], 2);
            view.key2 = hex_field(r[kKey2Byte], 2);
            break;
        case kReportConsumer: view.multimedia = hex_field(usage_of(r), 4); break;
        default:
            view.key1 = hex_field(0, 2);
            view.key2 = hex_field(0, 2);
            view.multimedia = hex_field(0, 4);
            break;
    }
    return view;
}

}  // namespace ztv
