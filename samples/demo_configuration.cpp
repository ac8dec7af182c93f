#include "demo_configuration.h"

#include <cstdint>
#include <initializer_list>

#include "config/field_table.h"
#include "config/pins.h"

namespace ztv::samples {
namespace {

// Slot bytes 12-16 of a "USB key" reaction sending one multimedia (consumer page) key.
void media_key(std::span<std::uint8_t> slot, std::uint16_t usage) {
    slot[11] = 0;  // USB key
    slot[12] = 12;  // consumer controls
    slot[14] = static_cast<std::uint8_t>(usage & 0xFF);
    slot[15] = static_cast<std::uint8_t>(usage >> 8);
}

// A "Button" event on channel `channel` (0-3, or 4 for the encoders), key `key`.
void button(std::span<std::uint8_t> slot, std::uint8_t channel, std::uint8_t key, std::uint8_t trigger, bool once) {
    slot[0] = 0;
    slot[2] = key;
    slot[3] = channel;
    slot[10] = static_cast<std::uint8_t>(trigger | (once ? 0x10 : 0));
}

void put_u16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put_u32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::uint8_t kShort = 1;
constexpr std::uint8_t kLong = 2;
constexpr std::uint8_t kAny = 3;

}  // namespace

ConfigState demo_configuration() {
    ConfigState state;
    Record& r = state.record;

    // Header: 800 ms long press; five buttons learned on channel 1, the other channels free.
    r.set_u16(0, 800);
    r.set_u16(2, 2400);
    for (std::size_t offset : {4, 6, 8}) r.set_u16(offset, 4095);
    struct Learned {
        std::uint16_t code;
        const char* name;
    };
    const Learned learned[] = {{310, "MODE"}, {720, "NEXT"}, {1130, "PREV"}, {1540, "PHONE"}, {1950, "VOICE"}};
    for (std::size_t e = 0; e < std::size(learned); ++e) {
        const std::size_t at = Record::button_offset(0, e);
        r.set_u16(at, learned[e].code);
        r.set_u16(at + 2, 60);
        r.set_button_name(0, e, learned[e].name);
    }

    // Parameters: the volume knob on X3/2, X3/3 with divisor 4 (the touch panel holds X2),
    // the IR receiver on X6/2.
    set_field(r, FieldId::ENC0MODE, 3);
    set_field(r, FieldId::ENC0DIV, 3);
    set_field(r, FieldId::IRINP_NUM, 8);
    set_pin_mode(r, Pin::X4_2, 4);  // active output, 0 V at power-up: the rear camera's switch
    set_field(r, FieldId::TOUCH_MODE, 1);
    set_field(r, FieldId::USE_NAME, 1);
    r.set_source_name(0, "RADIO");
    r.set_source_name(1, "USB");
    r.set_source_name(2, "BT");

    std::size_t next = 0;
    const auto slot = [&](const char* name) {
        state.set_slot_name(next, name);
        return r.slot(next++);
    };

    // The volume knob turns the head unit's volume.
    auto s = slot("Volume up");
    button(s, 4, 1, kAny, false);
    media_key(s, 0x00E9);
    s = slot("Volume down");
    button(s, 4, 2, kAny, false);
    media_key(s, 0x00EA);

    // Steering-wheel buttons: a short press skips tracks, a long one mutes.
    s = slot("Next track");
    button(s, 0, 2, kShort, false);
    media_key(s, 0x00B5);
    s = slot("Previous track");
    button(s, 0, 3, kShort, false);
    media_key(s, 0x00B6);
    s = slot("Mute");
    button(s, 0, 2, kLong, true);
    media_key(s, 0x00E2);

    // MODE steps to the next source, leaving out the Bluetooth one (source 3).
    s = slot("Next source");
    button(s, 0, 1, kShort, false);
    s[11] = 4;
    s[12] = 0;
    s[13] = 0x04;

    // VOICE held opens the head unit's home screen.
    s = slot("Home screen");
    button(s, 0, 5, kLong, true);
    media_key(s, 0x0223);

    // Reverse gear: the reversing lamp feed on VIN1 goes above 9 V for 200 ms, and pin X4/2
    // switches the rear camera on for as long as it stays there.
    s = slot("Rear camera");
    s[0] = 7;
    s[2] = 2;  // VIN1 - X5/9
    s[3] = 1;  // >
    put_u16(s, 4, 9000);
    put_u32(s, 6, 200);
    s[10] = kAny;
    s[11] = 2;  // Pin
    s[12] = 7;  // X4/2
    s[13] = 0;  // full control

    // The remote's OK key (NEC, address 0x00FF, command 0x1C) plays or pauses.
    s = slot("Remote OK");
    s[0] = 1;
    s[2] = 0x1C;
    put_u16(s, 3, 0x00FF);
    s[5] = 1;  // NEC
    s[10] = static_cast<std::uint8_t>(kShort);
    media_key(s, 0x00CD);
    return state;
}

}  // namespace ztv::samples
