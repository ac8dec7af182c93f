#include "events/learned_button_edits.h"

#include "events/slot_model.h"

namespace ztv {

void delete_learned_button(Record& record, ButtonGrid& grid, unsigned column, unsigned row) {
    if (column >= kChannels || row < 1 || row > kButtonsPerChannel) return;
    grid.delete_key(record, column, row);
    slots::forget_button(record, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column));
}

}  // namespace ztv
