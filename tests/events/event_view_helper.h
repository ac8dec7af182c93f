// The event half as display_slot shows it: the record made consistent, then described.
#pragma once

#include "events/event_display.h"

namespace ztv::test {

inline EventView show_event(Record& record, std::size_t slot) {
    normalize_event(record, slot);
    return describe_event(record, slot);
}

}  // namespace ztv::test
