#include "config/config_state.h"

#include "common/cp1251.h"

namespace ztv {

void ConfigState::clear_all() {
    record.raw.fill(0);
    shadow.raw.fill(0);
    touch.fill(0);
    for (auto& name : slot_names) name.fill(0);
    record_valid = false;
}

void ConfigState::apply_header_defaults() {
    if (record.u16(0) != 0) return;
    record.set_u16(0, kDefaultLongPressMs);
    for (std::size_t channel = 0; channel < kChannels; ++channel) record.set_u16(2 + 2 * channel, kNoButtonsThreshold);
}

std::string_view ConfigState::slot_name(std::size_t slot) const {
    return field_text(slot_names[slot].data(), kSlotNameSize);
}

void ConfigState::set_slot_name(std::size_t slot, std::string_view cp1251) { put_field_text(slot_names[slot], cp1251); }

}  // namespace ztv
