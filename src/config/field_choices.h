// Choice lists of the record's fields, in list-index order, as Russian/English pairs.
// Names that read the same in both languages (pins, bus rates, models) carry the same text twice.
#pragma once

#include <span>

#include "common/text.h"

namespace ztv::choices {

extern const std::span<const TextPair> ir_input;
extern const std::span<const TextPair> touch_mode;
extern const std::span<const TextPair> renault_joy;
extern const std::span<const TextPair> module_connection;   // Disabled / X4/2, X4/3 / X6/2, X6/3
extern const std::span<const TextPair> cardsp_connection;   // Disconnected / X4/2, X4/3 / X6/2, X6/3
extern const std::span<const TextPair> encoder_pins;
extern const std::span<const TextPair> head_type;
extern const std::span<const TextPair> gps_speed;
extern const std::span<const TextPair> parity;
extern const std::span<const TextPair> iebus_functions;
extern const std::span<const TextPair> pulse_pin;
extern const std::span<const TextPair> extnavi_type;
extern const std::span<const TextPair> can_speed;
extern const std::span<const TextPair> on_off;               // On / Off
extern const std::span<const TextPair> off_on;               // Off / On
extern const std::span<const TextPair> touchpad_mode;
extern const std::span<const TextPair> touchpad_click;
extern const std::span<const TextPair> offline_with_head;
extern const std::span<const TextPair> orientation;
extern const std::span<const TextPair> ibus_connection;
extern const std::span<const TextPair> ganet_mode;
extern const std::span<const TextPair> ganet_volume;
extern const std::span<const TextPair> ganet_joystick;
extern const std::span<const TextPair> lin_speed;
extern const std::span<const TextPair> lin_wheel;
extern const std::span<const TextPair> ps2_type;
extern const std::span<const TextPair> ps2_orientation;
extern const std::span<const TextPair> uart_speed;
extern const std::span<const TextPair> audi_mmi;
extern const std::span<const TextPair> cardsp_type;
extern const std::span<const TextPair> cardsp_send_bits;
extern const std::span<const TextPair> gazer_type;
extern const std::span<const TextPair> gazer_connection;
extern const std::span<const TextPair> idrive_type;
extern const std::span<const TextPair> mcontrol_type;
extern const std::span<const TextPair> mcontrol_speed;

}  // namespace ztv::choices
