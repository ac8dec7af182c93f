// Everything the slot editor shows for one slot: the event half, the reaction half and the
// captions of the slot tab row. Built by display_slot(); the editor only draws it.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "config/record.h"
#include "events/event_view_model.h"
#include "events/reaction_view_model.h"

namespace ztv {

struct SlotView {
    std::size_t slot = 0;                               // 0-79
    EventView event;
    ReactionView reaction;
    std::string caption;                                // this slot's tab caption (UTF-8)
    std::array<std::string, kSlotCount> tab_captions;   // all 80, recomputed on every display
};

}  // namespace ztv
