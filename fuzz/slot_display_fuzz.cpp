// Random records through the slot display: no slot may read or write out of bounds, every
// list selection must name an entry of its list, and a second display must find nothing left
// to change in the record.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/slot_display.h"

namespace {

void check_page(const std::vector<ztv::ControlView>& page) {
    for (const ztv::ControlView& control : page)
        if (control.selected < -1 || (control.selected >= 0 && static_cast<std::size_t>(control.selected) >= control.items.size()))
            std::abort();
}

void check_view(const ztv::SlotView& view) {
    check_page(view.event_common);
    check_page(view.event_controls);
    check_page(view.reaction_controls);
    if (view.event_kind >= ztv::kEventKindCount || view.reaction_kind >= ztv::kReactionKindCount) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    if (size < 1) return 0;
    ConfigState state;
    // First byte picks the slot; the rest fills the record from the start of the slot table,
    // so short inputs already reach every slot byte, then the device parameters.
    const std::size_t slot = data[0] % kSlotCount;
    const std::size_t n = std::min(size - 1, kRecordSize);
    for (std::size_t i = 0; i < n; ++i)
        state.record.raw[(Record::slot_offset(slot) + i) % kRecordSize] = data[1 + i];
    check_view(display_slot(state, slot));
    const Record once = state.record;
    check_view(display_slot(state, slot));
    if (std::memcmp(once.raw.data(), state.record.raw.data(), kRecordSize) != 0) std::abort();
    return 0;
}
