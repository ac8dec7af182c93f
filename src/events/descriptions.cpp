#include "events/descriptions.h"

#include <string_view>

#include "catalogues/button_labels.h"
#include "catalogues/ir_protocols.h"
#include "catalogues/key_captions.h"
#include "common/cp1251.h"
#include "common/format.h"
#include "events/can_auto_keys.h"
#include "events/event_catalogue.h"
#include "events/slot_model.h"

namespace ztv {
namespace {

constexpr const char* kUnnamedEncoders[kEncoderRows] = {"Enc1+ ?", "Enc1- ?", "Enc2+ ?", "Enc2- ?"};

constexpr std::uint8_t kUsagePageSystem = 1;
constexpr std::uint8_t kUsagePageKeyboard = 7;
constexpr std::uint8_t kUsagePageConsumer = 12;

// Reaction bytes as the "USB key" reaction uses them (offsets within the reaction half).
constexpr std::size_t kUsbPage = 1;
constexpr std::size_t kUsbModifiers = 2;
constexpr std::size_t kUsbKey1 = 3;
constexpr std::size_t kUsbKey2 = 4;

constexpr std::size_t kSerialValueByte = 12;
constexpr std::size_t kSerialValueSize = 5;

std::string ir_text(const char* name, IrCodeBytes code) {
    return strprintf("%s %u/%u", name, ir_address(code), ir_command(code));
}

void append_part(std::string& line, std::string_view part) {
    if (!line.empty()) line += " + ";
    line += part;
}

std::string keyboard_line(ReactionBytes reaction) {
    std::string line;
    const unsigned modifiers = reaction[kUsbModifiers];
    for (unsigned bit = 0; bit < kModifierCount; ++bit) {
        if ((modifiers & (1u << bit)) == 0) continue;
        append_part(line, std::string(bit <= 3 ? "l" : "r") + key_modifier_caption(bit));
    }
    if (const unsigned key1 = reaction[kUsbKey1]; key1 != 0) {
        const char* caption = keyboard_key_caption(key1);
        append_part(line, caption != nullptr ? std::string(caption) : strprintf("KEY1:%u", key1));
    }
    if (const unsigned key2 = reaction[kUsbKey2]; key2 != 0) {
        const char* caption = keyboard_key_caption(key2);
        append_part(line, caption != nullptr ? std::string(caption) : strprintf("KEY2:x%02X", key2));
    }
    return line;
}

std::string consumer_line(ReactionBytes reaction) {
    const unsigned usage = static_cast<unsigned>(reaction[kUsbKey1] | (reaction[kUsbKey2] << 8));
    if (usage == 0) return {};
    const char* caption = consumer_key_caption(usage);
    return caption != nullptr ? std::string("ConsumerPage:") + caption : strprintf("ConsumerPage:x%04X", usage);
}

}  // namespace

std::string button_label(const Record& record, unsigned key_number, unsigned channel) {
    const bool encoder_key = channel == kEncoderColumn && key_number >= 1 && key_number <= kEncoderRows;
    std::string text;
    if (channel < kChannels) text = button_cell_text(record, channel, key_number);
    else if (encoder_key) text = encoder_cell_text(record, key_number);
    if (!text.empty()) return text;
    if (encoder_key) return kUnnamedEncoders[key_number - 1];
    return strprintf("%u.[%u] ?", channel + 1, key_number);
}

Text ir_event_text(IrCodeBytes code) {
    const unsigned protocol = ir_protocol(code);
    if (protocol == kIrProtocolCanAuto) {
        const auto name = can_auto_name(static_cast<std::uint16_t>(ir_address(code)),
                                        static_cast<std::uint8_t>(ir_command(code)));
        if (name) return Text::same(*name);
    }
    const char* name = ir_event_protocol_name(protocol);
    return name != nullptr ? Text::same(ir_text(name, code)) : to_text(event_texts::get_the_code());
}

Text ir_reaction_text(IrCodeBytes code) {
    const char* name = ir_reaction_protocol_name(ir_protocol(code));
    return name != nullptr ? Text::same(ir_text(name, code)) : to_text(event_texts::get_the_code());
}

Text usb_key_text(ReactionBytes reaction) {
    if (reaction[0] != 0) return {};
    switch (reaction[kUsbPage]) {
        case kUsagePageKeyboard: return Text::same(keyboard_line(reaction));
        case kUsagePageConsumer: return Text::same(consumer_line(reaction));
        case kUsagePageSystem: {
            const unsigned bits = reaction[kUsbKey1];
            for (unsigned bit = 0; bit < kSystemControlCount; ++bit)
                if ((bits & (1u << bit)) != 0) return to_text(system_control_caption(bit));
            return {};
        }
        default: return {};
    }
}

Text usb_key_box_text(ReactionBytes reaction) {
    Text line = usb_key_text(reaction);
    if (line.empty()) line = to_text({"Не задано", "Not specified"});
    return join(Text::same("  \n  "), "\n", line);
}

Text skip_text(std::uint8_t mask) {
    const Text sources = mask == 0 ? to_text(kNoSources) : Text::same(slots::source_numbers(mask));
    return join(to_text({"Пропуск: ", "Skip: "}), "", sources);
}

Text serial_preview(SlotBytes slot, std::size_t slot_index) {
    std::string value = cp1251_to_utf8(field_text(slot.data() + kSerialValueByte, kSerialValueSize));
    if (value.empty()) value = strprintf("event%02u", static_cast<unsigned>(slot_index + 1));
    const Text on_press = to_text({"при нажатии", "on press"});
    return Text(strprintf("%s <press:%s>", on_press.ru.c_str(), value.c_str()),
                strprintf("%s <press:%s>", on_press.en.c_str(), value.c_str()));
}

}  // namespace ztv
