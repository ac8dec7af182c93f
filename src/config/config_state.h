// The program-wide configuration state: the record, what the controller is believed to hold,
// the touch calibration block and the PC-side slot names. One object, passed by reference.
#pragma once

#include <string_view>

#include "config/record.h"

namespace ztv {

struct ConfigState {
    Record record;          // the working copy every page edits
    Record shadow;          // what the controller holds, as far as the program knows
    TouchBlock touch{};     // device block 17, opaque
    SlotNames slot_names{}; // never sent to the controller
    bool record_valid = false;
    // "Offset 10% when setting" on the touch page: a PC-side choice that the touch
    // calibration reads; never stored in the record or in files.
    bool touch_offset = false;

    // The 2038 record bytes only.
    void clear_record() { record.clear(); }
    // Everything to zero, as at start-up.
    void clear_all();
    // After a whole read from the controller: a never-configured controller (long-press time-out
    // 0) gets a 1000 ms time-out and channels without buttons (threshold 4095).
    void apply_header_defaults();

    std::string_view slot_name(std::size_t slot) const;  // Windows-1251 bytes, at most 32
    void set_slot_name(std::size_t slot, std::string_view cp1251);
};

}  // namespace ztv
